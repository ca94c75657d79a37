// The program's tray icon over the recording shell: what Create sends, the
// two mouse events it routes, re-showing after a shell restart, and the
// icon file.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "RecordingShell.h"
#include "TestPaths.h"
#include "app/forms/AdvTrayIcon.h"
#include "vessa/skin/ResourceFiles.h"
#include "platform/vcl/SysUtils.h"

namespace {

using namespace traytest;

constexpr UINT kCallback = WM_USER + 200;

std::string ShippedIcon()
{
    return zxtest::JoinPath(zxtest::DistDir(), std::string(kResourceFolderName) + kTrayIconFile);
}

class AdvTrayIconTest : public testing::Test {
protected:
    void SetUp() override { ResetShell(); }

    TForm m_form{nullptr};
    AdvTrayIcon m_tray{ShippedIcon(), &RecordingShell};
};

struct EventLog {
    std::vector<std::string> entries;
    void DoubleClick(TCustomForm* form)
    {
        entries.push_back(form != nullptr ? "double click" : "double click, no form");
    }
    void RightButtonUp(TCustomForm* form) { entries.push_back(form != nullptr ? "right up" : "right up, no form"); }
};

TMessage Callback(LPARAM mouse)
{
    TMessage message;
    message.Msg = kCallback;
    message.WParam = kTrayIconId;
    message.LParam = mouse;
    return message;
}

}  // namespace

TEST_F(AdvTrayIconTest, CreateAddsTheIconWithTipTimeoutAndCallback)
{
    m_tray.Create(&m_form, kCallback);
    ASSERT_EQ(Messages(), (std::vector<DWORD>{NIM_SETVERSION, NIM_ADD}));
    const NOTIFYICONDATAA& added = g_calls.back().record;
    EXPECT_EQ(added.hWnd, m_form.Handle());
    EXPECT_EQ(added.uID, 1u);
    EXPECT_EQ(added.uCallbackMessage, kCallback);
    EXPECT_STREQ(added.szTip, "Zendrix");
    EXPECT_EQ(added.uTimeout, 10000u);
    EXPECT_NE(added.hIcon, nullptr);
    EXPECT_EQ(added.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(g_calls.front().record.uVersion, 3u);
    EXPECT_TRUE(m_tray.Icon()->IsVisible());
    EXPECT_EQ(m_tray.Owner(), &m_form);
}

TEST_F(AdvTrayIconTest, OnlyDoubleClickAndRightButtonUpAct)
{
    EventLog log;
    m_tray.Create(&m_form, kCallback);
    m_tray.HandleMessage(Callback(WM_LBUTTONDBLCLK));  // no handler set yet: nothing
    m_tray.OnDoubleClick = TTrayEvent(&log, &EventLog::DoubleClick);
    m_tray.OnRightButtonUp = TTrayEvent(&log, &EventLog::RightButtonUp);
    for (LPARAM mouse : {LPARAM(WM_LBUTTONDBLCLK), LPARAM(WM_RBUTTONDBLCLK), LPARAM(WM_RBUTTONUP), LPARAM(WM_LBUTTONUP),
                         LPARAM(WM_RBUTTONDOWN), LPARAM(WM_MOUSEMOVE)})
        m_tray.HandleMessage(Callback(mouse));
    EXPECT_EQ(log.entries, (std::vector<std::string>{"double click", "right up"}));
}

TEST_F(AdvTrayIconTest, ShowSendsTheIconAgainAndReAddsItAfterAShellRestart)
{
    m_tray.Show();  // before Create: nothing to show
    EXPECT_TRUE(g_calls.empty());
    m_tray.Create(&m_form, kCallback);
    g_calls.clear();
    m_tray.Show();
    EXPECT_EQ(Messages(), std::vector<DWORD>{NIM_MODIFY});

    g_calls.clear();
    g_failingMessage = NIM_MODIFY;
    g_failuresLeft = 1;
    m_tray.Show();
    EXPECT_EQ(Messages(), (std::vector<DWORD>{NIM_MODIFY, NIM_ADD}));
    EXPECT_TRUE(m_tray.Icon()->IsVisible());
    EXPECT_NE(TaskbarCreatedMessage(), 0u);
}

TEST_F(AdvTrayIconTest, FailedAddsLeaveTheIconHiddenUntilShowSucceeds)
{
    g_failuresLeft = 3;
    m_tray.Create(&m_form, kCallback);
    EXPECT_FALSE(m_tray.Icon()->IsVisible());
    m_tray.Show();
    EXPECT_TRUE(m_tray.Icon()->IsVisible());
}

TEST_F(AdvTrayIconTest, LoadIconReplacesTheHandle)
{
    m_tray.Create(&m_form, kCallback);
    HICON first = m_tray.Icon()->Record().hIcon;
    m_tray.LoadIcon();
    HICON second = m_tray.Icon()->Record().hIcon;
    EXPECT_NE(second, nullptr);
    EXPECT_NE(second, first);
    ICONINFO info{};
    EXPECT_FALSE(GetIconInfo(first, &info));  // the previous icon was destroyed
}

TEST_F(AdvTrayIconTest, AMissingIconFileRaisesTheOpenError)
{
    zxtest::TempFolder folder;
    AdvTrayIcon tray(folder.File("missing.ico"), &RecordingShell);
    EXPECT_THROW(tray.Create(&m_form, kCallback), EFOpenError);
    EXPECT_EQ(tray.Owner(), nullptr);
}
