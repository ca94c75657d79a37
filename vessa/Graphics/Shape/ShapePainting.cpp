#include "vessa/Graphics/Shape/ShapePainting.h"

#include <new>

#include "vessa/Graphics/Graphicutility.h"

namespace vessa {

void PaintFilled(TCanvas* canvas, const BasicRectangle<int>& shape)
{
    DrawRectFilled(canvas, ShapeRect(shape));
}
void PaintOutline(TCanvas* canvas, const BasicRectangle<int>& shape)
{
    DrawRectFrame(canvas, ShapeRect(shape));
}
void PaintFilled(TCanvas* canvas, const BasicSquare<int>& shape)
{
    DrawRectFilled(canvas, ShapeRect(shape));
}
void PaintOutline(TCanvas* canvas, const BasicSquare<int>& shape)
{
    DrawRectFrame(canvas, ShapeRect(shape));
}
void PaintFilled(TCanvas* canvas, const BasicEllipse<int>& shape)
{
    DrawEllipseFilled(canvas, ShapeRect(shape));
}
void PaintOutline(TCanvas* canvas, const BasicEllipse<int>& shape)
{
    DrawEllipseFrame(canvas, ShapeRect(shape));
}
void PaintFilled(TCanvas* canvas, const BasicCircle<int>& shape)
{
    DrawEllipseFilled(canvas, ShapeRect(shape));
}
void PaintOutline(TCanvas* canvas, const BasicCircle<int>& shape)
{
    DrawEllipseFrame(canvas, ShapeRect(shape));
}

void PaintFilled(TCanvas* canvas, const BasicRoundRect<int>& shape)
{
    DrawRoundRectFilled(canvas, ShapeRect(shape), shape.cornerWidth, shape.cornerHeight);
}

// Only the outline, with the brush cleared meanwhile: the inside keeps the
// fill of the filled pass.
void PaintOutline(TCanvas* canvas, const BasicRoundRect<int>& shape)
{
    RECT rect = ShapeRect(shape);
    TBrushStyle style = canvas->Brush()->Style();
    canvas->Brush()->SetStyle(bsClear);
    canvas->RoundRect(rect.left, rect.top, rect.right, rect.bottom, shape.cornerWidth, shape.cornerHeight);
    canvas->Brush()->SetStyle(style);
}

namespace {

// The polygon's points as the canvas takes them, in a temporary array.
template <class Draw>
void PaintPolygon(TCanvas* canvas, const BasicPolygon<int>& shape, Draw draw)
{
    const auto& points = shape.Points();
    if (points.empty())
        return;
    POINT* pointAry = new (std::nothrow) POINT[points.size()];
    VESSA_ASSERT(pointAry != NULL);
    POINT* p = pointAry;
    for (const Point& point : points)
        *p++ = POINT{point.x, point.y};
    draw(canvas, pointAry, static_cast<int>(points.size()));
    delete[] pointAry;
}

}  // namespace

void PaintFilled(TCanvas* canvas, const BasicPolygon<int>& shape)
{
    PaintPolygon(canvas, shape, DrawPolygonFilled);
}
void PaintOutline(TCanvas* canvas, const BasicPolygon<int>& shape)
{
    PaintPolygon(canvas, shape, DrawPolygonFrame);
}

}  // namespace vessa
