#include "app/forms/MessageForm.h"

#include "app/protocol/ZendrixMessages.h"
#include "tuning/CpuModel.h"
#include "tuning/DynamicRatioControl.h"

TMessageForm* MessageForm = nullptr;

namespace {

constexpr RECT kMessageFormBounds{192, 127, 192 + 232, 127 + 193};
constexpr char kMessageFormFont[] = "MS Sans Serif";
constexpr int kMessageFormFontHeight = -11;

class ProgramCoreUnlockDriver : public CoreUnlockDriver {
public:
    bool IsSupported() override { return IsTurboBoostSupported(); }
    void Prepare() override { DynamicRatioControl::GetInstance()->Create(); }
    void SetTurboInBios(bool on) override { GetPStatus()->SetTurboInBios(on); }
    void Start() override { DynamicRatioControl::GetInstance()->Start(); }
    void Stop() override { DynamicRatioControl::GetInstance()->Stop(); }
    void Restart() override { DynamicRatioControl::GetInstance()->StartThreads(); }
};

void SendToWindow(const char* className, const char* caption, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (HWND window = FindWindowA(className, caption))
        SendMessageA(window, message, wParam, lParam);
}

}  // namespace

CoreUnlockDriver& TheCoreUnlockDriver()
{
    static CoreUnlockDriver* driver = new ProgramCoreUnlockDriver();
    return *driver;
}

TMessageForm::TMessageForm(TComponent* owner, CoreUnlockDriver& driver) : TForm(owner), m_driver(driver)
{
    SetCaption(kMessageWindowCaption);
    SetBoundsRect(kMessageFormBounds);
    Font()->SetName(kMessageFormFont);
    Font()->SetHeight(kMessageFormFontHeight);
    if (m_driver.IsSupported()) {
        m_driver.Prepare();
        InitializeCriticalSection(&m_lock);
        m_lockReady = true;
    }
    HandleNeeded();
}

TMessageForm::~TMessageForm()
{
    if (m_lockReady)
        DeleteCriticalSection(&m_lock);
}

void TMessageForm::SetBoost(bool on)
{
    // Without the feature there is nothing to switch (and no lock).
    if (!m_lockReady)
        return;
    EnterCriticalSection(&m_lock);
    if (on != m_boost) {
        m_boost = on;
        m_driver.SetTurboInBios(on);
        if (on)
            m_driver.Start();
        else
            m_driver.Stop();
    }
    LeaveCriticalSection(&m_lock);
}

void TMessageForm::AnnounceBoost(WPARAM state)
{
    SendToWindow(kMainWindowClass, kProgramName, kMsgCoreUnlockToMain, state, 0);
    SendToWindow(kTurboInfoWindowClass, kTurboInfoWindowCaption, kMsgCoreUnlockToMonitor, state, 0);
}

void TMessageForm::Dispatch(TMessage& message)
{
    switch (message.Msg) {
    case kMsgCoreUnlockToMain:
        OnMainBoost(message);
        return;
    case kMsgCoreUnlockToMonitor:
        OnMonitorBoost(message);
        return;
    case WM_POWERBROADCAST:
        OnPowerBroadcast(message);
        return;
    default:
        TForm::Dispatch(message);
    }
}

void TMessageForm::OnMainBoost(TMessage& message)
{
    TForm::Dispatch(message);
    if (!m_driver.IsSupported())
        return;
    SetBoost(message.WParam != 0);
    SendToWindow(kTurboInfoWindowClass, kTurboInfoWindowCaption, kMsgCoreUnlockToMonitor, message.WParam,
                 message.LParam);
}

void TMessageForm::OnMonitorBoost(TMessage& message)
{
    TForm::Dispatch(message);
    if (!m_driver.IsSupported())
        return;
    SetBoost(message.WParam != 0);
    SendToWindow(kMainWindowClass, kProgramName, kMsgCoreUnlockToMain, message.WParam, message.LParam);
}

void TMessageForm::OnPowerBroadcast(TMessage& message)
{
    // The result stays as it is: the message form never vetoes a suspend.
    switch (message.WParam) {
    case PBT_APMSUSPEND:
        m_suspended = true;
        if (m_boost)
            m_driver.Stop();
        break;
    case PBT_APMRESUMECRITICAL:
    case PBT_APMRESUMESUSPEND:
    case PBT_APMRESUMEAUTOMATIC:
        // Several resume events follow one suspend; only the first restarts.
        if (m_boost && m_suspended)
            m_driver.Restart();
        m_suspended = false;
        break;
    default:
        break;
    }
}
