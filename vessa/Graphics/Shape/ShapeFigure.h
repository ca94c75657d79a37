#pragma once
// Figures that show one shape through a painter, filled in one colour and
// outlined in another. A shape figure keeps the shape at its original size
// and a current size of its own: it draws a copy of the shape stretched to
// the current size, so scaling never wears the shape down.

#include <algorithm>
#include <cstddef>

#include "platform/vcl/Colors.h"
#include "vessa/Graphics/FigureBase/ScalableFigure.h"
#include "vessa/Graphics/Shape/Shape.h"

namespace vessa {

class ShapeFigure : public ScalableFigure {
public:
    virtual std::size_t ControlPointCount() const = 0;
    virtual void SetControlPoint(int x, int y, std::size_t index) = 0;
    virtual Point GetControlPoint(std::size_t index) const = 0;
    // True when the figure keeps its width and height equal.
    virtual bool KeepsSquare() const = 0;

    TColor frameColor = static_cast<TColor>(0xFF000000);
    TColor fillColor = -1;
    int width = 0;
    int height = 0;
};

template <class Shape, class Painter>
class ShapeFigureAdapter : public ShapeFigure {
public:
    explicit ShapeFigureAdapter(Painter* painter) : m_painter(painter) {}

    void Draw() override { Paint(fillColor, frameColor); }
    void Erase() override
    {
        TColor background = m_painter->BackgroundColor();
        Paint(background, background);
    }
    void MoveBy(int dx, int dy) override { m_shape.Offset(dx, dy); }
    int Left() const override { return m_shape.Bounds().left; }
    int Top() const override { return m_shape.Bounds().top; }
    int Width() const override { return width; }
    int Height() const override { return height; }

    // Only the size to draw at changes; the shape stays as it is.
    void SetSize(int w, int h) override
    {
        if (KeepsSquare())
            w = h = std::min(w, h);
        width = w;
        height = h;
    }
    void ResetOriginal() override { m_shape.Resize(Width(), Height()); }
    int OriginalWidth() const override
    {
        RECT box = m_shape.Bounds();
        return box.right - box.left;
    }
    int OriginalHeight() const override
    {
        RECT box = m_shape.Bounds();
        return box.bottom - box.top;
    }

    std::size_t ControlPointCount() const override { return m_shape.ControlPointCount(); }
    // Moves a point of the shape as it is drawn now; that becomes the shape.
    void SetControlPoint(int x, int y, std::size_t index) override
    {
        Shape copy = Resized();
        copy.SetControlPoint(x, y, index);
        RECT box = copy.Bounds();
        SetSize(box.right - box.left, box.bottom - box.top);
        m_shape = copy;
    }
    Point GetControlPoint(std::size_t index) const override { return m_shape.GetControlPoint(index); }
    bool KeepsSquare() const override { return false; }

    // The shape at its original size, for filling it in.
    Shape& GetShape() { return m_shape; }
    const Shape& GetShape() const { return m_shape; }
    Painter* GetPainter() const { return m_painter; }

private:
    Shape Resized() const
    {
        Shape copy = m_shape;
        copy.Resize(Width(), Height());
        return copy;
    }

    void Paint(TColor fill, TColor frame)
    {
        Shape copy = Resized();
        m_painter->color = fill;
        m_painter->FillShape(copy);
        m_painter->color = frame;
        m_painter->FrameShape(copy);
    }

    Shape m_shape;
    Painter* m_painter;
};

template <class Painter>
class SquareFigure : public ShapeFigureAdapter<BasicSquare<int>, Painter> {
public:
    using ShapeFigureAdapter<BasicSquare<int>, Painter>::ShapeFigureAdapter;
    bool KeepsSquare() const override { return true; }
};

template <class Painter>
class CircleFigure : public ShapeFigureAdapter<BasicCircle<int>, Painter> {
public:
    using ShapeFigureAdapter<BasicCircle<int>, Painter>::ShapeFigureAdapter;
    bool KeepsSquare() const override { return true; }
};

template <class Painter>
class RoundRectFigure : public ShapeFigureAdapter<BasicRoundRect<int>, Painter> {
public:
    using ShapeFigureAdapter<BasicRoundRect<int>, Painter>::ShapeFigureAdapter;
};

template <class Painter>
class EllipseFigure : public ShapeFigureAdapter<BasicEllipse<int>, Painter> {
public:
    using ShapeFigureAdapter<BasicEllipse<int>, Painter>::ShapeFigureAdapter;
};

template <class Painter>
class RectangleFigure : public ShapeFigureAdapter<BasicRectangle<int>, Painter> {
public:
    using ShapeFigureAdapter<BasicRectangle<int>, Painter>::ShapeFigureAdapter;
};

template <class Painter>
class PolygonFigure : public ShapeFigureAdapter<BasicPolygon<int>, Painter> {
public:
    using ShapeFigureAdapter<BasicPolygon<int>, Painter>::ShapeFigureAdapter;
};

}  // namespace vessa
