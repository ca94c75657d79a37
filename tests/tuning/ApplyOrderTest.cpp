// Frequency-safe apply and the per-core CPU ratio writes, read back from the
// simulated board's call log.

#include <gtest/gtest.h>

#include "DebugCapture.h"
#include "TuningChild.h"

using tuningtest::RunOnBoard;
using tuningtest::SelectorWrite;
using tuningtest::TuningWrite;
using Writes = std::vector<std::string>;

namespace {

constexpr unsigned kFsb = 0x03010011, kVcore = 0x03020012, kDram = 0x03020032, kNb = 0x03020015;
constexpr unsigned kRatio = 0x03060013, kGraphics = 0x03010060;

// Per-core writes with the per-core turbo item: every listed core, then all
// cores once more with the last value.
Writes RatioWrites(const std::vector<int>& values, int cores = 4)
{
    Writes writes;
    for (int core = 0; core < cores; ++core) {
        writes.push_back(SelectorWrite(core));
        if (core < static_cast<int>(values.size()))
            writes.push_back(TuningWrite(kRatio, values[core]));
    }
    writes.push_back(SelectorWrite(255));
    writes.push_back(TuningWrite(kRatio, values.back()));
    return writes;
}

// Reading the per-core ratios to decide the order selects each core.
Writes RatioReads()
{
    return {SelectorWrite(0), SelectorWrite(1), SelectorWrite(2), SelectorWrite(3)};
}

Writes Join(std::initializer_list<Writes> parts)
{
    Writes all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

}  // namespace

// The default board: FSB 133 MHz (index 33), per-core ratios 24, 23, 21, 20
// (indexes 36, 34, 30, 28), core voltage index 56, graphics clock index 8.
TEST(ApplyOrder, ClockGoingDownIsWrittenFirstAndGoingUpLast)
{
    struct Case {
        const char* what;
        const char* records;
        Writes writes;
    };
    const Case cases[] = {
        {"FSB x ratio goes down: FSB and ratios first",
         "03020012:50,03010011:20,03060013:36,03060013:34,03060013:30,03060013:28",
         Join({RatioReads(), {TuningWrite(kFsb, 20)}, RatioWrites({36, 34, 30, 28}), {TuningWrite(kVcore, 50)}})},
        {"FSB down, ratio up, product up: voltages first",
         "03010011:23,03060013:40,03060013:40,03060013:40,03060013:40,03020012:60",
         Join({RatioReads(), {TuningWrite(kVcore, 60), TuningWrite(kFsb, 23)}, RatioWrites({40, 40, 40, 40})})},
        {"one core rising is not taken for a drop",
         "03010011:30,03060013:20,03060013:20,03060013:20,03060013:40,03020012:60",
         Join({RatioReads(), {TuningWrite(kVcore, 60), TuningWrite(kFsb, 30)}, RatioWrites({20, 20, 20, 40})})},
        {"graphics clock not rising goes before the others",
         "03020012:60,03010060:5",
         {TuningWrite(kGraphics, 5), TuningWrite(kVcore, 60)}},
        {"graphics clock rising goes after the others",
         "03010060:12,03020012:60",
         {TuningWrite(kVcore, 60), TuningWrite(kGraphics, 12)}},
        {"unchanged records and a second FSB record are not written", "03010011:33,03020012:56,03010011:40", {}},
        {"voltages only, in list order", "03020032:20,03020015:6", {TuningWrite(kDram, 20), TuningWrite(kNb, 6)}},
        {"empty list", "", {}},
    };
    for (const auto& c : cases) {
        zxtest::BoardFixture board;
        auto run = RunOnBoard(board, "apply_records", c.records);
        EXPECT_EQ(run.process.exitCode, 0u) << c.what << run.process.output;
        EXPECT_EQ(run.writes, c.writes) << c.what;
    }
}

TEST(ApplyOrder, RatiosArePerCoreThroughTheCoreSelector)
{
    struct Case {
        const char* what;
        const char* board;
        const char* values;
        Writes writes;
    };
    const Case cases[] = {
        {"per-core turbo item, two values: two cores, then all cores", "default", "0:30,0:32", RatioWrites({30, 32})},
        {"per-core without the turbo item: cores that differ take the last listed value",
         "ratio-no-f9",
         "0:30",
         {SelectorWrite(0), TuningWrite(kRatio, 30), SelectorWrite(1), TuningWrite(kRatio, 30), SelectorWrite(2),
          SelectorWrite(3), TuningWrite(kRatio, 30), SelectorWrite(255), TuningWrite(kRatio, 30)}},
        {"one ratio for all cores, unchanged: nothing written", "ratio-6core-single", "0:28", {SelectorWrite(5)}},
        {"one ratio for all cores, changed: every core, then all cores",
         "ratio-6core-single",
         "0:30",
         {SelectorWrite(5), SelectorWrite(0), TuningWrite(kRatio, 30), SelectorWrite(1), TuningWrite(kRatio, 30),
          SelectorWrite(2), TuningWrite(kRatio, 30), SelectorWrite(3), TuningWrite(kRatio, 30), SelectorWrite(4),
          TuningWrite(kRatio, 30), SelectorWrite(5), TuningWrite(kRatio, 30), SelectorWrite(255),
          TuningWrite(kRatio, 30)}},
        {"an empty list writes nothing", "ratio-no-f9", "", {}},
        {"a list cut short names its cores only: the cores past it keep theirs",
         "ratio-no-f9",
         "0:30,0:32",
         {SelectorWrite(0), TuningWrite(kRatio, 30), SelectorWrite(1), TuningWrite(kRatio, 32), SelectorWrite(2),
          SelectorWrite(3), SelectorWrite(255), TuningWrite(kRatio, 32)}},
        {"an unread core of a snapshot keeps its place and is not written",
         "ratio-no-f9",
         "0:30,0:-1,0:26,0:24",
         {SelectorWrite(0), TuningWrite(kRatio, 30), SelectorWrite(1), SelectorWrite(2), TuningWrite(kRatio, 26),
          SelectorWrite(3), TuningWrite(kRatio, 24), SelectorWrite(255), TuningWrite(kRatio, 24)}},
        {"indexes past the ratio list are skipped, the others still written",
         "default",
         "0:47,0:30,0:-5,0:26",
         {SelectorWrite(0), SelectorWrite(1), TuningWrite(kRatio, 30), SelectorWrite(2), SelectorWrite(3),
          TuningWrite(kRatio, 26), SelectorWrite(255), TuningWrite(kRatio, 26)}},
        {"one ratio past the list: nothing written, the selector left alone", "ratio-6core-single", "0:47", {}},
    };
    for (const auto& c : cases) {
        zxtest::BoardFixture board(c.board);
        auto run = RunOnBoard(board, "apply_ratios", c.values);
        EXPECT_EQ(run.process.exitCode, 0u) << c.what << run.process.output;
        EXPECT_EQ(run.writes, c.writes) << c.what;
    }
}

TEST(ApplyOrder, EachWriteIsTracedWithTheOldAndNewIndex)
{
    zxtest::BoardFixture board;
    zxtest::Environment environment = board.Environment();
    environment.push_back({"ZXT_ARGUMENT", "03020032:20,03020015:4"});
    auto run = zxtest::RunChildUnderDebugger("apply_records", environment);
    // The unchanged NB core voltage is neither written nor traced.
    EXPECT_EQ(run.traces, std::vector<std::string>{"3020032  15 20\r\n"});
}

TEST(ApplyOrder, RatiosAreNotWrittenToCoresThatCannotBeRead)
{
    for (const char* boardName : {"default", "ratio-no-f9", "ratio-6core-single"}) {
        zxtest::BoardFixture board(boardName);
        board.SetKey("0x03060013", "fail", "read");
        auto run = RunOnBoard(board, "apply_ratios", "0:30,0:30,0:30,0:30");
        EXPECT_EQ(run.process.exitCode, 0u) << boardName << run.process.output;
        for (const auto& write : run.writes)
            EXPECT_EQ(write.rfind("id=0x030600F0 ", 0), 0u) << boardName << ": " << write;
    }
}

// Without a usable FSB the ratio alone tells whether the clock goes down: a
// lower ratio still goes before the voltages, a higher one after them.
TEST(ApplyOrder, WithoutAUsableFsbTheRatioDecides)
{
    struct Case {
        const char* what;
        bool fsbUnreadable;
        const char* records;
        Writes writes;
    };
    const Case cases[] = {
        {"no FSB record, ratios down: ratios first", false,
         "03020012:50,03060013:30,03060013:30,03060013:28,03060013:26",
         Join({RatioReads(), RatioWrites({30, 30, 28, 26}), {TuningWrite(kVcore, 50)}})},
        {"no FSB record, ratios up: voltages first", false,
         "03020012:60,03060013:40,03060013:40,03060013:40,03060013:40",
         Join({RatioReads(), {TuningWrite(kVcore, 60)}, RatioWrites({40, 40, 40, 40})})},
        {"unreadable FSB, ratios down: ratios first, the FSB not written", true,
         "03020012:50,03010011:20,03060013:30,03060013:30,03060013:28,03060013:26",
         Join({RatioReads(), RatioWrites({30, 30, 28, 26}), {TuningWrite(kVcore, 50)}})},
        {"unreadable FSB, ratios up: voltages first", true,
         "03010011:20,03060013:40,03060013:40,03060013:40,03060013:40,03020012:60",
         Join({RatioReads(), {TuningWrite(kVcore, 60)}, RatioWrites({40, 40, 40, 40})})},
    };
    for (const auto& c : cases) {
        zxtest::BoardFixture board;
        if (c.fsbUnreadable)
            board.SetKey("0x03010011", "fail", "read");
        auto run = RunOnBoard(board, "apply_records", c.records);
        EXPECT_EQ(run.process.exitCode, 0u) << c.what << run.process.output;
        EXPECT_EQ(run.writes, c.writes) << c.what;
    }
}

// Whatever a list holds, only a visible tuning item at an index of its own
// value list is written; the good records still go in frequency-safe order.
TEST(ApplyOrder, RecordsOutsideTheItemsAreSkipped)
{
    struct Case {
        const char* what;
        const char* records;
        Writes writes;
    };
    const Case cases[] = {
        {"index = count, and past it", "03020012:129,03020032:41,03020015:999", {}},
        {"negative indexes", "03020012:-1,03010011:-2147483648", {}},
        {"a hidden item, the selector and an unknown item", "0302001A:1,030600F0:2,03990011:3", {}},
        {"a bad FSB record does not hide the good one after it",
         "03010011:201,03020012:50,03010011:20,03060013:36,03060013:34,03060013:30,03060013:28",
         Join({RatioReads(), {TuningWrite(kFsb, 20)}, RatioWrites({36, 34, 30, 28}), {TuningWrite(kVcore, 50)}})},
        {"mixed good and bad: the good ones in list order",
         "03020032:20,03020016:13,03820019:21,03020015:6",
         {TuningWrite(kDram, 20), TuningWrite(0x03820019, 21), TuningWrite(kNb, 6)}},
    };
    for (const auto& c : cases) {
        zxtest::BoardFixture board;
        auto run = RunOnBoard(board, "apply_records", c.records);
        EXPECT_EQ(run.process.exitCode, 0u) << c.what << run.process.output;
        EXPECT_EQ(run.writes, c.writes) << c.what;
    }
}
