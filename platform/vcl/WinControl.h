#pragma once
// A control with its own window. The window is made on demand after
// construction (HandleNeeded), from the virtual CreateParams, under a window
// class named after the C++ class. It keeps its children in z-order; the
// windowless ones are painted by it during WM_PAINT (through an off-screen
// buffer when DoubleBuffered) and get the mouse messages over them in their
// own coordinates, with mouse capture from button-down to button-up.

#include <windows.h>

#include <string>
#include <vector>

#include "platform/vcl/Control.h"

// The sunken client edge of a list box or edit, or none.
enum TBorderStyle { bsNoBorder, bsSingleBorder };

struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    // Window class: name, class style, cursor, and the system class to
    // build on ("EDIT", "LISTBOX"; empty for the library's own windows).
    std::string WinClassName;
    UINT ClassStyle = CS_DBLCLKS;
    HCURSOR ClassCursor = nullptr;
    std::string SubclassOf;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    HWND Handle();
    bool HandleAllocated() const { return m_handle != nullptr; }
    void HandleNeeded();
    // Destroys and makes the window again (after a change of CreateParams).
    void RecreateWnd();
    // For a window without a parent control: the owner / parent window.
    HWND ParentWindow() const { return m_parentWindow; }
    void SetParentWindow(HWND window);

    int ControlCount() const { return static_cast<int>(m_controls.size()); }
    TControl* Controls(int index) const { return m_controls.at(index); }
    // Topmost visible windowless child at `point` (client coordinates).
    TControl* ControlAtPos(POINT point, bool allowDisabled) const;

    bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool tabStop);
    int TabOrder() const { return m_tabOrder; }
    void SetTabOrder(int order) { m_tabOrder = order; }
    virtual bool CanFocus() const;
    virtual void SetFocus();
    virtual bool Focused() const;
    bool DoubleBuffered() const { return m_doubleBuffered; }
    void SetDoubleBuffered(bool on) { m_doubleBuffered = on; }
    TBrush* Brush() { return &m_brush; }

    RECT ClientRect() override;
    void SetClientSize(int width, int height) override;
    void SetEnabled(bool enabled) override;
    std::string GetText() const override;
    void SetText(const std::string& text) override;
    void Invalidate() override;
    void Repaint() override;
    void Update() override;
    void BringToFront() override;
    void SendToBack() override;
    POINT ClientToScreen(POINT point) const override;
    POINT ScreenToClient(POINT point) const override;
    bool MouseCapture() const override;
    void SetMouseCapture(bool capture) override;

    void WndProc(TMessage& message) override;
    void Dispatch(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    // Paints the windowless children into `dc` (origin = this client area).
    void PaintControls(HDC dc);
    // The windowless child that holds the mouse (set on its button-down).
    TControl* CaptureControl() const { return m_captureControl; }
    void SetCaptureControl(TControl* control);

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateHandle();
    // Destroys the window and, with it, the children's windows.
    virtual void DestroyHandle();
    // Lets go of the window (and the children's) without destroying it: for
    // a window the system is about to destroy with its parent's. What the
    // object keeps of the window (its text) is read first.
    virtual void ReleaseHandle();
    // Called once the window exists (children, font, items are pushed here).
    virtual void CreateWnd();
    virtual void PaintWindow(HDC dc) {}
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(char& key);
    virtual void DoEnter();
    virtual void DoExit();
    // True for windows built on a system class: it paints itself.
    bool IsSystemControl() const { return m_systemControl; }
    void ApplyBounds() override;
    void InvalidateVacatedArea() override {}
    void FontChanged() override;
    void ColorChanged() override;
    void VisibleChanged() override;
    // Shows or hides the window; forms override it to activate.
    virtual void ShowHandle(bool visible);

private:
    friend class TControl;
    friend LRESULT CALLBACK StdWndProc(HWND, UINT, WPARAM, LPARAM);
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void AttachHandle(HWND handle);
    void DetachHandle();
    // This control or one of its parents is being destroyed.
    bool IsGoing() const;
    void ReadBoundsFromWindow();
    // Message handlers (WinControlMessages.cpp); those returning bool
    // return false to pass the message on to the base.
    bool RouteMouseToControl(TMessage& message);
    void SetHoverControl(TControl* control);
    void CaptureChanged(TMessage& message);
    bool PaintMessage(TMessage& message);
    void PaintInto(HDC dc);
    void PaintBuffered(HDC dc, const RECT& area);
    bool EraseBackground(TMessage& message);
    bool HandleSetCursor(TMessage& message);
    bool ReflectNotification(TMessage& message);
    void ReflectToChild(TMessage& message, HWND child);
    bool ReflectMeasureItem(TMessage& message);
    void ColorChildControl(TMessage& message);
    bool KeyMessage(TMessage& message);
    bool ShowContextMenu(TMessage& message);

    HWND m_handle = nullptr;
    HWND m_parentWindow = nullptr;
    WNDPROC m_defaultProc = nullptr;
    bool m_systemControl = false;
    bool m_settingBounds = false;
    std::vector<TControl*> m_controls;
    TControl* m_captureControl = nullptr;
    TControl* m_hoverControl = nullptr;
    bool m_trackingLeave = false;
    bool m_childrenDue = false;  // CM_CREATECHILDREN posted, not yet handled
    bool m_tabStop = false;
    int m_tabOrder = -1;
    bool m_doubleBuffered = false;
    TBrush m_brush;
};

// The library control behind a window of either module, or null.
TWinControl* FindControl(HWND window);
