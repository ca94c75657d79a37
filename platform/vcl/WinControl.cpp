#include "platform/vcl/WinControl.h"

#include <algorithm>

#include "platform/vcl/WindowClass.h"

extern thread_local TWinControl* t_creatingControl;

namespace {

bool IsWindowed(TControl* control)
{
    return dynamic_cast<TWinControl*>(control) != nullptr;
}

}  // namespace

TWinControl* FindControl(HWND window)
{
    return ControlOfWindow(window);
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner)
{
    SetColor(clBtnFace);
    SetParentColor(false);
}

TWinControl::~TWinControl()
{
    Destroying();
    // The window first, its children's windows with it in one call; the
    // children then go without a window to destroy, hide or repaint.
    DestroyHandle();
    // Parented children go with their parent, as their windows do.
    while (!m_controls.empty()) {
        TControl* child = m_controls.back();
        RemoveControl(child);
        child->Destroying();
        delete child;
    }
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
    // A control on its way out (or inside a parent on its way out) gets no
    // new window: its destructor's calls must not rebuild the tree.
    if (m_handle || IsGoing())
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
    HWND window =
        CreateWindowExA(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(), params.Style, params.X,
                        params.Y, params.Width, params.Height, params.WndParent, id, LibraryInstance(), nullptr);
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
    LinkWindow(handle, this, m_defaultProc);
}

void TWinControl::DetachHandle()
{
    if (m_handle)
        UnlinkWindow(m_handle);
    m_handle = nullptr;
    m_captureControl = nullptr;
    m_hoverControl = nullptr;
    m_trackingLeave = false;
    m_childrenDue = false;  // a message posted to the window went with it
}

bool TWinControl::IsGoing() const
{
    for (const TControl* control = this; control; control = control->Parent())
        if (control->IsDestroying())
            return true;
    return false;
}

void TWinControl::DestroyHandle()
{
    if (!m_handle)
        return;
    HWND window = m_handle;
    // One call for the whole tree: the system destroys the children's
    // windows with their parent's, without hiding each one, telling the
    // parent and marking it for repainting first, as a call per child would.
    ReleaseHandle();
    DestroyWindow(window);
}

void TWinControl::ReleaseHandle()
{
    if (!m_handle)
        return;
    m_text = TWinControl::GetText();
    for (TControl* child : m_controls)
        if (auto* windowed = dynamic_cast<TWinControl*>(child))
            windowed->ReleaseHandle();
    // Messages sent while the window goes reach the class default, not a
    // half-destroyed object.
    DetachHandle();
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
        } else if (m_handle && !m_childrenDue) {
            // Made from the message loop, never inside a constructor that
            // sets its own parent: CreateParams must reach the derived class.
            // One message makes every child inserted until it is handled.
            m_childrenDue = PostMessageA(m_handle, CM_CREATECHILDREN, 0, 0) != FALSE;
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
    // As for a graphic control: a hidden window is painted whole when shown.
    if (m_handle && IsWindowVisible(m_handle))
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

POINT TWinControl::ClientToScreen(POINT point) const
{
    if (!HandleAllocated())
        return TControl::ClientToScreen(point);
    ::ClientToScreen(const_cast<TWinControl*>(this)->Handle(), &point);
    return point;
}

POINT TWinControl::ScreenToClient(POINT point) const
{
    if (!HandleAllocated())
        return TControl::ScreenToClient(point);
    ::ScreenToClient(const_cast<TWinControl*>(this)->Handle(), &point);
    return point;
}

bool TWinControl::MouseCapture() const
{
    return HandleAllocated() && GetCapture() == const_cast<TWinControl*>(this)->Handle();
}

void TWinControl::SetMouseCapture(bool capture)
{
    if (capture)
        SetCapture(Handle());
    else if (HandleAllocated() && GetCapture() == Handle())
        ReleaseCapture();
}
