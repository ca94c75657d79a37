#pragma once
// A stand-in of the main form for the factories: a shown form with a
// background, a middle and a core picture whose every pixel tells its own
// position, and the program's skin folder.

#include <memory>

#include "KyFixture.h"
#include "BitmapPixels.h"
#include "app/skin/SkinFiles.h"

namespace factorytest {

constexpr BYTE kBackgroundRed = 70;
constexpr BYTE kMiddleRed = 140;
constexpr BYTE kCoreRed = 210;
constexpr POINT kCoreOrigin{40, 30};  // CoreBk's place in the window

// Blue = x, green = y (both modulo 256), red = `red`.
inline zxtest::Bgra PatternPixel(int x, int y, BYTE red)
{
    return zxtest::Bgra{static_cast<BYTE>(x), static_cast<BYTE>(y), red, 255};
}

// The expected pre-blended pixel: truncated, never rounded.
inline zxtest::Bgra Blended(zxtest::Bgra skin, zxtest::Bgra beneath)
{
    double a = skin.a / 255.0;
    auto mix = [a](BYTE s, BYTE b) { return static_cast<BYTE>(b * (1.0 - a) + a * s); };
    return zxtest::Bgra{mix(skin.b, beneath.b), mix(skin.g, beneath.g), mix(skin.r, beneath.r), 0};
}

// Every pixel of `shown` (colours only) is `skin` blended over the pattern
// of `red` with the skin's corner at `at` of the pattern.
::testing::AssertionResult ShowsBlend(TBitmap& shown, TBitmap& skin, POINT at, BYTE red);

class FactoryFixture : public kytest::KyFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    TImage* MakePicture(int width, int height, BYTE red, POINT origin, bool visible);
    // A skin of the program's folder, with its alpha.
    std::unique_ptr<TBitmap> Skin(const char* name);

    SkinHost host;
};

}  // namespace factorytest
