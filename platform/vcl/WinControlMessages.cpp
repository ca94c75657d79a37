// TWinControl's message path: mouse routing to the windowless children,
// painting, reflection of notifications to the child they came from, keys,
// the cursor and the context menu. Dispatch only picks the handler.

#include <algorithm>
#include <vector>

#include "platform/vcl/Application.h"
#include "platform/vcl/GdiGuards.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/WinControl.h"

namespace {

bool IsWindowless(TControl* control)
{
    return dynamic_cast<TWinControl*>(control) == nullptr;
}

}  // namespace

void TWinControl::SetHoverControl(TControl* control)
{
    if (control == m_hoverControl)
        return;
    TControl* previous = m_hoverControl;
    m_hoverControl = control;
    if (previous)
        previous->Perform(CM_MOUSELEAVE);
    if (control) {
        control->Perform(CM_MOUSEENTER);
        if (!m_trackingLeave && m_handle) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, m_handle, HOVER_DEFAULT};
            m_trackingLeave = TrackMouseEvent(&track) != FALSE;
        }
    }
}

bool TWinControl::RouteMouseToControl(TMessage& message)
{
    POINT point{message.XPos(), message.YPos()};
    TControl* under = ControlAtPos(point, false);
    if (message.Msg == WM_MOUSEMOVE)
        SetHoverControl(under);
    TControl* target = m_captureControl ? m_captureControl : under;
    if (!target)
        return false;
    LPARAM local =
        MAKELPARAM(static_cast<short>(point.x - target->Left()), static_cast<short>(point.y - target->Top()));
    message.Result = target->Perform(message.Msg, message.WParam, local);
    return true;
}

void TWinControl::CaptureChanged(TMessage& message)
{
    if (m_captureControl) {
        // Taken away (a menu, a modal box): the windowless child's press ends.
        TControl* lost = m_captureControl;
        m_captureControl = nullptr;
        lost->Perform(WM_CANCELMODE);
    } else if (reinterpret_cast<HWND>(message.LParam) != m_handle) {
        SetControlState(ControlState() & ~(csClicked | csLButtonDown));
    }
}

void TWinControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        if (RouteMouseToControl(message))
            return;
        break;
    case WM_MOUSELEAVE:
        m_trackingLeave = false;
        SetHoverControl(nullptr);
        break;
    case WM_CAPTURECHANGED:
        CaptureChanged(message);
        break;
    default:
        break;
    }
    TControl::WndProc(message);
}

void TWinControl::Dispatch(TMessage& message)
{
    bool handled = false;
    switch (message.Msg) {
    case WM_PAINT:
        handled = PaintMessage(message);
        break;
    case WM_ERASEBKGND:
        handled = EraseBackground(message);
        break;
    case WM_SETCURSOR:
        handled = HandleSetCursor(message);
        break;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        handled = ReflectNotification(message);
        break;
    case WM_MEASUREITEM:
        handled = ReflectMeasureItem(message);
        break;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLORBTN:
        ColorChildControl(message);
        handled = true;
        break;
    case WM_SETFOCUS:
        DoEnter();
        break;
    case WM_KILLFOCUS:
        DoExit();
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
        handled = KeyMessage(message);
        break;
    case WM_WINDOWPOSCHANGED:
        if (!m_settingBounds)
            ReadBoundsFromWindow();
        break;
    case WM_CONTEXTMENU:
        handled = ShowContextMenu(message);
        break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        // A system control does its own mouse work first (a list box
        // selects the pressed entry, an edit takes the caret), so that the
        // mouse events below see the result, as the user does.
        if (m_systemControl)
            DefaultHandler(message);
        break;
    case CM_CREATECHILDREN:
        m_childrenDue = false;
        // Windows for a program that is about to end would never be seen;
        // a later need still makes them on demand.
        if (!(Application && Application->EndWaiting()))
            CreateWnd();
        handled = true;
        break;
    default:
        break;
    }
    if (!handled)
        TControl::Dispatch(message);
}

void TWinControl::DefaultHandler(TMessage& message)
{
    if (message.Msg >= CN_BASE && message.Msg < CN_BASE + WM_USER)
        return;  // a reflected notification nobody handled
    if (message.Msg >= CM_BASE && message.Msg < CN_BASE)
        return;  // the library's own messages
    if (m_handle)
        message.Result = CallWindowProcA(m_defaultProc ? m_defaultProc : DefWindowProcA, m_handle, message.Msg,
                                         message.WParam, message.LParam);
}

bool TWinControl::PaintMessage(TMessage& message)
{
    if (m_systemControl)
        return false;
    if (message.WParam) {
        PaintInto(reinterpret_cast<HDC>(message.WParam));
        return true;
    }
    TPaintSession paint(m_handle);
    if (m_doubleBuffered)
        PaintBuffered(paint.Dc(), paint.Area());
    else
        PaintInto(paint.Dc());
    return true;
}

void TWinControl::PaintInto(HDC dc)
{
    PaintWindow(dc);
    PaintControls(dc);
}

