#pragma once
// How other processes, and a second start of the program, reach the running
// program: its window names, its single-instance mutex and its window
// messages. wParam carries 0x55 as a signature; the broadcast's second byte
// is its command.

#include <windows.h>

constexpr char kProgramName[] = "Zendrix";  // application title, main window caption, message box caption
constexpr char kSingleInstanceMutex[] = "1C845AE4-7D13-49d5-A913-415C41157F21";
constexpr char kMainWindowClass[] = "TMainForm";
constexpr char kMessageWindowClass[] = "TMessageForm";
constexpr char kMessageWindowCaption[] = "ZendrixHelp";
constexpr char kTurboInfoWindowClass[] = "TfrmTurboInfoMain";
constexpr char kTurboInfoWindowCaption[] = "Turbo Info Main";
constexpr char kShadowWindowCaption[] = "ShadowForm";

constexpr WPARAM kMessageSignature = 0x55;

// Messages to the main window.
constexpr UINT kMsgQuit = WM_USER;                     // signature
constexpr UINT kMsgMinimize = WM_USER + 1;             // signature
constexpr UINT kMsgShow = WM_USER + 2;                 // signature
constexpr UINT kMsgShowFromSecondStart = WM_USER + 3;  // signature; sent by a second start
constexpr UINT kMsgForeground = WM_USER + 6;           // signature
constexpr UINT kMsgSetItem = WM_USER + 36;             // exact signature; lParam is the value
constexpr UINT kMsgProfileCommand = WM_USER + 37;      // exact signature; lParam is the command
constexpr UINT kMsgCoreUnlockToMain = WM_USER + 39;    // wParam 1 on, 0 off
constexpr UINT kMsgTrayCallback = WM_USER + 200;       // lParam is the mouse message

// The core-unlock state between the three windows (wParam 0 off, any other
// value on). The main window's bar sends kMsgCoreUnlockToMain to the message
// window, which passes kMsgCoreUnlockToMonitor on to the monitor; the
// monitor's switch posts kMsgCoreUnlockToMonitor to the message window,
// which passes kMsgCoreUnlockToMain on to the main window.
constexpr UINT kMsgCoreUnlockToMonitor = WM_USER + 40;

// The broadcast every party posts to HWND_BROADCAST after changing tuning
// settings; receivers reread every value.
constexpr char kBroadcastMessageName[] = "WM_MEROVAN_BROADCAST_MESSAGE";
constexpr WPARAM kBroadcastCommandRefresh = 0x23;
constexpr WPARAM kBroadcastRefresh = (kBroadcastCommandRefresh << 8) | kMessageSignature;  // 0x2355

// Signature: the low byte of wParam is 0x55. Exact: wParam is 0x55.
inline bool HasSignature(WPARAM wParam)
{
    return (wParam & 0xFF) == kMessageSignature;
}
inline bool HasExactSignature(WPARAM wParam)
{
    return wParam == kMessageSignature;
}
inline WPARAM BroadcastCommand(WPARAM wParam)
{
    return (wParam >> 8) & 0xFF;
}
