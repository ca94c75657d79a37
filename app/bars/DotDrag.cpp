#include "app/bars/DotDrag.h"

#include <algorithm>
#include <utility>

#include "app/bars/AdvBar.h"

DotDrag::DotDrag(AdvBar& bar, Axis axis, std::function<void()> showDot)
    : m_bar(bar), m_axis(axis), m_showDot(std::move(showDot))
{
}

void DotDrag::Attach(TControl* dot)
{
    m_dot = dot;
    if (dot != nullptr)
        dot->WindowProc = TWndMethod(this, &DotDrag::DotMessage);
}

void DotDrag::DotMessage(TMessage& message)
{
    // The form passes a lost capture on to the control that held it.
    if (message.Msg == WM_CANCELMODE || message.Msg == WM_CAPTURECHANGED)
        End();
    m_dot->WndProc(message);
}

void DotDrag::Press(TMouseButton button, int x, int y)
{
    if (button != mbLeft)
        return;
    m_dragging = true;
    m_grip = m_axis == Axis::kAlongX ? x : y;
}

void DotDrag::Move(int x, int y)
{
    if (!m_dragging)
        return;
    // The pointer's distance from the grip, in the direction that raises.
    const int shift = m_axis == Axis::kAlongX ? x - m_grip : m_grip - y;
    const int current = m_bar.GetDotOffset();
    const int offset = std::max(0, std::min(current + shift, std::max(m_bar.GetTrackLength(), 0)));
    if (offset == current)
        return;
    m_bar.SetDotOffset(offset);
    const int position = m_bar.OffsetToPosition(offset);
    if (position == m_bar.GetPosition()) {
        m_showDot();
        return;
    }
    m_bar.SetPositionQuietly(position);
    m_bar.NotifyChange();
}

void DotDrag::End()
{
    if (!m_dragging)
        return;
    m_dragging = false;
    // Every new position was announced while the dot moved.
    m_bar.SetDotOffset(m_bar.PositionToOffset(m_bar.GetPosition()));
    m_showDot();
}
