#include "app/skin/SkinFiles.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "vessa/widget/layout/Source/BitmapBlend.h"

namespace {

const SkinHost* g_host = nullptr;

bool IsNamed(const char* name)
{
    return name != nullptr && name[0] != '\0';
}

using PictureOf = TImage* SkinHost::*;

// Reads the skin and blends it over the host's picture; a picture placed
// inside the window (CoreBk) is read at the position relative to itself.
// Grey from the colours' luminance, at half the opacity.
void GreyOut(TBitmap* skin)
{
    for (int y = 0; y < skin->Height(); ++y) {
        auto* pixel = static_cast<BYTE*>(skin->ScanLine(y));
        for (int x = 0; x < skin->Width(); ++x, pixel += 4) {
            const BYTE grey = static_cast<BYTE>((pixel[2] * 30 + pixel[1] * 59 + pixel[0] * 11) / 100);
            pixel[0] = pixel[1] = pixel[2] = grey;
            pixel[3] = static_cast<BYTE>(pixel[3] / 2);
        }
    }
}

// The pictures of one blend. Kept over the states of an appearance, whose
// skins share a size: each is then made once, not once a state.
struct BlendWork {
    TBitmap skin;
    TBitmap none;  // a host without that picture: the skin over black
    TBitmap blended;
};

// `file` pre-blended into work->blended.
bool BlendSkinOver(PictureOf which, const char* file, int x, int y, bool greyed, BlendWork* work)
{
    if (!IsNamed(file) || !ReadSkinFile(file, &work->skin))
        return false;
    if (greyed)
        GreyOut(&work->skin);
    TImage* picture = TheSkinHost().*which;
    POINT at{x, y};
    if (picture != nullptr && which == &SkinHost::core) {
        at.x -= picture->Left();
        at.y -= picture->Top();
    }
    BlendOverPicture(&work->skin, picture != nullptr ? picture->Picture()->Bitmap() : &work->none, at, &work->blended);
    return true;
}

bool LoadSkinOver(PictureOf which, const char* file, TBitmap* bitmap, int x, int y, bool greyed = false)
{
    BlendWork work;
    if (!BlendSkinOver(which, file, x, y, greyed, &work))
        return false;
    bitmap->TakeImage(&work.blended);
    return true;
}

using StateSetter = void (KyFourStateAppearance::*)(TBitmap*);

// The appearance's images in the order of the skin name lists.
constexpr StateSetter kStateSetters[] = {&KyFourStateAppearance::SetRaisedBmp, &KyFourStateAppearance::SetSunkenBmp,
                                         &KyFourStateAppearance::SetFocusedBmp, &KyFourStateAppearance::SetDisabledBmp};

void LoadAppearanceOver(PictureOf which, KyFourStateAppearance* appearance, int x, int y, const char* const names[])
{
    BlendWork work;
    for (size_t state = 0; state < std::size(kStateSetters); ++state) {
        if (BlendSkinOver(which, names[state], x, y, false, &work))
            (appearance->*kStateSetters[state])(&work.blended);
    }
}

}  // namespace

const SkinHost& TheSkinHost()
{
    if (g_host != nullptr)
        return *g_host;
    static SkinHost noWindow;
    if (noWindow.folder.empty())
        noWindow.folder = GetResourceFolder();
    return noWindow;
}

void SetSkinHost(const SkinHost* host)
{
    g_host = host;
}

bool ReadSkinFile(const std::string& file, TBitmap* bitmap)
{
    return LoadPngFile(TheSkinHost().folder + file, bitmap, UnreadableFile::Report);
}

void BlendOverPicture(TBitmap* skin, TBitmap* background, POINT at, TBitmap* result, TPixelFormat format)
{
    background->SetPixelFormat(pf32bit);
    const int width = skin->Width();
    const int height = skin->Height();
    result->SetPixelFormat(format == pf32bit ? pf32bit : pf24bit);
    result->SetSize(width, height);
    const int step = result->PixelFormat() == pf32bit ? 4 : 3;
    // What lies beneath: the background where the skin covers it, black
    // where the skin reaches past it.
    const int fromX = std::max(0, -static_cast<int>(at.x));
    const int toX = std::min(width, background->Width() - static_cast<int>(at.x));
    for (int y = 0; y < height; ++y) {
        auto* row = static_cast<BYTE*>(result->ScanLine(y));
        std::memset(row, 0, static_cast<size_t>(width) * step);
        const int backgroundY = at.y + y;
        if (backgroundY < 0 || backgroundY >= background->Height())
            continue;
        const auto* beneath = static_cast<const BYTE*>(background->ScanLine(backgroundY));
        for (int x = fromX; x < toX; ++x)
            std::memcpy(row + x * step, beneath + (at.x + x) * 4, 3);
    }
    vessa::AlphaBlendBitmap(skin, result, 255);
}

bool LoadSkinOverBackground(const char* file, TBitmap* bitmap, int x, int y)
{
    return LoadSkinOver(&SkinHost::background, file, bitmap, x, y);
}

bool LoadSkinOverMiddle(const char* file, TBitmap* bitmap, int x, int y)
{
    return LoadSkinOver(&SkinHost::middle, file, bitmap, x, y);
}

bool LoadSkinOverCore(const char* file, TBitmap* bitmap, int x, int y)
{
    return LoadSkinOver(&SkinHost::core, file, bitmap, x, y);
}

bool LoadGreyedSkinOverCore(const char* file, TBitmap* bitmap, int x, int y)
{
    return LoadSkinOver(&SkinHost::core, file, bitmap, x, y, true);
}

void LoadFourStateAppearance(KyFourStateAppearance* appearance, int x, int y, const char* normal, const char* pressed,
                             const char* over, const char* unavailable)
{
    const char* const names[] = {normal, pressed, over, unavailable};
    LoadAppearanceOver(&SkinHost::background, appearance, x, y, names);
}

void LoadFourStateAppearanceOverMiddle(KyFourStateAppearance* appearance, int x, int y, const char* normal,
                                       const char* pressed, const char* over, const char* unavailable)
{
    const char* const names[] = {normal, pressed, over, unavailable};
    LoadAppearanceOver(&SkinHost::middle, appearance, x, y, names);
}

void LoadFourStateAppearanceOverCore(KyFourStateAppearance* appearance, int x, int y, const char* normal,
                                     const char* pressed, const char* over, const char* unavailable)
{
    const char* const names[] = {normal, pressed, over, unavailable};
    LoadAppearanceOver(&SkinHost::core, appearance, x, y, names);
}
