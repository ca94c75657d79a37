// Number items: value index to text, value and fraction, on items the
// simulated board describes.

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "BoardItems.h"
#include "MessageBoxCatcher.h"
#include "turboInfo_Intel/BiosNumberFormat.h"

namespace {

const char kConversionBoard[] = R"([board]
info=0x03000000
[0x03810020]
name=Extra strings first
strings=Auto|Manual
base=100
exponent=0
step=1
count=3
[0x03060021]
name=Smallest exponent
base=5
exponent=-128
step=1
count=2
[0x03060022]
name=Whole digits
base=8500
exponent=-1
step=10
count=4
[0x03020024]
name=Falling step
base=1000
exponent=-2
step=-50
count=5
[0x030C0025]
name=Ratio
base=7000
exponent=0
step=500
count=10
[0x03020023]
name=Millivolts
base=800
exponent=-2
step=25
count=10
[0x03010011]
name=FSB
base=20000
exponent=0
step=100
count=100
[0x03060026]
name=Zero plain
base=0
exponent=0
step=1
count=5
[0x03020027]
name=Zero with places
base=0
exponent=0
step=5
count=5
[0x03020028]
name=Negative
base=-100
exponent=-2
step=25
count=9
[0x03060029]
name=Huge
base=8000000
exponent=100
step=1
count=2
[0x0306002A]
name=Huge negative
base=-8000000
exponent=100
step=1
count=2
[0x0306002B]
name=Tiny
base=123456
exponent=-12
step=1
count=2
[0x0306002C]
name=Positive exponent
base=5
exponent=1
step=1
count=3
)";

struct ConversionCase {
    const char* what;
    DWORD id;
    int position;
    std::string text;
    bool numeric;  // false for an extra string: no value, no fraction
    double value;
    int numerator;
    int denominator;
};

const std::string kSmallestExponentText = "0." + std::string(127, '0') + "5";

const ConversionCase kCases[] = {
    {"extra string 0", 0x03810020, 0, "Auto", false, 0, 0, 0},
    {"extra string 1", 0x03810020, 1, "Manual", false, 0, 0, 0},
    {"first number after two extra strings is B", 0x03810020, 2, "1.00", true, 1.0, 100, 100},
    {"E = 0x80 is -128", 0x03060021, 0, kSmallestExponentText, true, 5e-128, 0, 1000000000},
    {"digits 850 with decpt 3 get no point", 0x03060022, 0, "850", true, 850.0, 8500, 10},
    {"negative S counts zeros of |S|", 0x03020024, 1, "0.0095", true, 0.0095, 950, 100000},
    {"kind 12 has 3 unit digits", 0x030C0025, 1, "7.5", true, 7.5, 7500, 1000},
    {"B 800 S 25 E -2 unit 2 k 2", 0x03020023, 2, "0.00850", true, 0.0085, 850, 100000},
    {"FSB 20000/100", 0x03010011, 0, "200", true, 200.0, 20000, 100},
    {"FSB next step", 0x03010011, 1, "201", true, 201.0, 20100, 100},
    {"zero without places", 0x03060026, 0, "0", true, 0.0, 0, 1},
    {"zero with places", 0x03020027, 0, "0.000", true, 0.0, 0, 1000},
    {"negative value", 0x03020028, 0, "-0.00100", true, -0.001, -100, 100000},
    {"huge value saturates the fraction", 0x03060029, 0, "", true, 8e106, INT_MAX, 1},
    {"huge negative value saturates", 0x0306002A, 0, "", true, -8e106, INT_MIN, 1},
    {"denominator held at 10^9", 0x0306002B, 0, "0.000000123456", true, 1.23456e-7, 123, 1000000000},
    {"positive exponent counts |E| places", 0x0306002C, 0, "50.0", true, 50.0, 50, 1},
};

TEST(NumberConversion, TableOfValueTextsValuesAndFractions)
{
    itemtest::BoardInUse use(kConversionBoard);
    auto items = itemtest::CreateGroupItemsById(3);
    zxtest::MessageBoxCatcher catcher;

    for (const ConversionCase& c : kCases) {
        SCOPED_TRACE(c.what);
        auto found = items.find(c.id);
        ASSERT_NE(found, items.end());
        const BiosItemA& item = *found->second;
        if (!c.text.empty()) {
            EXPECT_EQ(item.IndexToString(c.position), c.text);
        }
        if (!c.numeric)
            continue;
        EXPECT_DOUBLE_EQ(item.IndexToValue(c.position), c.value);
        int numerator = -7;
        int denominator = -7;
        item.IndexToRational(c.position, &numerator, &denominator);
        EXPECT_EQ(numerator, c.numerator);
        EXPECT_EQ(denominator, c.denominator);
    }
    EXPECT_TRUE(catcher.Boxes().empty()) << catcher.Boxes().front().text;
}

