// Number read-outs: the row each format builds and where its positions sit,
// the pictures a value puts in them (point, highlight, rounding of the last
// digit), moving and showing the row with its unit picture, and what the
// form finally paints.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "DigitFamilies.h"
#include "KyPackage/Source/KyImage.h"
#include "OffscreenPaint.h"
#include "app/controls/FloatingLed.h"
#include "platform/vcl/Form.h"

using numberled::Family;

namespace {

// A kind of read-out with what the tests know of it.
struct Kind {
    const char* name;
    std::function<FloatingLed*(TWinControl*)> make;
    const Family* family;
    int spacing;
    const char* unit;  // below the skin folder; null without a unit picture
    POINT unitOffset;
};

const Kind kFloating{"FloatingLed", [](TWinControl* o) { return new FloatingLed(o); }, &numberled::kLarge, 0, nullptr,
                     {0, 0}};
const Kind kSmallLed{"SmallFloatingLed",       [](TWinControl* o) { return new SmallFloatingLed(o); },
                     &numberled::kSmall,       -4,
                     "Small_Numbers\\mhz.png", {44, 0}};
const Kind kMiddleLed{"MiddleFloatingLed",
                      [](TWinControl* o) { return new MiddleFloatingLed(o); },
                      &numberled::kMiddle,
                      -1,
                      nullptr,
                      {0, 0}};
const Kind kGreenLed{"LargeGreendLed",   [](TWinControl* o) { return new LargeGreendLed(o); },
                     &numberled::kGreen, -4,
                     "Green\\mhz.png",   {76, 3}};

// Where a row's positions start: digits `spacing` apart by the width of
// digit 0; the point starts 4 inside the digit before it, and the digit
// after it follows 10 closer than a digit's width.
std::vector<int> ExpectedLefts(const Kind& kind, int left, int integerDigits, int fractionDigits)
{
    const int width = numberled::EntryPicture(*kind.family, 0).Width();
    std::vector<int> lefts;
    int x = left;
    const int count = integerDigits + fractionDigits + (fractionDigits > 0 ? 1 : 0);
    for (int i = 0; i < count; ++i) {
        if (fractionDigits > 0 && i == integerDigits) {
            lefts.push_back(x - 4);
            x += width - 14;
        } else {
            lefts.push_back(x);
            x += width + kind.spacing;
        }
    }
    return lefts;
}

std::vector<int> Lefts(const FloatingLed& led)
{
    std::vector<int> lefts;
    for (int i = 0; i < led.DigitCount(); ++i)
        lefts.push_back(led.Digit(i)->Left());
    return lefts;
}

std::vector<int> Entries(const FloatingLed& led)
{
    std::vector<int> entries;
    for (int i = 0; i < led.DigitCount(); ++i)
        entries.push_back(led.Digit(i)->Digit());
    return entries;
}

const TColor kFace = static_cast<TColor>(RGB(38, 40, 46));

class FloatingLedTest : public ::testing::Test {
protected:
    void SetUp() override { form = numberled::MakeForm(360, 120, kFace); }
    void TearDown() override { delete form; }
    std::unique_ptr<FloatingLed> Make(const Kind& kind) { return std::unique_ptr<FloatingLed>(kind.make(form)); }

    TForm* form = nullptr;
};

}  // namespace

TEST_F(FloatingLedTest, StartsEmptyAtTheOriginHidden)
{
    std::unique_ptr<FloatingLed> led = Make(kFloating);
    EXPECT_EQ(led->Left(), 0);
    EXPECT_EQ(led->Top(), 0);
    EXPECT_FALSE(led->Visible());
    EXPECT_FALSE(led->Highlighted());
    EXPECT_EQ(led->DigitCount(), 0);
    led->SetValue(12.5);  // nothing to show yet
    led->SetFormat(0, 0);
    EXPECT_EQ(led->DigitCount(), 0);
    EXPECT_EQ(form->ComponentCount(), 0);
}

