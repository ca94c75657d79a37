#pragma once
// The program's main window: borderless, colour-keyed layered, hidden in the
// tray until opened. It is also the program's address for other programs:
// it answers the window-message protocol (ZendrixMessages.h), receives the
// power events and the tray icon's callback, and through the application's
// message hook the settings-changed broadcast.

#include <windows.h>

#include "app/forms/MouseLeaveTracker.h"
#include "app/pages/PageHost.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/Menus.h"

class AppController;
class TuningCommands;

constexpr int kMainFormClientWidth = 544;
constexpr int kMainFormClientHeight = 395;
constexpr char kTrayBeTurboCaption[] = "Kavrin Monitor";
// Whether the core-unlock monitor is shown: 1 hidden, anything else shown.
constexpr char kBeTurboMonitorKey[] = "Software\\Merovan\\Zendrix";
constexpr char kBeTurboMonitorValue[] = "BeTurboMonitor";

class TMainForm : public TForm, public PageHost {
public:
    explicit TMainForm(TComponent* owner);
    ~TMainForm() override;

    // The window face; the controller gives it SmallBk's picture.
    TImage* Background;
    // Skin pictures kept with the form for the page layout (hidden).
    TImage* SmallBk;
    TImage* LargeBk;
    TImage* ComboBoxBody;
    TImage* ComboBoxBottom;
    TImage* CoreBk;
    TImage* MiddleBk;
    TImage* GpuBk;
    TPopupMenu* TrayPopupMenu;
    TMenuItem* TrayBeTurbo;  // hidden unless the CPU supports the core-unlock feature

    // The program's controller, handed over at start-up before
    // InitAfterCreate; without one the window's commands do nothing.
    void SetController(AppController* controller, TuningCommands* tuning);

    // PageHost
    TWinControl* Window() override { return this; }
    TImage* Picture(HostPicture which) override;
    TImage* ShownPicture(HostPicture which) override;
    const SkinHost& Skin() const override { return m_skin; }
    void ShowSmallShadow() override;
    void ShowMiddleShadow() override;
    void ShowLargeShadow() override;

    // The core-unlock monitor window and its tray menu item.
    void ShowMonitor(bool show);
    void ShowMonitorIfChecked();
    void TrayBeTurboClick(TObject* sender);
    // The registry value behind the menu item's check mark.
    static bool ReadBeTurboMonitor();
    static void WriteBeTurboMonitor(bool shown);

    // ChangeWindowMessageFilter(message, action) where the system has it, else 1.
    static int AllowWindowMessage(UINT message, DWORD action);
    UINT GetBroadcastMessage() const { return m_broadcastMessage; }

    // Called once after all three forms exist.
    void InitAfterCreate();
    // Moves the window (and its shadow) back inside the work area when it
    // reaches past it.
    void KeepInsideWorkArea() override;
    void SetMouseTracker(TControl* control, const TOutsideTest& outside, const TLeaveAction& leave) override;

    void WndProc(TMessage& message) override;
    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    // The shadow shows at the window's place just before the window does:
    // a window manager stacks the window it maps and activates last on top,
    // and the shadow must lie beneath.
    void DoShow() override;
    // Every close the system offers (Alt+F4, the system menu, WM_CLOSE from
    // another program) only sends the window to the tray; the quit message
    // alone lets the form close and end the program.
    void DoClose(TCloseAction& action) override;

private:
    TImage* MakeImage(const char* name, bool visible);
    // A hidden image with the form's picture of that name.
    TImage* MakeSkinPicture(const char* name);
    TImage* MakeSizedPicture(const char* name);
    void OnAppMessage(MSG& message, bool& handled);
    // True when `message` is one of the protocol's own and was handled.
    bool DispatchProtocol(TMessage& message);
    void OnPowerBroadcast(TMessage& message);
    void OnCoreUnlockMessage(TMessage& message);
    void MoveShadow();
    // The quit message of the protocol, as it waits in the queue.
    void IsQuitMessage(const MSG& message, bool& quits);
    void Quit();
    // However the monitor closed, the menu item and the registry follow.
    void OnMonitorClosed(TObject* sender);

    AppController* m_controller = nullptr;
    TuningCommands* m_tuning = nullptr;
    SkinHost m_skin;  // the window, its face and its page pictures
    UINT m_broadcastMessage = 0;
    UINT m_taskbarCreatedMessage = 0;
    MouseLeaveTracker m_tracker;
    bool m_quitting = false;
};

// The program's main form, set when the application creates it.
extern TMainForm* MainForm;
