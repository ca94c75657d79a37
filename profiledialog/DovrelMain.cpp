// The library's entry point and its exports. The forms are made once, by
// DovrelCreate, under the host's application object; each export then runs
// its dialog modally in the host's loop.

#include <windows.h>

#include <exception>
#include <memory>

#include "vessa/skin/PngFileCache.h"
#include "vessa/System/StepTrace.h"
#include "platform/vcl/Application.h"
#include "profiledialog/AskDialog.h"
#include "profiledialog/Dovrel.h"
#include "profiledialog/DovrelForms.h"
#include "profiledialog/ProfileDialog.h"
#include "profiledialog/ShadowForms.h"

extern "C" {
TProfileDialog* ProfileDialog = nullptr;
TProfileShadowForm* ProfileShadowForm = nullptr;
TAskDialog* AskDialog = nullptr;
TDialogCover* DialogCover = nullptr;
}

namespace {

TApplication* g_ownApplication = nullptr;
TApplication* g_host = nullptr;
// DovrelCreate runs once; the dialogs answer only when it got through to
// the end (a missing skin or form picture stops it half-way).
bool g_createCalled = false;
bool g_ready = false;

// No exception may leave an export: the host was built apart from this
// library. What was thrown is shown by the host's application object, and
// the dialog counts as cancelled.
template <class Call>
int Guarded(Call call)
{
    try {
        return call();
    } catch (const std::exception& error) {
        if (Application)
            Application->ShowException(error);
    } catch (...) {
        if (Application)
            Application->ShowException("Unknown exception in Dovrel.dll");
    }
    return mrCancel;
}

// A dialog export: Cancel, touching nothing, while the forms are not all there.
template <class Call>
int DialogCall(Call call)
{
    return g_ready ? Guarded(call) : static_cast<int>(mrCancel);
}

TModalResult RunAsk(const char* text, int left, int top, bool question)
{
    AskDialog->SetBounds(left, top, AskDialog->Width(), AskDialog->Height());
    AskDialog->Message->SetCaption(text ? text : "");
    AskDialog->ShowQuestionButtons(question);
    return AskDialog->ShowModal();
}

TModalResult RunProfileDialog(bool special)
{
    if (ProfileDialog->Visible())
        return mrCancel;
    AskDialog->ShowQuestionButtons(true);
    if (special) {
        ProfileShadowForm->SetSpecial();
        SetWindowPos(ProfileShadowForm->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    return ProfileDialog->ShowModal();
}

// Swaps the danger picture in as the ask dialog's background, and the
// normal one back when it goes.
class DangerBackground {
public:
    DangerBackground() : m_kept(std::make_unique<TBitmap>())
    {
        m_kept->Assign(AskDialog->Background->Picture()->Bitmap());
        AskDialog->Background->Picture()->Assign(AskDialog->WarnDialogBk->Picture());
    }
    ~DangerBackground() { AskDialog->Background->Picture()->Assign(m_kept.get()); }
    DangerBackground(const DangerBackground&) = delete;
    DangerBackground& operator=(const DangerBackground&) = delete;

private:
    std::unique_ptr<TBitmap> m_kept;
};

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_ownApplication = Application;
    else if (reason == DLL_PROCESS_DETACH)
        Application = g_ownApplication;  // our own shutdown must not touch the host's object
    return TRUE;
}

extern "C" {

void WINAPI DovrelCreate(TApplication* host)
{
    if (g_createCalled)
        return;  // the forms already belong to the first host
    g_createCalled = true;
    if (!host)
        return;
    Guarded([host] {
        // The two dialogs share button and shadow skins: each is decoded once.
        PngFileCache pictures;
        g_host = host;
        Application = host;
        vessa::StepTrace::Mark("dialog library called");
        ProfileDialog = new TProfileDialog(host);
        vessa::StepTrace::Mark("profile dialog made");
        ProfileShadowForm = new TProfileShadowForm(ProfileDialog);
        AskDialog = new TAskDialog(host);
        vessa::StepTrace::Mark("ask dialog made");
        DialogCover = new TDialogCover(AskDialog);
        DialogCover->FirstSetup();
        ProfileDialog->Setup();
        ProfileShadowForm->FirstSetup();
        ProfileDialog->Hide();
        vessa::StepTrace::Mark("dialogs set up");
        vessa::StepTrace::Write("dialog library forms");
        g_ready = true;
        return 0;
    });
}

int WINAPI DovrelShowModal()
{
    return DialogCall([] { return RunProfileDialog(false); });
}

int WINAPI DovrelShowModalSp()
{
    return DialogCall([] { return RunProfileDialog(true); });
}

int WINAPI DovrelAskDialog(const char* text, int left, int top)
{
    return DialogCall([&] { return AskDialog->Visible() ? mrCancel : RunAsk(text, left, top, true); });
}

int WINAPI DovrelWarnDialog(const char* text, int left, int top)
{
    return DialogCall([&] { return AskDialog->Visible() ? mrCancel : RunAsk(text, left, top, false); });
}

int WINAPI DovrelAskDialogDanger(const char* text, int left, int top)
{
    return DialogCall([&] {
        if (AskDialog->Visible())
            return mrCancel;
        DangerBackground danger;
        return RunAsk(text, left, top, true);
    });
}

}  // extern "C"
