#include "app/bars/AdvBar.h"

#include <algorithm>

AdvBar::~AdvBar() = default;

int AdvBar::GetLeft() const
{
    return m_children.empty() ? 0 : m_children.front()->Left();
}

int AdvBar::GetTop() const
{
    return m_children.empty() ? 0 : m_children.front()->Top();
}

bool AdvBar::IsVisible() const
{
    return m_children.empty() ? false : m_children.front()->Visible();
}

void AdvBar::SetVisible(bool visible)
{
    for (TControl* child : m_children)
        child->SetVisible(visible);
}

void AdvBar::SetEnabled(bool enabled)
{
    if (enabled != m_enabled)
        for (TControl* child : m_children)
            child->SetEnabled(enabled);
    m_enabled = enabled;
}

void AdvBar::SetPosition(int position)
{
    position = std::max(std::min(position, m_max), m_min);
    m_position = position;
    SetDotOffset(PositionToOffset(position));
    NotifyChange();
}

void AdvBar::SetPositionIfChanged(int position)
{
    if (position != m_position)
        SetPosition(position);
}

void AdvBar::StepUp()
{
    if (m_position < m_max)
        SetPositionIfChanged(m_position + 1);
}

void AdvBar::StepDown()
{
    if (m_position > m_min)
        SetPositionIfChanged(m_position - 1);
}

void AdvBar::SetMax(int max)
{
    max = std::max(max, m_min);
    if (max == m_max)
        return;
    m_max = max;
    SetPosition(m_position);
}

void AdvBar::NotifyChange()
{
    UpdateValueText();
    m_onChange(nullptr);
}

int AdvBar::PositionToOffset(int position) const
{
    const int length = GetTrackLength();
    if (length <= 0 || m_max <= m_min)
        return 0;
    const double offset = static_cast<double>(position - m_min) / (m_max - m_min) * length + 0.5;
    // Clamped before the conversion, which is only defined within int.
    return static_cast<int>(std::max(0.0, std::min(offset, static_cast<double>(length))));
}

int AdvBar::OffsetToPosition(int offset) const
{
    const int length = GetTrackLength();
    if (length <= 0 || m_max <= m_min)
        return m_min;
    const double position = static_cast<double>(offset) / length * (m_max - m_min) + m_min + 0.5;
    const double clamped = std::max(static_cast<double>(m_min), std::min(position, static_cast<double>(m_max)));
    return static_cast<int>(clamped);
}
