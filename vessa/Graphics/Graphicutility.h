#pragma once
// Rectangle helpers and a plain bitmap copy for the bitmap LED control and
// the skinned controls. Rectangles are RECT: left, top, right, bottom.

#include <windows.h>

#include "platform/vcl/Bitmap.h"

namespace vessa {

inline int RectWidth(const RECT& rect)
{
    return rect.right - rect.left;
}
inline int RectHeight(const RECT& rect)
{
    return rect.bottom - rect.top;
}

inline void SetRectFromRefs(RECT& rect, const int& left, const int& top, const int& right, const int& bottom)
{
    rect = RECT{left, top, right, bottom};
}

// The colour without the form library's flag byte.
inline TColor ColorRGB(TColor color)
{
    return color & 0xFFFFFF;
}

// Copies `source` of the bitmap to (x, y) on `canvas`, same size, as a
// plain source copy whatever copy mode the canvas has (which it keeps).
void CopyBitmapRect(TCanvas* canvas, int x, int y, TBitmap* bitmap, const RECT& source);

// Canvas routines of the shape painters: each draws one shape and leaves the
// canvas as it found it. Frames draw only the pen's outline (the brush is
// cleared meanwhile); filled shapes are drawn in the brush colour, outline
// included (the pen takes the brush colour meanwhile).
void DrawRectFrame(TCanvas* canvas, const RECT& rect);
void DrawRectFilled(TCanvas* canvas, const RECT& rect);
void DrawEllipseFrame(TCanvas* canvas, const RECT& rect);
void DrawEllipseFilled(TCanvas* canvas, const RECT& rect);
void DrawRoundRectFilled(TCanvas* canvas, const RECT& rect, int cornerWidth, int cornerHeight);
void DrawPolygonFrame(TCanvas* canvas, const POINT* points, int count);
void DrawPolygonFilled(TCanvas* canvas, const POINT* points, int count);

}  // namespace vessa
