#pragma once
// Rectangle helpers and a plain bitmap copy for the bitmap LED control and
// the skinned controls. Rectangles are RECT: left, top, right, bottom.

#include <windows.h>

#include "platform/vcl/Bitmap.h"

namespace vessa {

inline int RectWidth(const RECT& rect) { return rect.right - rect.left; }
inline int RectHeight(const RECT& rect) { return rect.bottom - rect.top; }

inline void SetRectFromRefs(RECT& rect, const int& left, const int& top, const int& right, const int& bottom)
{
    rect = RECT{left, top, right, bottom};
}

// The colour without the form library's flag byte.
inline TColor ColorRGB(TColor color) { return color & 0xFFFFFF; }

// Copies `source` of the bitmap to (x, y) on `canvas`, same size, as a
// plain source copy whatever copy mode the canvas has (which it keeps).
void CopyBitmapRect(TCanvas* canvas, int x, int y, TBitmap* bitmap, const RECT& source);

}  // namespace vessa
