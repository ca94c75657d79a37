// The running program driven through its window as the user drives it:
// a bar's step button, Apply with its confirmation (No, then Yes), Undo,
// and a profile chosen in the profile box. Mouse messages go to the real
// controls; the board's call log and the service stand-in show what
// reached the hardware.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DialogFace.h"
#include "TestPaths.h"
#include "WindowDriving.h"

namespace {

using namespace apptest;

constexpr int kBoardFsbIndex = 33;  // the default board's
constexpr DWORD kFsbId = 0x03010011;

TEST_F(WindowDriving, StepApplyNoThenYesWritesOnceAndUndoRereads)
{
    EXPECT_FALSE(ApplyEnabled());  // nothing pending at start-up
    // Another program's change: the bars reread, nothing becomes pending.
    PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("WM_MEROVAN_BROADCAST_MESSAGE"), 0x2355, 0);
    Settle();
    EXPECT_FALSE(ApplyEnabled());
    ASSERT_TRUE(ClickAt(m_main, kFsbStepDownAt));
    ASSERT_TRUE(WaitFor([&] { return ApplyEnabled(); }));
    EXPECT_TRUE(NewWrites().empty());

    ASSERT_NO_FATAL_FAILURE(ApplyAnswering("No"));
    EXPECT_TRUE(NewWrites().empty());
    EXPECT_TRUE(ApplyEnabled());
    EXPECT_FALSE(HasNotifyRequest());
    std::string expected = m_program->Board().BoardText();
    const std::string fsbBefore = "count=201\r\nvalue=33\r\n";
    const size_t fsb = expected.find(fsbBefore);
    ASSERT_NE(std::string::npos, fsb);
    expected.replace(fsb, fsbBefore.size(), "count=201\r\nvalue=32\r\n");

    ASSERT_NO_FATAL_FAILURE(ApplyAnswering("Yes"));
    // The FSB alone changed on the board (the per-core ratios are written
    // again with every list that carries them, unchanged).
    EXPECT_TRUE(HasWrite(NewWrites(), kFsbId, 32));
    EXPECT_EQ(expected, m_program->Board().BoardText());
    EXPECT_TRUE(HasNotifyRequest());
    EXPECT_FALSE(ApplyEnabled());

    // Undo brings the bar back to what the BIOS holds (32): one step up then
    // means 33, which Apply writes.
    ASSERT_TRUE(ClickAt(m_main, kFsbStepDownAt));
    ASSERT_TRUE(WaitFor([&] { return ApplyEnabled(); }));
    ASSERT_TRUE(ClickAt(m_main, kUndoAt));
    ASSERT_TRUE(WaitFor([&] { return !ApplyEnabled(); }));
    ASSERT_TRUE(ClickAt(m_main, kFsbStepUpAt));
    ASSERT_TRUE(WaitFor([&] { return ApplyEnabled(); }));
    ASSERT_NO_FATAL_FAILURE(ApplyAnswering("Yes"));
    EXPECT_TRUE(HasWrite(NewWrites(), kFsbId, kBoardFsbIndex)) << "Undo did not reread the FSB";
}

TEST_F(WindowDriving, ChosenProfileMovesBarsAndWritesOnlyAtApply)
{
    ASSERT_TRUE(ClickAt(m_main, kProfileDropAt));
    HWND list = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (list = VisibleChild(m_main, "ListBox")) != nullptr; }));
    ASSERT_GE(SendMessageA(list, LB_GETCOUNT, 0, 0), 3);  // the board's three stored profiles first
    Click(list, POINT{10, 3});                            // "Gaming": FSB 40
    ASSERT_TRUE(WaitFor([&] { return ApplyEnabled(); }));
    Settle();
    EXPECT_TRUE(NewWrites().empty());
    EXPECT_FALSE(HasNotifyRequest());

    ASSERT_NO_FATAL_FAILURE(ApplyAnswering("Yes"));
    EXPECT_TRUE(HasWrite(NewWrites(), kFsbId, 40));
}

class ItemsWithoutValues : public WindowDriving {
protected:
    bool StartsProgramAtSetUp() const override { return false; }
};

