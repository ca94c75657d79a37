#include "DigitFamilies.h"

#include <cstdio>
#include <map>

#include "BitmapPixels.h"
#include "TestPaths.h"
#include "vessa/skin/PngReader.h"
#include "platform/vcl/Application.h"
#include "vessa/widget/layout/Source/BitmapBlend.h"

namespace numberled {

const Family kLarge{"LargeNumberLed", "Numbers\\", 22, [] { return static_cast<NumberLed*>(new LargeNumberLed); }};
const Family kMiddle{"MiddleNumberLed", "Middle_Numbers\\", 22,
                     [] { return static_cast<NumberLed*>(new MiddleNumberLed); }};
const Family kSmall{"SmallNumberLed", "Small_Numbers\\", 10,
                    [] { return static_cast<NumberLed*>(new SmallNumberLed); }};
const Family kGreen{"GreenNumberLed", "Green\\", 10, [] { return static_cast<NumberLed*>(new GreenNumberLed); }};

const std::vector<const Family*>& AllFamilies()
{
    static const std::vector<const Family*> families{&kLarge, &kSmall, &kGreen, &kMiddle};
    return families;
}

std::string EntryFile(const Family& family, int entry)
{
    char name[16];
    if (entry < 20)
        std::snprintf(name, sizeof name, "%02d.png", entry);
    else
        std::snprintf(name, sizeof name, "Point%d.png", entry - 19);
    return name;
}

TBitmap& SkinPicture(const std::string& relative)
{
    static std::map<std::string, std::unique_ptr<TBitmap>> pictures;
    std::unique_ptr<TBitmap>& picture = pictures[relative];
    if (!picture) {
        picture = std::make_unique<TBitmap>();
        LoadPngFile(zxtest::JoinPath(zxtest::TestDir(), "Resource\\" + relative), picture.get());
    }
    return *picture;
}

TBitmap& EntryPicture(const Family& family, int entry)
{
    return SkinPicture(std::string(family.folder) + EntryFile(family, entry));
}

std::unique_ptr<TBitmap> Compose(int width, int height, TColor background, const std::vector<Placed>& row)
{
    auto composed = std::make_unique<TBitmap>();
    COLORREF rgb = ColorToRGB(background);
    zxtest::Fill(*composed, pf24bit, width, height, zxtest::Bgra{GetBValue(rgb), GetGValue(rgb), GetRValue(rgb), 0});
    for (const Placed& placed : row) {
        RECT whole{0, 0, placed.picture->Width(), placed.picture->Height()};
        vessa::AlphaBlendBitmapRect(placed.picture, whole, composed.get(), POINT{placed.left, placed.top}, 255);
    }
    return composed;
}

std::string Difference(TBitmap& actual, TBitmap& expected, const RECT& area)
{
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            zxtest::Bgra a = zxtest::Get(actual, x, y), e = zxtest::Get(expected, x, y);
            if (a.b != e.b || a.g != e.g || a.r != e.r) {
                char text[96];
                std::snprintf(text, sizeof text, "(%d, %d): painted %d,%d,%d, expected %d,%d,%d", x, y, a.r, a.g, a.b,
                              e.r, e.g, e.b);
                return text;
            }
        }
    return "";
}

TForm* MakeForm(int width, int height, TColor colour)
{
    auto* form = new TForm(Application);
    form->SetBorderStyle(bsNone);
    form->SetColor(colour);
    form->SetBounds(0, 0, width, height);
    return form;
}

}  // namespace numberled
