// What the controller takes from the window's bars: only bars whose value
// was read from the BIOS go into an apply list or the danger test; every
// bar rereads on refresh and reports changes to the one callback.

#include <gtest/gtest.h>

#include "FakeBar.h"
#include "SimulatedBoard.h"
#include "app/controller/BarValues.h"

namespace {

using apptest::FakeBar;

class BarValues : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        board = new zxtest::SimulatedBoard(zxtest::SimulatedBoard::FromShipped("default"));
        board->UseInThisProcess();
    }
    static void TearDownTestSuite()
    {
        delete board;
        board = nullptr;
    }
    static zxtest::SimulatedBoard* board;
};
zxtest::SimulatedBoard* BarValues::board = nullptr;

// The default board's danger limits: FSB 100, core voltage 96.
TEST_F(BarValues, UnreadBarsStayOutOfTheApplyListAndTheDangerTest)
{
    FakeBar fsb(0x03010011, 40, true);
    FakeBar core(0x03020012, 120, false);  // past its limit, but never read
    FakeBar dram(0x03020032, 15, true);
    const AdvBarList bars = {&fsb, &core, &dram};
    const ZxOcItemValueList list = BuildApplyList(bars);
    ASSERT_EQ(2u, list.size());
    EXPECT_EQ(0x03010011u, list[0].id);
    EXPECT_EQ(40, list[0].value);
    EXPECT_EQ(0x03020032u, list[1].id);
    EXPECT_EQ(15, list[1].value);
    EXPECT_FALSE(HasDangerousBar(bars));
    EXPECT_TRUE(BuildApplyList({}).empty());
}

TEST_F(BarValues, DangerTestStopsAtTheFirstReadBarPastItsLimit)
{
    struct Case {
        int fsbPosition;
        int corePosition;
        bool dangerous;
    };
    const Case cases[] = {{100, 96, false}, {101, 0, true}, {0, 97, true}, {40, 56, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "FSB " << c.fsbPosition << " core " << c.corePosition);
        FakeBar fsb(0x03010011, c.fsbPosition, true);
        FakeBar core(0x03020012, c.corePosition, true);
        EXPECT_EQ(c.dangerous, HasDangerousBar({&fsb, &core}));
    }
}

// Pending means: some read bar stands elsewhere than its last BIOS read. A
// bar moved and moved back is not; an unread bar never is.
TEST_F(BarValues, PendingWhileSomeReadBarDiffersFromItsBiosValue)
{
    FakeBar fsb(0x03010011, 40, true);
    FakeBar core(0x03020012, 56, false);
    const AdvBarList bars = {&fsb, nullptr, &core};
    EXPECT_FALSE(HasPendingBar(bars));
    core.StepUp();
    EXPECT_FALSE(HasPendingBar(bars)) << "an unread bar counts";
    fsb.StepDown();
    EXPECT_TRUE(HasPendingBar(bars));
    fsb.StepUp();
    EXPECT_FALSE(HasPendingBar(bars));
    EXPECT_FALSE(HasPendingBar({}));
}

TEST_F(BarValues, RefreshReachesEveryBarAndChangesReachTheCallback)
{
    FakeBar read(0x03010011, 40, true);
    FakeBar unread(0x03020012, 10, false);
    const AdvBarList bars = {&read, &unread};
    RefreshBars(bars);
    EXPECT_EQ(1, read.refreshes);
    EXPECT_EQ(1, unread.refreshes);

    int changes = 0;
    SetOnChangeOfBars(bars, TNotifyEvent::FromFunction([&](TObject* sender) {
                          EXPECT_EQ(nullptr, sender);
                          ++changes;
                      }));
    read.StepUp();
    unread.StepDown();
    EXPECT_EQ(2, changes);
}

}  // namespace
