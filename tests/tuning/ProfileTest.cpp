// Stored BIOS profiles, the current settings as records, and danger limits.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "TuningChild.h"

using tuningtest::RunOnBoard;

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::stringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

// The default board's current settings: the CPU ratio of each core as the
// board holds it, then the visible tuning items in BIOS order.
const std::vector<std::string> kCurrentSettings = {
    "03060013:36", "03060013:34", "03060013:30", "03060013:28", "03010011:33",
    "03020012:56", "03020032:15", "03020015:4",  "03020016:4",  "03020017:5",
    "03820019:0",  "03080018:0",  "030800B4:1",  "03010060:8",  "03010061:4",
};

std::vector<std::string> Records(const std::vector<std::string>& lines)
{
    std::vector<std::string> records;
    for (const auto& line : lines)
        if (line.find('=') == std::string::npos)
            records.push_back(line);
    return records;
}

}  // namespace

TEST(StoredProfiles, NamesComeFromGroupFiveAndPairsLayOverTheCurrentSettings)
{
    zxtest::BoardFixture board;
    auto run = RunOnBoard(board, "read_stored_profile", "2");
    auto lines = Lines(run.process.output);
    ASSERT_GE(lines.size(), 5u) << run.process.output;
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 5),
              (std::vector<std::string>{"names=3", "name=Gaming", "name=Quiet", "name=Benchmark", "result=1"}));
    // Profile 2: FSB 60, core voltage 80, DRAM 20, one ratio pair: core 0's,
    // and the cores after it take the same ratio.
    auto expected = kCurrentSettings;
    for (int core = 0; core < 4; ++core)
        expected[core] = "03060013:36";
    expected[4] = "03010011:60";
    expected[5] = "03020012:80";
    expected[6] = "03020032:20";
    for (const char* pair : {"03010011:60", "03020012:80", "03020032:20", "03060013:36"})
        expected.push_back(pair);
    EXPECT_EQ(Records(lines), expected);
    // Reading the cores' ratios only moves the core selector.
    for (const auto& write : run.writes)
        EXPECT_EQ(0u, write.find("id=0x030600F0 ")) << write;
}

TEST(StoredProfiles, EndMarksShortReadsAndRefusals)
{
    struct Case {
        const char* what;
        const char* data1;  // the board's data.1, or null to keep it
        const char* number;
        const char* result;
        std::vector<std::string> extra;  // appended pairs; refusals keep the old list
    };
    const Case cases[] = {
        {"end mark first: the current settings", "0x00000001,0xFFFFFFFF,7", "1", "result=1", {}},
        {"half a pair at the end is not taken", "0x00000001,0x03020015,9,0x03020012", "1", "result=1", {"03020015:9"}},
        {"a number one past the names still asks the library", nullptr, "3", "result=0", {}},
        {"a number further out is refused", nullptr, "4", "result=0", {}},
    };
    for (const auto& c : cases) {
        zxtest::BoardFixture board;
        if (c.data1)
            board.SetKey("0x05080002", "data.1", c.data1);
        auto run = RunOnBoard(board, "read_stored_profile", c.number);
        auto lines = Lines(run.process.output);
        EXPECT_NE(std::find(lines.begin(), lines.end(), c.result), lines.end()) << c.what << run.process.output;
        auto records = Records(lines);
        if (std::string(c.result) == "result=0") {
            EXPECT_EQ(records, std::vector<std::string>{"12345678:9"}) << c.what;
        } else {
            auto expected = kCurrentSettings;
            for (const auto& pair : c.extra) {
                for (auto& record : expected)
                    if (record.substr(0, 8) == pair.substr(0, 8))
                        record = pair;
                expected.push_back(pair);
            }
            EXPECT_EQ(records, expected) << c.what;
        }
        const auto log = board.LogLines();
        const bool asked = std::any_of(log.begin(), log.end(), [&](const std::string& line) {
            return line.find("AcpiReadItemData id=0x05080002 number=" + std::string(c.number)) != std::string::npos;
        });
        EXPECT_EQ(asked, std::string(c.number) != "4") << c.what;
    }
}

TEST(CurrentSettings, AnItemThatCannotBeReadIsLeftOut)
{
    zxtest::BoardFixture board;
    board.SetKey("0x03020016", "fail", "read");
    auto run = RunOnBoard(board, "current_values");
    auto expected = kCurrentSettings;
    expected.erase(std::find(expected.begin(), expected.end(), "03020016:4"));
    EXPECT_EQ(Records(Lines(run.process.output)), expected);
}

// Items whose descriptors list no values take no part in the settings.
TEST(CurrentSettings, ItemsWithoutValuesAreLeftOut)
{
    zxtest::BoardFixture board("fault-values");
    auto run = RunOnBoard(board, "current_values");
    auto expected = kCurrentSettings;
    for (const char* record : {"03020015:4", "03020016:4", "03080018:0"})
        expected.erase(std::find(expected.begin(), expected.end(), record));
    // The board's DRAM item, before the graphics items.
    expected.insert(std::find(expected.begin(), expected.end(), "03010060:8"), "03020033:3");
    EXPECT_EQ(Records(Lines(run.process.output)), expected);
}

