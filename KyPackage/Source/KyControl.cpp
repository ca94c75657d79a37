#include "KyPackage/Source/KyControl.h"

KyControl::KyControl(TComponent* owner, bool clicksDisabled) : TWinControl(owner), m_clicksDisabled(clicksDisabled)
{
    SetControlStyle(ControlStyle() | csOpaque);
}

void KyControl::SetEnabled(bool enabled)
{
    if (enabled == Enabled())
        return;
    if (enabled) {
        ShowRaised();
    } else {
        CancelPress();
        CancelHover();
        ShowDisabled();
    }
    TWinControl::SetEnabled(enabled);
}

void KyControl::SetShowMouseOver(bool show)
{
    if (!show && m_showMouseOver)
        CancelHover();
    m_showMouseOver = show;
}

void KyControl::SetClicksDisabled(bool disabled)
{
    // Re-enabling ends a press still held from before clicks were disabled.
    if (!disabled && m_clicksDisabled)
        CancelPress();
    m_clicksDisabled = disabled;
}

bool KyControl::HitTest(int x, int y)
{
    return x >= 0 && x < Width() && y >= 0 && y < Height();
}

void KyControl::Dispatch(TMessage& message)
{
    if (message.Msg == WM_MOUSELEAVE) {
        WMMouseLeave(message);
        return;
    }
    if (message.Msg == WM_CAPTURECHANGED && reinterpret_cast<HWND>(message.LParam) != Handle())
        CaptureLost();
    TWinControl::Dispatch(message);
}

void KyControl::CaptureLost()
{
    // A menu or a modal box took the mouse: the press is over, without a
    // click, and must not stay on screen.
    if (!m_mousePressed)
        return;
    m_mousePressed = false;
    if (!m_keyPressed)
        ShowReleased();
}

void KyControl::WMMouseLeave(TMessage&)
{
    if (m_inside)
        MouseLeave();
}

void KyControl::ShowPressed()
{
    if (!Focused() && TabStop())
        SetFocus();
    ShowSunken();
}

void KyControl::ShowReleased()
{
    if ((m_showMouseOver && m_inside) || Focused())
        ShowFocused();
    else
        ShowRaised();
}

void KyControl::CancelPress()
{
    if (m_keyPressed || m_mousePressed) {
        ShowReleased();
        m_keyPressed = false;
        m_mousePressed = false;
    }
}

void KyControl::CancelHover()
{
    if (!m_inside)
        return;
    m_inside = false;
    if (!m_mousePressed && !Focused() && m_showMouseOver)
        ShowRaised();
}

void KyControl::MouseEnter(bool leftButtonDown)
{
    // With clicks disabled a held button is no press: the pointer hovers.
    if (leftButtonDown && !m_clicksDisabled) {
        ShowPressed();
        m_mousePressed = true;
    } else if (m_showMouseOver && !Focused()) {
        ShowFocused();
    }
    m_inside = true;
    OnMouseEnter(this);
}

void KyControl::MouseLeave()
{
    m_inside = false;
    if (m_mousePressed) {
        // The press is dropped without a click look, and silently.
        m_mousePressed = false;
        if (!m_keyPressed)
            ShowReleased();
        return;
    }
    if (!Focused() && m_showMouseOver)
        ShowRaised();
    OnMouseLeave(this);
}

void KyControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && HitTest(x, y) && !m_clicksDisabled) {
        m_mousePressed = true;
        if (!m_keyPressed)
            ShowPressed();
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void KyControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == mbLeft && !m_clicksDisabled) {
        if (m_mousePressed && !m_keyPressed)
            ShowReleased();
        m_mousePressed = false;
    }
    TWinControl::MouseUp(button, shift, x, y);
}

void KyControl::MouseMove(TShiftState shift, int x, int y)
{
    if (m_showMouseOver || !m_clicksDisabled) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), HOVER_DEFAULT};
        TrackMouseEvent(&track);
        bool hit = HitTest(x, y);
        if (hit && !m_inside)
            MouseEnter((shift & ssLeft) != 0);
        else if (!hit && m_inside)
            MouseLeave();
    }
    TWinControl::MouseMove(shift, x, y);
}

void KyControl::KeyDown(WORD& key, TShiftState shift)
{
    if (IsPressKey(key) && !m_clicksDisabled) {
        m_keyPressed = true;
        if (!m_mousePressed)
            ShowPressed();
    }
    TWinControl::KeyDown(key, shift);
}

void KyControl::KeyUp(WORD& key, TShiftState shift)
{
    if (IsPressKey(key) && !m_clicksDisabled && !m_mousePressed) {
        if (m_keyPressed)
            ShowReleased();
        m_keyPressed = false;
    }
    TWinControl::KeyUp(key, shift);
}

void KyControl::DoEnter()
{
    if (!PressInProgress() && !(m_showMouseOver && m_inside))
        ShowFocused();
    TWinControl::DoEnter();
}

void KyControl::DoExit()
{
    if (m_keyPressed && !m_mousePressed) {
        ShowReleased();
        m_keyPressed = false;
    } else if (!PressInProgress() && !(m_showMouseOver && m_inside)) {
        ShowRaised();
    }
    TWinControl::DoExit();
}
