#include "app/TrayWindowController.h"

#include "app/AdvTrayIcon.h"
#include "app/MainForm.h"
#include "app/ShadowForm.h"
#include "app/ZendrixMessages.h"
#include "platform/vcl/Application.h"
#include "vessa/System/ForegroundWindow.h"

AppController& TheAppController()
{
    static TrayWindowController* controller = new TrayWindowController();
    return *controller;
}

TuningCommands* TheTuningCommands()
{
    return nullptr;  // no tuning pages: nothing rereads or writes values
}

void TrayWindowController::Init()
{
    MainForm->Background->Picture()->Assign(MainForm->SmallBk->Picture());
    m_shape.Attach(MainForm->Background);
    m_flicker.Attach(MainForm);

    AdvTrayIcon& tray = AdvTrayIcon::Instance();
    tray.OnDoubleClick = TTrayEvent(this, &TrayWindowController::OnTrayDoubleClick);
    tray.OnRightButtonUp = TTrayEvent(this, &TrayWindowController::OnTrayRightButtonUp);
    tray.Create(MainForm, kMsgTrayCallback);
}

void TrayWindowController::ShowFromTray()
{
    MainForm->Show();
    if (ShadowForm != nullptr)
        ShadowForm->Show();
    Application->Restore();
    vessa::ForceForegroundWindow(MainForm->Handle());
    AdvTrayIcon::Instance().Show();
}

void TrayWindowController::HideToTray()
{
    MainForm->Hide();
    if (ShadowForm != nullptr)
        ShadowForm->Hide();
}

void TrayWindowController::OnTrayDoubleClick(TCustomForm*)
{
    ShowFromTray();
}

void TrayWindowController::OnTrayRightButtonUp(TCustomForm*)
{
    POINT cursor{};
    GetCursorPos(&cursor);
    MainForm->TrayPopupMenu->Popup(cursor.x, cursor.y);
}
