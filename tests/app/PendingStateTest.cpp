// What the running program's window says is pending, and what a bar whose
// value could not be read offers: Apply is enabled exactly while some bar
// the BIOS reported stands elsewhere than the BIOS value, after a profile
// choice and after another program's change that arrives while Apply's
// question is open; an unread bar cannot be moved and Apply writes nothing
// for it until a read succeeds.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "DialogFace.h"
#include "TestPaths.h"
#include "WindowDriving.h"

namespace {

using namespace apptest;

constexpr DWORD kVcoreId = 0x03020012;
constexpr int kBoardVcoreIndex = 56;
constexpr POINT kVcoreStepDownAt{kFsbStepDownAt.x, kFsbStepDownAt.y + kMainBarDistance};

void PostSettingsChanged()
{
    PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("WM_MEROVAN_BROADCAST_MESSAGE"), 0x2355, 0);
}

// The whole window as the screen shows it, left in the test folder to look at.
void KeepWindowPicture(HWND window, const char* file)
{
    RECT bounds{};
    GetWindowRect(window, &bounds);
    const RECT all{0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top};
    SaveBitmap(CaptureSteady(window, all), zxtest::JoinPath(zxtest::TestDir(), file));
}

bool HasWriteOf(const std::vector<std::string>& writes, DWORD id)
{
    return FirstWriteOf(writes, id) >= 0;
}

class PendingState : public WindowDriving {
protected:
    bool StartsProgramAtSetUp() const override { return false; }

    // Opens the profile box and clicks its entry `index`.
    void ChooseProfile(int index)
    {
        ASSERT_TRUE(ClickAt(m_main, kProfileDropAt));
        HWND list = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (list = VisibleChild(m_main, "ListBox")) != nullptr; }));
        RECT item{};
        ASSERT_NE(LB_ERR, SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)));
        Click(list, POINT{10, (item.top + item.bottom) / 2});
        Settle();
        ASSERT_TRUE(WaitFor([&] { return VisibleChild(m_main, "ListBox") == nullptr; }));
    }
    bool StepButtonEnabled(POINT at) const
    {
        HWND button = ChildAt(m_main, at);
        return button != nullptr && IsWindowEnabled(button);
    }
};

// A stored profile that holds what the BIOS holds moves nothing: nothing
// is pending. One that differs is, until Undo.
TEST_F(PendingState, AProfileEqualToTheBiosLeavesApplyDisabled)
{
    ASSERT_NO_FATAL_FAILURE(StartShown([](RunningProgram& program) {
        program.Board().SetKey("0x05080002", "data.0", "0x00000001,0x03010011,33,0x03020012,56,0xFFFFFFFF");
        // Every core's turbo ratio at the ratio's default, which a stored
        // profile without ratios holds for each.
        program.Board().SetKey("0x05080006", "data.0", "0x00000001,36,28,28,28,28,28,28,0xFFFFFFFF");
    }));
    ASSERT_NO_FATAL_FAILURE(ChooseProfile(0));
    EXPECT_FALSE(ApplyEnabled()) << "a profile equal to the BIOS made the settings pending";

    ASSERT_NO_FATAL_FAILURE(ChooseProfile(1));  // "Quiet": the core voltage at 40
    ASSERT_TRUE(WaitFor([&] { return ApplyEnabled(); }));
    ASSERT_TRUE(ClickAt(m_main, kUndoAt));
    ASSERT_TRUE(WaitFor([&] { return !ApplyEnabled(); }));
    // The user's step and the step back: nothing differs any more.
    ASSERT_TRUE(ClickAt(m_main, kFsbStepDownAt));
    ASSERT_TRUE(WaitFor([&] { return ApplyEnabled(); }));
    ASSERT_TRUE(ClickAt(m_main, kFsbStepUpAt));
    ASSERT_TRUE(WaitFor([&] { return !ApplyEnabled(); }));
    EXPECT_TRUE(NewWrites().empty());
}

// Another program's change while Apply's question is open: the bars reread
// and take the user's edit away, so nothing is pending any more, and the
// Yes that follows writes nothing and tells nobody.
TEST_F(PendingState, ABroadcastDuringTheQuestionLeavesNothingToApply)
{
    ASSERT_NO_FATAL_FAILURE(StartShown());
    const size_t notices = NotifyRequestCount();
    ASSERT_TRUE(ClickAt(m_main, kFsbStepDownAt));
    ASSERT_TRUE(WaitFor([&] { return ApplyEnabled(); }));
    ASSERT_TRUE(ClickAt(m_main, kApplyAt));
    HWND dialog = WaitForAskDialog();
    ASSERT_NE(nullptr, dialog);

    PostSettingsChanged();
    Settle();
    EXPECT_FALSE(ApplyEnabled()) << "the reread left the settings pending";
    ASSERT_NO_FATAL_FAILURE(Answer(dialog, "Yes"));
    Settle();
    EXPECT_EQ(std::vector<std::string>{}, NewWrites());
    EXPECT_EQ(notices, NotifyRequestCount());
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_EQ(nullptr, ShownWindow(Pid(), "TAskDialog"));
}

// On the board whose core voltage cannot be read, its bar cannot be moved
// and Apply neither offers nor writes it; once the item reads again, a
// reread brings the bar back and it moves and applies as any other.
TEST_F(PendingState, AnUnreadBarCannotBeMovedUntilAReadSucceeds)
{
    ASSERT_NO_FATAL_FAILURE(StartShown({}, "fault-items"));
    KeepWindowPicture(m_main, "unread-core-voltage.bmp");
    EXPECT_FALSE(ApplyEnabled()) << "an unread bar counts as pending";
    EXPECT_FALSE(StepButtonEnabled(kVcoreStepUpAt));
    EXPECT_FALSE(StepButtonEnabled(kVcoreStepDownAt));
    ClickAt(m_main, kVcoreStepUpAt);
    Settle();
    EXPECT_FALSE(ApplyEnabled()) << "the unread bar moved";

    ASSERT_TRUE(ClickAt(m_main, kFsbStepUpAt));
    ASSERT_TRUE(WaitFor([&] { return ApplyEnabled(); }));
    ASSERT_NO_FATAL_FAILURE(ApplyAnswering("Yes"));
    ASSERT_TRUE(WaitFor([&] { return !ApplyEnabled(); }));
    EXPECT_FALSE(HasWriteOf(NewWrites(), kVcoreId));

    m_program->Board().SetKey("0x03020012", "fail", "");
    m_program->Board().Rewrite();
    PostSettingsChanged();
    Settle();
    KeepWindowPicture(m_main, "unread-core-voltage-read-again.bmp");
    EXPECT_FALSE(ApplyEnabled());
    ASSERT_TRUE(StepButtonEnabled(kVcoreStepUpAt));
    ASSERT_TRUE(ClickAt(m_main, kVcoreStepUpAt));
    ASSERT_TRUE(WaitFor([&] { return ApplyEnabled(); }));
    ASSERT_NO_FATAL_FAILURE(ApplyAnswering("Yes"));
    EXPECT_TRUE(HasWrite(NewWrites(), kVcoreId, kBoardVcoreIndex + 1));
}

}  // namespace
