#pragma once
// One notification-area icon. Changes are kept in the record and reach the
// shell with the next add or modify. The shell call is a constructor
// parameter so that tests can record what would reach the shell.

#include <windows.h>
#include <shellapi.h>

namespace vessa {

using ShellNotifyFunction = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAA data);

// The record in its 488-byte form (up to dwInfoFlags), which every shell reads.
constexpr DWORD kNotifyIconRecordSize = 488;
constexpr int kTrayAddAttempts = 3;
constexpr size_t kTrayTipLength = 127;  // characters, before the terminating zero
constexpr UINT kTrayIconVersion = 3;

class TrayIcon {
public:
    TrayIcon(HWND window, UINT id, UINT callbackMessage, const char* tip,
             ShellNotifyFunction notify = &Shell_NotifyIconA);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // At most kTrayTipLength characters; null gives an empty tip. Not sent.
    void SetTip(const char* tip);
    // Returns the previous icon. Not sent.
    HICON SetIcon(HICON icon);
    // Shares its field with the version. Not sent.
    void SetTimeout(UINT milliseconds);
    // Sends the version (kTrayIconVersion or 0), then the record when shown.
    void SetVersion(bool useVersion);
    // Adds (up to kTrayAddAttempts tries) or removes; nothing when unchanged.
    void SetVisible(bool visible);
    bool IsVisible() const { return m_shown; }
    // Sends the icon again whatever the shown flag says: a modify, and an add
    // when the shell has lost the icon (after a shell restart).
    void Reshow();

    const NOTIFYICONDATAA& Record() const { return m_data; }

private:
    void ComputeFlags();
    bool Send(DWORD message);
    void Add();
    void Remove();

    NOTIFYICONDATAA m_data;
    bool m_shown = false;
    ShellNotifyFunction m_notify;
};

}  // namespace vessa
