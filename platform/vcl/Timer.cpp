#include "platform/vcl/Timer.h"

#include "platform/vcl/WindowClass.h"

TTimer::TTimer(TComponent* owner) : TComponent(owner)
{
    m_window = AllocateHWnd(TWndMethod(this, &TTimer::WndProc));
}

TTimer::~TTimer()
{
    KillTimer(m_window, 1);
    DeallocateHWnd(m_window);
}

void TTimer::UpdateTimer()
{
    KillTimer(m_window, 1);
    if (m_enabled && m_interval > 0 && OnTimer)
        if (!SetTimer(m_window, 1, m_interval, nullptr))
            throw EOutOfResources("Not enough timers available");
}

void TTimer::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned milliseconds)
{
    m_interval = milliseconds;
    UpdateTimer();
}

void TTimer::SetOnTimer(const TNotifyEvent& handler)
{
    OnTimer = handler;
    UpdateTimer();
}

void TTimer::WndProc(TMessage& message)
{
    if (message.Msg == WM_TIMER) {
        // A handler set directly on OnTimer after a stop must not run.
        if (m_enabled && OnTimer)
            OnTimer(this);
        return;
    }
    message.Result = DefWindowProcA(m_window, message.Msg, message.WParam, message.LParam);
}
