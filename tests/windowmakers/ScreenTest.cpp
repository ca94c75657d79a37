// Shaped forms on the real display: what the screen shows through a
// colour-keyed form and a per-pixel form placed over a green window.

#include <gtest/gtest.h>

#include "WindowMakerSupport.h"
#include "turboInfo_Intel/src/gui/widget/TShapedForm.h"

namespace {

using wmtest::kMagenta;

constexpr COLORREF kGreen = RGB(0, 160, 0);

// Far from where other tests put their windows, and above them all: test
// programs run side by side on one display.
constexpr int kLeft = 1000;
constexpr int kTop = 800;

// A green window behind the form under test.
class GreenBackdrop {
public:
    GreenBackdrop()
    {
        m_form.SetBorderStyle(bsNone);
        m_form.SetFormStyle(fsStayOnTop);
        m_form.SetBounds(kLeft - 20, kTop - 20, 120, 100);
        m_form.SetColor(static_cast<TColor>(kGreen));
        m_form.Show();
    }

private:
    TForm m_form{nullptr};
};

COLORREF ScreenPixel(int x, int y)
{
    HDC screen = GetDC(nullptr);
    COLORREF color = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return color;
}

// Lets the display catch up until (x, y) shows `expected`, for at most a
// few seconds (a loaded machine draws late); returns what it shows then.
COLORREF PixelOnceDrawn(int x, int y, COLORREF expected)
{
    COLORREF color = ScreenPixel(x, y);
    for (int i = 0; i < 500 && color != expected; ++i) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(10);
        color = ScreenPixel(x, y);
    }
    return color;
}

// The form's opaque part is awaited first, so that the see-through part is
// not read before the form is there at all; a part that is not see-through
// keeps its own colour and never turns green.
void ExpectOpaqueAndSeeThrough(POINT opaque, POINT seeThrough)
{
    EXPECT_EQ(PixelOnceDrawn(opaque.x, opaque.y, RGB(255, 255, 255)), RGB(255, 255, 255));
    EXPECT_EQ(PixelOnceDrawn(seeThrough.x, seeThrough.y, kGreen), kGreen);
}

}  // namespace

TEST(ShapedFormOnScreen, MagentaOfAColourKeyedFormShowsWhatLiesBehind)
{
    GreenBackdrop backdrop;
    // White face with a magenta left half.
    auto picture = wmtest::Picture(60, 40, pf32bit, clWhite, kMagenta);
    picture->Canvas()->Brush()->SetColor(kMagenta);
    picture->Canvas()->FillRect(RECT{0, 0, 30, 40});
    wmtest::ShapedFormFixture fixture(picture.get());
    qn::TLayeredFormMaker maker;
    ASSERT_TRUE(maker.Attach(fixture.image));
    fixture.form->SetFormStyle(fsStayOnTop);
    fixture.form->SetBounds(kLeft, kTop, fixture.form->Width(), fixture.form->Height());
    fixture.form->Show();
    ExpectOpaqueAndSeeThrough(POINT{kLeft + 50, kTop + 10}, POINT{kLeft + 5, kTop + 10});
}

TEST(ShapedFormOnScreen, APerPixelFormShowsItsOpaquePixelsOnly)
{
    GreenBackdrop backdrop;
    // White face whose left half has alpha 0.
    auto picture = wmtest::Picture(60, 40, pf32bit, clWhite, clWhite);
    for (int y = 0; y < 40; ++y) {
        auto* row = static_cast<BYTE*>(picture->ScanLine(y));
        for (int x = 0; x < 60; ++x)
            row[x * 4 + 3] = x < 30 ? 0 : 255;
    }
    qn::PremultiplyAlpha(picture.get());
    wmtest::ShapedFormFixture fixture(picture.get());
    fixture.form->SetFormStyle(fsStayOnTop);
    fixture.form->SetBounds(kLeft, kTop, 60, 40);
    fixture.form->Show();
    qn::TPerPixelLayeredFormMaker maker;
    maker.SetColorKeyEnabled(false);
    ASSERT_TRUE(maker.Attach(fixture.image));
    maker.SetPerPixelAlpha(true);
    ExpectOpaqueAndSeeThrough(POINT{kLeft + 50, kTop + 10}, POINT{kLeft + 5, kTop + 10});
}
