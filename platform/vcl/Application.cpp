#include "platform/vcl/Application.h"

#include <algorithm>

#include "platform/vcl/Form.h"
#include "platform/vcl/GraphicControl.h"
#include "platform/vcl/HintWindow.h"
#include "platform/vcl/LibraryTables.h"
#include "platform/vcl/WindowClass.h"

namespace {

constexpr UINT_PTR kHintShowTimer = 1;
constexpr UINT_PTR kHintHideTimer = 2;

// Deletes this module's own application object at exit. A module that
// adopted another module's object puts its own pointer back first.
struct ApplicationLifetime {
    TApplication* own;
    explicit ApplicationLifetime(TApplication* application) : own(application) { MakeLibraryTables(); }
    ~ApplicationLifetime()
    {
        if (Application == own)
            Application = nullptr;
        delete own;
    }
};

}  // namespace

TApplication* Application = new TApplication(nullptr);
static ApplicationLifetime g_applicationLifetime(Application);

TApplication::TApplication(TComponent* owner) : TComponent(owner)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = path;
    size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos)
        name = name.substr(slash + 1);
    size_t dot = name.find_last_of('.');
    m_title = dot == std::string::npos ? name : name.substr(0, dot);
}

TApplication::~TApplication()
{
    Destroying();
    CancelHint();
    DestroyComponents();  // the forms, while the window still exists as their owner
    m_hintWindow = nullptr;
    if (m_handle)
        DeallocateHWnd(m_handle);
    m_handle = nullptr;
}

void TApplication::Initialize()
{
    Handle();
}

HWND TApplication::Handle()
{
    if (!m_handle)
        m_handle = AllocateTopLevelHWnd(TWndMethod(this, &TApplication::WndProc), "TApplication", m_title);
    return m_handle;
}

void TApplication::SetTitle(const std::string& title)
{
    m_title = title;
    if (m_handle)
        SetWindowTextA(m_handle, title.c_str());
}

void TApplication::FormCreated(TCustomForm* form)
{
    if (!m_mainForm) {
        m_mainForm = form;
        form->FreeNotification(this);
    }
    form->AfterConstruction();
}

void TApplication::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == m_mainForm)
        m_mainForm = nullptr;
    if (component == m_hintControl)
        m_hintControl = nullptr;
    if (component == m_hintWindow)
        m_hintWindow = nullptr;
}

void TApplication::Run()
{
    Handle();
    if (m_showMainForm && m_mainForm)
        m_mainForm->Show();
    while (!m_terminated)
        HandleMessage();
    // The program's forms go now, while everything they use still exists,
    // not during static destruction.
    CancelHint();
    m_freeingAtEnd = m_endsWithRun;
    DestroyComponents();
    m_freeingAtEnd = false;
}

void TApplication::Terminate()
{
    PostQuitMessage(0);
}

void TApplication::SetEndMessage(UINT message, const TEndTest& test)
{
    m_endMessage = message;
    m_endTest = test;
}

bool TApplication::EndWaiting()
{
    if (m_endMessage == 0 || !m_endTest)
        return false;
    // Only the first message of that number counts: one for another window
    // before it keeps the work going, which is the safe side.
    MSG waiting;
    if (!PeekMessageA(&waiting, nullptr, m_endMessage, m_endMessage, PM_NOREMOVE | PM_NOYIELD))
        return false;
    bool ends = false;
    m_endTest(waiting, ends);
    return ends;
}

