// The core-unlock monitor of the running program as the user and the other
// windows meet it: where it appears, the state passed between the monitor,
// the message window and the main window (read from the movie stand-in's
// log and the board's writes), and how it closes.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DialogFace.h"
#include "RunningProgram.h"
#include "MovieLog.h"
#include "TestFiles.h"
#include "TestPaths.h"

namespace {

using apptest::RunningProgram;
using apptest::WaitFor;

constexpr UINT kToMain = WM_USER + 39;
constexpr UINT kToMonitor = WM_USER + 40;
constexpr char kSettingsKey[] = "Software\\Merovan\\Zendrix";

// The turbo switch's writes, as the board logs them.
std::string TurboSwitchWrite(int value)
{
    return "id=0x00060009 index=" + std::to_string(value) + " mode=1 result=1";
}

struct MovieSearch {
    HWND owner;
    HWND found;
    LONG area;
};

struct OwnedWindows {
    HWND owner;
    std::vector<HWND> found;
};

BOOL CALLBACK TakeOwnedWindow(HWND window, LPARAM data)
{
    auto* owned = reinterpret_cast<OwnedWindows*>(data);
    if (GetWindow(window, GW_OWNER) == owned->owner)
        owned->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK LargerOwnedWindow(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<MovieSearch*>(data);
    RECT r{};
    GetWindowRect(window, &r);
    const LONG area = (r.right - r.left) * (r.bottom - r.top);
    if (GetWindow(window, GW_OWNER) == search->owner && area > search->area) {
        search->found = window;
        search->area = area;
    }
    return TRUE;
}

class ZendrixMonitor : public testing::Test {
protected:
    void SetUp() override
    {
        m_log = m_folder.File("flashobj.log");
        m_program.SetEnvironment("FLASHOBJ_LOG", m_log);
    }
    void TearDown() override
    {
        if (m_program.Process().IsRunning()) {
            EXPECT_TRUE(m_program.Quit());
        }
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, "BeTurboMonitor");
            RegCloseKey(key);
        }
    }
    void Start() { ASSERT_TRUE(m_program.StartAndWaitForWindow()) << m_program.Describe(); }
    HWND Monitor()
    {
        return apptest::FindProcessWindow(m_program.Process().Id(), "TfrmTurboInfoMain", "Turbo Info Main");
    }
    bool MonitorVisible()
    {
        HWND monitor = Monitor();
        return monitor != nullptr && IsWindowVisible(monitor);
    }
    std::vector<std::string> MovieCalls() const { return apptest::MovieCalls(m_log); }
    std::string LastSetEnable() const
    {
        const std::vector<std::string> calls = MovieCalls();
        auto last = std::find_if(calls.rbegin(), calls.rend(),
                                 [](const std::string& call) { return call.compare(0, 10, "setEnable=") == 0; });
        return last == calls.rend() ? std::string() : *last;
    }
    bool LoggedCallOut(const std::string& text) const
    {
        return !zxtest::LinesContaining(m_log, "callout text=" + text + " ").empty();
    }
    size_t CountWrites(const std::string& write)
    {
        const std::vector<std::string> writes = m_program.Board().Writes();
        return static_cast<size_t>(std::count(writes.begin(), writes.end(), write));
    }
    // The animation's movie window: the larger of the monitor's two.
    HWND AnimationWindow()
    {
        MovieSearch search{Monitor(), nullptr, 0};
        EnumWindows(&LargerOwnedWindow, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    // How many of the monitor's movie windows (animation, close button) show.
    size_t VisibleMovies()
    {
        OwnedWindows owned{Monitor(), {}};
        EnumWindows(&TakeOwnedWindow, reinterpret_cast<LPARAM>(&owned));
        return static_cast<size_t>(
            std::count_if(owned.found.begin(), owned.found.end(), [](HWND w) { return IsWindowVisible(w) != FALSE; }));
    }

    zxtest::TempFolder m_folder;
    std::string m_log;
    RunningProgram m_program;
};

TEST_F(ZendrixMonitor, AppearsAtTheWorkAreasLowerRightWithTheSwitchOn)
{
    Start();
    ASSERT_TRUE(WaitFor([&] { return MonitorVisible(); }));
    HWND monitor = Monitor();
    RECT workArea{}, bounds{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    GetWindowRect(monitor, &bounds);
    EXPECT_EQ(workArea.right, bounds.right);
    EXPECT_EQ(workArea.bottom, bounds.bottom);
    EXPECT_NE(0, GetWindowLongA(monitor, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(0, GetWindowLongA(monitor, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));
    // The animation shows over the window at its place.
    HWND animation = AnimationWindow();
    ASSERT_NE(nullptr, animation);
    EXPECT_TRUE(IsWindowVisible(animation));
    RECT movie{};
    GetWindowRect(animation, &movie);
    EXPECT_EQ(bounds.left + 5, movie.left);
    EXPECT_EQ(bounds.top + 20, movie.top);
    EXPECT_EQ(121, movie.right - movie.left);
    EXPECT_EQ(120, movie.bottom - movie.top);

    // The board's turbo bit is on: the switch went on, the movie was told,
    // and its answer refreshed the four cores.
    EXPECT_EQ(1u, CountWrites(TurboSwitchWrite(0x12)));
    ASSERT_TRUE(WaitFor([&] { return LoggedCallOut("on nosend"); }));
    const std::vector<std::string> calls = MovieCalls();
    EXPECT_NE(calls.end(), std::find(calls.begin(), calls.end(), "setCores=4"));
    EXPECT_EQ("setEnable=1", LastSetEnable());
    ASSERT_TRUE(WaitFor([&] {
        const auto now = MovieCalls();
        return std::any_of(now.begin(), now.end(), [](const std::string& c) { return c.rfind("setBar=3", 0) == 0; });
    })) << testing::PrintToString(MovieCalls());
}

TEST_F(ZendrixMonitor, TheSwitchGoesFromEachWindowToTheOther)
{
    Start();
    ASSERT_TRUE(WaitFor([&] { return MonitorVisible() && LoggedCallOut("on nosend"); }));
    HWND messageWindow = m_program.MessageWindow();

    // The user clicks the movie's switch: off reaches the board, the main
    // window and, through its bar, the movie again without a loop.
    HWND animation = AnimationWindow();
    ASSERT_NE(nullptr, animation);
    PostMessageA(animation, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 5));
    PostMessageA(animation, WM_LBUTTONUP, 0, MAKELPARAM(20, 5));
    ASSERT_TRUE(WaitFor([&] { return CountWrites(TurboSwitchWrite(0x02)) == 1; }));
    EXPECT_TRUE(LoggedCallOut("off"));
    ASSERT_TRUE(WaitFor([&] { return LastSetEnable() == "setEnable=0"; }));

    // The main window's bar reports on: the board and the movie follow.
    SendMessageA(messageWindow, kToMain, 1, 0);
    EXPECT_EQ(2u, CountWrites(TurboSwitchWrite(0x12)));
    EXPECT_EQ("setEnable=1", LastSetEnable());

    // The echo of a state changes nothing.
    SendMessageA(messageWindow, kToMonitor, 1, 0);
    SendMessageA(messageWindow, kToMain, 7, 0);
    EXPECT_EQ(2u, CountWrites(TurboSwitchWrite(0x12)));
    EXPECT_EQ(1u, CountWrites(TurboSwitchWrite(0x02)));
    EXPECT_TRUE(m_program.Process().IsRunning());
}

TEST_F(ZendrixMonitor, ClosesOnTheSignatureInTheLowByteOrItsCloseButton)
{
    Start();
    ASSERT_TRUE(WaitFor([&] { return MonitorVisible(); }));
    HWND monitor = Monitor();
    SendMessageA(monitor, WM_USER, 0x154, 0);
    EXPECT_TRUE(MonitorVisible());
    SendMessageA(monitor, WM_USER, 0x155, 0);
    EXPECT_FALSE(MonitorVisible());
    EXPECT_FALSE(IsWindowVisible(AnimationWindow()));
    EXPECT_TRUE(m_program.Process().IsRunning()) << "closing only hides the monitor";
}

// The main window's Minimize hides the monitor with all its windows, and
// showing the main window again brings them all back: the screen where the
// monitor was shows what it shows once the monitor is closed.
TEST_F(ZendrixMonitor, HidesAndShowsWithAllItsWindowsAtTheMainWindowsMinimize)
{
    Start();
    ASSERT_TRUE(WaitFor([&] { return MonitorVisible() && VisibleMovies() == 2; })) << VisibleMovies();
    RECT place{};
    GetWindowRect(Monitor(), &place);
    HWND main = m_program.MainWindow();
    PostMessageA(main, WM_USER + 2, 0x55, 0);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }));

    PostMessageA(main, WM_USER + 1, 0x55, 0);  // what the Minimize button does
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main) && !MonitorVisible(); }));
    EXPECT_TRUE(WaitFor([&] { return VisibleMovies() == 0; })) << VisibleMovies() << " movie windows left";
    Sleep(300);
    const apptest::ScreenPixels minimized = apptest::CaptureSteady(GetDesktopWindow(), place);
    apptest::SaveBitmap(minimized, zxtest::JoinPath(zxtest::TestDir(), "monitor-place-minimized.bmp"));

    PostMessageA(main, WM_USER + 2, 0x55, 0);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main) && MonitorVisible(); }));
    EXPECT_TRUE(WaitFor([&] { return VisibleMovies() == 2; })) << VisibleMovies() << " movie windows shown";
    // (The screen capture does not show the per-pixel-alpha face here; the
    // windows' visibility is the check, the pictures are kept to look at.)
    apptest::SaveBitmap(apptest::CaptureSteady(GetDesktopWindow(), place),
                        zxtest::JoinPath(zxtest::TestDir(), "monitor-place-restored.bmp"));

    SendMessageA(Monitor(), WM_USER, 0x55, 0);  // closed: nothing of it shows
    ASSERT_TRUE(WaitFor([&] { return !MonitorVisible() && VisibleMovies() == 0; }));
    Sleep(300);
    EXPECT_EQ(apptest::CaptureSteady(GetDesktopWindow(), place), minimized)
        << "a part of the monitor stayed on the screen after the Minimize";
}

TEST_F(ZendrixMonitor, StaysHiddenWhenTheSettingSaysSoAndSwitchesOffWithTheBoard)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr));
    const DWORD hidden = 1;
    RegSetValueExA(key, "BeTurboMonitor", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&hidden), sizeof hidden);
    RegCloseKey(key);
    m_program.Board().SetKey("0x00060009", "value", "0x02");  // turbo off in the BIOS
    Start();
    EXPECT_FALSE(MonitorVisible());
    EXPECT_EQ(0u, CountWrites(TurboSwitchWrite(0x02)) + CountWrites(TurboSwitchWrite(0x12)))
        << "nothing to switch at start-up";
}

}  // namespace
