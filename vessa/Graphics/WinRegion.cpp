#include "vessa/Graphics/WinRegion.h"

#include <memory>

#include "vessa/System/VessaAssert.h"

namespace vessa {

namespace {

// Calls `cut` (x0, x1) for every horizontal run of pixels equal to
// (blue, green, red) in a row of `pixelBytes` bytes per pixel.
template <typename Cut>
void ForEachRun(const unsigned char* row, int width, int pixelBytes, const unsigned char bgr[3], Cut cut)
{
    auto matches = [&](int x) {
        const unsigned char* p = row + static_cast<size_t>(x) * pixelBytes;
        return p[0] == bgr[0] && p[1] == bgr[1] && p[2] == bgr[2];
    };
    int x = 0;
    while (x < width) {
        while (x < width && !matches(x))
            ++x;
        int start = x;
        while (x < width && matches(x))
            ++x;
        if (x > start)
            cut(start, x);
    }
}

HRGN NewEmptyRegion()
{
    HRGN hrgn = CreateRectRgn(0, 0, 0, 0);
    VESSA_ASSERT_AT(hrgn != NULL, "WinRegion", 563);
    return hrgn;
}

}  // namespace

WinRegion::WinRegion() : m_region(NewEmptyRegion()) {}

WinRegion::WinRegion(TBitmap* bitmap, TColor transparent) : m_region(NewEmptyRegion())
{
    FromBitmap(bitmap, transparent);
}

WinRegion::~WinRegion()
{
    DeleteObject(m_region);
}

void WinRegion::SetRect(int left, int top, int right, int bottom)
{
    BOOL result = SetRectRgn(m_region, left, top, right, bottom);
    VESSA_ASSERT_AT(result != 0, "WINREGION", 257);
}

void WinRegion::Offset(int dx, int dy)
{
    int result = OffsetRgn(m_region, dx, dy);
    VESSA_ASSERT_AT(result != ERROR, "WINREGION", 97);
}

void WinRegion::Combine(HRGN destination, HRGN first, HRGN second, int mode)
{
    int combineResult = CombineRgn(destination, first, second, mode);
    VESSA_ASSERT_AT(combineResult != ERROR, "WINREGION", 247);
}

void WinRegion::Subtract(HRGN other)
{
    Combine(m_region, m_region, other, RGN_DIFF);
}

HRGN WinRegion::Copy() const
{
    HRGN copy = NewEmptyRegion();
    Combine(copy, m_region, nullptr, RGN_COPY);
    return copy;
}

void WinRegion::FromBitmap(TBitmap* bitmap, TColor transparent)
{
    if (bitmap == nullptr || bitmap->Empty()) {
        SetRect(0, 0, 0, 0);
        return;
    }
    const unsigned char bgr[3] = {static_cast<unsigned char>(transparent >> 16),
                                  static_cast<unsigned char>(transparent >> 8),
                                  static_cast<unsigned char>(transparent)};
    SetRect(0, 0, bitmap->Width(), bitmap->Height());

    // 24- and 32-bit rows are read as they are. Any other format is read
    // from a 24-bit copy: converting the bitmap itself and back would lose
    // what the round trip cannot keep (a 32-bit bitmap's alpha bytes).
    TBitmap* source = bitmap;
    std::unique_ptr<TBitmap> converted;
    int bits = BitsPerPixel(bitmap->PixelFormat());
    if (bits != 24 && bits != 32) {
        converted = std::make_unique<TBitmap>();
        converted->Assign(bitmap);
        converted->SetPixelFormat(pf24bit);
        source = converted.get();
        bits = 24;
    }

    WinRegion run;
    for (int y = 0; y < source->Height(); ++y) {
        const auto* row = static_cast<const unsigned char*>(source->ScanLine(y));
        ForEachRun(row, source->Width(), bits / 8, bgr, [&](int x0, int x1) {
            run.SetRect(x0, y, x1, y + 1);
            Subtract(run.Handle());
        });
    }
}

int WinRegion::ApplyToWindow(HWND window, bool redraw) const
{
    return SetWindowRegion(window, Copy(), redraw);
}

int SetWindowRegion(HWND window, HRGN region, bool redraw)
{
    int result = SetWindowRgn(window, region, redraw ? TRUE : FALSE);
    if (result == 0 && region != nullptr)
        DeleteObject(region);
    return result;
}

}  // namespace vessa