void TWinControl::PaintBuffered(HDC dc, const RECT& area)
{
    RECT client;
    GetClientRect(m_handle, &client);
    TMemoryDC memory(dc);
    TGdiObject buffer(CreateCompatibleBitmap(dc, std::max<LONG>(1, client.right), std::max<LONG>(1, client.bottom)));
    TSelection selected(memory.Get(), buffer.Get());
    IntersectClipRect(memory.Get(), area.left, area.top, area.right, area.bottom);
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory.Get()), reinterpret_cast<LPARAM>(memory.Get()));
    PaintInto(memory.Get());
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, memory.Get(), area.left, area.top,
           SRCCOPY);
}

void TWinControl::PaintControls(HDC dc)
{
    for (TControl* control : std::vector<TControl*>(m_controls)) {
        if (!IsWindowless(control) || !control->Visible())
            continue;
        RECT bounds = control->BoundsRect();
        if (!RectVisible(dc, &bounds))
            continue;
        TSavedDC saved(dc);
        POINT origin;
        GetWindowOrgEx(dc, &origin);
        SetWindowOrgEx(dc, origin.x - control->Left(), origin.y - control->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, control->Width(), control->Height());
        control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
}

bool TWinControl::EraseBackground(TMessage& message)
{
    if (m_systemControl)
        return false;
    if (m_doubleBuffered && message.WParam != static_cast<WPARAM>(message.LParam)) {
        message.Result = 1;  // the paint erases into its buffer
        return true;
    }
    RECT client = ClientRect();
    ::FillRect(reinterpret_cast<HDC>(message.WParam), &client, m_brush.Handle());
    message.Result = 1;
    return true;
}

bool TWinControl::HandleSetCursor(TMessage& message)
{
    if (LOWORD(message.LParam) != HTCLIENT || reinterpret_cast<HWND>(message.WParam) != m_handle)
        return false;
    POINT point;
    GetCursorPos(&point);
    ::ScreenToClient(m_handle, &point);
    TControl* control = m_captureControl ? m_captureControl : ControlAtPos(point, false);
    TCursor cursor = control ? control->Cursor() : crDefault;
    if (cursor == crDefault)
        cursor = Cursor();
    HCURSOR handle = CursorHandle(cursor);
    if (!handle)
        return false;
    ::SetCursor(handle);
    message.Result = TRUE;
    return true;
}

bool TWinControl::ReflectNotification(TMessage& message)
{
    HWND child = nullptr;
    switch (message.Msg) {
    case WM_COMMAND:
        child = reinterpret_cast<HWND>(message.LParam);
        if (!child)
            return false;  // a menu or an accelerator
        break;
    case WM_NOTIFY:
        child = reinterpret_cast<NMHDR*>(message.LParam)->hwndFrom;
        break;
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
        if (item->CtlType == ODT_MENU)
            return false;
        child = item->hwndItem;
        break;
    }
    default:  // WM_CTLCOLOR*
        child = reinterpret_cast<HWND>(message.LParam);
        break;
    }
    ReflectToChild(message, child);
    return true;
}

void TWinControl::ReflectToChild(TMessage& message, HWND child)
{
    TWinControl* control = FindControl(child);
    if (control && control != this)
        message.Result = control->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
    else
        DefaultHandler(message);
}

bool TWinControl::ReflectMeasureItem(TMessage& message)
{
    // The item has no window yet to name it: the child is found by its id.
    auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
    if (item->CtlType == ODT_MENU)
        return false;
    for (TControl* child : m_controls) {
        auto* windowed = dynamic_cast<TWinControl*>(child);
        if (windowed && windowed->m_handle && GetDlgCtrlID(windowed->m_handle) == static_cast<int>(item->CtlID)) {
            message.Result = windowed->Perform(CN_MEASUREITEM, message.WParam, message.LParam);
            return true;
        }
    }
    return false;
}

void TWinControl::ColorChildControl(TMessage& message)
{
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    SetBkColor(dc, ColorToRGB(Color()));
    message.Result = reinterpret_cast<LRESULT>(m_brush.Handle());
}

bool TWinControl::KeyMessage(TMessage& message)
{
    // A handler that sets the key to 0 swallows it.
    if (message.Msg == WM_CHAR) {
        char key = static_cast<char>(message.WParam);
        KeyPress(key);
        message.WParam = static_cast<unsigned char>(key);
        return key == 0;
    }
    WORD key = static_cast<WORD>(message.WParam);
    if (message.Msg == WM_KEYDOWN || message.Msg == WM_SYSKEYDOWN)
        KeyDown(key, KeyboardShiftState());
    else
        KeyUp(key, KeyboardShiftState());
    message.WParam = key;
    return key == 0;
}

bool TWinControl::ShowContextMenu(TMessage& message)
{
    if (!PopupMenu() || reinterpret_cast<HWND>(message.WParam) != m_handle)
        return false;
    POINT point{static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam))};
    if (point.x == -1 && point.y == -1)
        point = TControl::ClientToScreen(POINT{0, 0});
    PopupMenu()->SetPopupComponent(this);
    PopupMenu()->Popup(point.x, point.y);
    return true;
}

void TWinControl::KeyDown(WORD& key, TShiftState shift)
{
    OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift)
{
    OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key)
{
    OnKeyPress(this, key);
}

void TWinControl::DoEnter()
{
    OnEnter(this);
}

void TWinControl::DoExit()
{
    OnExit(this);
}
