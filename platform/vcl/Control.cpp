#include "platform/vcl/Control.h"

#include <algorithm>

#include "platform/vcl/Form.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/WinControl.h"

HCURSOR CursorHandle(TCursor cursor)
{
    LPCSTR id = nullptr;
    switch (cursor) {
    case crArrow:
        id = IDC_ARROW;
        break;
    case crCross:
        id = IDC_CROSS;
        break;
    case crIBeam:
        id = IDC_IBEAM;
        break;
    case crSizeNESW:
        id = IDC_SIZENESW;
        break;
    case crSizeNS:
        id = IDC_SIZENS;
        break;
    case crSizeNWSE:
        id = IDC_SIZENWSE;
        break;
    case crSizeWE:
        id = IDC_SIZEWE;
        break;
    case crHourGlass:
        id = IDC_WAIT;
        break;
    case crNo:
        id = IDC_NO;
        break;
    case crAppStart:
        id = IDC_APPSTARTING;
        break;
    case crHelp:
        id = IDC_HELP;
        break;
    case crHandPoint:
        id = IDC_HAND;
        break;
    case crSizeAll:
        id = IDC_SIZEALL;
        break;
    default:
        return nullptr;
    }
    return LoadCursorA(nullptr, id);
}

TShiftState KeysToShiftState(WPARAM keys)
{
    TShiftState shift = 0;
    if (keys & MK_SHIFT)
        shift |= ssShift;
    if (keys & MK_CONTROL)
        shift |= ssCtrl;
    if (keys & MK_LBUTTON)
        shift |= ssLeft;
    if (keys & MK_RBUTTON)
        shift |= ssRight;
    if (keys & MK_MBUTTON)
        shift |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0)
        shift |= ssAlt;
    return shift;
}

TShiftState KeyboardShiftState()
{
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0)
        shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0)
        shift |= ssAlt;
    return shift;
}

TControl::TControl(TComponent* owner) : TComponent(owner)
{
    WindowProc = TWndMethod(this, &TControl::WndProc);
    m_font.OnChange = TNotifyEvent(this, &TControl::FontObjectChanged);
}

TControl::~TControl()
{
    Destroying();
    if (m_parent)
        m_parent->RemoveControl(this);
    m_parent = nullptr;
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == m_parent)
        return;
    if (parent == this)
        throw EInvalidOperation("A control cannot have itself as its parent");
    if (m_parent)
        m_parent->RemoveControl(this);
    if (parent) {
        parent->InsertControl(this);
        if (m_parentFont)
            TakeParentFont();
        if (m_parentColor)
            TakeParentColor();
    }
}

void TControl::StoreBounds(int left, int top, int width, int height)
{
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
}

bool TControl::CanResize(int& newWidth, int& newHeight)
{
    bool resize = true;
    OnCanResize(this, newWidth, newHeight, resize);
    return resize;
}

void TControl::Resize()
{
    OnResize(this);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    int newWidth = width < 0 ? 0 : width;
    int newHeight = height < 0 ? 0 : height;
    if ((newWidth != m_width || newHeight != m_height) && !CanResize(newWidth, newHeight))
        return;
    if (left == m_left && top == m_top && newWidth == m_width && newHeight == m_height)
        return;
    bool sized = newWidth != m_width || newHeight != m_height;
    InvalidateVacatedArea();
    StoreBounds(left, top, newWidth, newHeight);
    ApplyBounds();
    Invalidate();
    if (sized)
        Resize();
}

RECT TControl::ClientRect()
{
    return RECT{0, 0, m_width, m_height};
}

void TControl::SetClientSize(int width, int height)
{
    SetBounds(m_left, m_top, width, height);
}

void TControl::SetAutoSize(bool autoSize)
{
    if (autoSize == m_autoSize)
        return;
    m_autoSize = autoSize;
    if (autoSize)
        AdjustSize();
}

void TControl::SetVisible(bool visible)
{
    if (visible == m_visible)
        return;
    if (!visible)
        Invalidate();
    m_visible = visible;
    if (!visible && m_parent) {
        if (m_parent->m_captureControl == this)
            m_parent->SetCaptureControl(nullptr);
        if (m_parent->m_hoverControl == this)
            m_parent->m_hoverControl = nullptr;
    }
    VisibleChanged();
    if (visible)
        Invalidate();
}

bool TControl::Showing() const
{
    for (const TControl* c = this; c; c = c->m_parent)
        if (!c->m_visible)
            return false;
    return true;
}

void TControl::SetEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (!enabled && m_parent && m_parent->m_captureControl == this)
        m_parent->SetCaptureControl(nullptr);
    EnabledChanged();
    Invalidate();
}

void TControl::SetText(const std::string& text)
{
    if (text == m_text)
        return;
    m_text = text;
    TextChanged();
}

void TControl::FontObjectChanged(TObject*)
{
    if (!m_takingParentFont)
        m_parentFont = false;
    FontChanged();
}

void TControl::FontChanged()
{
    if (m_autoSize)
        AdjustSize();
    Invalidate();
}

void TControl::SetParentFont(bool parentFont)
{
    m_parentFont = parentFont;
    if (parentFont)
        TakeParentFont();
}

void TControl::TakeParentFont()
{
    if (!m_parent)
        return;
    m_takingParentFont = true;
    m_font.Assign(m_parent->Font());
    m_takingParentFont = false;
    m_parentFont = true;
}

void TControl::SetColor(TColor color)
{
    m_parentColor = false;
    if (color == m_color)
        return;
    m_color = color;
    ColorChanged();
}

void TControl::SetParentColor(bool parentColor)
{
    m_parentColor = parentColor;
    if (parentColor)
        TakeParentColor();
}

