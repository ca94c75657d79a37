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

#include "RunningProgram.h"
#include "ServiceStandIn.h"

namespace {

using apptest::FindProcessWindow;
using apptest::RunningProgram;
using apptest::WaitFor;

constexpr UINT kMsgShow = WM_USER + 2;
constexpr WPARAM kSignature = 0x55;
// Client points of the collapsed window's controls.
constexpr POINT kFsbStepDownAt{274 + 6, 95 + 6};
constexpr POINT kFsbStepUpAt{608 + 6, 95 + 6};
constexpr POINT kApplyAt{374 + 12, 207 + 8};
constexpr POINT kUndoAt{508 + 12, 207 + 8};
constexpr POINT kProfileDropAt{93 + 172 + 6, 56 + 1 + 6};
constexpr POINT kSaveProfileAt{305 + 12, 55 + 8};
constexpr POINT kMoreSettingAt{27 + 8, 207 + 8};
constexpr int kBoardFsbIndex = 33;  // the default board's
constexpr char kNotifyLine[] = "request words=0x80000000,0x00000000,0x00000000,0x00000000 bytes=16";

HWND ChildAt(HWND window, POINT at)
{
    HWND child = ChildWindowFromPointEx(window, at, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    return child != window ? child : nullptr;
}

void Click(HWND control, POINT inside)
{
    PostMessageA(control, WM_MOUSEMOVE, 0, MAKELPARAM(inside.x, inside.y));
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(inside.x, inside.y));
    PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(inside.x, inside.y));
}

// Clicks the control at client point `at` of `window`; false when none is there.
bool ClickAt(HWND window, POINT at)
{
    HWND child = ChildAt(window, at);
    if (child == nullptr)
        return false;
    MapWindowPoints(window, child, &at, 1);
    Click(child, at);
    return true;
}

HWND ShownWindow(DWORD pid, const char* className)
{
    HWND window = FindProcessWindow(pid, className);
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

BOOL CALLBACK TakeVisibleListBox(HWND child, LPARAM found)
{
    char name[64] = {};
    GetClassNameA(child, name, sizeof name);
    if (std::string(name).find("ListBox") == std::string::npos || !IsWindowVisible(child))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

HWND VisibleListBox(HWND main)
{
    HWND found = nullptr;
    EnumChildWindows(main, &TakeVisibleListBox, reinterpret_cast<LPARAM>(&found));
    return found;
}

class WindowDriving : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_service.Start("--state 0"));
        ASSERT_TRUE(m_program.StartAndWaitForWindow()) << m_program.Describe();
        m_main = m_program.MainWindow();
        PostMessageA(m_main, kMsgShow, kSignature, 0);
        ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(m_main) != FALSE; }));
        Settle();
        m_apply = ChildAt(m_main, kApplyAt);
        ASSERT_NE(nullptr, m_apply);
        NewWrites();
    }
    void TearDown() override
    {
        if (m_program.Process().IsRunning()) {
            EXPECT_TRUE(m_program.Quit());
        }
    }
    void Settle()
    {
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(m_main, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &answer);
        Sleep(300);  // the program's own broadcast and the rereads it starts
        SendMessageTimeoutA(m_main, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &answer);
    }
    // Setting writes since the last call; the core selector only picks the
    // core whose ratio is read.
    std::vector<std::string> NewWrites()
    {
        std::vector<std::string> all;
        for (const std::string& write : m_program.Board().Writes())
            if (write.rfind("id=0x030600F0 ", 0) != 0)
                all.push_back(write);
        std::vector<std::string> fresh(all.begin() + std::min(m_seen, all.size()), all.end());
        m_seen = all.size();
        return fresh;
    }
    bool HasNotifyRequest() const
    {
        const std::vector<std::string> requests = m_service.Requests();
        return std::find(requests.begin(), requests.end(), std::string(kNotifyLine)) != requests.end();
    }
    bool ApplyEnabled() const { return IsWindowEnabled(m_apply) != FALSE; }
    // Apply, then the confirmation answered with `answer` ("Yes" or "No").
    void ApplyAnswering(const char* answer)
    {
        const DWORD pid = m_program.Process().Id();
        ASSERT_TRUE(ClickAt(m_main, kApplyAt));
        HWND dialog = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (dialog = ShownWindow(pid, "TAskDialog")) != nullptr; }));
        HWND button = FindWindowExA(dialog, nullptr, "KyButtonTx", answer);
        ASSERT_NE(nullptr, button);
        Click(button, POINT{5, 5});
        ASSERT_TRUE(WaitFor([&] { return ShownWindow(pid, "TAskDialog") == nullptr; }));
        Settle();
    }

    zxtest::ServiceStandIn m_service{zxtest::ServiceStandIn::Pipe::Programs};
    RunningProgram m_program;
    HWND m_main = nullptr;
    HWND m_apply = nullptr;
    size_t m_seen = 0;
};

