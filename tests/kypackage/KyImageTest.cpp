// KyImage over its parent: per-pixel alpha, the constant opacity, plain
// drawing for pictures without alpha, sizing and when it paints.

#include <gtest/gtest.h>

#include "BitmapPixels.h"
#include "KyPackage/Source/KyImage.h"
#include "OffscreenPaint.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "vessa/widget/layout/Source/BitmapBlend.h"

using zxtest::Bgra;

namespace {

const Bgra kSkin{0, 0, 200, 128};  // half-transparent red
const Bgra kWhite{255, 255, 255, 0};

// Counts the paints that setters start.
class CountingImage : public KyImage {
public:
    using KyImage::KyImage;
    int paints = 0;

protected:
    void Paint() override
    {
        ++paints;
        KyImage::Paint();
    }
};

class KyImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = new TForm(Application);
        form->SetBorderStyle(bsNone);
        form->SetColor(clWhite);
        form->SetBounds(0, 0, 80, 60);
        image = new CountingImage(form);
        image->SetParent(form);
        image->SetBounds(10, 10, 20, 10);
    }
    void TearDown() override { delete form; }
    void SetSkin(TPixelFormat format, int width = 20, int height = 10)
    {
        TPicture picture;
        zxtest::Fill(*picture.Bitmap(), format, width, height, kSkin);
        image->SetPicture(&picture);
    }
    // The skin pixel over white, as the blend makes it with `opacity`.
    static COLORREF Blended(BYTE opacity)
    {
        TBitmap skin, beneath;
        zxtest::Fill(skin, pf32bit, 1, 1, kSkin);
        zxtest::Fill(beneath, pf24bit, 1, 1, kWhite);
        vessa::AlphaBlendBitmap(&skin, &beneath, opacity);
        Bgra p = zxtest::Get(beneath, 0, 0);
        return RGB(p.r, p.g, p.b);
    }

    TForm* form = nullptr;
    CountingImage* image = nullptr;
};

constexpr COLORREF kPlainSkin = RGB(200, 0, 0);

}  // namespace

TEST_F(KyImageTest, StartsOpaqueWithoutAlpha)
{
    EXPECT_FALSE(image->AlphaChannel());
    EXPECT_FALSE(image->AlphaBlend());
    EXPECT_EQ(image->AlphaValue(), 255);
    EXPECT_FALSE(image->AutoSize());
}

TEST_F(KyImageTest, PaintsByAlphaChannelBlendAndPictureFormat)
{
    struct Case {
        const char* what;
        TPixelFormat format;
        bool alphaChannel;
        bool alphaBlend;
        BYTE alphaValue;
        COLORREF expected;
    } cases[] = {
        {"no alpha channel: plain copy", pf32bit, false, false, 255, kPlainSkin},
        {"blend without channel has no effect", pf32bit, false, true, 64, kPlainSkin},
        {"24-bit picture: plain copy", pf24bit, true, true, 64, kPlainSkin},
        {"per-pixel alpha", pf32bit, true, false, 64, Blended(255)},
        {"per-pixel alpha times the opacity", pf32bit, true, true, 64, Blended(64)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetSkin(c.format);
        image->SetAlphaChannel(c.alphaChannel);
        image->SetAlphaBlend(c.alphaBlend);
        image->SetAlphaValue(c.alphaValue);
        zxtest::OffscreenPaint paint(form);
        EXPECT_EQ(paint.At(15, 15), c.expected);
        EXPECT_EQ(paint.At(29, 19), c.expected);
        EXPECT_EQ(paint.At(9, 15), RGB(255, 255, 255));
    }
}

TEST_F(KyImageTest, AutoSizeTakesThePictureSize)
{
    image->SetAutoSize(true);
    SetSkin(pf32bit, 33, 17);
    EXPECT_EQ(image->Width(), 33);
    EXPECT_EQ(image->Height(), 17);
}

TEST_F(KyImageTest, SettersPaintAtOnceExceptTheOpacityWhileBlendIsOff)
{
    SetSkin(pf32bit);
    struct Step {
        const char* what;
        void (*apply)(KyImage*);
        int paints;
    } steps[] = {
        {"opacity, blend off", [](KyImage* i) { i->SetAlphaValue(10); }, 0},
        {"channel on", [](KyImage* i) { i->SetAlphaChannel(true); }, 1},
        {"channel unchanged", [](KyImage* i) { i->SetAlphaChannel(true); }, 0},
        {"blend on", [](KyImage* i) { i->SetAlphaBlend(true); }, 1},
        {"opacity, blend on", [](KyImage* i) { i->SetAlphaValue(20); }, 1},
        {"opacity unchanged", [](KyImage* i) { i->SetAlphaValue(20); }, 0},
    };
    for (const Step& step : steps) {
        image->paints = 0;
        step.apply(image);
        EXPECT_EQ(image->paints, step.paints) << step.what;
    }
    EXPECT_EQ(image->AlphaValue(), 20);
}

TEST_F(KyImageTest, AControlLargerThanItsPictureShowsWhatLiesBeyondIt)
{
    SetSkin(pf32bit, 12, 6);
    image->SetAlphaChannel(true);
    zxtest::OffscreenPaint paint(form);
    EXPECT_EQ(paint.At(15, 12), Blended(255));
    EXPECT_EQ(paint.At(25, 12), RGB(255, 255, 255));
    EXPECT_EQ(paint.At(15, 18), RGB(255, 255, 255));
}

TEST_F(KyImageTest, AHiddenImageGivenANewPictureLeavesItsParentAlone)
{
    image->SetVisible(false);
    image->paints = 0;
    SetSkin(pf32bit);
    image->SetAlphaChannel(true);
    EXPECT_EQ(0, image->paints);
    image->SetVisible(true);
    image->paints = 0;
    SetSkin(pf32bit);
    EXPECT_EQ(1, image->paints);
}
