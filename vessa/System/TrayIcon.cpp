#include "vessa/System/TrayIcon.h"

#include <cstring>

namespace vessa {

TrayIcon::TrayIcon(HWND window, UINT id, UINT callbackMessage, const char* tip, ShellNotifyFunction notify)
    : m_notify(notify)
{
    std::memset(&m_data, 0, sizeof m_data);
    m_data.cbSize = kNotifyIconRecordSize;
    m_data.hWnd = window;
    m_data.uID = id;
    m_data.uCallbackMessage = callbackMessage;
    SetTip(tip);
    SetVersion(true);
}

TrayIcon::~TrayIcon()
{
    if (m_shown)
        Remove();
}

void TrayIcon::SetTip(const char* tip)
{
    std::memset(m_data.szTip, 0, sizeof m_data.szTip);
    if (tip != nullptr)
        std::strncpy(m_data.szTip, tip, kTrayTipLength);
}

HICON TrayIcon::SetIcon(HICON icon)
{
    HICON previous = m_data.hIcon;
    m_data.hIcon = icon;
    return previous;
}

void TrayIcon::SetTimeout(UINT milliseconds)
{
    m_data.uTimeout = milliseconds;
}

void TrayIcon::SetVersion(bool useVersion)
{
    m_data.uVersion = useVersion ? kTrayIconVersion : 0;
    Send(NIM_SETVERSION);
    ComputeFlags();
    if (m_shown)
        Send(NIM_MODIFY);
}

void TrayIcon::SetVisible(bool visible)
{
    if (visible == m_shown)
        return;
    if (visible)
        Add();
    else
        Remove();
}

void TrayIcon::Reshow()
{
    if (m_shown) {
        ComputeFlags();
        if (Send(NIM_MODIFY))
            return;
        m_shown = false;
    }
    Add();
}

void TrayIcon::ComputeFlags()
{
    m_data.uFlags = NIF_MESSAGE;
    if (m_data.hIcon != nullptr)
        m_data.uFlags |= NIF_ICON;
    if (m_data.szTip[0] != '\0')
        m_data.uFlags |= NIF_TIP;
    std::memset(m_data.szInfo, 0, sizeof m_data.szInfo);
}

bool TrayIcon::Send(DWORD message)
{
    return m_notify(message, &m_data) == TRUE;
}

void TrayIcon::Add()
{
    ComputeFlags();
    for (int attempt = 0; attempt < kTrayAddAttempts && !m_shown; ++attempt)
        m_shown = Send(NIM_ADD);
}

void TrayIcon::Remove()
{
    ComputeFlags();
    Send(NIM_DELETE);
    m_shown = false;
}

}  // namespace vessa