bool TApplication::ProcessMessage(MSG& message)
{
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (message.message == WM_QUIT) {
        m_terminated = true;
        return true;
    }
    bool handled = false;
    try {
        OnMessage(message, handled);
        if (!handled)
            TrackHint(message);
    } catch (const std::exception& error) {
        ShowException(error.what());
        handled = true;
    }
    if (!handled) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

void TApplication::HandleMessage()
{
    MSG message;
    if (!ProcessMessage(message))
        Idle();
}

void TApplication::ProcessMessages()
{
    MSG message;
    while (ProcessMessage(message)) {
    }
}

void TApplication::Idle()
{
    TControlCanvas::FreeAllContexts();
    try {
        OnIdle(this);
    } catch (const std::exception& error) {
        ShowException(error.what());
    }
    // Unlike WaitMessage, this also returns for messages that are already in
    // the queue but were seen by an earlier peek, such as a pending quit.
    MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

void TApplication::Minimize()
{
    if (m_minimized)
        return;
    // Hides the visible forms without changing their Visible property;
    // Restore shows them again.
    m_hiddenByMinimize.clear();
    for (int i = 0; i < ComponentCount(); ++i) {
        auto* form = dynamic_cast<TCustomForm*>(Components(i));
        if (form && form->HandleAllocated() && IsWindowVisible(form->Handle())) {
            m_hiddenByMinimize.push_back(form->Handle());
            ShowWindow(form->Handle(), SW_HIDE);
        }
    }
    m_minimized = true;
    OnMinimize(this);
}

void TApplication::Restore()
{
    if (!m_minimized)
        return;
    m_minimized = false;
    // Bottom-most first: a window manager stacks each window it maps above
    // the ones mapped before, so the forms keep their order (a shadow stays
    // beneath its window).
    std::vector<HWND> bottomFirst;
    for (HWND window = GetTopWindow(nullptr); window != nullptr; window = GetWindow(window, GW_HWNDNEXT))
        if (std::find(m_hiddenByMinimize.begin(), m_hiddenByMinimize.end(), window) != m_hiddenByMinimize.end())
            bottomFirst.insert(bottomFirst.begin(), window);
    for (HWND window : bottomFirst)
        ShowWindow(window, SW_SHOWNA);
    m_hiddenByMinimize.clear();
    OnRestore(this);
}

void TApplication::ShowException(const char* message)
{
    if (OnException) {
        OnException(this, message);
        return;
    }
    std::string text = message ? message : "";
    if (!text.empty() && text.back() != '.')
        text += '.';
    if (m_showingException) {
        // The open box runs a message loop: a timer or a paint that fails on
        // every tick would open one box per tick.
        OutputDebugStringA((m_title + ": " + text + " (not shown: an error box is open)\r\n").c_str());
        return;
    }
    m_showingException = true;
    ::MessageBoxA(nullptr, text.c_str(), m_title.c_str(), MB_OK | MB_ICONSTOP | MB_TASKMODAL);
    m_showingException = false;
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags)
{
    HWND owner = GetActiveWindow();
    return ::MessageBoxA(owner ? owner : m_handle, text.c_str(), caption.c_str(), flags);
}

std::string TApplication::ExeName() const
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

void TApplication::ActivateChanged(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    if (active) {
        OnActivate(this);
    } else {
        CancelHint();
        OnDeactivate(this);
    }
}

void TApplication::SetShowHint(bool show)
{
    m_showHint = show;
    if (!show)
        CancelHint();
}

void TApplication::CancelHint()
{
    if (m_handle) {
        KillTimer(m_handle, kHintShowTimer);
        KillTimer(m_handle, kHintHideTimer);
    }
    if (m_hintWindow)
        m_hintWindow->ReleaseHint();
    m_hintShown = false;
}

void TApplication::TrackHint(const MSG& message)
{
    if (message.message == WM_LBUTTONDOWN || message.message == WM_RBUTTONDOWN || message.message == WM_KEYDOWN) {
        CancelHint();
        return;
    }
    if (message.message != WM_MOUSEMOVE || !m_showHint)
        return;
    TControl* control = nullptr;
    POINT screen;
    GetCursorPos(&screen);
    if (TWinControl* windowed = FindControl(WindowFromPoint(screen))) {
        control = windowed;
        POINT client = screen;
        ScreenToClient(windowed->Handle(), &client);
        if (TControl* inner = windowed->ControlAtPos(client, false))
            control = inner;
    }
    if (control == m_hintControl)
        return;
    CancelHint();
    if (m_hintControl)
        m_hintControl->RemoveFreeNotification(this);
    m_hintControl = control;
    if (!control)
        return;
    control->FreeNotification(this);
    if (control->ShowHint() && !control->Hint().empty())
        SetTimer(Handle(), kHintShowTimer, m_hintPause, nullptr);
}

void TApplication::ShowHintNow()
{
    if (!m_hintControl || !m_hintControl->Showing())
        return;
    if (!m_hintWindow) {
        m_hintWindow = new THintWindow(this);
        m_hintWindow->FreeNotification(this);
    }
    POINT cursor;
    GetCursorPos(&cursor);
    m_hintWindow->ActivateHint(POINT{cursor.x, cursor.y + 20}, m_hintControl->Hint());
    m_hintShown = true;
    SetTimer(Handle(), kHintHideTimer, m_hintHidePause, nullptr);
}

void TApplication::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_TIMER:
        if (message.WParam == kHintShowTimer) {
            KillTimer(m_handle, kHintShowTimer);
            ShowHintNow();
            return;
        }
        if (message.WParam == kHintHideTimer) {
            CancelHint();
            return;
        }
        break;
    case WM_ACTIVATEAPP:
        ActivateChanged(message.WParam != 0);
        break;
    case WM_CLOSE:
        if (m_mainForm)
            m_mainForm->Close();
        return;
    default:
        break;
    }
    message.Result = DefWindowProcA(m_handle ? m_handle : nullptr, message.Msg, message.WParam, message.LParam);
}
