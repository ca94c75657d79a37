#include "app/forms/MainForm.h"

#include "app/forms/AdvTrayIcon.h"
#include "app/forms/AppController.h"
#include "app/skin/FormPictures.h"
#include "app/forms/MessageForm.h"
#include "app/forms/ShadowForm.h"
#include "app/forms/TurboInfoForm.h"
#include "app/forms/WorkArea.h"
#include "app/protocol/ZendrixMessages.h"
#include "platform/vcl/Application.h"
#include "tuning/CpuModel.h"
#include "platform/kyacpi/KyAcpi.h"
#include "vessa/System/Source/WinRegistry.h"
#include "vessa/System/StepTrace.h"

TMainForm* MainForm = nullptr;

namespace {

using ChangeWindowMessageFilterFunction = BOOL(WINAPI*)(UINT, DWORD);

// Looked up once: systems before Vista have no message filter.
const ChangeWindowMessageFilterFunction g_changeWindowMessageFilter =
    reinterpret_cast<ChangeWindowMessageFilterFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "ChangeWindowMessageFilter")));

constexpr DWORD kMessageFilterAdd = 1;  // MSGFLT_ADD

// Between a suspend event and the first resume event after it.
bool g_suspended = false;

}  // namespace

TMainForm::TMainForm(TComponent* owner) : TForm(owner)
{
    SetBorderStyle(bsNone);
    SetPosition(poScreenCenter);
    SetScaled(false);
    SetCaption(kProgramName);
    SetClientSize(kMainFormClientWidth, kMainFormClientHeight);

    Background = MakeImage("Background", true);  // takes SmallBk's picture at start-up
    SmallBk = MakeSkinPicture("SmallBk");
    // The large face and the graphics page's panel are not shown at
    // start-up: read when first shown, their sizes known now for the layout.
    LargeBk = MakeSizedPicture("LargeBk");
    ComboBoxBody = MakeSkinPicture("ComboBoxBody");
    ComboBoxBottom = MakeSkinPicture("ComboBoxBottom");
    CoreBk = MakeSkinPicture("CoreBk");
    MiddleBk = MakeSkinPicture("MiddleBk");
    GpuBk = MakeSizedPicture("GpuBk");
    TrayPopupMenu = new TPopupMenu(this);
    TrayBeTurbo = new TMenuItem(this);
    TrayBeTurbo->SetCaption(kTrayBeTurboCaption);
    TrayBeTurbo->SetVisible(false);
    TrayBeTurbo->SetChecked(false);
    TrayBeTurbo->OnClick = TNotifyEvent(this, &TMainForm::TrayBeTurboClick);
    TrayPopupMenu->Items()->Add(TrayBeTurbo);

    OnCoreUnlock = nullptr;
    AcpiOpen();
    SetDoubleBuffered(true);
    SetControlStyle(ControlStyle() | csOpaque);
    m_broadcastMessage = RegisterWindowMessageA(kBroadcastMessageName);
    Application->OnMessage = TMessageEvent(this, &TMainForm::OnAppMessage);
    AllowWindowMessage(m_broadcastMessage, kMessageFilterAdd);
    // The shell's restart notice must pass the filter as well, or an
    // elevated program would lose its only way back into the tray.
    m_taskbarCreatedMessage = TaskbarCreatedMessage();
    AllowWindowMessage(m_taskbarCreatedMessage, kMessageFilterAdd);
    Application->SetEndMessage(kMsgQuit, TEndTest(this, &TMainForm::IsQuitMessage));
    m_tracker.Clear();

    m_skin.form = this;
    m_skin.background = Background;
    m_skin.middle = MiddleBk;
    m_skin.core = CoreBk;
    m_skin.folder = GetResourceFolder();
}

TMainForm::~TMainForm()
{
    if (Application != nullptr)  // null once static destruction frees the forms
        Application->SetEndMessage(0, nullptr);
    // The skin host the page layout set must not outlive the form.
    if (&TheSkinHost() == &m_skin)
        SetSkinHost(nullptr);
}

void TMainForm::SetController(AppController* controller, TuningCommands* tuning)
{
    m_controller = controller;
    m_tuning = tuning;
}

TImage* TMainForm::Picture(HostPicture which)
{
    switch (which) {
    case HostPicture::kBackground:
        return Background;
    case HostPicture::kSmallBk:
        return SmallBk;
    case HostPicture::kMiddleBk:
        return MiddleBk;
    case HostPicture::kLargeBk:
        return LargeBk;
    case HostPicture::kCoreBk:
        return CoreBk;
    case HostPicture::kGpuBk:
        return GpuBk;
    case HostPicture::kComboBoxBody:
        return ComboBoxBody;
    case HostPicture::kComboBoxBottom:
        return ComboBoxBottom;
    }
    return nullptr;
}

TImage* TMainForm::ShownPicture(HostPicture which)
{
    TImage* image = Picture(which);
    if (image == LargeBk || image == GpuBk)
        LoadFormPictureOnce(this, image, image->Name());
    return image;
}

