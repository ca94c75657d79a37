// Set: what reaches the board, the system-control service and the other
// programs' windows, black-box against the board's call log and the service
// stand-in's request log.

#include <gtest/gtest.h>

#include "BoardFixture.h"
#include "ChangeFixture.h"
#include "LibraryCaller.h"

using ocapitest::ExpectOneChangeBroadcast;
using ocapitest::RunCalls;
using ocapitest::ZxOcLibChange;
using zxtest::BoardFixture;

TEST_F(ZxOcLibChange, SetWritesOnceTellsTheServiceAndBroadcasts)
{
    struct Case {
        const char* set;
        const char* get;
        int index;
        const char* write;
    };
    const Case cases[] = {
        {"ZxOcSetFsbFrquency", "ZxOcGetFsbFrquency", 40, "id=0x03010011 index=40 mode=2 result=1"},
        {"ZxOcSetVcoreVolt", "ZxOcGetVcoreVolt", 0, "id=0x03020012 index=0 mode=2 result=1"},
        {"ZxOcSetDramVolt", "ZxOcGetDramVolt", 40, "id=0x03020032 index=40 mode=2 result=1"},
        {"ZxOcSetNbCoreVolt", "ZxOcGetNbCoreVolt", 16, "id=0x03020015 index=16 mode=2 result=1"},
    };
    for (bool byOrdinal : {false, true}) {
        for (const auto& c : cases) {
            BoardFixture board;
            size_t requestsBefore = Requests().size();
            std::string set = std::string(c.set) + " " + std::to_string(c.index);
            auto run = RunCalls({set, c.get}, board.Environment(), byOrdinal);
            EXPECT_EQ(run.Line(c.set), std::string(c.set) + " result=1");
            EXPECT_EQ(run.Line(c.get), std::string(c.get) + " result=1 value=" + std::to_string(c.index));
            EXPECT_EQ(board.Writes(), std::vector<std::string>{c.write});
            auto requests = Requests();
            ASSERT_EQ(requests.size(), requestsBefore + 1) << c.set;
            EXPECT_EQ(requests.back(), ocapitest::kNotifyChangeRequest);
            ExpectOneChangeBroadcast(run);
        }
    }
}

TEST_F(ZxOcLibChange, SetThatChangesNothingWritesSendsAndPostsNothing)
{
    BoardFixture board;
    board.SetKey("0x03020015", "fail", "write");
    auto run = RunCalls({"ZxOcSetFsbFrquency 33",                                // already current
                         "ZxOcSetFsbFrquency -1",                                // below the range
                         "ZxOcSetFsbFrquency 201",                               // one past the last index
                         "ZxOcSetVcoreVolt 2147483647", "ZxOcSetNbCoreVolt 5"},  // the BIOS refuses the write
                        board.Environment());
    EXPECT_EQ(run.Line("ZxOcSetFsbFrquency", 0), "ZxOcSetFsbFrquency result=0");
    EXPECT_EQ(run.Line("ZxOcSetFsbFrquency", 1), "ZxOcSetFsbFrquency result=0");
    EXPECT_EQ(run.Line("ZxOcSetFsbFrquency", 2), "ZxOcSetFsbFrquency result=0");
    EXPECT_EQ(run.Line("ZxOcSetVcoreVolt"), "ZxOcSetVcoreVolt result=0");
    EXPECT_EQ(run.Line("ZxOcSetNbCoreVolt"), "ZxOcSetNbCoreVolt result=0");
    // Only the refused write reached the library; nothing else happened.
    EXPECT_EQ(board.Writes(), std::vector<std::string>{"id=0x03020015 index=5 mode=2 result=0"});
    EXPECT_TRUE(Requests().empty());
    EXPECT_EQ(run.Broadcasts(), 0);
}

TEST_F(ZxOcLibChange, SetOnAnEmptySlotReturnsZero)
{
    BoardFixture board;
    board.RemoveSection("0x03020032");
    auto run = RunCalls({"ZxOcSetDramVolt 3"}, board.Environment());
    EXPECT_EQ(run.Line("ZxOcSetDramVolt"), "ZxOcSetDramVolt result=0");
    EXPECT_TRUE(board.Writes().empty());
    EXPECT_EQ(run.Broadcasts(), 0);
}