TEST_F(FloatingLedTest, SetFormatBuildsTheRowFromTheLeft)
{
    struct Case {
        const Kind* kind;
        int integerDigits;
        int fractionDigits;
        int positions;
    } cases[] = {
        {&kFloating, 4, 0, 4},  {&kFloating, 1, 3, 5}, {&kFloating, 2, 1, 4},
        {&kMiddleLed, 2, 1, 4}, {&kSmallLed, 4, 0, 4}, {&kGreenLed, 4, 0, 4},
        {&kGreenLed, 1, 2, 4},  {&kFloating, 0, 2, 3}, {&kFloating, 3, -2, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.kind->name) + " " + std::to_string(c.integerDigits) + "," +
                     std::to_string(c.fractionDigits));
        std::unique_ptr<FloatingLed> led = Make(*c.kind);
        led->SetLeft(20);
        led->SetTop(30);
        led->SetFormat(static_cast<unsigned>(c.integerDigits), c.fractionDigits);
        ASSERT_EQ(led->DigitCount(), c.positions);
        EXPECT_EQ(led->FractionDigits(), std::max(c.fractionDigits, 0));
        EXPECT_EQ(Lefts(*led), ExpectedLefts(*c.kind, 20, c.integerDigits, std::max(c.fractionDigits, 0)));
        for (int i = 0; i < led->DigitCount(); ++i) {
            EXPECT_EQ(led->Digit(i)->Top(), 30);
            EXPECT_FALSE(led->Digit(i)->Image()->Visible()) << "positions take the read-out's visibility";
        }
        EXPECT_EQ(form->ComponentCount(), c.positions + (c.kind->unit ? 1 : 0));
    }
    EXPECT_EQ(form->ComponentCount(), 0) << "a read-out takes its images with it";
}

