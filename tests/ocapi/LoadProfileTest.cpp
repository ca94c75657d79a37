// ZxOcLoadProfile: which records of a file reach the board, in which order,
// and what the other programs' windows and the service are told.

#include <gtest/gtest.h>

#include "BoardFixture.h"
#include "ChangeFixture.h"
#include "LibraryCaller.h"
#include "TestFiles.h"

using ocapitest::ExpectOneChangeBroadcast;
using ocapitest::RunCalls;
using ocapitest::ZxOcLibChange;
using zxtest::BoardFixture;
using zxtest::ProfileBytes;

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
        {"going down",
         20,
         {"id=0x03010011 index=20 mode=2 result=1", "id=0x03020012 index=70 mode=2 result=1",
          "id=0x03020032 index=20 mode=2 result=1"}},
        {"going up",
         60,
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
                                                 {0x00060009, 0},  // status item
                                                 {0x0B060001, 1},  // power-saving switch
                                                 {0x030600F0, 2},  // hidden core selector
                                                 {0x0302001A, 3},  // hidden tuning item
                                                 {0x05080002, 1},  // profile data
                                                 {0x07010011, 9},  // unknown group, FSB's index
                                                 {0x03020017, 9},  // a visible tuning item
                                             })));
    auto run = RunCalls({"ZxOcLoadProfile " + path}, board.Environment());
    EXPECT_EQ(run.Line("ZxOcLoadProfile"), "ZxOcLoadProfile result=1");
    EXPECT_EQ(board.Writes(), std::vector<std::string>{"id=0x03020017 index=9 mode=2 result=1"});
    ExpectOneChangeBroadcast(run);
    EXPECT_TRUE(Requests().empty());
}

TEST_F(ZxOcLibChange, LoadWritesTheCpuRatioPerCore)
{
    BoardFixture board;
    std::string path = board.File("Ratio.oc");
    ASSERT_TRUE(zxtest::WriteWholeFile(
        path, ProfileBytes({{0x03060013, 38}, {0x03060013, 34}, {0x03060013, 30}, {0x03060013, 26}})));
    auto run = RunCalls({"ZxOcLoadProfile " + path}, board.Environment());
    EXPECT_EQ(run.Line("ZxOcLoadProfile"), "ZxOcLoadProfile result=1");
    // Without an FSB record the current ratios are read for the order (each
    // core selected). Cores 0 and 3 change; 1 and 2 already hold their
    // values. Then the selector goes to all cores and the last value is
    // written once more.
    EXPECT_NE(board.BoardText().find("cores=38,34,30,26"), std::string::npos) << board.BoardText();
    EXPECT_EQ(board.Writes(),
              (std::vector<std::string>{
                  "id=0x030600F0 index=0 mode=1 result=1", "id=0x030600F0 index=1 mode=1 result=1",
                  "id=0x030600F0 index=2 mode=1 result=1", "id=0x030600F0 index=3 mode=1 result=1",
                  "id=0x030600F0 index=0 mode=1 result=1", "id=0x03060013 index=38 mode=2 result=1",
                  "id=0x030600F0 index=1 mode=1 result=1", "id=0x030600F0 index=2 mode=1 result=1",
                  "id=0x030600F0 index=3 mode=1 result=1", "id=0x03060013 index=26 mode=2 result=1",
                  "id=0x030600F0 index=255 mode=1 result=1", "id=0x03060013 index=26 mode=2 result=1"}));
    ExpectOneChangeBroadcast(run);
    EXPECT_TRUE(Requests().empty());
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
    EXPECT_TRUE(Requests().empty());
}

TEST_F(ZxOcLibChange, LoadTakesVersionZeroWhateverTheMagicAndTrustsNoCount)
{
    BoardFixture board;
    std::string path = board.File("Old.oc");
    // Another magic, version 0, and a count far beyond the one record held.
    std::string bytes = ProfileBytes({{0x03020032, 18}}, 0, 0x7FFFFFFF);
    bytes.replace(0, 4, "XXXX");
    ASSERT_TRUE(zxtest::WriteWholeFile(path, bytes));
    auto run = RunCalls({"ZxOcLoadProfile " + path}, board.Environment());
    EXPECT_EQ(run.Line("ZxOcLoadProfile"), "ZxOcLoadProfile result=1");
    EXPECT_EQ(board.Writes(), std::vector<std::string>{"id=0x03020032 index=18 mode=2 result=1"});
}

