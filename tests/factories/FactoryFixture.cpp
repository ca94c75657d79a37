#include "FactoryFixture.h"

#include "TestPaths.h"
#include "vessa/skin/PngReader.h"

namespace factorytest {

::testing::AssertionResult ShowsBlend(TBitmap& shown, TBitmap& skin, POINT at, BYTE red)
{
    if (shown.Width() != skin.Width() || shown.Height() != skin.Height())
        return ::testing::AssertionFailure() << "size " << shown.Width() << "x" << shown.Height() << ", skin "
                                             << skin.Width() << "x" << skin.Height();
    for (int y = 0; y < skin.Height(); ++y) {
        for (int x = 0; x < skin.Width(); ++x) {
            zxtest::Bgra want = Blended(zxtest::Get(skin, x, y), PatternPixel(at.x + x, at.y + y, red));
            zxtest::Bgra got = zxtest::Get(shown, x, y);
            got.a = 0;
            if (!(got == want))
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << int(got.b) << "," << int(got.g) << "," << int(got.r)
                       << ", expected " << int(want.b) << "," << int(want.g) << "," << int(want.r);
        }
    }
    return ::testing::AssertionSuccess();
}

void FactoryFixture::SetUp()
{
    KyFixture::SetUp();
    form->SetBounds(40, 40, 320, 260);
    host.form = form.get();
    host.background = MakePicture(320, 260, kBackgroundRed, POINT{0, 0}, true);
    host.middle = MakePicture(320, 260, kMiddleRed, POINT{0, 0}, false);
    host.core = MakePicture(200, 150, kCoreRed, kCoreOrigin, false);
    host.folder = zxtest::JoinPath(zxtest::DistDir(), "Resource") + "\\";
    SetSkinHost(&host);
}

void FactoryFixture::TearDown()
{
    SetSkinHost(nullptr);
    KyFixture::TearDown();
}

TImage* FactoryFixture::MakePicture(int width, int height, BYTE red, POINT origin, bool visible)
{
    auto* image = new TImage(form.get());
    image->SetParent(form.get());
    image->SetAutoSize(true);
    TBitmap* bitmap = image->Picture()->Bitmap();
    bitmap->SetPixelFormat(pf32bit);
    bitmap->SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            zxtest::Put(*bitmap, x, y, PatternPixel(x, y, red));
    image->SetLeft(origin.x);
    image->SetTop(origin.y);
    image->SetVisible(visible);
    return image;
}

std::unique_ptr<TBitmap> FactoryFixture::Skin(const char* name)
{
    auto skin = std::make_unique<TBitmap>();
    EXPECT_TRUE(LoadPngFile(host.folder + name, skin.get())) << name;
    return skin;
}

}  // namespace factorytest
