// The numeric LED's implementation: formats become rows of segment LEDs,
// numbers, times and dates become one state per LED, and the row is drawn
// in the control's image. A digit d shows state d + 1, blank is 0.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ContractStop.h"
#include "TestPaths.h"
#include "KyPackage/Source/KyNumLed_imp.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Image.h"

namespace {

using States = std::vector<int>;

// An implementation for a plain control at (4, 6) on a shown form.
struct NumLed {
    explicit NumLed(int width = 72, int height = 22) : form(new TForm(nullptr)), control(new TControl(nullptr))
    {
        form->SetBorderStyle(bsNone);
        form->SetBounds(20, 20, 300, 120);
        form->Show();
        control->SetBounds(4, 6, width, height);
        imp = std::make_unique<vessa::KyNumLed_imp>(control.get(), form.get(), width, height);
    }
    ~NumLed()
    {
        imp.reset();
        control.reset();
        form.reset();
    }
    States Shown() const
    {
        States states;
        for (std::size_t i = 0; i < imp->LEDCount(); ++i)
            states.push_back(imp->LEDState(i));
        return states;
    }
    COLORREF Pixel(int x, int y) { return imp->Image()->Picture()->Bitmap()->Canvas()->Pixel(x, y); }
    // Saves the image for a look at it.
    void Save(const std::string& name)
    {
        imp->Image()->Picture()->Bitmap()->SaveToFile(zxtest::JoinPath(zxtest::TestDir(), name));
    }

    std::unique_ptr<TForm> form;
    std::unique_ptr<TControl> control;
    std::unique_ptr<vessa::KyNumLed_imp> imp;
};

ZX_TEST_CHILD(numled_led_index)
{
    NumLed led;
    led.imp->LEDState(4);
    return 0;
}

ZX_TEST_CHILD(numled_keep_ratio_without_figure)
{
    // A figure scaled to nothing and made its own original has no size.
    NumLed led;
    led.imp->Figure()->SetSize(0, 0);
    led.imp->Figure()->ResetOriginal();
    led.imp->SetKeepRatio(true);
    led.imp->Resize(10, 10);
    return 0;
}

}  // namespace

TEST(KyNumLedImp, BrokenPreconditionsStopTheProgramNamingTheExpression)
{
    zxtest::ExpectContractStop("numled_led_index", "Assertion failed: indexOfLED < m_LEDs.size(),");
    zxtest::ExpectContractStop("numled_keep_ratio_without_figure",
                               "Assertion failed: Figure()->OriginalWidth() > 0 && Figure()->OriginalHeight() > 0,");
}

TEST(KyNumLedImp, ANewDisplayShowsZeroRightAligned)
{
    NumLed led;
    EXPECT_EQ(led.imp->GetFormat(), "8888");
    EXPECT_EQ(led.Shown(), (States{0, 0, 0, 1}));
    EXPECT_EQ(led.imp->Figure()->OriginalWidth(), 72);
    EXPECT_EQ(led.imp->Figure()->OriginalHeight(), 22);
    EXPECT_EQ(led.imp->GetLightColor(), static_cast<TColor>(RGB(10, 240, 10)));
    EXPECT_EQ(led.imp->GetDarkColor(), static_cast<TColor>(RGB(14, 38, 62)));
    EXPECT_EQ(led.imp->GetBackgroundColor(), clBlack);
}

