#pragma once
// What the main form hands over to the application controller (given to the
// main form at start-up): the window part (start-up, showing and hiding)
// and the tuning part (rereading values, snapshots, the remote item and
// profile commands).

#include <windows.h>

class AppController {
public:
    virtual ~AppController() = default;
    // Second-stage start-up, once all three forms exist: skin and shape of
    // the main window, its contents, the tray icon.
    virtual void Init() = 0;
    // Tray double-click and the show messages.
    virtual void ShowFromTray() = 0;
    // Closing the main window: it and its shadow go to the tray.
    virtual void HideToTray() = 0;
};

class TuningCommands {
public:
    virtual ~TuningCommands() = default;
    // The broadcast's refresh command: every value is read again.
    virtual void OnBroadcastRefresh() = 0;
    // Power events (the main form passes only the first resume after a suspend).
    virtual void SnapshotForSuspend() = 0;
    virtual void ReapplyAfterResume() = 0;
    // Remote commands with the exact signature.
    virtual void OnSetItemCommand(LPARAM value) = 0;
    virtual void OnProfileCommand(LPARAM command) = 0;
};
