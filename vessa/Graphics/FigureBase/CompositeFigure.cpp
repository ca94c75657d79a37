#include "vessa/Graphics/FigureBase/CompositeFigure.h"

#include <algorithm>
#include <iterator>

#include "vessa/System/VessaAssert.h"

namespace vessa {

CompositeFigure::CompositeFigure(int left, int top, int right, int bottom)
    : m_left(left), m_top(top), m_width(right - left), m_height(bottom - top)
{
    VESSA_ASSERT(m_width >= 0 && m_height >= 0);
}

void CompositeFigure::Add(Figure* figurePtr)
{
    VESSA_ASSERT(figurePtr->Left() >= m_left && figurePtr->Top() >= m_top &&
                 figurePtr->Left() + figurePtr->Width() <= m_left + m_width &&
                 figurePtr->Top() + figurePtr->Height() <= m_top + m_height);
    m_children.push_back(figurePtr);
}

bool CompositeFigure::Remove(Figure* figurePtr)
{
    auto found = std::find(m_children.begin(), m_children.end(), figurePtr);
    if (found == m_children.end())
        return false;
    m_children.erase(found);
    return true;
}

void CompositeFigure::SetBounds(const RECT& rect)
{
    m_left = rect.left;
    m_top = rect.top;
    m_width = rect.right - rect.left;
    m_height = rect.bottom - rect.top;
    VESSA_ASSERT(m_width >= 0 && m_height >= 0);
    for (auto first = m_children.begin(); first != m_children.end(); ++first)
        VESSA_ASSERT((*first)->Left() >= rect.left && (*first)->Top() >= rect.top &&
                     (*first)->Width() + (*first)->Left() <= rect.right &&
                     (*first)->Height() + (*first)->Top() <= rect.bottom);
}

void CompositeFigure::Draw()
{
    for (Figure* child : m_children)
        child->Draw();
}

void CompositeFigure::Erase()
{
    for (Figure* child : m_children)
        child->Erase();
}

void CompositeFigure::MoveBy(int dx, int dy)
{
    for (Figure* child : m_children)
        child->MoveBy(dx, dy);
    m_left += dx;
    m_top += dy;
}

CompositeScalableFig::CompositeScalableFig() : CompositeScalableFig(0, 0, 0, 0) {}

CompositeScalableFig::CompositeScalableFig(int left, int top, int right, int bottom)
    : m_originalWidth(right - left), m_originalHeight(bottom - top), m_composite(left, top, right, bottom)
{
}

// Only scalable figures are ever added, so the children can be scaled.
static ScalableFigure* Scalable(Figure* child)
{
    return static_cast<ScalableFigure*>(child);
}

void CompositeScalableFig::Add(ScalableFigure* figure)
{
    ResetOriginal();
    m_composite.Add(figure);
    m_offsets.push_back(Point{figure->Left() - Left(), figure->Top() - Top()});
}

void CompositeScalableFig::Remove(ScalableFigure* figure)
{
    const auto& children = m_composite.GetChildren();
    auto found = std::find(children.begin(), children.end(), static_cast<Figure*>(figure));
    if (found != children.end()) {
        m_offsets.erase(m_offsets.begin() + std::distance(children.begin(), found));
        m_composite.Remove(figure);
    }
    ResetOriginal();
}

void CompositeScalableFig::SetOriginalBounds(const RECT& rect)
{
    m_originalWidth = rect.right - rect.left;
    m_originalHeight = rect.bottom - rect.top;
    m_composite.SetBounds(RECT{rect.left, rect.top, Left() + Width(), Top() + Height()});
}

void CompositeScalableFig::ResetOriginal()
{
    m_offsets.clear();
    for (Figure* child : m_composite.GetChildren()) {
        Scalable(child)->ResetOriginal();
        m_offsets.push_back(Point{child->Left() - Left(), child->Top() - Top()});
    }
    m_originalWidth = Width();
    m_originalHeight = Height();
}

void CompositeScalableFig::SetSize(int width, int height)
{
    VESSA_ASSERT(m_originalWidth > 0 && m_originalHeight > 0);
    float sx = static_cast<float>(width) / m_originalWidth;
    float sy = static_cast<float>(height) / m_originalHeight;
    auto offset = m_offsets.begin();
    for (Figure* child : m_composite.GetChildren()) {
        ScalableFigure* figure = Scalable(child);
        int targetLeft = Left() + static_cast<int>(offset->x * sx);
        int targetTop = Top() + static_cast<int>(offset->y * sy);
        int newWidth = static_cast<int>(figure->OriginalWidth() * sx);
        int newHeight = static_cast<int>(figure->OriginalHeight() * sy);
        figure->MoveBy(targetLeft - figure->Left(), targetTop - figure->Top());
        figure->SetSize(newWidth, newHeight);
        ++offset;
    }
    m_composite.SetBounds(RECT{Left(), Top(), Left() + width, Top() + height});
}

}  // namespace vessa
