// Set and Load: what reaches the board, the system-control service and the
// other programs' windows. Black-box against the simulated board's call log
// and the service stand-in's request log.

#include <gtest/gtest.h>

#include "BoardFixture.h"
#include "LibraryCaller.h"
#include "ServiceStandIn.h"
#include "TestFiles.h"

using ocapitest::BoardFixture;
using ocapitest::ProfileBytes;
using ocapitest::RunCalls;

namespace {

const char kNotifyChangeRequest[] = "request words=0x80000000,0x00000000,0x00000000,0x00000000 bytes=16";

class ZxOcLibChange : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_service.Start()); }

    std::vector<std::string> Requests() const { return m_service.Requests(); }

    zxtest::ServiceStandIn m_service;
};

void ExpectOneChangeBroadcast(const ocapitest::CallerRun& run)
{
    EXPECT_EQ(run.Broadcasts(), 1) << run.process.output;
    EXPECT_EQ(run.Line("broadcast "), "broadcast wParam=0x2355 lParam=0x0");
}

}  // namespace

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
            EXPECT_EQ(requests.back(), kNotifyChangeRequest);
            ExpectOneChangeBroadcast(run);
        }
    }
}

TEST_F(ZxOcLibChange, SetThatChangesNothingWritesSendsAndPostsNothing)
{
    BoardFixture board;
    board.SetKey("0x03020015", "fail", "write");
    auto run = RunCalls({"ZxOcSetFsbFrquency 33",     // already current
                         "ZxOcSetFsbFrquency -1",     // below the range
                         "ZxOcSetFsbFrquency 201",    // one past the last index
                         "ZxOcSetVcoreVolt 2147483647",
                         "ZxOcSetNbCoreVolt 5"},      // the BIOS refuses the write
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

TEST_F(ZxOcLibChange, LoadAppliesInFrequencySafeOrderAndBroadcastsWithoutARequest)
{
    struct Case {
        const char* what;
        int fsb;
        std::vector<std::string> writes;
    };
    // FSB 33 -> 20 lowers the clock: FSB first, then the voltages. FSB
    // 33 -> 60 raises it: the voltages first.
    const Case cases[] = {
        {"going down", 20,
         {"id=0x03010011 index=20 mode=2 result=1", "id=0x03020012 index=70 mode=2 result=1",
          "id=0x03020032 index=20 mode=2 result=1"}},
        {"going up", 60,
         {"id=0x03020012 index=70 mode=2 result=1", "id=0x03020032 index=20 mode=2 result=1",
          "id=0x03010011 index=60 mode=2 result=1"}},
    };
    for (const auto& c : cases) {
        BoardFixture board;
        std::string path = board.File("Load.oc");
        ASSERT_TRUE(zxtest::WriteWholeFile(
            path, ProfileBytes({{0x03020012, 70}, {0x03010011, c.fsb}, {0x03020032, 20}, {0x03020015, 4}})));
        auto run = RunCalls({"ZxOcLoadProfile " + path, "ZxOcGetFsbFrquency"}, board.Environment());
        EXPECT_EQ(run.Line("ZxOcLoadProfile"), "ZxOcLoadProfile result=1") << c.what;
        EXPECT_EQ(run.Line("ZxOcGetFsbFrquency"), "ZxOcGetFsbFrquency result=1 value=" + std::to_string(c.fsb));
        EXPECT_EQ(board.Writes(), c.writes) << c.what;
        ExpectOneChangeBroadcast(run);
    }
    EXPECT_TRUE(Requests().empty());
}

TEST_F(ZxOcLibChange, LoadOfAFileThatCannotBeReadChangesNothing)
{
    struct Case {
        const char* what;
        std::string bytes;  // empty: no file at all
    };
    const Case cases[] = {
        {"missing file", ""},
        {"version 2", ProfileBytes({{0x03010011, 20}}, 2)},
        {"header cut short", ProfileBytes({{0x03010011, 20}}).substr(0, 10)},
    };
    for (const auto& c : cases) {
        BoardFixture board;
        std::string path = board.File("Bad.oc");
        if (!c.bytes.empty()) {
            ASSERT_TRUE(zxtest::WriteWholeFile(path, c.bytes));
        }
        auto run = RunCalls({"ZxOcLoadProfile " + path, "ZxOcLoadProfile null"}, board.Environment());
        EXPECT_EQ(run.Line("ZxOcLoadProfile", 0), "ZxOcLoadProfile result=0") << c.what;
        EXPECT_EQ(run.Line("ZxOcLoadProfile", 1), "ZxOcLoadProfile result=0") << c.what;
        EXPECT_TRUE(board.Writes().empty()) << c.what;
        EXPECT_EQ(run.Broadcasts(), 0) << c.what;
    }
    EXPECT_TRUE(Requests().empty());
}

TEST_F(ZxOcLibChange, LoadSkipsEverythingButTheTuningItems)
{
    BoardFixture board;
    std::string path = board.File("Foreign.oc");
    ASSERT_TRUE(zxtest::WriteWholeFile(path, ProfileBytes({
                                                 {0x00060009, 0},   // status item
                                                 {0x0B060001, 1},   // power-saving switch
                                                 {0x030600F0, 2},   // hidden core selector
                                                 {0x0302001A, 3},   // hidden tuning item
                                                 {0x05080002, 1},   // profile data
                                                 {0x07010011, 9},   // unknown group, FSB's index
                                                 {0x03020017, 9},   // a visible tuning item
                                             })));
    auto run = RunCalls({"ZxOcLoadProfile " + path}, board.Environment());
    EXPECT_EQ(run.Line("ZxOcLoadProfile"), "ZxOcLoadProfile result=1");
    EXPECT_EQ(board.Writes(), std::vector<std::string>{"id=0x03020017 index=9 mode=2 result=1"});
    ExpectOneChangeBroadcast(run);
}

TEST_F(ZxOcLibChange, LoadOfATruncatedFileAppliesTheRecordsItHolds)
{
    BoardFixture board;
    std::string path = board.File("Short.oc");
    // Declares 3 records, holds 2 and half of a third.
    std::string bytes = ProfileBytes({{0x03020012, 60}, {0x03020032, 18}, {0x03020015, 9}}).substr(0, 12 + 8 * 2 + 4);
    ASSERT_TRUE(zxtest::WriteWholeFile(path, bytes));
    auto run = RunCalls({"ZxOcLoadProfile " + path}, board.Environment());
    EXPECT_EQ(run.Line("ZxOcLoadProfile"), "ZxOcLoadProfile result=1");
    EXPECT_EQ(board.Writes(), (std::vector<std::string>{"id=0x03020012 index=60 mode=2 result=1",
                                                        "id=0x03020032 index=18 mode=2 result=1"}));
    ExpectOneChangeBroadcast(run);
}
