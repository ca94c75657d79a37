#include "platform/vcl/WinControl.h"

#include <algorithm>

#include "platform/vcl/Menus.h"
#include "platform/vcl/WindowClass.h"

extern thread_local TWinControl* t_creatingControl;

namespace {

constexpr UINT CM_CREATECHILDREN = CM_BASE + 60;

bool IsWindowed(TControl* control)
{
    return dynamic_cast<TWinControl*>(control) != nullptr;
}

}  // namespace

TWinControl* FindControl(HWND window)
{
    return window ? static_cast<TWinControl*>(GetPropA(window, kControlProperty)) : nullptr;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner)
{
    SetColor(clBtnFace);
    SetParentColor(false);
}

TWinControl::~TWinControl()
{
    Destroying();
    // Parented children go with their parent, as their windows do.
    while (!m_controls.empty()) {
        TControl* child = m_controls.back();
        RemoveControl(child);
        child->Destroying();
        delete child;
    }
    DestroyHandle();
}

HWND TWinControl::Handle()
{
    HandleNeeded();
    return m_handle;
}

void TWinControl::HandleNeeded()
{
    if (!m_handle)
        CreateHandle();
}

void TWinControl::SetParentWindow(HWND window)
{
    m_parentWindow = window;
}

void TWinControl::CreateParams(TCreateParams& params)
{
    params.Caption = TControl::GetText();
    params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (Parent()) {
        params.Style |= WS_CHILD;
        if (Visible())
            params.Style |= WS_VISIBLE;
    }
    if (!Enabled())
        params.Style |= WS_DISABLED;
    if (m_tabStop)
        params.Style |= WS_TABSTOP;
    params.X = Left();
    params.Y = Top();
    params.Width = Width();
    params.Height = Height();
    params.WndParent = Parent() ? Parent()->Handle() : m_parentWindow;
    params.WinClassName = ClassName();
    params.ClassStyle = CS_DBLCLKS;
}

void TWinControl::CreateHandle()
{
    if (m_handle)
        return;
    if (Parent())
        Parent()->HandleNeeded();
    TCreateParams params;
    CreateParams(params);
    m_defaultProc = RegisterControlClass(params);
    m_systemControl = !params.SubclassOf.empty();
    static int nextChildId = 100;
    HMENU id = (params.Style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextChildId++)) : nullptr;
    TWinControl* outer = t_creatingControl;
    t_creatingControl = this;
    HWND window = CreateWindowExA(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(), params.Style,
                                  params.X, params.Y, params.Width, params.Height, params.WndParent, id,
                                  LibraryInstance(), nullptr);
    t_creatingControl = outer;
    if (!window)
        throw EOutOfResources("Cannot create window " + params.WinClassName + ": " + SysErrorMessage(GetLastError()));
    if (!m_handle)
        AttachHandle(window);
    CreateWnd();
}

void TWinControl::CreateWnd()
{
    if (m_systemControl)
        SendMessageA(m_handle, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE);
    for (TControl* child : std::vector<TControl*>(m_controls))
        if (auto* windowed = dynamic_cast<TWinControl*>(child))
            windowed->HandleNeeded();
}

void TWinControl::AttachHandle(HWND handle)
{
    m_handle = handle;
    SetPropA(handle, kControlProperty, this);
}

void TWinControl::DetachHandle()
{
    if (m_handle)
        RemovePropA(m_handle, kControlProperty);
    m_handle = nullptr;
    m_captureControl = nullptr;
    m_hoverControl = nullptr;
    m_trackingLeave = false;
}

void TWinControl::DestroyHandle()
{
    if (!m_handle)
        return;
    m_text = TWinControl::GetText();
    for (TControl* child : m_controls)
        if (auto* windowed = dynamic_cast<TWinControl*>(child))
            windowed->DestroyHandle();
    HWND window = m_handle;
    // Messages sent while the window goes reach the class default, not a
    // half-destroyed object.
    DetachHandle();
    DestroyWindow(window);
}

