// The tray icon through a recording stand-in for the shell: what each call
// sends, the version, the retries, the tip limit and the re-show after a
// shell restart. Bringing a window to the front runs on the test display.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "RecordingShell.h"
#include "vessa/System/ForegroundWindow.h"
#include "vessa/System/TrayIcon.h"

namespace {

using namespace traytest;

class TrayIconTest : public testing::Test {
protected:
    void SetUp() override { ResetShell(); }
    HWND m_window = reinterpret_cast<HWND>(0x1234);
    HICON m_icon = LoadIcon(nullptr, IDI_APPLICATION);
};

}  // namespace

TEST_F(TrayIconTest, ConstructionFillsTheRecordAndSendsTheVersion)
{
    vessa::TrayIcon icon(m_window, 1, WM_USER + 200, "Tip", &RecordingShell);
    ASSERT_EQ(Messages(), std::vector<DWORD>{NIM_SETVERSION});
    const NOTIFYICONDATAA& sent = g_calls[0].record;
    EXPECT_EQ(sent.cbSize, 488u);
    EXPECT_EQ(sent.hWnd, m_window);
    EXPECT_EQ(sent.uID, 1u);
    EXPECT_EQ(sent.uCallbackMessage, static_cast<UINT>(WM_USER + 200));
    EXPECT_STREQ(sent.szTip, "Tip");
    EXPECT_EQ(sent.uVersion, 3u);
    EXPECT_FALSE(icon.IsVisible());

    // The time-out shares the version's field; the version was already sent.
    icon.SetTimeout(10000);
    EXPECT_EQ(icon.Record().uVersion, 10000u);
    EXPECT_EQ(g_calls.size(), 1u);
}

TEST_F(TrayIconTest, TipIsCutAt127Characters)
{
    const std::string longTip(200, 't');
    vessa::TrayIcon icon(m_window, 1, WM_USER, longTip.c_str(), &RecordingShell);
    EXPECT_EQ(std::string(icon.Record().szTip), longTip.substr(0, 127));
    icon.SetTip(nullptr);
    EXPECT_STREQ(icon.Record().szTip, "");
}

TEST_F(TrayIconTest, FlagsFollowWhatTheRecordHolds)
{
    struct Case {
        const char* name;
        bool withIcon;
        const char* tip;
        UINT flags;
    };
    const Case cases[] = {
        {"icon and tip", true, "Zendrix", NIF_MESSAGE | NIF_ICON | NIF_TIP},
        {"no icon", false, "Zendrix", NIF_MESSAGE | NIF_TIP},
        {"empty tip", true, "", NIF_MESSAGE | NIF_ICON},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_calls.clear();
        vessa::TrayIcon icon(m_window, 1, WM_USER, c.tip, &RecordingShell);
        if (c.withIcon) {
            EXPECT_EQ(icon.SetIcon(m_icon), nullptr);
        }
        icon.SetVisible(true);
        ASSERT_EQ(g_calls.back().message, static_cast<DWORD>(NIM_ADD));
        EXPECT_EQ(g_calls.back().record.uFlags, c.flags);
        EXPECT_EQ(g_calls.back().record.szInfo[0], '\0');
        EXPECT_EQ(g_calls.back().record.hIcon, c.withIcon ? m_icon : nullptr);
    }
}

TEST_F(TrayIconTest, ShowAndHideSendOnlyOnChange)
{
    {
        vessa::TrayIcon icon(m_window, 1, WM_USER, "Tip", &RecordingShell);
        icon.SetVisible(true);
        icon.SetVisible(true);
        EXPECT_TRUE(icon.IsVisible());
        icon.SetVisible(false);
        icon.SetVisible(false);
        EXPECT_FALSE(icon.IsVisible());
        icon.SetVisible(true);
    }  // the destructor removes the shown icon
    EXPECT_EQ(Messages(), (std::vector<DWORD>{NIM_SETVERSION, NIM_ADD, NIM_DELETE, NIM_ADD, NIM_DELETE}));

    g_calls.clear();
    {
        vessa::TrayIcon hidden(m_window, 1, WM_USER, "Tip", &RecordingShell);
    }
    EXPECT_EQ(Messages(), std::vector<DWORD>{NIM_SETVERSION});  // nothing to remove
}

TEST_F(TrayIconTest, AddIsTriedThreeTimes)
{
    struct Case {
        int failures;
        size_t adds;
        bool shown;
    };
    for (const Case& c : {Case{0, 1, true}, Case{2, 3, true}, Case{3, 3, false}, Case{10, 3, false}}) {
        SCOPED_TRACE(c.failures);
        vessa::TrayIcon icon(m_window, 1, WM_USER, "Tip", &RecordingShell);
        g_calls.clear();
        g_failuresLeft = c.failures;
        icon.SetVisible(true);
        EXPECT_EQ(g_calls.size(), c.adds);
        EXPECT_EQ(icon.IsVisible(), c.shown);
        g_failuresLeft = 0;
    }
}

TEST_F(TrayIconTest, VersionChangeIsSentAndModifiesAShownIcon)
{
    vessa::TrayIcon icon(m_window, 1, WM_USER, "Tip", &RecordingShell);
    icon.SetVisible(true);
    g_calls.clear();
    icon.SetVersion(false);
    ASSERT_EQ(Messages(), (std::vector<DWORD>{NIM_SETVERSION, NIM_MODIFY}));
    EXPECT_EQ(g_calls[0].record.uVersion, 0u);
}

TEST_F(TrayIconTest, ReshowSendsTheIconAgainAndReAddsALostOne)
{
    vessa::TrayIcon icon(m_window, 1, WM_USER, "Tip", &RecordingShell);
    icon.SetIcon(m_icon);
    icon.Reshow();  // not shown yet: an add
    icon.Reshow();  // shown and known to the shell: a modify
    g_failingMessage = NIM_MODIFY;
    g_failuresLeft = 1;
    icon.Reshow();  // the shell restarted and forgot the icon: modify fails, add
    EXPECT_EQ(Messages(), (std::vector<DWORD>{NIM_SETVERSION, NIM_ADD, NIM_MODIFY, NIM_MODIFY, NIM_ADD}));
    EXPECT_TRUE(icon.IsVisible());
    EXPECT_EQ(g_calls.back().record.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
}

// ---- ForceForegroundWindow ----

TEST(ForceForegroundWindow, RestoresShowsAndFrontsTheWindowAndKeepsTheLockTimeout)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ZxForegroundTest";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "ZxForegroundTest", "Foreground", WS_OVERLAPPEDWINDOW, 50, 50, 200, 100, nullptr,
                                  nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);

    DWORD before = 0;
    SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &before, 0);

    ShowWindow(window, SW_SHOWMINIMIZED);
    ASSERT_TRUE(IsIconic(window));
    vessa::ForceForegroundWindow(window);
    EXPECT_FALSE(IsIconic(window));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(GetForegroundWindow(), window);

    ShowWindow(window, SW_HIDE);
    vessa::ForceForegroundWindow(window);
    EXPECT_TRUE(IsWindowVisible(window));

    DWORD after = 0;
    SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &after, 0);
    EXPECT_EQ(after, before);
    DestroyWindow(window);
}