namespace {

std::string Write(unsigned id, int index)
{
    char text[80];
    std::snprintf(text, sizeof text, "id=0x%08X index=%d mode=%d result=1", id, index, id == 0x030600F0 ? 1 : 2);
    return text;
}

}  // namespace

// Hostile profile files through the library's ordinals: only indexes inside
// each item's value range reach the board, and the good records of a mixed
// file still go in frequency-safe order.
TEST_F(ZxOcLibChange, LoadWritesOnlyInRangeIndexesOfAHostileFile)
{
    constexpr unsigned kFsb = 0x03010011, kVcore = 0x03020012, kDram = 0x03020032, kNb = 0x03020015;
    constexpr unsigned kPll = 0x03020016, kRatio = 0x03060013, kSelect = 0x030600F0;
    const int kAllOnes = static_cast<int>(0xFFFFFFFFu);
    // Reading the per-core ratios for the order selects each core.
    const std::vector<std::string> ratioReads = {Write(kSelect, 0), Write(kSelect, 1), Write(kSelect, 2),
                                                 Write(kSelect, 3)};
    struct Case {
        const char* what;
        std::vector<std::pair<unsigned, int>> records;
        std::vector<std::string> writes;
    };
    const Case cases[] = {
        {"index = count", {{kVcore, 129}, {kDram, 41}, {kNb, 17}}, {}},
        {"index 0xFFFFFFFF", {{kFsb, kAllOnes}, {kVcore, kAllOnes}, {kRatio, kAllOnes}}, {}},
        {"ratio indexes past the range: those cores keep theirs",
         {{kRatio, 47}, {kRatio, 30}, {kRatio, 0x7FFFFFFF}, {kRatio, 26}},
         {Write(kSelect, 0), Write(kSelect, 1), Write(kSelect, 2), Write(kSelect, 3), Write(kSelect, 0),
          Write(kSelect, 1), Write(kRatio, 30), Write(kSelect, 2), Write(kSelect, 3), Write(kRatio, 26),
          Write(kSelect, 255), Write(kRatio, 26)}},
        {"mixed good and bad records, the clock going down",
         {{kVcore, 50},
          {kFsb, 201},
          {kFsb, 20},
          {kDram, 41},
          {kRatio, 34},
          {kRatio, 34},
          {kRatio, 30},
          {kRatio, 26},
          {kNb, kAllOnes},
          {kPll, 12}},
         {Write(kSelect, 0), Write(kSelect, 1), Write(kSelect, 2), Write(kSelect, 3), Write(kFsb, 20),
          Write(kSelect, 0), Write(kRatio, 34), Write(kSelect, 1), Write(kSelect, 2), Write(kSelect, 3),
          Write(kRatio, 26), Write(kSelect, 255), Write(kRatio, 26), Write(kVcore, 50), Write(kPll, 12)}},
        {"mixed good and bad records, the clock going up",
         {{kFsb, 60}, {kVcore, 130}, {kVcore, 70}, {kDram, -3}, {kDram, 20}},
         {Write(kVcore, 70), Write(kDram, 20), Write(kFsb, 60)}},
    };
    for (const auto& c : cases) {
        BoardFixture board;
        std::string path = board.File("Hostile.oc");
        ASSERT_TRUE(zxtest::WriteWholeFile(path, ProfileBytes(c.records)));
        auto run = RunCalls({"ZxOcLoadProfile " + path}, board.Environment(), true);
        EXPECT_EQ(run.Line("ZxOcLoadProfile"), "ZxOcLoadProfile result=1") << c.what;
        EXPECT_EQ(board.Writes(), c.writes) << c.what;
    }
    EXPECT_TRUE(Requests().empty());
}