void TControl::TakeParentColor()
{
    if (!m_parent)
        return;
    TColor color = m_parent->Color();
    if (color != m_color) {
        m_color = color;
        ColorChanged();
    }
    m_parentColor = true;
}

bool TControl::ShowHint() const
{
    if (m_parentShowHint && m_parent)
        return m_parent->ShowHint();
    return m_showHint;
}

void TControl::SetShowHint(bool showHint)
{
    m_showHint = showHint;
    m_parentShowHint = false;
}

void TControl::SetPopupMenu(TPopupMenu* menu)
{
    if (m_popupMenu)
        m_popupMenu->RemoveFreeNotification(this);
    m_popupMenu = menu;
    if (menu)
        menu->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == m_popupMenu)
        m_popupMenu = nullptr;
}

void TControl::Invalidate()
{
    if (!m_parent || !m_parent->HandleAllocated() || !m_visible)
        return;
    // A hidden window is painted whole when it is shown: marking parts of
    // it now only costs a trip to the window manager (hundreds while the
    // pages are built).
    if (!IsWindowVisible(m_parent->Handle()))
        return;
    RECT bounds = BoundsRect();
    InvalidateRect(m_parent->Handle(), &bounds, (m_controlStyle & csOpaque) ? FALSE : TRUE);
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::Update()
{
    if (m_parent)
        m_parent->Update();
}

void TControl::BringToFront()
{
    if (!m_parent)
        return;
    auto& list = m_parent->m_controls;
    list.erase(std::find(list.begin(), list.end(), this));
    list.push_back(this);
    Invalidate();
}

void TControl::SendToBack()
{
    if (!m_parent)
        return;
    auto& list = m_parent->m_controls;
    list.erase(std::find(list.begin(), list.end(), this));
    list.insert(list.begin(), this);
    Invalidate();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage message{msg, wParam, lParam, 0};
    TWndMethod method = WindowProc;  // the control may replace it meanwhile
    method(message);
    return message.Result;
}

POINT TControl::ClientToScreen(POINT point) const
{
    point.x += m_left;
    point.y += m_top;
    return m_parent ? m_parent->ClientToScreen(point) : point;
}

POINT TControl::ScreenToClient(POINT point) const
{
    if (m_parent)
        point = m_parent->ScreenToClient(point);
    point.x -= m_left;
    point.y -= m_top;
    return point;
}

bool TControl::MouseCapture() const
{
    return m_parent && m_parent->m_captureControl == this;
}

void TControl::SetMouseCapture(bool capture)
{
    if (!m_parent)
        return;
    if (capture)
        m_parent->SetCaptureControl(this);
    else if (m_parent->m_captureControl == this)
        m_parent->SetCaptureControl(nullptr);
}

void TControl::WndProc(TMessage& message)
{
    Dispatch(message);
}

void TControl::HandleButtonDown(TMessage& message, TMouseButton button, TShiftState extra)
{
    if (m_controlStyle & csCaptureMouse)
        SetMouseCapture(true);
    if (button == mbLeft) {
        m_controlState |= csLButtonDown;
        if ((m_controlStyle & csClickEvents) && !(extra & ssDouble))
            m_controlState |= csClicked;
    }
    MouseDown(button, KeysToShiftState(message.WParam) | extra, message.XPos(), message.YPos());
}

void TControl::HandleButtonUp(TMessage& message, TMouseButton button)
{
    // Read before the capture goes: losing it cancels the press.
    bool clicked = button == mbLeft && (m_controlState & csClicked) != 0;
    if (m_controlStyle & csCaptureMouse)
        SetMouseCapture(false);
    if (button == mbLeft) {
        m_controlState &= ~(csClicked | csLButtonDown);
        POINT point{message.XPos(), message.YPos()};
        RECT client = ClientRect();
        if (clicked && PtInRect(&client, point))
            Click();
    }
    MouseUp(button, KeysToShiftState(message.WParam), message.XPos(), message.YPos());
}

void TControl::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
        HandleButtonDown(message, mbLeft, 0);
        return;
    case WM_RBUTTONDOWN:
        HandleButtonDown(message, mbRight, 0);
        return;
    case WM_MBUTTONDOWN:
        HandleButtonDown(message, mbMiddle, 0);
        return;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
        TMouseButton button = message.Msg == WM_LBUTTONDBLCLK   ? mbLeft
                              : message.Msg == WM_RBUTTONDBLCLK ? mbRight
                                                                : mbMiddle;
        if (!(m_controlStyle & csDoubleClicks)) {
            HandleButtonDown(message, button, 0);
            return;
        }
        if (button == mbLeft && (m_controlStyle & csClickEvents))
            DblClick();
        HandleButtonDown(message, button, ssDouble);
        return;
    }
    case WM_LBUTTONUP:
        HandleButtonUp(message, mbLeft);
        return;
    case WM_RBUTTONUP:
        HandleButtonUp(message, mbRight);
        return;
    case WM_MBUTTONUP:
        HandleButtonUp(message, mbMiddle);
        return;
    case WM_MOUSEMOVE:
        MouseMove(KeysToShiftState(message.WParam), message.XPos(), message.YPos());
        return;
    case WM_CANCELMODE:
        // Capture went elsewhere (a menu, a modal box): the press is over.
        m_controlState &= ~(csClicked | csLButtonDown);
        break;
    default:
        break;
    }
    TComponent::Dispatch(message);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    OnMouseUp(this, button, shift, x, y);
}

void TControl::Click()
{
    OnClick(this);
}

void TControl::DblClick()
{
    OnDblClick(this);
}

TCustomForm* GetParentForm(TControl* control)
{
    while (control && control->Parent())
        control = control->Parent();
    return dynamic_cast<TCustomForm*>(control);
}