TEST(DangerLimits, TheTopHalfOfTheLimitWordIsTheHighestSafeIndex)
{
    zxtest::BoardFixture board;
    board.SetKey("0x030600F1", "at.0x17", "0x00200000");
    // FSB limit 100, item 0x17 limit 32, ratio limit 0 (none), item 0x99 has
    // no limit word (the read fails).
    auto run = RunOnBoard(board, "warning_levels", "11:100,11:101,17:32,17:33,13:46,99:500");
    EXPECT_EQ(Lines(run.process.output),
              (std::vector<std::string>{"11:100=0", "11:101=1", "17:32=0", "17:33=1", "13:46=0", "99:500=0"}));

    zxtest::BoardFixture withoutLimits;
    withoutLimits.RemoveSection("0x030600F1");
    run = RunOnBoard(withoutLimits, "warning_levels", "11:101,17:500");
    EXPECT_EQ(Lines(run.process.output), (std::vector<std::string>{"11:101=0", "17:500=0"}));
}

// Cores without a ratio pair of their own take the last pair's ratio, never
// the preset default index; and applying the profile writes just that.
TEST(StoredProfiles, CoresWithoutTheirOwnRatioPairTakeTheLastPair)
{
    struct Case {
        const char* what;
        const char* data0;
        std::vector<std::string> ratios;  // the four ratio records
    };
    const Case cases[] = {
        {"two pairs for four cores",
         "0x00000001,0x03060013,40,0x03060013,38,0xFFFFFFFF",
         {"03060013:40", "03060013:38", "03060013:38", "03060013:38"}},
        {"a pair for every core",
         "0x00000001,0x03060013,40,0x03060013,38,0x03060013,32,0x03060013,30,0xFFFFFFFF",
         {"03060013:40", "03060013:38", "03060013:32", "03060013:30"}},
        {"no ratio pair: every core keeps its ratio",
         "0x00000001,0x03010011,40,0xFFFFFFFF",
         {"03060013:36", "03060013:34", "03060013:30", "03060013:28"}},
    };
    for (const auto& c : cases) {
        zxtest::BoardFixture board;
        board.SetKey("0x05080002", "data.0", c.data0);
        auto run = RunOnBoard(board, "read_stored_profile", "0");
        auto records = Records(Lines(run.process.output));
        ASSERT_GE(records.size(), 4u) << c.what << run.process.output;
        EXPECT_EQ(std::vector<std::string>(records.begin(), records.begin() + 4), c.ratios) << c.what;

        zxtest::BoardFixture applied;
        applied.SetKey("0x05080002", "data.0", c.data0);
        RunOnBoard(applied, "apply_stored_profile", "0");
        std::string cores = "cores=";
        for (size_t i = 0; i < c.ratios.size(); ++i)
            cores += (i ? "," : "") + c.ratios[i].substr(9);
        const auto lines = Lines(applied.BoardText());
        EXPECT_NE(std::find(lines.begin(), lines.end(), cores), lines.end()) << c.what << applied.BoardText();
    }
}

// A profile without ratio pairs changes no core: none is written, also when
// the cores cannot be read (no made-up default takes their place).
TEST(StoredProfiles, WithoutRatioPairsNoCoreIsWritten)
{
    const std::vector<std::string> kVoltageThenFsb = {"id=0x03020012 index=60", "id=0x03010011 index=40"};
    const struct {
        const char* what;
        const char* fail;  // the ratio item's fail switches
        std::vector<std::string> ratios;
        std::vector<std::string> ratioWrites;  // after the FSB
    } cases[] = {
        // With the per-core turbo item every core is written with what it
        // holds, then the last once more for all cores.
        {"readable cores",
         "",
         {"03060013:36", "03060013:34", "03060013:30", "03060013:28"},
         {"id=0x03060013 index=36", "id=0x03060013 index=34", "id=0x03060013 index=30", "id=0x03060013 index=28",
          "id=0x03060013 index=28"}},
        {"unreadable cores keep their places, unwritten",
         "read",
         {"03060013:-1", "03060013:-1", "03060013:-1", "03060013:-1"},
         {}},
    };
    for (const auto& c : cases) {
        zxtest::BoardFixture board;
        board.SetKey("0x05080002", "data.0", "0x00000001,0x03010011,40,0x03020012,60,0xFFFFFFFF");
        board.SetKey("0x03060013", "fail", c.fail);
        auto records = Records(Lines(RunOnBoard(board, "read_stored_profile", "0").process.output));
        ASSERT_GE(records.size(), 4u) << c.what;
        EXPECT_EQ(std::vector<std::string>(records.begin(), records.begin() + 4), c.ratios) << c.what;

        zxtest::BoardFixture applied;
        applied.SetKey("0x05080002", "data.0", "0x00000001,0x03010011,40,0x03020012,60,0xFFFFFFFF");
        applied.SetKey("0x03060013", "fail", c.fail);
        auto run = RunOnBoard(applied, "apply_stored_profile", "0");
        EXPECT_EQ(0u, run.process.exitCode) << c.what;
        std::vector<std::string> tuning;
        for (const auto& write : run.writes)
            if (write.find("id=0x030600F0 ") != 0)
                tuning.push_back(write.substr(0, write.find(" mode=")));
        auto expected = kVoltageThenFsb;
        expected.insert(expected.end(), c.ratioWrites.begin(), c.ratioWrites.end());
        EXPECT_EQ(tuning, expected) << c.what;
        const auto lines = Lines(applied.BoardText());
        EXPECT_NE(std::find(lines.begin(), lines.end(), "cores=36,34,30,28"), lines.end()) << c.what;
    }
}
