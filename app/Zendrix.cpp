// The program's entry: the checks that must pass before any window exists,
// then the three forms in their fixed order, then the message loop.

#include <windows.h>

#include "app/forms/MainForm.h"
#include "app/forms/MessageForm.h"
#include "vessa/skin/PngFileCache.h"
#include "app/forms/ShadowForm.h"
#include "app/controller/Director.h"
#include "app/controller/StartupChecks.h"
#include "app/controller/StartupGuard.h"
#include "app/pages/ZendrixLayout.h"
#include "app/protocol/ZendrixMessages.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/SysUtils.h"
#include "vessa/System/Source/WinRegistry.h"
#include "vessa/System/StepTrace.h"

namespace {

// The three forms and the rest of start-up; false when a failure ended it
// (its one message has been shown and no window is left).
bool BuildWindows()
{
    StartupGuard guard;
    // The windows load many skin files more than once; each is decoded once.
    PngFileCache pictures;
    try {
        Application->CreateForm(MainForm);
        vessa::StepTrace::Mark("main form made");
        Application->CreateForm(ShadowForm);  // owned by the main form's window
        vessa::StepTrace::Mark("shadow form made");
        Application->CreateForm(MessageForm);
        vessa::StepTrace::Mark("message form made");
        Director& controller = Director::GetInstance();
        MainForm->SetController(&controller, &controller);
        MainForm->InitAfterCreate();
        vessa::StepTrace::Mark("main form initialised");
        ShadowForm->PlaceAtStart();
        // A window that starts with its pages shown takes the shadow of its size.
        ZendrixLayout::GetInstance().ShowShadow();
        vessa::StepTrace::Mark("shadow placed");
    } catch (const Exception& error) {
        guard.Fail(error.Message());
    }
    if (guard.Failure().empty())
        return true;
    guard.Abandon();
    return false;
}

int RunProgram()
{
    vessa::StepTrace::Mark("entry");
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

    vessa::StepTrace::Mark("start-up checks");
    Application->Initialize();
    Application->SetShowMainForm(false);
    Application->SetTitle(kProgramName);
    Application->SetEndsWithRun(true);
    if (BuildWindows()) {
        vessa::StepTrace::Write("start-up");
        Application->Run();
        vessa::StepTrace::Mark("message loop ended");
    }
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    try {
        RunProgram();
    } catch (const std::exception& error) {
        Application->ShowException(error);
    }
    vessa::StepTrace::Mark("program left");
    vessa::StepTrace::Write("quit");
    return 0;
}
