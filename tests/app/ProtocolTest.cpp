// The window-message protocol of the running program as other programs use
// it: signature tests, show/minimise/foreground, quit, the tray callback,
// the shell's restart notice, the close command and the shadow that follows
// the main window.

#include <gtest/gtest.h>

#include "RunningProgram.h"

namespace {

using apptest::RunningProgram;
using apptest::WaitFor;

constexpr UINT kTrayCallback = WM_USER + 200;

class ZendrixProtocol : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_program.StartAndWaitForWindow()) << m_program.Describe();
        m_main = m_program.MainWindow();
    }
    void TearDown() override
    {
        if (m_program.Process().IsRunning()) {
            EXPECT_TRUE(m_program.Quit());
        }
    }
    bool MainVisible() const { return IsWindowVisible(m_main) != FALSE; }
    bool ShadowVisible() const
    {
        HWND shadow = m_program.ShadowWindow();
        return shadow != nullptr && IsWindowVisible(shadow);
    }
    // The close command as the system posts it to the application window.
    void HideToTray()
    {
        // A command posted to hidden windows would still be queued when the
        // next message is sent, and hide the window that message shows.
        if (!MainVisible() && !ShadowVisible())
            return;
        PostMessageA(m_program.AppWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
        ASSERT_TRUE(WaitFor([&] { return !MainVisible() && !ShadowVisible(); }));
    }
    void Show()
    {
        SendMessageA(m_main, WM_USER + 2, 0x55, 0);
        ASSERT_TRUE(MainVisible());
    }

    RunningProgram m_program;
    HWND m_main = nullptr;
};

TEST_F(ZendrixProtocol, ShowMessagesActOnlyWithTheSignatureInTheLowByte)
{
    struct Case {
        UINT message;
        WPARAM wParam;
        bool shows;
    };
    const Case cases[] = {
        {WM_USER + 2, 0x55, true},  {WM_USER + 3, 0x55, true}, {WM_USER + 2, 0x155, true}, {WM_USER + 3, 0x2355, true},
        {WM_USER + 2, 0x56, false}, {WM_USER + 3, 0, false},   {WM_USER + 4, 0x55, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "message WM_USER+" << (c.message - WM_USER) << " wParam " << c.wParam);
        HideToTray();
        SendMessageA(m_main, c.message, c.wParam, 0);
        EXPECT_EQ(c.shows, MainVisible());
        EXPECT_EQ(c.shows, ShadowVisible());
    }
}

TEST_F(ZendrixProtocol, CloseCommandToTheApplicationWindowHidesBothWindowsToTheTray)
{
    Show();
    ASSERT_TRUE(ShadowVisible());
    HideToTray();
    EXPECT_TRUE(m_program.Process().IsRunning());
    EXPECT_TRUE(apptest::TrayHasIcon(m_main, 1));
}

TEST_F(ZendrixProtocol, MinimiseHidesTheWindowAndShowBringsItBack)
{
    Show();
    SendMessageA(m_main, WM_USER + 1, 0x55, 0);
    EXPECT_FALSE(MainVisible());
    SendMessageA(m_main, WM_USER + 1, 0x54, 0);  // no signature: nothing
    SendMessageA(m_main, WM_USER + 3, 0x55, 0);
    EXPECT_TRUE(MainVisible());
    SendMessageA(m_main, WM_USER + 6, 0x55, 0);
    EXPECT_TRUE(MainVisible());
}

TEST_F(ZendrixProtocol, TrayDoubleClickShowsTheWindow)
{
    SendMessageA(m_main, kTrayCallback, 1, WM_LBUTTONDOWN);
    EXPECT_FALSE(MainVisible());
    SendMessageA(m_main, kTrayCallback, 1, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(MainVisible());
    EXPECT_TRUE(ShadowVisible());
}

TEST_F(ZendrixProtocol, ShellRestartPutsTheTrayIconBack)
{
    ASSERT_TRUE(WaitFor([&] { return apptest::TrayHasIcon(m_main, 1); }));
    ASSERT_TRUE(apptest::RemoveTrayIcon(m_main, 1));  // as a restarted shell would have lost it
    ASSERT_FALSE(apptest::TrayHasIcon(m_main, 1));
    SendMessageA(m_main, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(apptest::TrayHasIcon(m_main, 1));
}

TEST_F(ZendrixProtocol, ShadowFollowsTheMainWindowsTopLeftCornerAndKeepsItsSize)
{
    Show();
    HWND shadow = m_program.ShadowWindow();
    ASSERT_NE(nullptr, shadow);
    EXPECT_EQ(shadow, GetWindow(m_main, GW_HWNDNEXT));              // beneath the window it shadows
    EXPECT_EQ(m_program.AppWindow(), GetWindow(shadow, GW_OWNER));  // so no taskbar button
    const LONG exStyle = GetWindowLongA(shadow, GWL_EXSTYLE);
    EXPECT_NE(0, exStyle & WS_EX_LAYERED);
    EXPECT_NE(0, exStyle & WS_EX_TRANSPARENT);  // clicks go through
    RECT before{};
    GetWindowRect(shadow, &before);
    EXPECT_GT(before.right - before.left, 0);

    SetWindowPos(m_main, nullptr, 37, 61, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT main{}, after{};
    GetWindowRect(m_main, &main);
    ASSERT_TRUE(WaitFor([&] {
        GetWindowRect(shadow, &after);
        return after.left == main.left && after.top == main.top;
    }));
    EXPECT_EQ(before.right - before.left, after.right - after.left);
    EXPECT_EQ(before.bottom - before.top, after.bottom - after.top);
}

TEST_F(ZendrixProtocol, BroadcastOnlyRereadsTheBoard)
{
    const UINT broadcast = RegisterWindowMessageA("WM_MEROVAN_BROADCAST_MESSAGE");
    // What start-up wrote (the core-unlock switch) is not the broadcast's doing.
    const std::vector<std::string> startupWrites = m_program.Board().Writes();
    for (WPARAM wParam : {WPARAM(0x2355), WPARAM(0x2255), WPARAM(0x2356)})
        PostMessageA(m_program.AppWindow(), broadcast, wParam, 0);
    SendMessageA(m_main, WM_USER + 6, 0x55, 0);  // sent after the posts: they are handled by now
    EXPECT_TRUE(m_program.Process().IsRunning());
    EXPECT_EQ(startupWrites, m_program.Board().Writes());
}

TEST(ZendrixQuit, QuitNeedsTheSignatureInTheLowByte)
{
    RunningProgram program;
    ASSERT_TRUE(program.StartAndWaitForWindow()) << program.Describe();
    HWND main = program.MainWindow();
    SendMessageA(main, WM_USER, 0x54, 0);
    SendMessageA(main, WM_USER, 0x5500, 0);
    EXPECT_TRUE(program.Process().IsRunning());
    ASSERT_NE(nullptr, program.MainWindow());

    PostMessageA(main, WM_USER, 0x155, 0);
    DWORD code = 1;
    ASSERT_TRUE(program.Process().Wait(apptest::kProgramLimitMs, &code));
    EXPECT_EQ(0u, code);
    EXPECT_FALSE(apptest::TrayHasIcon(main, 1));
}

}  // namespace
