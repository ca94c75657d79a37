#include "platform/vcl/Form.h"

#include "platform/vcl/Application.h"

namespace {

struct DisabledWindows {
    HWND except;
    std::vector<HWND> windows;
};

BOOL CALLBACK DisableWindow(HWND window, LPARAM data)
{
    auto* state = reinterpret_cast<DisabledWindows*>(data);
    if (window != state->except && IsWindowVisible(window) && IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        state->windows.push_back(window);
    }
    return TRUE;
}

}  // namespace

TCustomForm::TCustomForm(TComponent* owner) : TCustomControl(owner)
{
    SetVisible(false);
    StoreBounds(0, 0, 320, 240);
    SetColor(clBtnFace);
    SetParentFont(false);
    SetControlStyle(ControlStyle() | csAcceptsControls);
}

TCustomForm::~TCustomForm()
{
    Destroying();
    if (HandleAllocated() && Visible())
        ShowWindow(Handle(), SW_HIDE);
}

void TCustomForm::AfterConstruction()
{
    if (m_created)
        return;
    m_created = true;
    HandleNeeded();
    DoCreate();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style)
{
    if (style == m_borderStyle)
        return;
    m_borderStyle = style;
    RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle style)
{
    if (style == m_formStyle)
        return;
    m_formStyle = style;
    if (HandleAllocated())
        SetWindowPos(Handle(), style == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    params.Style &= ~(WS_CHILD | WS_VISIBLE);
    switch (m_borderStyle) {
    case bsNone:
        params.Style |= WS_POPUP;
        break;
    case bsSingle:
        params.Style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_BORDER;
        break;
    case bsToolWindow:
        params.Style |= WS_CAPTION | WS_SYSMENU | WS_BORDER;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    case bsSizeable:
        params.Style |= WS_OVERLAPPEDWINDOW;
        break;
    case bsDialog:
        params.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
        params.ExStyle |= WS_EX_DLGMODALFRAME;
        break;
    case bsSizeToolWin:
        params.Style |= WS_OVERLAPPEDWINDOW;
        params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    if (m_formStyle == fsStayOnTop)
        params.ExStyle |= WS_EX_TOPMOST;
    if (!params.WndParent && Application)
        params.WndParent = Application->Handle();
}

void TCustomForm::CreateAllHandles(TWinControl* control)
{
    control->HandleNeeded();
    for (int i = 0; i < control->ControlCount(); ++i)
        if (auto* windowed = dynamic_cast<TWinControl*>(control->Controls(i)))
            CreateAllHandles(windowed);
}

void TCustomForm::PlaceOnFirstShow()
{
    if (m_placed)
        return;
    m_placed = true;
    if (m_position == poScreenCenter || m_position == poDesktopCenter || m_position == poMainFormCenter ||
        m_position == poOwnerFormCenter) {
        int left = (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2;
        int top = (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2;
        SetBounds(left < 0 ? 0 : left, top < 0 ? 0 : top, Width(), Height());
    }
}

void TCustomForm::VisibleChanged()
{
    if (!Visible() && !HandleAllocated())
        return;
    HandleNeeded();
    ShowHandle(Visible());
}

void TCustomForm::ShowHandle(bool visible)
{
    if (visible) {
        CreateAllHandles(this);
        PlaceOnFirstShow();
        DoShow();
        ShowWindow(Handle(), SW_SHOW);
    } else {
        ShowWindow(Handle(), SW_HIDE);
        DoHide();
    }
}

void TCustomForm::Show()
{
    if (!m_created)
        AfterConstruction();
    SetVisible(true);
    BringToFront();
}

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close()
{
    if (m_modal) {
        m_modalResult = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone)
        return;
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case caHide:
        Hide();
        break;
    case caMinimize:
        if (HandleAllocated())
            ShowWindow(Handle(), SW_MINIMIZE);
        break;
    case caFree:
        Release();
        break;
    default:
        break;
    }
}

void TCustomForm::Release()
{
    PostMessageA(Handle(), CM_RELEASE, 0, 0);
}

bool TCustomForm::Active() const
{
    return HandleAllocated() && GetActiveWindow() == const_cast<TCustomForm*>(this)->Handle();
}

void TCustomForm::CloseModal()
{
    if (!CloseQuery()) {
        m_modalResult = mrNone;
        return;
    }
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone)
        m_modalResult = mrNone;
    else if (action == caFree)
        m_freeAfterModal = true;
}

TModalResult TCustomForm::ShowModal()
{
    if (Visible() || m_modal)
        throw EInvalidOperation("Cannot make a visible window modal");
    if (!m_created)
        AfterConstruction();
    if (HWND captured = GetCapture()) {
        SendMessageA(captured, WM_CANCELMODE, 0, 0);
        ReleaseCapture();
    }
    HWND self = Handle();
    HWND previousActive = GetActiveWindow();
    DisabledWindows disabled{self, {}};
    EnumThreadWindows(GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(&disabled));
    m_modal = true;
    m_modalResult = mrNone;
    bool sawQuit = false;
    auto finish = [&] {
        // The owners come back before the dialog hides, so activation
        // returns to them and not to another application.
        for (auto it = disabled.windows.rbegin(); it != disabled.windows.rend(); ++it)
            if (IsWindow(*it))
                EnableWindow(*it, TRUE);
        m_modal = false;
        Hide();
        if (previousActive && IsWindow(previousActive))
            SetActiveWindow(previousActive);
        if (sawQuit)
            PostQuitMessage(0);  // the loop further out must end too
    };
    try {
        Show();
        bool wasTerminated = Application->Terminated();
        while (true) {
            if (Application->Terminated()) {
                sawQuit = !wasTerminated;
                if (m_modalResult == mrNone)
                    m_modalResult = mrCancel;
                break;
            }
            Application->HandleMessage();
            if (m_modalResult != mrNone) {
                CloseModal();
                if (m_modalResult != mrNone)
                    break;
            }
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
    TModalResult result = m_modalResult;
    if (m_freeAfterModal) {
        m_freeAfterModal = false;
        Release();
    }
    return result;
}

void TCustomForm::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case WM_CLOSE:
        Close();
        return;
    case CM_RELEASE:
        delete this;
        return;
    case WM_ACTIVATEAPP:
        if (Application)
            Application->ActivateChanged(message.WParam != 0);
        break;
    case WM_ACTIVATE:
        if (LOWORD(message.WParam) == WA_INACTIVE)
            OnDeactivate(this);
        else
            OnActivate(this);
        break;
    default:
        break;
    }
    TCustomControl::Dispatch(message);
}