TEST_F(FloatingLedTest, SetValueShowsTheDigitsOfTheFormat)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* what;
        const Kind* kind;
        int integerDigits;
        int fractionDigits;
        bool highlighted;
        double value;
        std::vector<int> entries;
    } cases[] = {
        {"leading zero, fraction dropped", &kFloating, 4, 0, false, 933.33, {0, 9, 3, 3}},
        {"trailing zero in the fraction", &kFloating, 1, 3, false, 1.35, {1, 20, 3, 5, 0}},
        {"last digit rounded, no carry", &kFloating, 1, 3, false, 1.2996, {1, 20, 2, 9, 9}},
        {"last digit rounded up", &kFloating, 1, 3, false, 1.2987, {1, 20, 2, 9, 9}},
        {"last digit rounded down", &kFloating, 1, 3, false, 1.2984, {1, 20, 2, 9, 8}},
        {"one fraction digit, no carry", &kMiddleLed, 2, 1, false, 9.96, {0, 9, 20, 9}},
        {"decimal held as binary: 1.2", &kFloating, 1, 2, false, 1.2, {1, 20, 2, 0}},
        {"decimal held as binary: 4.1", &kFloating, 1, 2, false, 4.1, {4, 20, 1, 0}},
        {"decimal held as binary: 1.175", &kFloating, 1, 3, false, 1.175, {1, 20, 1, 7, 5}},
        {"digits beyond the integer positions", &kSmallLed, 4, 0, false, 12345, {2, 3, 4, 5}},
        {"large frequency", &kGreenLed, 4, 0, false, 3199.99, {3, 1, 9, 9}},
        {"highlighted digits and point", &kFloating, 2, 1, true, 9.5, {10, 19, 21, 15}},
        {"highlighted middle digits", &kMiddleLed, 2, 1, true, 12.5, {11, 12, 21, 15}},
        {"no highlighted pictures: plain", &kSmallLed, 4, 0, true, 2133, {2, 1, 3, 3}},
        {"no point picture: empty position", &kGreenLed, 1, 1, false, 2.5, {2, -1, 5}},
        {"negative shows 0", &kFloating, 2, 1, false, -7.25, {0, 0, 20, 0}},
        {"not a number shows 0", &kFloating, 2, 1, false, nan, {0, 0, 20, 0}},
        {"beyond int", &kFloating, 4, 0, false, 1e12 + 4321, {4, 3, 2, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::unique_ptr<FloatingLed> led = Make(*c.kind);
        led->SetFormat(static_cast<unsigned>(c.integerDigits), c.fractionDigits);
        led->SetHighlighted(c.highlighted);
        led->SetValue(c.value);
        EXPECT_EQ(Entries(*led), c.entries);
    }
}

TEST_F(FloatingLedTest, HighlightTakesEffectWithTheNextValue)
{
    std::unique_ptr<FloatingLed> led = Make(kMiddleLed);
    led->SetFormat(2, 1);
    led->SetValue(8.5);
    led->SetHighlighted(true);
    EXPECT_EQ(Entries(*led), (std::vector<int>{0, 8, 20, 5}));
    led->SetValue(8.5);
    EXPECT_EQ(Entries(*led), (std::vector<int>{10, 18, 21, 15}));
    led->SetHighlighted(false);
    led->SetValue(8.5);
    EXPECT_EQ(Entries(*led), (std::vector<int>{0, 8, 20, 5}));
}

TEST_F(FloatingLedTest, AFormatOfTheSameShapeKeepsTheRow)
{
    std::unique_ptr<FloatingLed> led = Make(kFloating);
    led->SetFormat(4, 0);
    led->SetValue(1234);
    std::vector<NumberLed*> before;
    for (int i = 0; i < led->DigitCount(); ++i)
        before.push_back(led->Digit(i));
    led->SetFormat(4, 0);
    for (int i = 0; i < led->DigitCount(); ++i)
        EXPECT_EQ(led->Digit(i), before[static_cast<size_t>(i)]);
    EXPECT_EQ(Entries(*led), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(form->ComponentCount(), 4);
}

TEST_F(FloatingLedTest, AFormatOfAnotherShapeBuildsTheRowAnew)
{
    struct Step {
        int integerDigits, fractionDigits;
    } steps[] = {{1, 2}, {2, 1}, {3, 0}, {2, 2}, {1, 0}};
    std::unique_ptr<FloatingLed> led = Make(kMiddleLed);
    led->SetLeft(50);
    for (const Step& s : steps) {
        SCOPED_TRACE(std::to_string(s.integerDigits) + "," + std::to_string(s.fractionDigits));
        led->SetFormat(static_cast<unsigned>(s.integerDigits), s.fractionDigits);
        // The point's narrower gap moves with the point.
        EXPECT_EQ(Lefts(*led), ExpectedLefts(kMiddleLed, 50, s.integerDigits, s.fractionDigits));
        EXPECT_EQ(form->ComponentCount(), led->DigitCount());
        led->SetValue(3.75);
        EXPECT_EQ(led->Digit(s.integerDigits - 1)->Digit(), 3);
    }
}

TEST_F(FloatingLedTest, MovingTheReadOutMovesEveryPositionAndTheUnit)
{
    for (const Kind* kind : {&kFloating, &kSmallLed, &kGreenLed}) {
        SCOPED_TRACE(kind->name);
        std::unique_ptr<FloatingLed> led = Make(*kind);
        led->SetFormat(2, 1);
        auto* withUnit = dynamic_cast<UnitFloatingLed*>(led.get());
        ASSERT_EQ(withUnit != nullptr, kind->unit != nullptr);
        struct Move {
            int left, top;
        } moves[] = {{40, 12}, {40, 12}, {7, 60}, {0, 0}};
        for (const Move& m : moves) {
            led->SetLeft(m.left);
            led->SetTop(m.top);
            EXPECT_EQ(Lefts(*led), ExpectedLefts(*kind, m.left, 2, 1));
            for (int i = 0; i < led->DigitCount(); ++i)
                EXPECT_EQ(led->Digit(i)->Top(), m.top);
            if (withUnit) {
                EXPECT_EQ(withUnit->UnitImage()->Left(), m.left + kind->unitOffset.x);
                EXPECT_EQ(withUnit->UnitImage()->Top(), m.top + kind->unitOffset.y);
            }
        }
    }
}

TEST_F(FloatingLedTest, SetVisibleActsOnlyOnAChange)
{
    std::unique_ptr<FloatingLed> led = Make(kSmallLed);
    led->SetFormat(4, 0);
    KyImage* unit = static_cast<UnitFloatingLed*>(led.get())->UnitImage();
    ASSERT_NE(unit, nullptr);
    EXPECT_FALSE(unit->Visible()) << "made hidden with a hidden read-out";

    led->Digit(0)->SetVisible(true);
    led->SetVisible(false);
    EXPECT_TRUE(led->Digit(0)->Image()->Visible()) << "an unchanged flag touches no position";

    led->SetVisible(true);
    for (int i = 0; i < led->DigitCount(); ++i)
        EXPECT_TRUE(led->Digit(i)->Image()->Visible());
    EXPECT_TRUE(unit->Visible());
    led->SetVisible(false);
    EXPECT_FALSE(led->Digit(3)->Image()->Visible());
    EXPECT_FALSE(unit->Visible());
}

TEST_F(FloatingLedTest, AShownReadOutShowsTheRowItBuildsLater)
{
    std::unique_ptr<FloatingLed> led = Make(kGreenLed);
    led->SetVisible(true);
    led->SetFormat(4, 0);
    for (int i = 0; i < led->DigitCount(); ++i)
        EXPECT_TRUE(led->Digit(i)->Image()->Visible());
    EXPECT_TRUE(static_cast<UnitFloatingLed*>(led.get())->UnitImage()->Visible());
}

TEST_F(FloatingLedTest, TheFormPaintsEachRowsPicturesInPlace)
{
    struct Row {
        const Kind* kind;
        int integerDigits, fractionDigits;
        bool highlighted;
        double value;
        POINT at;
    } rows[] = {
        {&kFloating, 1, 3, false, 1.35, {10, 8}},  {&kMiddleLed, 2, 1, true, 12.5, {130, 12}},
        {&kSmallLed, 4, 0, false, 2133, {10, 50}}, {&kGreenLed, 4, 0, false, 3200, {130, 50}},
        {&kFloating, 2, 1, true, 9.5, {250, 8}},
    };
    std::vector<std::unique_ptr<FloatingLed>> leds;
    std::vector<numberled::Placed> expected;
    for (const Row& r : rows) {
        std::unique_ptr<FloatingLed> led = Make(*r.kind);
        led->SetLeft(r.at.x);
        led->SetTop(r.at.y);
        led->SetFormat(static_cast<unsigned>(r.integerDigits), r.fractionDigits);
        led->SetHighlighted(r.highlighted);
        led->SetValue(r.value);
        led->SetVisible(true);
        // What the row should show, independently of the read-out's own state.
        std::vector<int> lefts = ExpectedLefts(*r.kind, r.at.x, r.integerDigits, r.fractionDigits);
        std::string shown = std::to_string(static_cast<long long>(r.value * std::pow(10, r.fractionDigits) + 0.5));
        shown.insert(0, static_cast<size_t>(r.integerDigits + r.fractionDigits) - shown.size(), '0');
        const int lit = r.highlighted ? 10 : 0;
        for (size_t i = 0, d = 0; i < lefts.size(); ++i) {
            int entry = static_cast<int>(i) == r.integerDigits && r.fractionDigits > 0 ? 20 : shown[d++] - '0';
            expected.push_back(
                {&numberled::EntryPicture(*r.kind->family, entry + (entry == 20 ? lit / 10 : lit)), lefts[i], r.at.y});
        }
        if (r.kind->unit)
            expected.push_back(
                {&numberled::SkinPicture(r.kind->unit), r.at.x + r.kind->unitOffset.x, r.at.y + r.kind->unitOffset.y});
        leds.push_back(std::move(led));
    }

    zxtest::OffscreenPaint paint(form);
    if (const char* file = std::getenv("ZX_NUMBER_LED_ROWS"))
        paint.Bitmap().SaveToFile(file);  // to look at the rows as a user sees them
    auto composed = numberled::Compose(360, 120, kFace, expected);
    EXPECT_EQ(numberled::Difference(paint.Bitmap(), *composed, RECT{0, 0, 360, 120}), "");
}
