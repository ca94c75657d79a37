// The library's date-time value: days since 30 December 1899 plus the
// fraction of the day.

#include <gtest/gtest.h>

#include "platform/vcl/DateTime.h"

TEST(DateTime, DatesAndTimesRoundTrip)
{
    struct Case {
        int year, month, day;
        double days;
    };
    const Case cases[] = {
        {1899, 12, 30, 0}, {1900, 1, 1, 2}, {2000, 2, 29, 36585}, {2026, 12, 9, 46365}, {2100, 3, 1, 73110},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(EncodeDate(c.year, c.month, c.day).Val(), c.days) << c.year << "-" << c.month;
        unsigned short y = 0, m = 0, d = 0;
        DecodeDate(TDateTime(c.days + 0.75), y, m, d);
        EXPECT_EQ(y, c.year);
        EXPECT_EQ(m, c.month);
        EXPECT_EQ(d, c.day);
    }

    unsigned short h = 0, mi = 0, s = 0, ms = 0;
    DecodeTime(TDateTime(46365 + EncodeTime(13, 5, 59, 999).Val()), h, mi, s, ms);
    EXPECT_EQ(h, 13);
    EXPECT_EQ(mi, 5);
    EXPECT_EQ(s, 59);
    EXPECT_EQ(ms, 999);
    DecodeTime(EncodeTime(23, 59, 59, 999), h, mi, s, ms);
    EXPECT_EQ(h, 23);
    EXPECT_EQ(s, 59);
}
