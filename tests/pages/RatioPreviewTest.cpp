// The share of the ratio range a preview's mini bar fills: never a
// division by zero, never a failed read taken for a value.

#include <gtest/gtest.h>

#include "app/pages/MultiRatioLotCoreLayout.h"

namespace {

TEST(RatioPreview, TheFillIsClampedAndZeroWhenUnknown)
{
    struct Case {
        int index;
        int count;
        double fraction;
    };
    const Case cases[] = {
        {0, 47, 0.0},  {46, 47, 1.0}, {23, 47, 0.5}, {-1, 47, 0.0},  // a failed read
        {0, 1, 0.0},                                                 // a ratio item with one value
        {5, 1, 0.0},   {3, 0, 0.0},                                  // no ratio values at all
        {60, 47, 1.0},                                               // an index past the range
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(c.fraction, RatioFraction(c.index, c.count)) << c.index << " of " << c.count;
}

}  // namespace