void TWinControl::RecreateWnd()
{
    if (!m_handle)
        return;
    DestroyHandle();
    CreateHandle();
}

void TWinControl::InsertControl(TControl* control)
{
    m_controls.push_back(control);
    control->m_parent = this;
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
        if (windowed->m_handle) {
            if (m_handle)
                ::SetParent(windowed->m_handle, m_handle);
            else
                windowed->DestroyHandle();
        } else if (m_handle) {
            // Made from the message loop, never inside a constructor that
            // sets its own parent: CreateParams must reach the derived class.
            PostMessageA(m_handle, CM_CREATECHILDREN, 0, 0);
        }
    } else {
        control->Invalidate();
    }
}

void TWinControl::RemoveControl(TControl* control)
{
    auto found = std::find(m_controls.begin(), m_controls.end(), control);
    if (found == m_controls.end())
        return;
    control->Invalidate();
    if (m_captureControl == control)
        SetCaptureControl(nullptr);
    if (m_hoverControl == control)
        m_hoverControl = nullptr;
    m_controls.erase(std::find(m_controls.begin(), m_controls.end(), control));
    control->m_parent = nullptr;
    if (auto* windowed = dynamic_cast<TWinControl*>(control))
        windowed->DestroyHandle();
}

TControl* TWinControl::ControlAtPos(POINT point, bool allowDisabled) const
{
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
        TControl* control = *it;
        if (IsWindowed(control) || !control->Visible() || (!allowDisabled && !control->Enabled()))
            continue;
        RECT bounds = control->BoundsRect();
        if (PtInRect(&bounds, point))
            return control;
    }
    return nullptr;
}

void TWinControl::SetCaptureControl(TControl* control)
{
    m_captureControl = control;
    if (control)
        SetCapture(Handle());
    else if (m_handle && GetCapture() == m_handle)
        ReleaseCapture();
}

