#pragma once
// Drawing a rectangle of a 32-bit image with per-pixel alpha onto an
// ordinary bitmap, faded by one more alpha value. The weights are
// (alpha / 255) × a for the source and 1 − a for the destination (a = the
// pixel's own alpha / 255): below full alpha a covered pixel also darkens.

#include <windows.h>

#include "platform/vcl/Bitmap.h"

// Blends `source` from `sourceOrigin` into `rect` of `destination` (which
// becomes 24-bit), clipped to both bitmaps on all four sides. The source
// must be 32-bit (a contract violation otherwise). Returns the number of
// rows blended; 0 when nothing overlaps or a bitmap is missing.
int AlphaBlendRect(TBitmap* destination, const RECT& rect, TBitmap* source, POINT sourceOrigin, BYTE alpha);