void TMainForm::ShowSmallShadow()
{
    if (ShadowForm != nullptr)
        ShadowForm->ShowSmall();
}

void TMainForm::ShowMiddleShadow()
{
    if (ShadowForm != nullptr)
        ShadowForm->ShowBig();
}

void TMainForm::ShowLargeShadow()
{
    if (ShadowForm != nullptr)
        ShadowForm->ShowBig3();
}

TImage* TMainForm::MakeImage(const char* name, bool visible)
{
    auto* image = new TImage(this);
    image->SetName(name);
    image->SetParent(this);
    image->SetAutoSize(true);
    image->SetVisible(visible);
    return image;
}

TImage* TMainForm::MakeSkinPicture(const char* name)
{
    TImage* image = MakeImage(name, false);
    LoadFormPicture(this, image, name);
    return image;
}

TImage* TMainForm::MakeSizedPicture(const char* name)
{
    TImage* image = MakeImage(name, false);
    SizeFormPicture(this, image, name);
    return image;
}

int TMainForm::AllowWindowMessage(UINT message, DWORD action)
{
    return g_changeWindowMessageFilter != nullptr ? g_changeWindowMessageFilter(message, action) : 1;
}

void TMainForm::CreateParams(TCreateParams& params)
{
    TForm::CreateParams(params);
    params.ExStyle |= WS_EX_LAYERED;
}

void TMainForm::DoShow()
{
    if (ShadowForm != nullptr && !ShadowForm->Visible()) {
        MoveShadow();
        ShadowForm->Show();
    }
    TForm::DoShow();
}

void TMainForm::InitAfterCreate()
{
    if (m_controller != nullptr)
        m_controller->Init();
    if (!IsTurboBoostSupported())
        return;
    TrayBeTurbo->SetVisible(true);
    TrayBeTurbo->SetChecked(ReadBeTurboMonitor());
    ShowMonitorIfChecked();
    vessa::StepTrace::Mark("monitor shown");
    if (IsTurboBoostEnabled() && MessageForm != nullptr)
        MessageForm->AnnounceBoost(1);
}

