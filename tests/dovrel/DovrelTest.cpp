// Dovrel.dll as the program uses it: bound by name and by ordinal, handed
// the application object, its ask, warn, danger and Save Profile dialogs
// opened and answered by clicks posted from a timer, and the profile files
// they leave behind.

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <functional>

#include "DovrelHost.h"
#include "TestFiles.h"
#include "TestPaths.h"
#include "TestProcess.h"
#include "platform/vcl/Application.h"
#include "vessa/System/ProcAddress.h"

using dovreltest::HostFolder;
using dovreltest::Value;

namespace {

using CreateFunction = void(WINAPI*)(TApplication*);
using ShowFunction = int(WINAPI*)();
using AskFunction = int(WINAPI*)(const char*, int, int);

const char* const kExportNames[] = {"DovrelCreate",    "DovrelShowModal",  "DovrelShowModalSp",
                                    "DovrelAskDialog", "DovrelWarnDialog", "DovrelAskDialogDanger"};

std::string DistDovrel()
{
    char dist[MAX_PATH] = {};
    GetEnvironmentVariableA("DOVREL_DIST", dist, MAX_PATH);
    return std::string(dist[0] ? dist : zxtest::DistDir().c_str()) + "\\Dovrel.dll";
}

// The child's side: the library bound and created, and steps run one by one
// from a timer, each once its window is there.
struct Host {
    HMODULE module = LoadLibraryExA(DistDovrel().c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    ShowFunction showModal = vessa::GetProcAddressAs<ShowFunction>(module, "DovrelShowModal");
    AskFunction ask = vessa::GetProcAddressAs<AskFunction>(module, "DovrelAskDialog");
    AskFunction warn = vessa::GetProcAddressAs<AskFunction>(module, "DovrelWarnDialog");
    AskFunction danger = vessa::GetProcAddressAs<AskFunction>(module, "DovrelAskDialogDanger");

    Host()
    {
        Application->Initialize();
        auto create = vessa::GetProcAddressAs<CreateFunction>(module, MAKEINTRESOURCEA(1));
        create(Application);
        SetTimer(nullptr, 0, 100, &Host::Tick);
    }

    // A step returns false while what it waits for is not there yet.
    static std::deque<std::function<bool()>>& Steps()
    {
        static std::deque<std::function<bool()>> steps;
        return steps;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        if (!Steps().empty() && Steps().front()())
            Steps().pop_front();
    }
};

HWND Shown(const char* className)
{
    HWND window = FindWindowA(className, nullptr);
    return window && IsWindowVisible(window) ? window : nullptr;
}

HWND Button(HWND dialog, const char* text)
{
    return FindWindowExA(dialog, nullptr, "KyButtonTx", text);
}

void Click(HWND button)
{
    PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

// Waits for the dialog of `className`, reports it, then clicks `button`.
std::function<bool()> Answer(const char* className, const char* button)
{
    return [className, button] {
        HWND dialog = Shown(className);
        if (!dialog)
            return false;
        RECT r;
        GetWindowRect(dialog, &r);
        char caption[64] = {};
        GetWindowTextA(dialog, caption, sizeof caption);
        std::printf("%s.rect=%ld,%ld,%ld,%ld\n%s.caption=%s\n", className, r.left, r.top, r.right - r.left,
                    r.bottom - r.top, className, caption);
        for (const char* name : {"Yes", "No", "OK"})
            std::printf("%s.%s=%d\n", className, name, IsWindowVisible(Button(dialog, name)) ? 1 : 0);
        Click(Button(dialog, button));
        return true;
    };
}

}  // namespace

TEST(DovrelExports, SixFunctionsByNameAndOrdinalAndFourFormVariables)
{
    HMODULE module = LoadLibraryExA(DistDovrel().c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    ASSERT_NE(module, nullptr);
    for (int ordinal = 1; ordinal <= 6; ++ordinal) {
        FARPROC byName = GetProcAddress(module, kExportNames[ordinal - 1]);
        EXPECT_NE(byName, nullptr) << kExportNames[ordinal - 1];
        EXPECT_EQ(byName, GetProcAddress(module, MAKEINTRESOURCEA(ordinal))) << kExportNames[ordinal - 1];
    }
    for (const char* variable : {"_ProfileDialog", "_ProfileShadowForm", "_AskDialog", "_DialogCover"}) {
        auto* form = reinterpret_cast<void**>(GetProcAddress(module, variable));
        ASSERT_NE(form, nullptr) << variable;
        EXPECT_EQ(*form, nullptr) << variable << " before DovrelCreate";
    }
}

ZX_TEST_CHILD(ask_warn_danger)
{
    Host host;
    auto& steps = Host::Steps();
    steps.push_back([&] {
        if (!Shown("TAskDialog"))
            return false;
        // A second dialog while the first is open is refused at once.
        std::printf("reentry=%d\n", host.warn("again", 0, 0));
        HWND cover = FindWindowA("TDialogCover", nullptr);
        RECT r{};
        GetWindowRect(cover, &r);
        std::printf("cover=%ld,%ld,%d\n", r.left, r.top,
                    (GetWindowLongA(cover, GWL_EXSTYLE) & WS_EX_TRANSPARENT) ? 1 : 0);
        return true;
    });
    steps.push_back(Answer("TAskDialog", "No"));
    std::printf("ask=%d\n", host.ask("Write the new settings?", 100, 120));
    steps.push_back(Answer("TAskDialog", "OK"));
    std::printf("warn=%d\n", host.warn("Apply first.", 130, 90));
    steps.push_back(Answer("TAskDialog", "Yes"));
    std::printf("danger=%d\n", host.danger("Too high.", 60, 70));
    steps.push_back([] {
        HWND dialog = Shown("TAskDialog");
        if (dialog)
            Click(FindWindowExA(dialog, nullptr, "KyButtonTx", ""));  // the corner close button
        return dialog != nullptr;
    });
    std::printf("closed=%d\n", host.ask("Close me", 10, 10));
    return 0;
}

TEST(DovrelAskDialog, AnswersPlacesAndRefusesASecondDialog)
{
    HostFolder folder;
    auto lines = folder.Run("ask_warn_danger");
    SCOPED_TRACE(testing::PrintToString(lines));
    EXPECT_EQ(Value(lines, "ask"), "7");
    EXPECT_EQ(Value(lines, "reentry"), "2");
    EXPECT_EQ(Value(lines, "cover"), "100,120,1");
    EXPECT_EQ(Value(lines, "TAskDialog.caption"), "AskDialog");
    EXPECT_EQ(Value(lines, "TAskDialog.rect"), "100,120,281,203");
    EXPECT_EQ(Value(lines, "TAskDialog.OK"), "0");
    EXPECT_EQ(Value(lines, "warn"), "1");
    EXPECT_EQ(Value(lines, "danger"), "6");
    EXPECT_EQ(Value(lines, "closed"), "2");
    EXPECT_EQ(Value(lines, "exit"), "0");
}

namespace {

// Every dialog export once, each answer on its own line under `prefix`.
void CallEveryDialog(HMODULE module, const char* prefix)
{
    auto show = vessa::GetProcAddressAs<ShowFunction>(module, "DovrelShowModal");
    auto showSp = vessa::GetProcAddressAs<ShowFunction>(module, "DovrelShowModalSp");
    auto ask = vessa::GetProcAddressAs<AskFunction>(module, "DovrelAskDialog");
    auto warn = vessa::GetProcAddressAs<AskFunction>(module, "DovrelWarnDialog");
    auto danger = vessa::GetProcAddressAs<AskFunction>(module, "DovrelAskDialogDanger");
    std::printf("%s.ask=%d\n%s.warn=%d\n%s.danger=%d\n%s.show=%d\n%s.showsp=%d\n", prefix, ask("?", 0, 0), prefix,
                warn("!", 0, 0), prefix, danger("!!", 0, 0), prefix, show(), prefix, showSp());
}

void* FormVariable(HMODULE module, const char* name)
{
    return *reinterpret_cast<void**>(GetProcAddress(module, name));
}

}  // namespace

ZX_TEST_CHILD(dialogs_around_create)
{
    HMODULE module = LoadLibraryExA(DistDovrel().c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    auto create = vessa::GetProcAddressAs<CreateFunction>(module, "DovrelCreate");
    Application->Initialize();
    static bool failed = false;
    Application->OnException = TExceptionEvent::FromFunction([](TObject*, const char* message) {
        failed = true;
        std::printf("exception=%s\n", message ? message : "");
    });
    CallEveryDialog(module, "before");
    create(Application);
    void* askDialog = FormVariable(module, "_AskDialog");
    std::printf("created=%d\n", askDialog != nullptr ? 1 : 0);
    create(Application);  // ignored: the forms stay those of the first call
    std::printf("same=%d\n", FormVariable(module, "_AskDialog") == askDialog ? 1 : 0);
    if (failed)  // after a good create the dialogs would open and wait
        CallEveryDialog(module, "after");
    return 0;
}

TEST(DovrelCreate, DialogsAnswerCancelUntilEveryFormIsMadeAndASecondCreateIsIgnored)
{
    HostFolder folder;
    auto lines = folder.Run("dialogs_around_create");
    SCOPED_TRACE(testing::PrintToString(lines));
    for (const char* call : {"ask", "warn", "danger", "show", "showsp"})
        EXPECT_EQ(Value(lines, std::string("before.") + call), "2") << call;
    EXPECT_EQ(Value(lines, "created"), "1");
    EXPECT_EQ(Value(lines, "same"), "1");
    EXPECT_EQ(Value(lines, "exception"), "<missing>");
    EXPECT_EQ(Value(lines, "exit"), "0");
}

TEST(DovrelCreate, APictureMissingStopsCreateAndEveryDialogAnswersCancel)
{
    for (const char* missing :
         {"Resource\\forms\\TAskDialog.Background.png", "Resource\\type_name.png", "Resource\\shadow_01.png"}) {
        SCOPED_TRACE(missing);
        HostFolder folder;
        ASSERT_TRUE(folder.Remove(missing));
        auto lines = folder.Run("dialogs_around_create");
        SCOPED_TRACE(testing::PrintToString(lines));
        EXPECT_NE(Value(lines, "exception"), "<missing>");  // the host is told once
        for (const char* call : {"ask", "warn", "danger", "show", "showsp"})
            EXPECT_EQ(Value(lines, std::string("after.") + call), "2") << call;
        EXPECT_EQ(Value(lines, "exit"), "0");
    }
}
