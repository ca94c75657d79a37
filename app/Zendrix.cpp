// The program's entry: the checks that must pass before any window exists,
// then the three forms in their fixed order, then the message loop.

#include <windows.h>

#include "app/MainForm.h"
#include "app/MessageForm.h"
#include "app/ShadowForm.h"
#include "app/StartupChecks.h"
#include "app/TrayWindowController.h"
#include "app/ZendrixLayout.h"
#include "app/ZendrixMessages.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/SysUtils.h"
#include "vessa/System/Source/WinRegistry.h"

namespace {

// The main window's contents: the page layout.
class PageLayoutContents : public WindowContents {
public:
    void Build() override { ZendrixLayout::GetInstance().Build(); }
    void ShowPages() override { ZendrixLayout::GetInstance().ShowPages(); }
    void Collapse() override { ZendrixLayout::GetInstance().Collapse(); }
};

int RunProgram()
{
    // A conflicting state from the start ends the program silently, before
    // the mutex, so that a start after the state changed works normally.
    if (CheckTuningConflict())
        return 0;
    if (!TakeSingleInstance())
        return 0;

    // Kept open until the message loop has returned.
    vessa::RegAccessor runOnce;
    if (IsRebootPending(runOnce)) {
        ShowStartupText(kTextAskReboot);
        return 0;
    }
    const bool quietConflict = HasCommandLineSwitch(GetCommandLineA(), 'b');
    // Only reached when the BIOS state changed since the first test.
    if (CheckTuningConflict()) {
        if (!quietConflict)
            ShowStartupText(kTextTuningConflict);
        return 0;
    }

    Application->Initialize();
    Application->SetShowMainForm(false);
    Application->SetTitle(kProgramName);
    Application->CreateForm(MainForm);
    Application->CreateForm(ShadowForm);  // owned by the main form's window
    Application->CreateForm(MessageForm);
    PageLayoutContents contents;
    SetWindowContents(&contents);
    MainForm->InitAfterCreate();
    ShadowForm->PlaceAtStart();
    // A window that starts with its pages shown takes the shadow of its size.
    ZendrixLayout::GetInstance().ShowShadow();
    Application->Run();
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    try {
        return RunProgram();
    } catch (const Exception& error) {
        Application->ShowException(error);
    }
    return 0;
}