void TMainForm::ShowMonitor(bool show)
{
    if (!TrayBeTurbo->Visible())
        return;
    if (!show) {
        if (TfrmTurboInfoMain* monitor = GetTurboInfoWindow())
            monitor->Close();
        return;
    }
    RECT workArea{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    TfrmTurboInfoMain* monitor = GetTurboInfoWindow();
    monitor->OnClosed = TNotifyEvent(this, &TMainForm::OnMonitorClosed);
    monitor->SetLeft(workArea.right - monitor->ClientWidth());
    monitor->SetTop(workArea.bottom - monitor->ClientHeight());
    monitor->Show();
}

void TMainForm::OnMonitorClosed(TObject*)
{
    if (!TrayBeTurbo->Checked())
        return;
    TrayBeTurbo->SetChecked(false);
    WriteBeTurboMonitor(false);
}

void TMainForm::ShowMonitorIfChecked()
{
    if (TrayBeTurbo->Visible() && TrayBeTurbo->Checked())
        ShowMonitor(true);
}

void TMainForm::TrayBeTurboClick(TObject*)
{
    if (!TrayBeTurbo->Visible())
        return;
    if (TrayBeTurbo->Checked()) {
        TrayBeTurbo->SetChecked(false);
        WriteBeTurboMonitor(false);
        ShowMonitor(false);
        return;
    }
    TrayBeTurbo->SetChecked(true);
    WriteBeTurboMonitor(true);
    ShowMonitor(true);
    if (MessageForm != nullptr && MessageForm->GetBoost())
        GetTurboInfoWindow()->SetKavrinEnabled(1);
}

bool TMainForm::ReadBeTurboMonitor()
{
    vessa::RegAccessor key;
    DWORD value = 0;
    if (!key.Open(HKEY_CURRENT_USER, kBeTurboMonitorKey, false) || !key.ReadDword(kBeTurboMonitorValue, &value))
        return true;
    return value != 1;
}

void TMainForm::WriteBeTurboMonitor(bool shown)
{
    vessa::RegAccessor key;
    if (key.Open(HKEY_CURRENT_USER, kBeTurboMonitorKey, true))
        key.WriteDword(kBeTurboMonitorValue, shown ? 0 : 1);
}

void TMainForm::SetMouseTracker(TControl* control, const TOutsideTest& outside, const TLeaveAction& leave)
{
    m_tracker.Set(control, outside, leave);
}

void TMainForm::WndProc(TMessage& message)
{
    if (message.Msg == WM_MOUSEMOVE)
        m_tracker.MouseMoved(message.WParam, message.LParam);
    TForm::WndProc(message);
}

void TMainForm::Dispatch(TMessage& message)
{
    if (!DispatchProtocol(message))
        TForm::Dispatch(message);
}

bool TMainForm::DispatchProtocol(TMessage& message)
{
    if (message.Msg == m_taskbarCreatedMessage && m_taskbarCreatedMessage != 0) {
        AdvTrayIcon::Instance().Show();  // the restarted shell has no icons
        return false;
    }
    switch (message.Msg) {
    case WM_MOVE:
        MoveShadow();
        return false;
    case WM_WINDOWPOSCHANGED:
        // Raised or activated: the shadow follows beneath.
        if (ShadowForm != nullptr && HandleAllocated() &&
            (reinterpret_cast<const WINDOWPOS*>(message.LParam)->flags & SWP_NOZORDER) == 0)
            ShadowForm->StayBelow(Handle());
        return false;
    case WM_POWERBROADCAST:
        OnPowerBroadcast(message);
        return true;
    case kMsgCoreUnlockToMain:
        OnCoreUnlockMessage(message);
        return true;
    case kMsgTrayCallback:
        AdvTrayIcon::Instance().HandleMessage(message);
        return true;
    default:
        break;
    }
    TuningCommands* tuning = m_tuning;
    if (HasExactSignature(message.WParam)) {
        if (message.Msg == kMsgSetItem) {
            if (tuning != nullptr)
                tuning->OnSetItemCommand(message.LParam);
            return true;
        }
        if (message.Msg == kMsgProfileCommand) {
            if (tuning != nullptr)
                tuning->OnProfileCommand(message.LParam);
            return true;
        }
    }
    if (!HasSignature(message.WParam))
        return false;
    switch (message.Msg) {
    case kMsgQuit:
        Quit();
        return true;
    case kMsgMinimize:
        Application->Minimize();
        return true;
    case kMsgShow:
    case kMsgShowFromSecondStart:
        if (m_controller != nullptr)
            m_controller->ShowFromTray();
        return true;
    case kMsgForeground:
        SetForegroundWindow(Handle());
        return true;
    default:
        return false;
    }
}

void TMainForm::IsQuitMessage(const MSG& message, bool& quits)
{
    quits =
        HandleAllocated() && message.hwnd == Handle() && message.message == kMsgQuit && HasSignature(message.wParam);
}

void TMainForm::Quit()
{
    vessa::StepTrace::Mark("quit asked");
    // The icon leaves with the program instead of lingering in the tray
    // until the pointer passes over it.
    if (vessa::TrayIcon* icon = AdvTrayIcon::Instance().Icon())
        icon->SetVisible(false);
    vessa::StepTrace::Mark("tray icon removed");
    m_quitting = true;
    Close();
}

void TMainForm::KeepInsideWorkArea()
{
    if (!HandleAllocated())
        return;
    RECT bounds{};
    GetWindowRect(Handle(), &bounds);
    const POINT place = PlaceInside(bounds, WorkAreaNear(bounds));
    if (place.x != bounds.left || place.y != bounds.top)
        SetBounds(place.x, place.y, Width(), Height());
    MoveShadow();
}

void TMainForm::DoClose(TCloseAction& action)
{
    TForm::DoClose(action);
    if (m_quitting || action == caNone)
        return;
    if (m_controller != nullptr)
        m_controller->HideToTray();
    action = caNone;
}

void TMainForm::MoveShadow()
{
    if (ShadowForm == nullptr || !HandleAllocated())
        return;
    RECT bounds{};
    GetWindowRect(Handle(), &bounds);
    ShadowForm->SetBounds(bounds.left, bounds.top, ShadowForm->Width(), ShadowForm->Height());
}

void TMainForm::OnCoreUnlockMessage(TMessage& message)
{
    // The core-unlock page's on/off bar takes the state and reports it to
    // the message window. A window without that page has no switch for the
    // feature: the state stays with the monitor window's own switch.
    OnCoreUnlock(message);
}

void TMainForm::OnPowerBroadcast(TMessage& message)
{
    message.Result = TRUE;  // never veto a suspend
    TuningCommands* tuning = m_tuning;
    switch (message.WParam) {
    case PBT_APMSUSPEND:
        if (tuning != nullptr)
            tuning->SnapshotForSuspend();
        g_suspended = true;
        break;
    case PBT_APMRESUMECRITICAL:
    case PBT_APMRESUMESUSPEND:
    case PBT_APMRESUMEAUTOMATIC:
        // Several resume events follow one suspend; only the first writes.
        if (g_suspended && tuning != nullptr)
            tuning->ReapplyAfterResume();
        g_suspended = false;
        break;
    default:
        break;
    }
}

void TMainForm::OnAppMessage(MSG& message, bool& handled)
{
    // A broadcast reaches every top-level window of the program; acting on
    // the application window's copy only makes one broadcast act once.
    if (message.hwnd != Application->Handle())
        return;
    if (message.message == m_broadcastMessage && m_broadcastMessage != 0) {
        if (!HasSignature(message.wParam))
            return;
        if (BroadcastCommand(message.wParam) == kBroadcastCommandRefresh) {
            if (m_tuning != nullptr)
                m_tuning->OnBroadcastRefresh();
        }
        handled = true;
        return;
    }
    if (message.message == WM_SYSCOMMAND && message.wParam == SC_CLOSE) {
        if (m_controller != nullptr)
            m_controller->HideToTray();
        handled = true;
    }
}
