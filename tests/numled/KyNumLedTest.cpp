// The numeric LED control forwards to its implementation; its display image
// sits on the control's parent at the control's place and size.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "KyPackage/Source/KyNumLed.h"
#include "KyPackage/Source/KyNumLed_imp.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/SysUtils.h"
#include "TestPaths.h"

namespace {

struct OnForm {
    OnForm() : form(new TForm(nullptr))
    {
        form->SetBorderStyle(bsNone);
        form->SetBounds(20, 20, 400, 120);
        form->Show();
    }
    // A control on the form at (x, y), 72 x 22: the figure's own size.
    KyNumLed* Add(int x = 10, int y = 8)
    {
        auto* led = new KyNumLed(form.get());
        led->SetParent(form.get());
        led->SetBounds(x, y, 72, 22);
        return led;
    }
    std::unique_ptr<TForm> form;
};

std::vector<int> Shown(KyNumLed* led)
{
    std::vector<int> states;
    for (std::size_t i = 0; i < led->Implementation()->LEDCount(); ++i)
        states.push_back(led->Implementation()->LEDState(i));
    return states;
}

}  // namespace

TEST(KyNumLed, ANewControlShowsZeroInTheLightColour)
{
    OnForm f;
    KyNumLed* led = f.Add();
    EXPECT_EQ(led->GetType(), nledFloat);
    EXPECT_EQ(led->GetStyle(), nledRectangle7_s);
    EXPECT_FALSE(led->GetZeroLeading());
    EXPECT_FALSE(led->GetTransparent());
    EXPECT_FALSE(led->GetKeepRatio());
    EXPECT_EQ(led->GetFormat(), "8888");
    EXPECT_EQ(Shown(led), (std::vector<int>{0, 0, 0, 1}));
    EXPECT_EQ(led->LedColors()->LightColor(), static_cast<TColor>(RGB(10, 240, 10)));
    EXPECT_EQ(led->LedColors()->DarkColor(), static_cast<TColor>(RGB(14, 38, 62)));
    EXPECT_EQ(led->LedColors()->BackgroundColor(), clBlack);

    TImage* image = led->Implementation()->Image();
    EXPECT_EQ(image->Parent(), f.form.get());
    EXPECT_EQ(image->BoundsRect().left, 10);
    EXPECT_EQ(image->BoundsRect().bottom, 8 + 22);
}

TEST(KyNumLed, TheDisplayFollowsTheControlsBoundsAndParent)
{
    OnForm f;
    KyNumLed* led = f.Add();
    led->SetBounds(40, 12, 144, 44);
    TImage* image = led->Implementation()->Image();
    const RECT expected{40, 12, 184, 56};
    const RECT bounds = image->BoundsRect();
    EXPECT_TRUE(EqualRect(&bounds, &expected));
    EXPECT_EQ(led->Width(), 144);

    TForm other(nullptr);
    led->SetParent(&other);
    EXPECT_EQ(image->Parent(), &other);
    EXPECT_EQ(led->Parent(), &other);
    led->SetParent(f.form.get());
}

TEST(KyNumLed, KeepRatioShrinksAStretchedControlAtOnce)
{
    OnForm f;
    KyNumLed* led = f.Add();
    led->SetBounds(10, 8, 144, 22);
    EXPECT_EQ(led->Width(), 144);
    led->SetKeepRatio(true);
    EXPECT_EQ(led->Width(), 72);
    EXPECT_EQ(led->Height(), 22);
    led->SetBounds(10, 8, 300, 44);
    EXPECT_EQ(led->Width(), 144);
    EXPECT_EQ(led->Height(), 44);
}

TEST(KyNumLed, ValuesOfTheOtherKindChangeNothing)
{
    OnForm f;
    KyNumLed* led = f.Add();
    led->SetType(nledTime);
    std::vector<int> before = Shown(led);
    led->SetValue(12.5);
    EXPECT_EQ(Shown(led), before);
    double number = 0;
    EXPECT_FALSE(led->GetValue(number));
    TDateTime time;
    EXPECT_TRUE(led->GetValue(time));

    led->SetFormat("hhmm");
    led->SetValue(EncodeTime(7, 30, 0, 0));
    EXPECT_EQ(Shown(led), (std::vector<int>{1, 8, 4, 1}));
    led->SetFormat("hh?m");
    EXPECT_EQ(led->GetFormat(), "hhmm");
    led->Off(1);
    EXPECT_EQ(Shown(led), (std::vector<int>{0, 8, 4, 1}));
    led->On(0);
    EXPECT_EQ(Shown(led), (std::vector<int>{11, 11, 11, 11}));
}

TEST(KyNumLed, LedColorsAreCopiedAllFour)
{
    OnForm f;
    KyNumLed* a = f.Add();
    KyNumLed* b = f.Add(100, 8);
    a->LedColors()->SetLightColor(clRed);
    a->LedColors()->SetDarkColor(clNavy);
    a->LedColors()->SetBackgroundColor(clWhite);
    a->LedColors()->SetTransparentColor(clFuchsia);

    b->LedColors()->Assign(a->LedColors());
    const TColor expected[] = {clRed, clNavy, clWhite, clFuchsia};
    const TColor copied[] = {b->LedColors()->LightColor(), b->LedColors()->DarkColor(),
                             b->LedColors()->BackgroundColor(), b->LedColors()->TransparentColor()};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(copied[i], expected[i]) << i;

    KyNumLed* c = f.Add(200, 8);
    c->SetLedColors(a->LedColors());
    EXPECT_EQ(c->LedColors()->DarkColor(), clNavy);
    EXPECT_EQ(c->LedColors()->TransparentColor(), clFuchsia);

    TFont font;
    EXPECT_THROW(font.Assign(a->LedColors()), EInvalidCast);
}

TEST(KyNumLed, RegistersOnTheKyComponentsPage)
{
    Kynumled::Register();
    bool found = false;
    for (const TRegisteredPage& page : RegisteredComponentPages())
        for (const std::string& name : page.classNames)
            found = found || (page.page == "KyComponents" && name == "KyNumLed");
    EXPECT_TRUE(found);
}

// The form painted as in WM_PAINT (background, then its windowless
// children): the display shows on it at the control's place. The picture
// is written beside the tests for a look.
TEST(KyNumLed, TheFormShowsTheDisplayWhereTheControlIs)
{
    OnForm f;
    f.form->SetColor(clGray);
    KyNumLed* led = f.Add(20, 10);
    led->SetFormat("88.8C");
    led->SetBounds(20, 10, 200, 80);
    led->SetValue(36.6);

    TBitmap shot;
    shot.SetPixelFormat(pf24bit);
    RECT client = f.form->ClientRect();
    shot.SetSize(client.right, client.bottom);
    HDC dc = shot.Canvas()->Handle();
    f.form->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dc));
    f.form->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    shot.SaveToFile(zxtest::JoinPath(zxtest::TestDir(), "numled-control.bmp"));

    EXPECT_EQ(shot.Canvas()->Pixel(5, 5), ColorToRGB(clGray)) << "beside the display";
    EXPECT_EQ(shot.Canvas()->Pixel(21, 11), RGB(0, 0, 0)) << "the display's background";
    // The figure is 18 + 18 + 6 + 18 + 19 = 79 x 27 scaled to 200 x 80; the
    // lit middle segment of the 3 in the second digit spans (4, 10)-(12, 11).
    int x = 20 + static_cast<int>((18 + 8) * 200.0f / 79);
    int y = 10 + static_cast<int>(10 * 80.0f / 27) + 1;
    EXPECT_EQ(shot.Canvas()->Pixel(x, y), RGB(10, 240, 10));
}