bool HasFsbWrite(const std::vector<std::string>& writes, int index)
{
    const std::string prefix = "id=0x03010011 index=" + std::to_string(index) + " ";
    for (const std::string& write : writes)
        if (write.rfind(prefix, 0) == 0)
            return true;
    return false;
}

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
    std::string expected = m_program.Board().BoardText();
    const std::string fsbBefore = "count=201\r\nvalue=33\r\n";
    const size_t fsb = expected.find(fsbBefore);
    ASSERT_NE(std::string::npos, fsb);
    expected.replace(fsb, fsbBefore.size(), "count=201\r\nvalue=32\r\n");

    ASSERT_NO_FATAL_FAILURE(ApplyAnswering("Yes"));
    // The FSB alone changed on the board (the per-core ratios are written
    // again with every list that carries them, unchanged).
    EXPECT_TRUE(HasFsbWrite(NewWrites(), 32));
    EXPECT_EQ(expected, m_program.Board().BoardText());
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
    EXPECT_TRUE(HasFsbWrite(NewWrites(), kBoardFsbIndex)) << "Undo did not reread the FSB";
}

TEST_F(WindowDriving, ChosenProfileMovesBarsAndWritesOnlyAtApply)
{
    ASSERT_TRUE(ClickAt(m_main, kProfileDropAt));
    HWND list = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (list = VisibleListBox(m_main)) != nullptr; }));
    ASSERT_GE(SendMessageA(list, LB_GETCOUNT, 0, 0), 3);  // the board's three stored profiles first
    Click(list, POINT{10, 3});  // "Gaming": FSB 40
    ASSERT_TRUE(WaitFor([&] { return ApplyEnabled(); }));
    Settle();
    EXPECT_TRUE(NewWrites().empty());
    EXPECT_FALSE(HasNotifyRequest());

    ASSERT_NO_FATAL_FAILURE(ApplyAnswering("Yes"));
    EXPECT_TRUE(HasFsbWrite(NewWrites(), 40));
}

// With values pending, Save Profile only warns, at the window's left + 170
// and top + 40 also when the pages are open; the save dialog never opens.
TEST_F(WindowDriving, SaveProfileWarnsWhilePending)
{
    ASSERT_TRUE(ClickAt(m_main, kMoreSettingAt));
    ASSERT_TRUE(ClickAt(m_main, kFsbStepDownAt));
    ASSERT_TRUE(WaitFor([&] { return ApplyEnabled(); }));
    ASSERT_TRUE(ClickAt(m_main, kSaveProfileAt));
    const DWORD pid = m_program.Process().Id();
    HWND warning = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (warning = ShownWindow(pid, "TAskDialog")) != nullptr; }));
    RECT window{};
    RECT dialog{};
    GetWindowRect(m_main, &window);
    GetWindowRect(warning, &dialog);
    EXPECT_EQ(window.left + 170, dialog.left);
    EXPECT_EQ(window.top + 40, dialog.top);
    HWND ok = FindWindowExA(warning, nullptr, "KyButtonTx", "OK");
    ASSERT_NE(nullptr, ok);
    Click(ok, POINT{5, 5});
    ASSERT_TRUE(WaitFor([&] { return ShownWindow(pid, "TAskDialog") == nullptr; }));
    Settle();
    EXPECT_TRUE(ApplyEnabled());
    EXPECT_TRUE(NewWrites().empty());
}

}  // namespace
