#pragma once
// Figures made of child figures. A composite figure keeps its children
// (not owned) inside its bounding rectangle; the composite scalable figure
// also remembers where each child sat when its geometry was last fixed and
// rescales all of them together.

#include <windows.h>

#include <list>
#include <vector>

#include "vessa/Graphics/Figure/Figure.h"
#include "vessa/Graphics/FigureBase/ScalableFigure.h"
#include "vessa/Graphics/Shape/Shape.h"

namespace vessa {

class CompositeFigure : public Figure {
public:
    using Children = std::list<Figure*>;

    CompositeFigure(int left, int top, int right, int bottom);

    // Appends `figurePtr`, which must lie inside the bounds.
    void Add(Figure* figurePtr);
    // Takes `figurePtr` out of the child list; false when it is not there.
    bool Remove(Figure* figurePtr);
    // New bounds; every child must lie inside them.
    void SetBounds(const RECT& rect);

    void Draw() override;
    void Erase() override;
    void MoveBy(int dx, int dy) override;
    int Left() const override { return m_left; }
    int Top() const override { return m_top; }
    int Width() const override { return m_width; }
    int Height() const override { return m_height; }

    const Children& GetChildren() const { return m_children; }

private:
    int m_left;
    int m_top;
    int m_width;
    int m_height;
    Children m_children;
};

class CompositeScalableFig : public ScalableFigure {
public:
    CompositeScalableFig();
    CompositeScalableFig(int left, int top, int right, int bottom);

    // Makes the present geometry the original, then appends `figure`, which
    // must lie inside the bounds.
    void Add(ScalableFigure* figure);
    // Takes `figure` out, then makes the present geometry the original.
    void Remove(ScalableFigure* figure);
    // The size to scale from becomes the rectangle's; the bounds start at
    // its left and top and keep the present right and bottom.
    void SetOriginalBounds(const RECT& rect);

    void Draw() override { m_composite.Draw(); }
    void Erase() override { m_composite.Erase(); }
    void MoveBy(int dx, int dy) override { m_composite.MoveBy(dx, dy); }
    int Left() const override { return m_composite.Left(); }
    int Top() const override { return m_composite.Top(); }
    int Width() const override { return m_composite.Width(); }
    int Height() const override { return m_composite.Height(); }

    // Scales every child's offset and original size by (width, height) over
    // the original size, truncating toward zero.
    void SetSize(int width, int height) override;
    void ResetOriginal() override;
    int OriginalWidth() const override { return m_originalWidth; }
    int OriginalHeight() const override { return m_originalHeight; }

    std::size_t ChildCount() const { return m_composite.GetChildren().size(); }

private:
    int m_originalWidth;
    int m_originalHeight;
    std::vector<Point> m_offsets;
    CompositeFigure m_composite;
};

}  // namespace vessa
