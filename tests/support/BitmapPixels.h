#pragma once
// Pixel access for tests that draw into bitmaps: fill, read and compare
// B, G, R (and A) bytes through the scan lines.

#include <windows.h>

#include <string>

#include "platform/vcl/Bitmap.h"

namespace zxtest {

struct Bgra {
    BYTE b = 0, g = 0, r = 0, a = 0;
    bool operator==(const Bgra& o) const { return b == o.b && g == o.g && r == o.r && a == o.a; }
    bool Grey() const { return b == g && g == r; }
};

inline int BytesPerPixel(TBitmap& bitmap)
{
    return bitmap.PixelFormat() == pf32bit ? 4 : 3;
}

inline BYTE* PixelAt(TBitmap& bitmap, int x, int y)
{
    return static_cast<BYTE*>(bitmap.ScanLine(y)) + x * BytesPerPixel(bitmap);
}

// The alpha byte reads 0 on a 24-bit bitmap.
inline Bgra Get(TBitmap& bitmap, int x, int y)
{
    const BYTE* p = PixelAt(bitmap, x, y);
    return Bgra{p[0], p[1], p[2], static_cast<BYTE>(BytesPerPixel(bitmap) == 4 ? p[3] : 0)};
}

inline void Put(TBitmap& bitmap, int x, int y, Bgra colour)
{
    BYTE* p = PixelAt(bitmap, x, y);
    p[0] = colour.b, p[1] = colour.g, p[2] = colour.r;
    if (BytesPerPixel(bitmap) == 4)
        p[3] = colour.a;
}

inline void Fill(TBitmap& bitmap, TPixelFormat format, int width, int height, Bgra colour)
{
    bitmap.SetPixelFormat(format);
    bitmap.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            Put(bitmap, x, y, colour);
}

// A different colour at every pixel, so that any change shows.
inline void FillPattern(TBitmap& bitmap, TPixelFormat format, int width, int height)
{
    Fill(bitmap, format, width, height, Bgra{});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            Put(bitmap, x, y,
                Bgra{static_cast<BYTE>(x * 7 + y), static_cast<BYTE>(y * 11 + x), static_cast<BYTE>(x ^ y), 255});
}

inline bool SamePixels(TBitmap& a, TBitmap& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (!(Get(a, x, y) == Get(b, x, y)))
                return false;
    return true;
}

}  // namespace zxtest