// Items whose descriptors list no values (a string item without strings,
// number items with a value count of -1 or 0) get no bar: the window starts,
// opens its pages, and Apply writes only what the user moved.
TEST_F(ItemsWithoutValues, GetNoBarAndApplyWritesOnlyTheMovedBar)
{
    ASSERT_NO_FATAL_FAILURE(StartShown([](RunningProgram& program) {
        program.Board().SetKey("0x03080018", "fail", "values");
        program.Board().SetKey("0x03020015", "fail", "values");
        program.Board().SetKey("0x03020016", "count", "0");
        // A DRAM item: the expert group, where the string item would go.
        program.Board().SetKey("0x03020033", "name", "DRAM Termination");
        program.Board().SetKey("0x03020033", "base", "1200");
        program.Board().SetKey("0x03020033", "step", "20");
        program.Board().SetKey("0x03020033", "count", "41");
        program.Board().SetKey("0x03020033", "value", "3");
    }));
    RECT client{};
    GetClientRect(m_main, &client);
    const LONG collapsed = client.bottom;
    ASSERT_TRUE(ClickAt(m_main, kMoreSettingAt));
    ASSERT_TRUE(WaitFor([&] {
        GetClientRect(m_main, &client);
        return client.bottom > collapsed;
    })) << "the pages did not open";
    Settle();
    ASSERT_TRUE(ClickAt(m_main, kMoreSettingAt));
    ASSERT_TRUE(WaitFor([&] {
        GetClientRect(m_main, &client);
        return client.bottom == collapsed;
    }));
    ASSERT_TRUE(ClickAt(m_main, kFsbStepDownAt));
    ASSERT_TRUE(WaitFor([&] { return ApplyEnabled(); }));
    ASSERT_NO_FATAL_FAILURE(ApplyAnswering("Yes"));
    const std::vector<std::string> writes = NewWrites();
    EXPECT_TRUE(HasWrite(writes, kFsbId, kBoardFsbIndex - 1)) << testing::PrintToString(writes);
    for (const std::string& write : writes)
        EXPECT_TRUE(write.rfind("id=0x03010011 ", 0) == 0 || write.rfind("id=0x03060013 ", 0) == 0) << write;
    EXPECT_TRUE(m_program->Process().IsRunning());
    EXPECT_EQ(nullptr, FindProcessWindow(Pid(), "#32770")) << "a message box shows";
}

// The profile box shows the chosen name in bold Arial, 11 pixels high,
// in its near-white, centred in its text area.
constexpr TextLooks kProfileNameLooks{-11, FW_BOLD, RGB(255, 255, 251), DT_EXPANDTABS | DT_LEFT, true};

// The whole window as the screen shows it, left in the test folder to look at.
void KeepWindowPicture(HWND window, const char* file)
{
    RECT bounds{};
    GetWindowRect(window, &bounds);
    const RECT all{0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top};
    SaveBitmap(CaptureSteady(window, all), zxtest::JoinPath(zxtest::TestDir(), file));
}

// The box keeps the chosen profile's name through the choice itself (the
// bars it moves), Apply's reread and an Undo that moves no bar; the user's
// step click clears it, and the Undo after that leaves it cleared.
TEST_F(WindowDriving, ProfileBoxNamesTheChoiceUntilTheUserMovesABar)
{
    const ScreenPixels empty = CaptureSteady(m_main, kProfileTextArea);
    const ScreenPixels named = DrawnText("Gaming", kProfileNameLooks, empty);  // the board's first stored profile
    ASSERT_NE(empty, named);
    const auto shows = [&](const ScreenPixels& expected) {
        Settle();
        return CaptureSteady(m_main, kProfileTextArea) == expected;
    };

    ASSERT_TRUE(ClickAt(m_main, kProfileDropAt));
    HWND list = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (list = VisibleChild(m_main, "ListBox")) != nullptr; }));
    Click(list, POINT{10, 3});
    ASSERT_TRUE(WaitFor([&] { return ApplyEnabled(); }));
    KeepWindowPicture(m_main, "profile-box-named.bmp");
    EXPECT_TRUE(shows(named)) << "the choice cleared the box";

    ASSERT_NO_FATAL_FAILURE(ApplyAnswering("Yes"));
    ASSERT_TRUE(HasWrite(NewWrites(), kFsbId, 40));
    EXPECT_TRUE(shows(named)) << "Apply's reread cleared the box";
    ASSERT_TRUE(ClickAt(m_main, kUndoAt));
    EXPECT_TRUE(shows(named)) << "an Undo that moved no bar cleared the box";

    ASSERT_TRUE(ClickAt(m_main, kFsbStepDownAt));
    ASSERT_TRUE(WaitFor([&] { return ApplyEnabled(); }));
    KeepWindowPicture(m_main, "profile-box-cleared.bmp");
    EXPECT_TRUE(shows(empty)) << "the step click left the name";
    ASSERT_TRUE(ClickAt(m_main, kUndoAt));
    ASSERT_TRUE(WaitFor([&] { return !ApplyEnabled(); }));
    EXPECT_TRUE(shows(empty)) << "Undo brought a name back";
}

// With values pending, Save Profile only warns, at the window's left + 170
// and top + 40 also when the pages are open; the save dialog never opens.
TEST_F(WindowDriving, SaveProfileWarnsWhilePending)
{
    ASSERT_TRUE(ClickAt(m_main, kMoreSettingAt));
    ASSERT_TRUE(ClickAt(m_main, kFsbStepDownAt));
    ASSERT_TRUE(WaitFor([&] { return ApplyEnabled(); }));
    ASSERT_TRUE(ClickAt(m_main, kSaveProfileAt));
    HWND warning = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (warning = ShownWindow(Pid(), "TAskDialog")) != nullptr; }));
    RECT window{};
    RECT dialog{};
    GetWindowRect(m_main, &window);
    GetWindowRect(warning, &dialog);
    EXPECT_EQ(window.left + 170, dialog.left);
    EXPECT_EQ(window.top + 40, dialog.top);
    HWND ok = DialogButton(warning, "OK");
    ASSERT_NE(nullptr, ok);
    Click(ok, POINT{5, 5});
    ASSERT_TRUE(WaitFor([&] { return ShownWindow(Pid(), "TAskDialog") == nullptr; }));
    Settle();
    EXPECT_TRUE(ApplyEnabled());
    EXPECT_TRUE(NewWrites().empty());
}

}  // namespace
