#pragma once
// The control base: owner and parent, bounds through one virtual SetBounds,
// visibility, enabled state, font, colour, cursor, hint, and the message
// path WindowProc -> WndProc -> Dispatch -> DefaultHandler. Mouse messages
// become MouseDown/MouseMove/MouseUp, Click and DblClick in this order: on
// button-up Click fires before MouseUp; a double click reaches DblClick only
// with csDoubleClicks, else it counts as a press.

#include <windows.h>

#include <string>

#include "platform/vcl/Classes.h"
#include "platform/vcl/GraphicsObjects.h"

class TWinControl;
class TCustomForm;
class TPopupMenu;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftFlag { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
using TShiftState = unsigned;

using TMouseEvent = TClosure<TObject*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = TClosure<TObject*, TShiftState, int, int>;
using TKeyEvent = TClosure<TObject*, WORD&, TShiftState>;
using TKeyPressEvent = TClosure<TObject*, char&>;
using TCanResizeEvent = TClosure<TObject*, int&, int&, bool&>;

// ControlStyle flags.
enum : unsigned {
    csAcceptsControls = 0x1,
    csCaptureMouse = 0x2,
    csClickEvents = 0x8,
    csFramed = 0x10,
    csSetCaption = 0x20,
    csOpaque = 0x40,
    csDoubleClicks = 0x80,
    csFixedWidth = 0x100,
    csFixedHeight = 0x200,
    csNoStdEvents = 0x1000,
};
using TControlStyle = unsigned;

// ControlState flags.
enum : unsigned { csLButtonDown = 0x1, csClicked = 0x2, csCreating = 0x4, csPainting = 0x8 };
using TControlState = unsigned;

using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
// The system cursor for a library cursor (null for crDefault / crNone).
HCURSOR CursorHandle(TCursor cursor);

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

TShiftState KeysToShiftState(WPARAM keys);
TShiftState KeyboardShiftState();

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return m_parent; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void SetLeft(int left) { SetBounds(left, m_top, m_width, m_height); }
    void SetTop(int top) { SetBounds(m_left, top, m_width, m_height); }
    void SetWidth(int width) { SetBounds(m_left, m_top, width, m_height); }
    void SetHeight(int height) { SetBounds(m_left, m_top, m_width, height); }
    // Every bounds change comes here; CanResize may change the size, Resize
    // follows a real size change.
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return RECT{m_left, m_top, m_left + m_width, m_top + m_height}; }
    void SetBoundsRect(const RECT& r) { SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top); }
    virtual RECT ClientRect();
    int ClientWidth()
    {
        RECT r = ClientRect();
        return r.right - r.left;
    }
    int ClientHeight()
    {
        RECT r = ClientRect();
        return r.bottom - r.top;
    }
    void SetClientWidth(int width) { SetClientSize(width, ClientHeight()); }
    void SetClientHeight(int height) { SetClientSize(ClientWidth(), height); }
    virtual void SetClientSize(int width, int height);
    bool AutoSize() const { return m_autoSize; }
    virtual void SetAutoSize(bool autoSize);

    bool Visible() const { return m_visible; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible here and in every parent.
    bool Showing() const;
    bool Enabled() const { return m_enabled; }
    virtual void SetEnabled(bool enabled);

    TControlStyle ControlStyle() const { return m_controlStyle; }
    void SetControlStyle(TControlStyle style) { m_controlStyle = style; }
    TControlState ControlState() const { return m_controlState; }
    void SetControlState(TControlState state) { m_controlState = state; }

    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& caption) { SetText(caption); }
    std::string Text() const { return GetText(); }
    virtual std::string GetText() const { return m_text; }
    virtual void SetText(const std::string& text);

    TFont* Font() { return &m_font; }
    void SetFont(TFont* font) { m_font.Assign(font); }
    bool ParentFont() const { return m_parentFont; }
    void SetParentFont(bool parentFont);
    TColor Color() const { return m_color; }
    virtual void SetColor(TColor color);
    bool ParentColor() const { return m_parentColor; }
    void SetParentColor(bool parentColor);

    TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor cursor) { m_cursor = cursor; }
    const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& hint) { m_hint = hint; }
    // ShowHint follows the parent while ParentShowHint is true; setting it
    // makes it the control's own.
    bool ShowHint() const;
    void SetShowHint(bool showHint);
    bool ParentShowHint() const { return m_parentShowHint; }
    void SetParentShowHint(bool parentShowHint) { m_parentShowHint = parentShowHint; }
    TPopupMenu* PopupMenu() const { return m_popupMenu; }
    void SetPopupMenu(TPopupMenu* menu);

    virtual void Invalidate();
    virtual void Repaint();
    virtual void Update();
    void Refresh() { Repaint(); }
    virtual void BringToFront();
    virtual void SendToBack();

    // Runs the message through WindowProc and returns its result.
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // A window with a handle converts and captures through the system; a
    // graphic control through its parent.
    virtual POINT ClientToScreen(POINT point) const;
    virtual POINT ScreenToClient(POINT point) const;
    virtual bool MouseCapture() const;
    virtual void SetMouseCapture(bool capture);

    // Replaceable entry of the message path; WndProc by default.
    TWndMethod WindowProc;
    virtual void WndProc(TMessage& message);
    void Dispatch(TMessage& message) override;

    virtual void Click();
    virtual void DblClick();
    virtual int DrawTextBiDiModeFlags(int flags) const { return flags; }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnResize;
    TCanResizeEvent OnCanResize;

protected:
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // May change the new size; false refuses the change.
    virtual bool CanResize(int& newWidth, int& newHeight);
    virtual void Resize();
    // AutoSize: sizes the control to its content.
    virtual void AdjustSize() {}
    // Moves the window (windowed controls) once the fields hold the new bounds.
    virtual void ApplyBounds() {}
    // Before a move or resize: a graphic control has its parent repaint the
    // area it leaves; the system does that for a window.
    virtual void InvalidateVacatedArea() { Invalidate(); }
    virtual void VisibleChanged() {}
    virtual void EnabledChanged() {}
    virtual void FontChanged();
    virtual void ColorChanged() { Invalidate(); }
    virtual void TextChanged() { Invalidate(); }
    void Notification(TComponent* component, TOperation operation) override;
    // Fields only (the window already has these bounds).
    void StoreBounds(int left, int top, int width, int height);

    // Parent font/colour taken over by a child.
    void TakeParentFont();
    void TakeParentColor();

private:
    friend class TWinControl;
    void FontObjectChanged(TObject*);
    void HandleButtonDown(TMessage& message, TMouseButton button, TShiftState extra);
    void HandleButtonUp(TMessage& message, TMouseButton button);

    TWinControl* m_parent = nullptr;
    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;
    bool m_autoSize = false;
    bool m_visible = true;
    bool m_enabled = true;
    TControlStyle m_controlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    TControlState m_controlState = 0;
    std::string m_text;
    TFont m_font;
    bool m_parentFont = true;
    bool m_takingParentFont = false;
    TColor m_color = clWindow;
    bool m_parentColor = false;
    TCursor m_cursor = crDefault;
    std::string m_hint;
    bool m_showHint = false;
    bool m_parentShowHint = true;
    TPopupMenu* m_popupMenu = nullptr;
};

// The form a control sits on (walking up the parents), or null.
TCustomForm* GetParentForm(TControl* control);
