#include "vessa/System/ForegroundWindow.h"

namespace vessa {

namespace {

// Lets the foreground move at once while it lives, and puts the system's
// foreground lock timeout back however the caller leaves.
class ForegroundLockLifted {
public:
    ForegroundLockLifted()
    {
        m_saved = SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &m_timeout, 0) != FALSE;
        if (m_saved)
            SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, SPIF_SENDCHANGE);
    }
    ~ForegroundLockLifted()
    {
        if (m_saved)
            SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                                  reinterpret_cast<void*>(static_cast<UINT_PTR>(m_timeout)), SPIF_SENDCHANGE);
    }
    ForegroundLockLifted(const ForegroundLockLifted&) = delete;
    ForegroundLockLifted& operator=(const ForegroundLockLifted&) = delete;

private:
    DWORD m_timeout = 0;
    bool m_saved = false;
};

}  // namespace

void ForceForegroundWindow(HWND window)
{
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);

    HWND foreground = GetForegroundWindow();
    DWORD foregroundThread = foreground != nullptr ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    DWORD windowThread = GetWindowThreadProcessId(window, nullptr);
    // With no foreground window there is no input queue to share.
    bool attached = foregroundThread != 0 && foregroundThread != windowThread &&
                    AttachThreadInput(windowThread, foregroundThread, TRUE) != FALSE;

    AllowSetForegroundWindow(ASFW_ANY);
    SetForegroundWindow(window);
    BringWindowToTop(window);
    if (attached)
        AttachThreadInput(windowThread, foregroundThread, FALSE);

    if (GetForegroundWindow() != window) {
        ForegroundLockLifted lifted;
        BringWindowToTop(window);
        SetForegroundWindow(window);
    }
    ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
}

}  // namespace vessa
