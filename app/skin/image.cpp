#include "app/skin/image.h"

#include <algorithm>

#include "vessa/System/VessaAssert.h"

namespace {

// The part of `rect` that both bitmaps cover, with the matching source
// origin; empty (width or height 0) when they do not overlap.
struct BlendArea {
    int left, top, width, height;
    POINT origin;
};

// One axis: a destination span [start, end) against a destination of
// `destinationSize` and a source of `sourceSize` read from `origin`.
// Wide arithmetic: no sum of two coordinates can overflow.
void ClipAxis(long long start, long long end, long long destinationSize, long long sourceSize, LONG& originField,
              int& clippedStart, int& size)
{
    long long origin = originField;
    if (start < 0) {  // columns left of the destination take source columns with them
        origin -= start;
        start = 0;
    }
    if (origin < 0) {  // source columns before the first are not there
        start -= origin;
        origin = 0;
    }
    long long stop = std::min({end, destinationSize, start + (sourceSize - origin)});
    size = static_cast<int>(std::max(0LL, stop - start));
    clippedStart = size > 0 ? static_cast<int>(start) : 0;
    originField = size > 0 ? static_cast<LONG>(origin) : 0;
}

BlendArea Clip(const RECT& rect, POINT origin, int destinationWidth, int destinationHeight, int sourceWidth,
               int sourceHeight)
{
    BlendArea area{};
    area.origin = origin;
    ClipAxis(rect.left, rect.right, destinationWidth, sourceWidth, area.origin.x, area.left, area.width);
    ClipAxis(rect.top, rect.bottom, destinationHeight, sourceHeight, area.origin.y, area.top, area.height);
    return area;
}

void BlendRow(const BYTE* source, BYTE* destination, int width, double fade)
{
    for (int j = 0; j < width; ++j, source += 4, destination += 3) {
        const double a = source[3] / 255.0;
        const double k = fade * a;
        const double m = 1.0 - a;
        for (int c = 0; c < 3; ++c)
            destination[c] = static_cast<BYTE>(source[c] * k + destination[c] * m);
    }
}

}  // namespace

int AlphaBlendRect(TBitmap* destination, const RECT& rect, TBitmap* source, POINT sourceOrigin, BYTE alpha)
{
    if (destination == nullptr || source == nullptr)
        return 0;
    // Fatal in every build: reading a narrower source as 4 bytes a pixel
    // would run past its rows.
    if (source->PixelFormat() != pf32bit)
        vessa::AssertFailed("src->PixelFormat == pf32bit", "image", __LINE__);
    if (destination->PixelFormat() != pf24bit)
        destination->SetPixelFormat(pf24bit);

    BlendArea area =
        Clip(rect, sourceOrigin, destination->Width(), destination->Height(), source->Width(), source->Height());
    if (area.width == 0 || area.height == 0)
        return 0;
    const double fade = alpha / 255.0;
    for (int i = 0; i < area.height; ++i) {
        const auto* from = static_cast<const BYTE*>(source->ScanLine(area.origin.y + i)) + area.origin.x * 4;
        auto* to = static_cast<BYTE*>(destination->ScanLine(area.top + i)) + area.left * 3;
        BlendRow(from, to, area.width, fade);
    }
    return area.height;
}
