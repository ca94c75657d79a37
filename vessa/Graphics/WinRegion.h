#pragma once
// One GDI region, owned for the object's whole life, and built from a
// bitmap by cutting out every pixel of a transparent colour: skinned
// controls take the outline of their picture, so clicks on the cut-out
// parts fall through to what lies behind.

#include <windows.h>

#include "platform/vcl/Bitmap.h"

namespace vessa {

class WinRegion {
public:
    // An empty rectangular region.
    WinRegion();
    // The bitmap's outline without its pixels of `transparent` (FromBitmap).
    WinRegion(TBitmap* bitmap, TColor transparent);
    ~WinRegion();
    WinRegion(const WinRegion&) = delete;
    WinRegion& operator=(const WinRegion&) = delete;

    HRGN Handle() const { return m_region; }

    void SetRect(int left, int top, int right, int bottom);
    void SetEmpty() { SetRect(0, 0, 0, 0); }
    // Moves the region; a failing OffsetRgn is a contract violation.
    void Offset(int dx, int dy);
    // CombineRgn; an ERROR result is a contract violation.
    static void Combine(HRGN destination, HRGN first, HRGN second, int mode);
    // This region minus `other`.
    void Subtract(HRGN other);
    // A new region equal to this one; the caller owns it.
    HRGN Copy() const;

    // The bitmap's rectangle without its pixels of `transparent` (low 24
    // bits; the flag byte plays no part). The bitmap is read in its own
    // pixel format and left untouched; a null bitmap gives an empty region.
    void FromBitmap(TBitmap* bitmap, TColor transparent);

    // Gives the window a copy of this region; returns SetWindowRgn's result.
    int ApplyToWindow(HWND window, bool redraw) const;

private:
    HRGN m_region;
};

// SetWindowRgn that takes `region` in every case: the system owns it after
// a successful call, and it is deleted here when the call fails.
int SetWindowRegion(HWND window, HRGN region, bool redraw);

}  // namespace vessa
