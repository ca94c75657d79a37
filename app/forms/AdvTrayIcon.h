#pragma once
// The program's one notification-area icon: the icon file, the tip, and the
// two mouse events the main window acts on. The main form hands the
// callback message to HandleMessage, and calls Show when the shell announces
// a restart (TaskbarCreatedMessage), which would otherwise leave the program
// without its icon and so unreachable.

#include <windows.h>

#include <memory>
#include <string>

#include "platform/vcl/Form.h"
#include "vessa/System/TrayIcon.h"

constexpr UINT kTrayIconId = 1;
constexpr char kTrayIconTip[] = "Zendrix";
constexpr UINT kTrayBalloonTimeout = 10000;        // ms
constexpr char kTrayIconFile[] = "Zendrix02.ico";  // in the resource folder (ResourceFiles.h)

using TTrayEvent = TClosure<TCustomForm*>;

class AdvTrayIcon {
public:
    // The program's instance; created on first use, never destroyed.
    static AdvTrayIcon& Instance();

    // `iconFile` is the icon to show, `notify` the shell call.
    explicit AdvTrayIcon(std::string iconFile = DefaultIconFile(),
                         vessa::ShellNotifyFunction notify = &Shell_NotifyIconA);
    AdvTrayIcon(const AdvTrayIcon&) = delete;
    AdvTrayIcon& operator=(const AdvTrayIcon&) = delete;

    // Puts the icon in the tray for `owner`; the shell reports the mouse
    // through `callbackMessage`. A missing icon file raises the icon's
    // file-open error, one that is no icon EInvalidGraphic; both name it.
    void Create(TCustomForm* owner, UINT callbackMessage);
    // Sends the icon again whatever the icon believes: a modify, and an add
    // when the shell has lost it.
    void Show();
    // Loads the icon file into the record; the shell sees it with the next
    // add or modify. The previous icon is destroyed.
    void LoadIcon();
    // The callback message: a left double click or a right button release.
    void HandleMessage(const TMessage& message);

    vessa::TrayIcon* Icon() const { return m_icon.get(); }
    TCustomForm* Owner() const { return m_owner; }

    TTrayEvent OnDoubleClick;
    TTrayEvent OnRightButtonUp;

    static std::string DefaultIconFile();

private:
    std::string m_iconFile;
    vessa::ShellNotifyFunction m_notify;
    std::unique_ptr<vessa::TrayIcon> m_icon;
    TCustomForm* m_owner = nullptr;
};

// The message the shell broadcasts when it (re)starts.
UINT TaskbarCreatedMessage();
