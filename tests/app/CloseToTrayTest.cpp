// Closing the running program's windows the way the system offers it:
// Alt+F4 typed on the main window and on the core-unlock monitor (real key
// input), the close command and WM_CLOSE from another program. The main
// window and its shadow only go to the tray and the program lives on; the
// monitor hides and its tray menu item, with its registry value, turns off.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "RealInput.h"
#include "RunningProgram.h"

namespace {

using apptest::RunningProgram;
using apptest::WaitFor;

constexpr char kSettingsKey[] = "Software\\Merovan\\Zendrix";

// "BeTurboMonitor": 0 shown, 1 hidden, -1 when there is none.
long MonitorSetting()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return -1;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG read = RegQueryValueExA(key, "BeTurboMonitor", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return read == ERROR_SUCCESS ? static_cast<long>(value) : -1;
}

void ForgetMonitorSetting()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, "BeTurboMonitor");
        RegCloseKey(key);
    }
}

void TypeAltF4()
{
    apptest::PressKey(VK_F4, {VK_MENU});
}

class CloseToTray : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForgetMonitorSetting();
        ASSERT_TRUE(m_program.StartAndWaitForWindow()) << m_program.Describe();
        m_main = m_program.MainWindow();
    }
    void TearDown() override
    {
        if (m_program.Process().IsRunning()) {
            EXPECT_TRUE(m_program.Quit());
        }
        ForgetMonitorSetting();
    }
    bool Visible(HWND window) const { return window != nullptr && IsWindowVisible(window); }
    HWND Monitor()
    {
        return apptest::FindProcessWindow(m_program.Process().Id(), "TfrmTurboInfoMain", "Turbo Info Main");
    }
    // Keeps the main window's tray icon in view across the program's life.
    bool InTray() const { return apptest::TrayHasIcon(m_main, 1); }

    RunningProgram m_program;
    HWND m_main = nullptr;
};

TEST_F(CloseToTray, EveryCloseOfTheMainWindowOnlyHidesItToTheTray)
{
    struct Way {
        const char* name;
        std::function<void(HWND main)> close;
    };
    const Way ways[] = {
        {"Alt+F4 typed",
         [](HWND main) {
             ASSERT_TRUE(apptest::BringToFront(main));
             TypeAltF4();
         }},
        {"the close command", [](HWND main) { PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"WM_CLOSE", [](HWND main) { PostMessageA(main, WM_CLOSE, 0, 0); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        // A second start opens the window, as the user's second click does.
        const zxtest::ProcessResult again = m_program.RunAgain();
        ASSERT_TRUE(again.started);
        ASSERT_TRUE(WaitFor([&] { return Visible(m_main) && Visible(m_program.ShadowWindow()); }));
        ASSERT_NO_FATAL_FAILURE(way.close(m_main));
        ASSERT_TRUE(WaitFor([&] { return !Visible(m_main) || !m_program.Process().IsRunning(); }));
        Sleep(500);  // a close that ends the program takes a moment more
        ASSERT_TRUE(m_program.Process().IsRunning()) << m_program.Describe();
        EXPECT_FALSE(Visible(m_main));
        EXPECT_FALSE(Visible(m_program.ShadowWindow()));
        EXPECT_TRUE(InTray());
    }
    const zxtest::ProcessResult again = m_program.RunAgain();
    ASSERT_TRUE(again.started);
    EXPECT_TRUE(WaitFor([&] { return Visible(m_main); })) << "a second start shows the window again";
}

TEST_F(CloseToTray, AltF4OnTheMonitorHidesItAndTurnsItsMenuItemOff)
{
    ASSERT_TRUE(WaitFor([&] { return Visible(Monitor()); }));
    HWND monitor = Monitor();
    ASSERT_TRUE(apptest::BringToFront(monitor));
    TypeAltF4();
    ASSERT_TRUE(WaitFor([&] { return !Visible(monitor) || !m_program.Process().IsRunning(); }));
    Sleep(500);
    ASSERT_TRUE(m_program.Process().IsRunning()) << m_program.Describe();
    EXPECT_TRUE(InTray());
    EXPECT_EQ(1, MonitorSetting()) << "the menu item still says the monitor is shown";

    // The next start leaves it hidden, as the unchecked item says.
    ASSERT_TRUE(m_program.Quit());
    ASSERT_TRUE(m_program.StartAndWaitForWindow()) << m_program.Describe();
    Sleep(500);
    EXPECT_FALSE(Visible(Monitor()));

    const zxtest::ProcessResult again = m_program.RunAgain();
    ASSERT_TRUE(again.started);
    m_main = m_program.MainWindow();
    EXPECT_TRUE(WaitFor([&] { return Visible(m_main); })) << "a second start shows the window again";
}

}  // namespace
