#include "app/TrayWindowController.h"

#include "KyPackage/Source/KyCheckBox.h"
#include "app/AdvTrayIcon.h"
#include "app/AlphaButton.h"
#include "app/MainForm.h"
#include "app/ShadowForm.h"
#include "app/ZendrixMessages.h"
#include "platform/vcl/Application.h"
#include "vessa/System/ForegroundWindow.h"

namespace {

WindowContents* g_contents = nullptr;

}  // namespace

void SetWindowContents(WindowContents* contents)
{
    g_contents = contents;
}

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
    if (g_contents != nullptr) {
        g_contents->Build();
        WireWindowControls();
    }

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

void TrayWindowController::WireWindowControls()
{
    if (MainForm->CloseButton != nullptr)
        MainForm->CloseButton->OnClick = TNotifyEvent(this, &TrayWindowController::OnCloseClick);
    if (MainForm->MinimizeButton != nullptr)
        MainForm->MinimizeButton->OnClick = TNotifyEvent(this, &TrayWindowController::OnMinimizeClick);
    if (MainForm->MoreSettingBox != nullptr)
        MainForm->MoreSettingBox->OnClick = TNotifyEvent(this, &TrayWindowController::OnMoreSettingClick);
    // Nothing is applied before the application controller exists.
    if (MainForm->ApplyButton != nullptr)
        MainForm->ApplyButton->SetEnabled(false);
}

void TrayWindowController::OnCloseClick(TObject*)
{
    HideToTray();
}

void TrayWindowController::OnMinimizeClick(TObject*)
{
    Application->Minimize();
}

void TrayWindowController::OnMoreSettingClick(TObject*)
{
    if (MainForm->MoreSettingBox->Checked())
        g_contents->ShowPages();
    else
        g_contents->Collapse();
}
