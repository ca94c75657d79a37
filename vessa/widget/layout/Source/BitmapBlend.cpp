#include "vessa/widget/layout/Source/BitmapBlend.h"

#include <algorithm>

#include "vessa/System/VessaAssert.h"

namespace vessa {

namespace {

constexpr DWORD kSourceCopy = 0xCC0020;  // SRCCOPY

// One pixel: truncated, not rounded, as every blend of the library does.
inline void BlendPixel(const BYTE* source, BYTE* destination, double weight)
{
    for (int channel = 0; channel < 3; ++channel)
        destination[channel] = static_cast<BYTE>(destination[channel] * (1.0 - weight) + source[channel] * weight);
}

}  // namespace

void CaptureCanvasRect(TCanvas* canvas, TBitmap* bitmap, const RECT& rect)
{
    int width = std::max(0, static_cast<int>(rect.right - rect.left));
    int height = std::max(0, static_cast<int>(rect.bottom - rect.top));
    bitmap->SetSize(width, height);
    bitmap->SetPixelFormat(pf24bit);
    TCanvas* target = bitmap->Canvas();
    target->SetCopyMode(kSourceCopy);
    target->CopyRect(RECT{0, 0, width, height}, canvas, rect);
}

void CopyAsBgra(TBitmap* source, TBitmap* copy)
{
    const bool hadAlpha = source->PixelFormat() == pf32bit;
    copy->AssignAs(source, pf32bit);
    if (hadAlpha)
        return;
    for (int y = 0; y < copy->Height(); ++y) {
        auto* row = static_cast<BYTE*>(copy->ScanLine(y));
        for (int x = 0; x < copy->Width(); ++x)
            row[x * 4 + 3] = 255;
    }
}

void AlphaBlendBitmapRect(TBitmap* src, const RECT& sourceRect, TBitmap* dst, POINT origin, BYTE alpha)
{
    // Pixels of another format would be read four bytes at a time past the
    // end of their rows: blend from a 32-bit copy instead.
    if (src->PixelFormat() != pf32bit) {
        TBitmap copy;
        CopyAsBgra(src, &copy);
        AlphaBlendBitmapRect(&copy, sourceRect, dst, origin, alpha);
        return;
    }
    if (dst->PixelFormat() != pf32bit && dst->PixelFormat() != pf24bit)
        dst->SetPixelFormat(pf24bit);
    const int step = dst->PixelFormat() == pf32bit ? 4 : 3;
    const double k = alpha / 255.0;

    // The area ends where dst ends; a negative origin skips what would land
    // left of or above dst.
    const int originX = origin.x;
    const int originY = origin.y;
    int width = std::min(static_cast<int>(sourceRect.right - sourceRect.left), dst->Width() - originX);
    int height = std::min(static_cast<int>(sourceRect.bottom - sourceRect.top), dst->Height() - originY);
    int skipX = std::max(0, -originX);
    int skipY = std::max(0, -originY);
    if (width <= 0 || height <= 0)
        return;
    int maxRow = sourceRect.top + height;
    int maxCol = sourceRect.left + width;
    // Contract: the source holds the area. Even without the checks nothing
    // is read outside it.
    if (!(maxRow <= src->Height() && maxCol <= src->Width())) {
#if !defined(VESSA_NO_CONTRACT_CHECKS)
        AssertFailed("maxRow <= src->Height && maxCol <= src->Width", __FILE__, __LINE__);
#endif
        return;
    }
    if (sourceRect.left < 0 || sourceRect.top < 0) {
        VESSA_ASSERT(sourceRect.left >= 0 && sourceRect.top >= 0);
        return;
    }

    for (int y = skipY; y < height; ++y) {
        const auto* from = static_cast<const BYTE*>(src->ScanLine(sourceRect.top + y));
        auto* to = static_cast<BYTE*>(dst->ScanLine(originY + y));
        for (int x = skipX; x < width; ++x) {
            const BYTE* pixel = from + (sourceRect.left + x) * 4;
            double weight = pixel[3] / 255.0;
            if (alpha != 255)
                weight *= k;
            BlendPixel(pixel, to + (originX + x) * step, weight);
        }
    }
}

void AlphaBlendBitmap(TBitmap* src, TBitmap* dst, BYTE alpha)
{
    AlphaBlendBitmapRect(src, RECT{0, 0, src->Width(), src->Height()}, dst, POINT{0, 0}, alpha);
}

}  // namespace vessa
