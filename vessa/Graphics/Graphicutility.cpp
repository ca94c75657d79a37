#include "vessa/Graphics/Graphicutility.h"

namespace vessa {

void CopyBitmapRect(TCanvas* canvas, int x, int y, TBitmap* bitmap, const RECT& source)
{
    if (canvas == nullptr || bitmap == nullptr)
        return;
    DWORD previous = canvas->CopyMode();
    canvas->SetCopyMode(SRCCOPY);
    RECT destination{x, y, x + RectWidth(source), y + RectHeight(source)};
    canvas->CopyRect(destination, bitmap->Canvas(), source);
    canvas->SetCopyMode(previous);
}

namespace {

// Clears the brush for an outline and puts its style back.
class ClearBrush {
public:
    explicit ClearBrush(TCanvas* canvas) : m_brush(canvas->Brush()), m_style(m_brush->Style())
    {
        m_brush->SetStyle(bsClear);
    }
    ~ClearBrush() { m_brush->SetStyle(m_style); }

private:
    TBrush* m_brush;
    TBrushStyle m_style;
};

// Gives the pen the brush colour for a filled shape and puts its colour back.
class PenInBrushColour {
public:
    explicit PenInBrushColour(TCanvas* canvas) : m_pen(canvas->Pen()), m_colour(m_pen->Color())
    {
        m_pen->SetColor(canvas->Brush()->Color());
    }
    ~PenInBrushColour() { m_pen->SetColor(m_colour); }

private:
    TPen* m_pen;
    TColor m_colour;
};

}  // namespace

void DrawRectFrame(TCanvas* canvas, const RECT& rect)
{
    ClearBrush clear(canvas);
    canvas->Rectangle(rect.left, rect.top, rect.right, rect.bottom);
}

void DrawRectFilled(TCanvas* canvas, const RECT& rect)
{
    PenInBrushColour pen(canvas);
    canvas->Rectangle(rect.left, rect.top, rect.right, rect.bottom);
}

void DrawEllipseFrame(TCanvas* canvas, const RECT& rect)
{
    ClearBrush clear(canvas);
    canvas->Ellipse(rect.left, rect.top, rect.right, rect.bottom);
}

void DrawEllipseFilled(TCanvas* canvas, const RECT& rect)
{
    PenInBrushColour pen(canvas);
    canvas->Ellipse(rect.left, rect.top, rect.right, rect.bottom);
}

void DrawRoundRectFilled(TCanvas* canvas, const RECT& rect, int cornerWidth, int cornerHeight)
{
    PenInBrushColour pen(canvas);
    canvas->RoundRect(rect.left, rect.top, rect.right, rect.bottom, cornerWidth, cornerHeight);
}

void DrawPolygonFrame(TCanvas* canvas, const POINT* points, int count)
{
    ClearBrush clear(canvas);
    canvas->Polygon(points, count);
}

void DrawPolygonFilled(TCanvas* canvas, const POINT* points, int count)
{
    PenInBrushColour pen(canvas);
    canvas->Polygon(points, count);
}

}  // namespace vessa
