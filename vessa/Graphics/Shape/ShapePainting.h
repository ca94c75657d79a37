#pragma once
// How each shape is painted on a canvas in its brush and pen: filled (the
// outline in the brush colour too) or as the pen's outline alone. The
// painter finds these by the shape's type.

#include "platform/vcl/Canvas.h"
#include "vessa/Graphics/Shape/Shape.h"

namespace vessa {

// The canvas rectangle of a two-corner shape: (left, top) and its size.
template <class Shape>
RECT ShapeRect(const Shape& shape)
{
    return RECT{shape.Left(), shape.Top(), shape.Left() + shape.Width(), shape.Top() + shape.Height()};
}

void PaintFilled(TCanvas* canvas, const BasicRectangle<int>& shape);
void PaintOutline(TCanvas* canvas, const BasicRectangle<int>& shape);
void PaintFilled(TCanvas* canvas, const BasicSquare<int>& shape);
void PaintOutline(TCanvas* canvas, const BasicSquare<int>& shape);
void PaintFilled(TCanvas* canvas, const BasicEllipse<int>& shape);
void PaintOutline(TCanvas* canvas, const BasicEllipse<int>& shape);
void PaintFilled(TCanvas* canvas, const BasicCircle<int>& shape);
void PaintOutline(TCanvas* canvas, const BasicCircle<int>& shape);
void PaintFilled(TCanvas* canvas, const BasicRoundRect<int>& shape);
void PaintOutline(TCanvas* canvas, const BasicRoundRect<int>& shape);
void PaintFilled(TCanvas* canvas, const BasicPolygon<int>& shape);
void PaintOutline(TCanvas* canvas, const BasicPolygon<int>& shape);

}  // namespace vessa
