// Start-up of the real program: the silent end on a BIOS conflict, one
// instance with the hand-off to the running one, and the pending-reboot
// notice.

#include <gtest/gtest.h>

#include "RunningProgram.h"
#include "TestPaths.h"
#include "vessa/System/KyMultiLang.h"

namespace {

using apptest::FindProcessWindow;
using apptest::RunningProgram;
using apptest::WaitFor;

constexpr char kRunOnce[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

std::string EnglishText(const char* key)
{
    vessa::KyMultiLang texts(zxtest::DistDir() + "\\", &GetSystemDefaultLangID);
    return texts.Translate(key);
}

// The reboot value under HKLM RunOnce while the object lives.
class PendingReboot {
public:
    explicit PendingReboot(const char* content)
    {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRunOnce, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
            ERROR_SUCCESS) {
            m_set = RegSetValueExA(key, "MBAP_REBOOT", 0, REG_SZ, reinterpret_cast<const BYTE*>(content),
                                   lstrlenA(content) + 1) == ERROR_SUCCESS;
            RegCloseKey(key);
        }
    }
    ~PendingReboot() { RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kRunOnce, "MBAP_REBOOT"); }
    bool IsSet() const { return m_set; }

private:
    bool m_set = false;
};

std::string StaticText(HWND box)
{
    char text[1024] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the message box's text control
    return text;
}

TEST(ZendrixStartup, ConflictFromTheStartEndsSilentlyAndLeavesTheInstanceFree)
{
    RunningProgram conflicted("startup-conflict");
    ASSERT_TRUE(conflicted.Start());
    DWORD code = 1;
    // A message box would keep the process alive: it must end by itself.
    ASSERT_TRUE(conflicted.Process().Wait(apptest::kProgramLimitMs, &code));
    EXPECT_EQ(0u, code);

    // It took no mutex: a start on a board without the conflict runs.
    RunningProgram normal;
    ASSERT_TRUE(normal.StartAndWaitForWindow()) << normal.Describe();
    EXPECT_TRUE(normal.Process().IsRunning());
}

TEST(ZendrixStartup, StartsHiddenWithItsWindowsAndTrayIcon)
{
    RunningProgram program;
    ASSERT_TRUE(program.StartAndWaitForWindow()) << program.Describe();
    HWND main = program.MainWindow();
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_NE(0, GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(0, GetWindowLongA(main, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));
    ASSERT_NE(nullptr, program.AppWindow());
    HWND helper = program.MessageWindow();
    ASSERT_NE(nullptr, helper);
    EXPECT_FALSE(IsWindowVisible(helper));
    EXPECT_TRUE(WaitFor([&] { return apptest::TrayHasIcon(main, 1); }));
    ASSERT_TRUE(program.Quit());
}

TEST(ZendrixStartup, SecondStartShowsTheRunningInstanceAndEnds)
{
    RunningProgram program;
    ASSERT_TRUE(program.StartAndWaitForWindow()) << program.Describe();
    ASSERT_FALSE(IsWindowVisible(program.MainWindow()));

    zxtest::ProcessResult second = program.RunAgain();
    ASSERT_TRUE(second.started);
    EXPECT_FALSE(second.timedOut);
    EXPECT_EQ(0u, second.exitCode);
    // The hand-off is sent, so the window is up once the second start ended.
    EXPECT_TRUE(IsWindowVisible(program.MainWindow()));
    HWND shadow = program.ShadowWindow();
    ASSERT_NE(nullptr, shadow);
    EXPECT_TRUE(IsWindowVisible(shadow));
    EXPECT_TRUE(program.Process().IsRunning());
    ASSERT_TRUE(program.Quit());
}

TEST(ZendrixStartup, PendingRebootShowsTheNoticeAndEnds)
{
    for (const char* content : {"", "C:\\setup\\finish.exe"}) {
        SCOPED_TRACE(content);
        PendingReboot reboot(content);
        ASSERT_TRUE(reboot.IsSet());
        RunningProgram program;
        ASSERT_TRUE(program.Start("-b"));
        const DWORD pid = program.Process().Id();
        HWND box = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (box = FindProcessWindow(pid, "#32770", "Zendrix")) != nullptr; },
                            apptest::kProgramLimitMs));
        EXPECT_EQ(EnglishText("AskReboot"), StaticText(box));
        EXPECT_EQ(nullptr, program.MainWindow());
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        DWORD code = 1;
        ASSERT_TRUE(program.Process().Wait(apptest::kProgramLimitMs, &code));
        EXPECT_EQ(0u, code);
    }
}

}  // namespace
