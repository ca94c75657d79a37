#include "app/forms/MouseLeaveTracker.h"

void MouseLeaveTracker::Set(TControl* control, const TOutsideTest& outside, const TLeaveAction& leave)
{
    if (control == m_control)
        return;
    if (m_leave)
        m_leave(m_control);
    m_control = control;
    m_outside = outside;
    m_leave = leave;
}

void MouseLeaveTracker::MouseMoved(WPARAM keys, LPARAM position)
{
    if ((keys & MK_LBUTTON) != 0 || !m_outside || m_control == nullptr)
        return;
    // Unsigned on purpose: a point left of or above the client area wraps
    // to a large value and so lies outside every control.
    const int x = static_cast<int>(LOWORD(position)) - m_control->Left();
    const int y = static_cast<int>(HIWORD(position)) - m_control->Top();
    bool outside = false;
    m_outside(m_control, x, y, outside);
    if (!outside)
        return;
    TControl* control = m_control;
    TLeaveAction leave = m_leave;
    Clear();
    if (leave)
        leave(control);
}

void MouseLeaveTracker::Clear()
{
    m_control = nullptr;
    m_outside = nullptr;
    m_leave = nullptr;
}
