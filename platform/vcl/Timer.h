#pragma once
// A timer on the GUI thread: OnTimer runs from the message loop every
// Interval milliseconds while Enabled, Interval > 0 and OnTimer is set.

#include <windows.h>

#include "platform/vcl/Classes.h"

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    unsigned Interval() const { return m_interval; }
    void SetInterval(unsigned milliseconds);
    // Assigning the handler through here (re)starts the timer when it is due.
    void SetOnTimer(const TNotifyEvent& handler);
    TNotifyEvent OnTimer;

private:
    void UpdateTimer();
    void WndProc(TMessage& message);
    HWND m_window = nullptr;
    bool m_enabled = true;
    unsigned m_interval = 1000;
};