TEST(KyNumLedImp, NumbersFillTheDigitPositionsFromTheRight)
{
    struct Case {
        const char* format;
        bool zeroLeading;
        double value;
        States expected;
    };
    const Case cases[] = {
        {"88.8", false, 3.14159, {0, 4, 1, 2}}, {"8888", false, 12345, {3, 4, 5, 6}},
        {"8888", true, 7, {1, 1, 1, 8}},        {"8888", false, 7, {0, 0, 0, 8}},
        {"88.8", false, -1.5, {0, 2, 1, 6}},    {"8888", false, 105, {0, 2, 1, 6}},
        {"8.88", false, 0.05, {1, 1, 1, 6}},    {"88C", false, 21, {3, 2, 1}},  // a symbol stays lit
    };
    for (const Case& c : cases) {
        NumLed led;
        ASSERT_TRUE(led.imp->SetFormat(c.format)) << c.format;
        led.imp->SetZeroLeading(c.zeroLeading);
        led.imp->SetValue(c.value);
        EXPECT_EQ(led.Shown(), c.expected) << c.format << " " << c.value;
        double back = 0;
        EXPECT_TRUE(led.imp->GetValue(back));
        EXPECT_EQ(back, c.value);
    }
}

TEST(KyNumLedImp, TimesAndDatesFillTheirLetters)
{
    struct Case {
        KyNumLedType type;
        const char* format;
        TDateTime value;
        States expected;
    };
    const Case cases[] = {
        {nledTime, "hhmm", EncodeTime(13, 5, 0, 0), {2, 4, 1, 6}},
        {nledTime, "HH.MM.SS", EncodeTime(9, 41, 7, 0), {1, 10, 1, 5, 2, 1, 1, 8}},
        {nledDate, "ddmmyy", EncodeDate(2026, 12, 9), {1, 10, 2, 3, 3, 7}},
        {nledDate, "yyyy", EncodeDate(2026, 1, 1), {3, 1, 3, 7}},
        {nledDate, "8dd", EncodeDate(2026, 1, 31), {11, 4, 2}},  // "8" is no date field
    };
    for (const Case& c : cases) {
        NumLed led;
        led.imp->SetType(c.type);
        ASSERT_TRUE(led.imp->SetFormat(c.format)) << c.format;
        led.imp->SetValue(c.value);
        EXPECT_EQ(led.Shown(), c.expected) << c.format;
        TDateTime back;
        EXPECT_TRUE(led.imp->GetValue(back));
        EXPECT_EQ(back.Val(), c.value.Val());
    }
}

TEST(KyNumLedImp, ValuesOfTheOtherKindAreIgnored)
{
    NumLed led;
    led.imp->SetType(nledTime);
    led.imp->SetFormat("8888");
    States before = led.Shown();
    led.imp->SetValue(42.0);
    EXPECT_EQ(led.Shown(), before);
    double number = 0;
    EXPECT_FALSE(led.imp->GetValue(number));

    led.imp->SetType(nledFloat);
    TDateTime dateTime;
    EXPECT_FALSE(led.imp->GetValue(dateTime));
    led.imp->SetValue(EncodeTime(12, 0, 0, 0));
    EXPECT_EQ(led.Shown(), (States{0, 0, 0, 1}));
}

TEST(KyNumLedImp, FormatsWithoutAPositionForEveryCharacterAreRefused)
{
    NumLed led;
    led.imp->SetValue(12.0);
    for (const char* format : {"8A88", "", "88 8"}) {
        EXPECT_FALSE(led.imp->SetFormat(format)) << format;
        EXPECT_EQ(led.imp->GetFormat(), "8888");
        EXPECT_EQ(led.Shown(), (States{0, 0, 2, 3}));
    }
    EXPECT_TRUE(led.imp->SetFormat("8^8&8C.8"));
    EXPECT_EQ(led.imp->LEDCount(), 8u);
    EXPECT_EQ(led.imp->Figure()->OriginalWidth(), 18 + 9 + 18 + 47 + 18 + 19 + 6 + 18);
    EXPECT_EQ(led.imp->Figure()->OriginalHeight(), 27);
}