TEST(NumberConversion, ValueCountAndWordsOfTheDescriptor)
{
    itemtest::BoardInUse use(kConversionBoard);
    auto items = itemtest::CreateGroupItemsById(3);

    auto* withStrings = dynamic_cast<BiosNumberItemA*>(items.at(0x03810020).get());
    ASSERT_NE(withStrings, nullptr);
    EXPECT_TRUE(withStrings->HasExtraStrings());
    EXPECT_EQ(withStrings->GetExtraStringCount(), 2);
    EXPECT_EQ(withStrings->GetValueCount(), 5);  // N + M

    auto* smallest = dynamic_cast<BiosNumberItemA*>(items.at(0x03060021).get());
    ASSERT_NE(smallest, nullptr);
    EXPECT_FALSE(smallest->HasExtraStrings());
    EXPECT_EQ(smallest->GetExponent(), -128);
    EXPECT_EQ(static_cast<unsigned>(smallest->GetBaseWord()) >> 24, 0x80u);
    EXPECT_EQ(smallest->GetValueCount(), 2);

    auto* falling = dynamic_cast<BiosNumberItemA*>(items.at(0x03020024).get());
    ASSERT_NE(falling, nullptr);
    EXPECT_EQ(falling->GetStep(), -50);
    EXPECT_EQ(falling->GetUnitDigits(), 3);

    auto* negative = dynamic_cast<BiosNumberItemA*>(items.at(0x03020028).get());
    ASSERT_NE(negative, nullptr);
    EXPECT_EQ(negative->GetBase(), -100);
    EXPECT_EQ(negative->GetExponent(), -2);
}

TEST(NumberConversion, HugeValueTextKeepsEveryDigit)
{
    itemtest::BoardInUse use(kConversionBoard);
    auto items = itemtest::CreateGroupItemsById(3);
    // 8 x 10^106 shown with |E| - t(S) = 100 places: 107 digits, the point,
    // 100 digits (the double's own digits, not all zeros).
    const std::string text = items.at(0x03060029)->IndexToString(0);
    ASSERT_EQ(text.size(), 107u + 1u + 100u);
    EXPECT_EQ(text.find('.'), 107u);
    const std::string negative = items.at(0x0306002A)->IndexToString(0);
    EXPECT_EQ(negative, "-" + text);
}

// The digit rule alone, for the cases a board cannot reach exactly.
TEST(NumberConversion, FixedPointDigitsAndPointPosition)
{
    struct Case {
        double value;
        int places;
        const char* digits;
        int decimalPoint;
        bool negative;
        const char* text;
    };
    const Case cases[] = {
        {0.05, 2, "5", -1, false, "0.05"},      {0.0085, 5, "850", -2, false, "0.00850"},
        {850.0, 0, "850", 3, false, "850"},     {1.5, 1, "15", 1, false, "1.5"},
        {-12.25, 2, "1225", 2, true, "-12.25"}, {0.0, 0, "0", 1, false, "0"},
        {0.0, 3, "000", 0, false, "0.000"},     {0.96, 1, "10", 1, false, "1.0"},  // rounding carries into a new digit
        {9.96, 1, "100", 2, false, "10.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        biositem::FixedPointDigits converted = biositem::ConvertFixedPoint(c.value, c.places);
        EXPECT_EQ(converted.digits, c.digits);
        EXPECT_EQ(converted.decimalPoint, c.decimalPoint);
        EXPECT_EQ(converted.negative, c.negative);
        EXPECT_EQ(biositem::FixedPointText(converted), c.text);
    }
}

TEST(NumberConversion, DecimalPlacesRule)
{
    EXPECT_EQ(biositem::DecimalPlaces(-2, 3, 800, 25), 5);
    EXPECT_EQ(biositem::DecimalPlaces(0, 2, 20000, 100), 0);  // minimum equals |E| + d
    EXPECT_EQ(biositem::DecimalPlaces(0, 3, 0, 5), 3);        // t(0) = 0
    EXPECT_EQ(biositem::DecimalPlaces(-2, 3, 1000, -50), 4);  // t(-50) = 1
    EXPECT_EQ(biositem::DecimalPlaces(1, 0, 5, 1), 1);        // |E| for a positive exponent
    EXPECT_EQ(biositem::DecimalPlaces(-128, 0, 5, 1), 128);
}

}  // namespace
