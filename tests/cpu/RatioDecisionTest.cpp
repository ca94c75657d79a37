// One pass of the decision thread: which ratio each core gets from the
// activity snapshot.

#include <gtest/gtest.h>

#include "tuning/RatioDecision.h"

namespace {

using Writes = std::vector<std::pair<int, int>>;

// 4 processors: row 0 the idle ratio, rows 1-3 the kinds, row 4 all busy.
const RatioTable kTable = {
    {28, 28, 28, 28}, {38, 38, 36, 36}, {34, 34, 34, 34}, {32, 32, 32, 32}, {30, 30, 30, 30},
};

}  // namespace

TEST(RatioDecision, BusyProcessorsChooseTheRow)
{
    struct Case {
        const char* what;
        std::vector<long> snapshot;
        Writes expected;
    };
    const Case cases[] = {
        {"all idle: row 0 everywhere", {12, 13, 6, 40}, {{0, 28}, {1, 28}, {2, 28}, {3, 28}}},
        {"one busy: default everywhere, then its row-1 ratio",
         {12, 12, 0, 12},
         {{0, 34}, {1, 34}, {2, 34}, {3, 34}, {2, 36}}},
        {"a yield marks busy (5 counts)", {5, 12, 12, 12}, {{0, 34}, {1, 34}, {2, 34}, {3, 34}, {0, 38}}},
        {"two busy: row 2", {0, 12, 3, 12}, {{0, 34}, {1, 34}, {2, 34}, {3, 34}, {0, 34}, {2, 34}}},
        {"all busy: row P", {0, 0, 0, 0}, {{0, 34}, {1, 34}, {2, 34}, {3, 34}, {0, 30}, {1, 30}, {2, 30}, {3, 30}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecideRatios(c.snapshot, kTable, 34), c.expected) << c.what;
}

TEST(RatioDecision, AShortTableGivesNoRatioInsteadOfReadingPastIt)
{
    RatioTable shortTable = {{28, 28}};
    Writes writes = DecideRatios({0, 12, 12}, shortTable, 34);
    Writes expected = {{0, 34}, {1, 34}, {2, 34}, {0, 0}};
    EXPECT_EQ(writes, expected);
}
