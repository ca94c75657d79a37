#pragma once
// Capturing a canvas rectangle and blending 32-bit bitmaps (B, G, R, A with
// straight alpha) onto 24-bit or 32-bit bitmaps. Skins, labels and images use
// these to lay semi-transparent pictures over what lies beneath them.

#include <windows.h>

#include "platform/vcl/Bitmap.h"

namespace vessa {

// `bitmap` becomes a 24-bit copy of `rect` of `canvas`.
void CaptureCanvasRect(TCanvas* canvas, TBitmap* bitmap, const RECT& rect);

// Blends `sourceRect` of `src` onto `dst`, its top-left corner at `origin`.
// Each pixel weighs its own alpha, times alpha / 255 when `alpha` is not
// 255. A 32-bit `dst` keeps its alpha bytes; any other `dst` becomes 24-bit.
// The area is clipped to `dst`; the source must hold the clipped area.
void AlphaBlendBitmapRect(TBitmap* src, const RECT& sourceRect, TBitmap* dst, POINT origin, BYTE alpha);

// The whole of `src` onto `dst` at (0, 0).
void AlphaBlendBitmap(TBitmap* src, TBitmap* dst, BYTE alpha);

// Fills `copy` with `source` as 32-bit pixels. A source without an alpha
// channel counts as opaque (alpha 255).
void CopyAsBgra(TBitmap* source, TBitmap* copy);

}  // namespace vessa
