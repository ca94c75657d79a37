#pragma once
// The interaction state machine of the skinned controls: mouse press, key
// press, mouse-over and focus become calls of four visual operations
// (raised, sunken, focused, disabled). This class draws nothing; the focused
// look doubles as the mouse-over look.

#include "platform/vcl/WinControl.h"

class KyControl : public TWinControl {
public:
    KyControl(TComponent* owner, bool clicksDisabled);

    void SetEnabled(bool enabled) override;
    virtual bool GetChecked() { return false; }
    virtual void SetChecked(bool) {}

    bool ShowMouseOver() const { return m_showMouseOver; }
    void SetShowMouseOver(bool show);
    bool ClicksDisabled() const { return m_clicksDisabled; }
    void SetClicksDisabled(bool disabled);

    void Dispatch(TMessage& message) override;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    virtual void ShowRaised() {}
    virtual void ShowDisabled() { ShowRaised(); }
    virtual void ShowFocused() { ShowRaised(); }
    virtual void ShowSunken() { ShowRaised(); }
    // Client coordinates; the whole client area here.
    virtual bool HitTest(int x, int y);
    virtual void WMMouseLeave(TMessage& message);

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyUp(WORD& key, TShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;

    bool PressInProgress() const { return m_keyPressed || m_mousePressed; }

private:
    void ShowPressed();
    void ShowReleased();
    void CancelPress();
    void CancelHover();
    void MouseEnter(bool leftButtonDown);
    void MouseLeave();
    void CaptureLost();
    static bool IsPressKey(WORD key) { return key == VK_SPACE || key == VK_RETURN; }

    bool m_showMouseOver = true;
    bool m_inside = false;
    bool m_keyPressed = false;
    bool m_mousePressed = false;
    bool m_clicksDisabled;
};