TEST(KyNumLedImp, SwitchedOffPositionsStayDarkThroughNewValues)
{
    NumLed led;
    led.imp->On(0);
    EXPECT_EQ(led.Shown(), (States{11, 11, 11, 11}));
    led.imp->SetValue(0.0);  // the stored number already: nothing changes
    EXPECT_EQ(led.Shown(), (States{11, 11, 11, 11}));

    led.imp->SetValue(1234.0);
    led.imp->Off(2);
    EXPECT_EQ(led.Shown(), (States{2, 0, 4, 5}));
    led.imp->SetValue(5678.0);
    EXPECT_EQ(led.Shown(), (States{6, 0, 8, 9}));
    led.imp->Off(5);  // past the last LED: nothing
    led.imp->On(2);
    EXPECT_EQ(led.Shown(), (States{6, 7, 8, 9}));
    led.imp->Off(0);
    EXPECT_EQ(led.Shown(), (States{0, 0, 0, 0}));
    led.imp->SetValue(1.0);
    EXPECT_EQ(led.Shown(), (States{0, 0, 0, 0}));
}

TEST(KyNumLedImp, KeepRatioShrinksToTheFiguresProportion)
{
    struct Case {
        bool keepRatio;
        int width, height;
        int expectedWidth, expectedHeight;
    };
    const Case cases[] = {
        {false, 144, 22, 144, 22},
        {true, 144, 22, 72, 22},
        {true, 144, 88, 144, 44},
        {true, 36, 100, 36, 11},
    };
    for (const Case& c : cases) {
        NumLed led;
        led.imp->SetKeepRatio(c.keepRatio);
        led.imp->Resize(c.width, c.height);
        EXPECT_EQ(led.imp->Width(), c.expectedWidth) << c.width << "x" << c.height;
        EXPECT_EQ(led.imp->Height(), c.expectedHeight) << c.width << "x" << c.height;
        EXPECT_EQ(led.imp->Figure()->Width(), c.expectedWidth);
    }
}

// Pixels of a digit 8 at the unscaled size: the top segment runs from
// (4, 2) to (12, 3), the middle from (4, 10) to (12, 11).
TEST(KyNumLedImp, LitSegmentsAreLightUnlitOnesDarkOnTheBackground)
{
    NumLed led;
    led.imp->SetValue(8.0);
    const COLORREF light = RGB(10, 240, 10), dark = RGB(14, 38, 62), black = RGB(0, 0, 0);
    struct Probe {
        int x, y;
        COLORREF expected;
    };
    const Probe probes[] = {
        {54 + 8, 2, light}, {54 + 8, 10, light}, {54 + 14, 6, light}, {54 + 0, 0, black},
        {54 + 8, 6, black}, {8, 2, dark},        {8, 10, dark},       {36 + 8, 18, dark},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(led.Pixel(p.x, p.y), p.expected) << p.x << ", " << p.y;

    led.imp->SetLightColor(clRed);
    led.imp->SetBackgroundColor(clWhite);
    EXPECT_EQ(led.Pixel(54 + 8, 2), RGB(255, 0, 0));
    EXPECT_EQ(led.Pixel(54 + 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(led.imp->GetLightColor(), clRed);
}

// Writes a few displays as bitmaps beside the tests, for a look.
TEST(KyNumLedImp, SampleDisplays)
{
    struct Sample {
        const char* file;
        KyNumLedType type;
        const char* format;
        double number;
        TDateTime dateTime;
        int width, height;
    };
    const Sample samples[] = {
        {"numled-number.bmp", nledFloat, "888.88C", 42.5, 0.0, 192, 54},
        {"numled-time.bmp", nledTime, "hh^mm^ss", 0, EncodeTime(13, 5, 42, 0), 216, 54},
        {"numled-date.bmp", nledDate, "dd.mm.yyyy&", 0, EncodeDate(2026, 12, 9).Val(), 330, 40},
    };
    for (const Sample& s : samples) {
        NumLed led;
        led.imp->SetType(s.type);
        ASSERT_TRUE(led.imp->SetFormat(s.format));
        led.imp->Resize(s.width, s.height);
        led.imp->SetValue(s.number);
        led.imp->SetValue(s.dateTime);
        led.Save(s.file);
        EXPECT_EQ(led.imp->Width(), s.width);
    }
}