void TWinControl::SetTabStop(bool tabStop)
{
    if (tabStop == m_tabStop)
        return;
    m_tabStop = tabStop;
    if (m_handle) {
        LONG style = GetWindowLongA(m_handle, GWL_STYLE);
        SetWindowLongA(m_handle, GWL_STYLE, tabStop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    }
}

bool TWinControl::CanFocus() const
{
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

void TWinControl::SetFocus()
{
    if (!CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    ::SetFocus(Handle());
}

bool TWinControl::Focused() const
{
    return m_handle && GetFocus() == m_handle;
}

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    TControl::SetBounds(left, top, width, height);
}

void TWinControl::ApplyBounds()
{
    if (!m_handle)
        return;
    m_settingBounds = true;
    SetWindowPos(m_handle, nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    m_settingBounds = false;
}

void TWinControl::ReadBoundsFromWindow()
{
    RECT r;
    GetWindowRect(m_handle, &r);
    if (GetWindowLongA(m_handle, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(HWND_DESKTOP, GetParent(m_handle), reinterpret_cast<POINT*>(&r), 2);
    int width = r.right - r.left, height = r.bottom - r.top;
    bool sized = width != Width() || height != Height();
    StoreBounds(r.left, r.top, width, height);
    if (sized)
        Resize();
}

RECT TWinControl::ClientRect()
{
    if (m_handle) {
        RECT r;
        GetClientRect(m_handle, &r);
        return r;
    }
    TCreateParams params;
    CreateParams(params);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, params.Style, FALSE, params.ExStyle);
    return RECT{0, 0, std::max<LONG>(0, Width() - (frame.right - frame.left)),
                std::max<LONG>(0, Height() - (frame.bottom - frame.top))};
}

void TWinControl::SetClientSize(int width, int height)
{
    RECT client = ClientRect();
    int frameWidth = Width() - (client.right - client.left);
    int frameHeight = Height() - (client.bottom - client.top);
    SetBounds(Left(), Top(), width + frameWidth, height + frameHeight);
}

void TWinControl::SetVisible(bool visible)
{
    TControl::SetVisible(visible);
}

void TWinControl::VisibleChanged()
{
    if (m_handle)
        ShowHandle(Visible());
    else if (Visible() && Parent() && Parent()->HandleAllocated())
        HandleNeeded();
}

void TWinControl::ShowHandle(bool visible)
{
    ShowWindow(m_handle, visible ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void TWinControl::SetEnabled(bool enabled)
{
    TControl::SetEnabled(enabled);
    if (m_handle)
        EnableWindow(m_handle, enabled);
}

std::string TWinControl::GetText() const
{
    if (!m_handle)
        return TControl::GetText();
    int length = GetWindowTextLengthA(m_handle);
    std::string text(length + 1, '\0');
    GetWindowTextA(m_handle, &text[0], length + 1);
    text.resize(std::min<size_t>(text.find('\0'), length));
    return text;
}

void TWinControl::SetText(const std::string& text)
{
    if (m_handle) {
        if (GetText() == text)
            return;
        SetWindowTextA(m_handle, text.c_str());
        m_text = text;
        TextChanged();
        return;
    }
    TControl::SetText(text);
}

void TWinControl::FontChanged()
{
    if (m_handle && m_systemControl)
        SendMessageA(m_handle, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
    for (TControl* child : m_controls)
        if (child->ParentFont())
            child->TakeParentFont();
    TControl::FontChanged();
}

void TWinControl::ColorChanged()
{
    m_brush.SetColor(Color());
    for (TControl* child : m_controls)
        if (child->ParentColor())
            child->TakeParentColor();
    TControl::ColorChanged();
}

void TWinControl::Invalidate()
{
    if (m_handle)
        InvalidateRect(m_handle, nullptr, (ControlStyle() & csOpaque) ? FALSE : TRUE);
}

void TWinControl::Repaint()
{
    if (m_handle) {
        Invalidate();
        UpdateWindow(m_handle);
    }
}

void TWinControl::Update()
{
    if (m_handle)
        UpdateWindow(m_handle);
}

void TWinControl::BringToFront()
{
    TControl::BringToFront();
    if (m_handle)
        SetWindowPos(m_handle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::SendToBack()
{
    TControl::SendToBack();
    if (m_handle)
        SetWindowPos(m_handle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

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
    LPARAM local = MAKELPARAM(static_cast<short>(point.x - target->Left()), static_cast<short>(point.y - target->Top()));
    message.Result = target->Perform(message.Msg, message.WParam, local);
    return true;
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
        if (m_captureControl) {
            // Taken away (a menu, a modal box): the windowless child's press ends.
            TControl* lost = m_captureControl;
            m_captureControl = nullptr;
            lost->Perform(WM_CANCELMODE);
        } else if (reinterpret_cast<HWND>(message.LParam) != m_handle) {
            SetControlState(ControlState() & ~(csClicked | csLButtonDown));
        }
        break;
    default:
        break;
    }
    TControl::WndProc(message);
}

void TWinControl::ReflectToChild(TMessage& message, HWND child)
{
    TWinControl* control = FindControl(child);
    if (control && control != this)
        message.Result = control->Perform(CN_BASE + message.Msg, message.WParam, message.LParam);
    else
        DefaultHandler(message);
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

void TWinControl::HandlePaint(TMessage& message)
{
    auto paintInto = [this](HDC dc) {
        PaintWindow(dc);
        PaintControls(dc);
    };
    if (message.WParam) {
        paintInto(reinterpret_cast<HDC>(message.WParam));
        return;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_handle, &paint);
    if (m_doubleBuffered) {
        RECT client;
        GetClientRect(m_handle, &client);
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP buffer = CreateCompatibleBitmap(dc, std::max<LONG>(1, client.right), std::max<LONG>(1, client.bottom));
        HGDIOBJ previous = SelectObject(memory, buffer);
        IntersectClipRect(memory, paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right, paint.rcPaint.bottom);
        Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), reinterpret_cast<LPARAM>(memory));
        paintInto(memory);
        BitBlt(dc, paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right - paint.rcPaint.left,
               paint.rcPaint.bottom - paint.rcPaint.top, memory, paint.rcPaint.left, paint.rcPaint.top, SRCCOPY);
        SelectObject(memory, previous);
        DeleteObject(buffer);
        DeleteDC(memory);
    } else {
        paintInto(dc);
    }
    EndPaint(m_handle, &paint);
}

void TWinControl::PaintControls(HDC dc)
{
    for (TControl* control : std::vector<TControl*>(m_controls)) {
        if (IsWindowed(control) || !control->Visible())
            continue;
        RECT bounds = control->BoundsRect();
        if (!RectVisible(dc, &bounds))
            continue;
        int saved = SaveDC(dc);
        POINT origin;
        GetWindowOrgEx(dc, &origin);
        SetWindowOrgEx(dc, origin.x - control->Left(), origin.y - control->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, control->Width(), control->Height());
        control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        RestoreDC(dc, saved);
    }
}

void TWinControl::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
        if (m_systemControl)
            break;
        HandlePaint(message);
        return;
    case WM_ERASEBKGND: {
        if (m_systemControl)
            break;
        if (m_doubleBuffered && message.WParam != static_cast<WPARAM>(message.LParam)) {
            message.Result = 1;  // the paint erases into its buffer
            return;
        }
        RECT client = ClientRect();
        ::FillRect(reinterpret_cast<HDC>(message.WParam), &client, m_brush.Handle());
        message.Result = 1;
        return;
    }
    case WM_SETCURSOR:
        if (HandleSetCursor(message))
            return;
        break;
    case WM_COMMAND:
        if (message.LParam) {
            ReflectToChild(message, reinterpret_cast<HWND>(message.LParam));
            return;
        }
        break;
    case WM_NOTIFY:
        ReflectToChild(message, reinterpret_cast<NMHDR*>(message.LParam)->hwndFrom);
        return;
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
        if (item->CtlType != ODT_MENU) {
            ReflectToChild(message, item->hwndItem);
            return;
        }
        break;
    }
    case WM_MEASUREITEM: {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
        if (item->CtlType == ODT_MENU)
            break;
        for (TControl* child : m_controls) {
            auto* windowed = dynamic_cast<TWinControl*>(child);
            if (windowed && windowed->m_handle && GetDlgCtrlID(windowed->m_handle) == static_cast<int>(item->CtlID)) {
                message.Result = windowed->Perform(CN_MEASUREITEM, message.WParam, message.LParam);
                return;
            }
        }
        break;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        ReflectToChild(message, reinterpret_cast<HWND>(message.LParam));
        return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLORBTN: {
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        SetTextColor(dc, ColorToRGB(Font()->Color()));
        SetBkColor(dc, ColorToRGB(Color()));
        message.Result = reinterpret_cast<LRESULT>(m_brush.Handle());
        return;
    }
    case WM_SETFOCUS:
        DoEnter();
        break;
    case WM_KILLFOCUS:
        DoExit();
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        WORD key = static_cast<WORD>(message.WParam);
        KeyDown(key, KeyboardShiftState());
        if (key == 0)
            return;
        message.WParam = key;
        break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        WORD key = static_cast<WORD>(message.WParam);
        KeyUp(key, KeyboardShiftState());
        if (key == 0)
            return;
        message.WParam = key;
        break;
    }
    case WM_CHAR: {
        char key = static_cast<char>(message.WParam);
        KeyPress(key);
        if (key == 0)
            return;
        message.WParam = static_cast<unsigned char>(key);
        break;
    }
    case WM_WINDOWPOSCHANGED:
        if (!m_settingBounds)
            ReadBoundsFromWindow();
        break;
    case WM_CONTEXTMENU:
        if (PopupMenu() && reinterpret_cast<HWND>(message.WParam) == m_handle) {
            POINT point{static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam))};
            if (point.x == -1 && point.y == -1)
                point = TControl::ClientToScreen(POINT{0, 0});
            PopupMenu()->SetPopupComponent(this);
            PopupMenu()->Popup(point.x, point.y);
            return;
        }
        break;
    case CM_CREATECHILDREN:
        CreateWnd();
        return;
    default:
        break;
    }
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
