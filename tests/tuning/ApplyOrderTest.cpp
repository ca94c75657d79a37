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
         "03020012:60,03010060:5", {TuningWrite(kGraphics, 5), TuningWrite(kVcore, 60)}},
        {"graphics clock rising goes after the others",
         "03010060:12,03020012:60", {TuningWrite(kVcore, 60), TuningWrite(kGraphics, 12)}},
        {"unchanged records and a second FSB record are not written",
         "03010011:33,03020012:56,03010011:40", {}},
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
        {"per-core turbo item, two values: two cores, then all cores", "default", "0:30,0:32",
         RatioWrites({30, 32})},
        {"per-core without the turbo item: cores that differ take the last listed value", "ratio-no-f9", "0:30",
         {SelectorWrite(0), TuningWrite(kRatio, 30), SelectorWrite(1), TuningWrite(kRatio, 30), SelectorWrite(2),
          SelectorWrite(3), TuningWrite(kRatio, 30), SelectorWrite(255), TuningWrite(kRatio, 30)}},
        {"one ratio for all cores, unchanged: nothing written", "ratio-6core-single", "0:28", {SelectorWrite(5)}},
        {"one ratio for all cores, changed: every core, then all cores", "ratio-6core-single", "0:30",
         {SelectorWrite(5), SelectorWrite(0), TuningWrite(kRatio, 30), SelectorWrite(1), TuningWrite(kRatio, 30),
          SelectorWrite(2), TuningWrite(kRatio, 30), SelectorWrite(3), TuningWrite(kRatio, 30), SelectorWrite(4),
          TuningWrite(kRatio, 30), SelectorWrite(5), TuningWrite(kRatio, 30), SelectorWrite(255),
          TuningWrite(kRatio, 30)}},
        {"an empty list writes nothing", "ratio-no-f9", "", {}},
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
