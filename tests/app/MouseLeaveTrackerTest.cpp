// The main window's mouse tracker: a control registers an outside test and
// a leave action; moves over the form end the hover look once the pointer
// is outside the control.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/forms/MouseLeaveTracker.h"

namespace {

// A control at (100, 50), 40 × 20 in its form, and a record of what the
// tracker asked and did.
class TrackedControl : public TControl {
public:
    explicit TrackedControl(std::vector<std::string>* log) : TControl(nullptr), m_log(log)
    {
        SetBounds(100, 50, 40, 20);
    }
    void Outside(TControl* control, int x, int y, bool& outside)
    {
        m_log->push_back("test " + std::to_string(x) + "," + std::to_string(y));
        outside = x < 0 || y < 0 || x >= Width() || y >= Height();
    }
    void Leave(TControl* control) { m_log->push_back(control == this ? "leave" : "leave other"); }

    TOutsideTest OutsideTest() { return TOutsideTest(this, &TrackedControl::Outside); }
    TLeaveAction LeaveAction() { return TLeaveAction(this, &TrackedControl::Leave); }

private:
    std::vector<std::string>* m_log;
};

class MouseLeaveTrackerTest : public ::testing::Test {
protected:
    std::vector<std::string> log;
    TrackedControl first{&log};
    TrackedControl second{&log};
    MouseLeaveTracker tracker;
};

TEST_F(MouseLeaveTrackerTest, LeavesOnceWhenThePointerIsOutside)
{
    tracker.Set(&first, first.OutsideTest(), first.LeaveAction());
    tracker.MouseMoved(0, MAKELPARAM(110, 55));  // inside
    tracker.MouseMoved(0, MAKELPARAM(150, 55));  // outside
    tracker.MouseMoved(0, MAKELPARAM(160, 55));  // nothing tracked any more
    EXPECT_EQ((std::vector<std::string>{"test 10,5", "test 50,5", "leave"}), log);
    EXPECT_EQ(nullptr, tracker.Tracked());
}

TEST_F(MouseLeaveTrackerTest, DragsWithTheLeftButtonAreIgnored)
{
    tracker.Set(&first, first.OutsideTest(), first.LeaveAction());
    tracker.MouseMoved(MK_LBUTTON, MAKELPARAM(300, 300));
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(&first, tracker.Tracked());
}

TEST_F(MouseLeaveTrackerTest, CoordinatesAreUnsignedSoPointsLeftOfTheFormAreOutside)
{
    tracker.Set(&first, first.OutsideTest(), first.LeaveAction());
    tracker.MouseMoved(0, MAKELPARAM(-5, 55));  // 65531 as the message carries it
    EXPECT_EQ((std::vector<std::string>{"test 65431,5", "leave"}), log);
}

TEST_F(MouseLeaveTrackerTest, ANewControlFirstEndsTheHoverOfTheOldOne)
{
    tracker.Set(&first, first.OutsideTest(), first.LeaveAction());
    tracker.Set(&first, first.OutsideTest(), first.LeaveAction());  // same control: nothing
    EXPECT_TRUE(log.empty());
    tracker.Set(&second, second.OutsideTest(), second.LeaveAction());
    EXPECT_EQ((std::vector<std::string>{"leave"}), log);
    EXPECT_EQ(&second, tracker.Tracked());
}

}  // namespace
