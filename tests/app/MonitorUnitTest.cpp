// The core-unlock switch of the message window and the monitor's animation,
// in this process: the switch against a recording driver and stand-in
// windows of the main window and the monitor; the animation's figures,
// call-outs and refresh timer against the movie stand-in's log.

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "MovieLog.h"
#include "TestFiles.h"
#include "TestPaths.h"
#include "app/forms/BeTurbo.h"
#include "app/forms/MessageForm.h"
#include "app/protocol/ZendrixMessages.h"
#include "platform/vcl/Application.h"

namespace {

// --- stand-in windows that record what reaches them ---

struct Received {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_USER && message < WM_APP) {
        auto* log = reinterpret_cast<std::vector<Received>*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (log)
            log->push_back({message, wParam, lParam});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class RecordingWindow {
public:
    RecordingWindow(const char* className, const char* caption)
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &RecordingProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = className;
        RegisterClassA(&windowClass);  // a second registration fails harmlessly
        m_window = CreateWindowExA(0, className, caption, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&received));
    }
    ~RecordingWindow() { DestroyWindow(m_window); }
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    std::vector<Received> received;
    HWND Handle() const { return m_window; }

private:
    HWND m_window = nullptr;
};

void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

// --- the message window's switch ---

class RecordingDriver : public CoreUnlockDriver {
public:
    explicit RecordingDriver(bool supported) : m_supported(supported) {}
    bool IsSupported() override { return m_supported; }
    void Prepare() override { calls.push_back("prepare"); }
    void SetTurboInBios(bool on) override { calls.push_back(on ? "bios on" : "bios off"); }
    void Start() override { calls.push_back("start"); }
    void Stop() override { calls.push_back("stop"); }
    void Restart() override { calls.push_back("restart"); }

    std::vector<std::string> calls;

private:
    bool m_supported;
};

using DriverCalls = std::vector<std::string>;

struct SwitchCase {
    const char* name;
    bool supported;
    bool monitorExists;
    std::vector<Received> sent;  // to the message window, in order
    DriverCalls driverCalls;     // after construction
    std::vector<Received> toMonitor;
    std::vector<Received> toMain;
};

constexpr UINT kToMain = kMsgCoreUnlockToMain;
constexpr UINT kToMonitor = kMsgCoreUnlockToMonitor;

TEST(MessageFormSwitch, SwitchesOnChangeAndPassesEveryMessageOn)
{
    const SwitchCase cases[] = {
        {"unsupported: nothing switches, nothing is passed on",
         false,
         true,
         {{kToMain, 1, 0}, {kToMonitor, 1, 0}},
         {},
         {},
         {}},
        {"from the bar: switched once, both passed on",
         true,
         true,
         {{kToMain, 1, 0}, {kToMain, 1, 0}},
         {"bios on", "start"},
         {{kToMonitor, 1, 0}, {kToMonitor, 1, 0}},
         {}},
        {"from the monitor: passed on to the main window",
         true,
         true,
         {{kToMonitor, 1, 0}, {kToMonitor, 0, 0}},
         {"bios on", "start", "bios off", "stop"},
         {},
         {{kToMain, 1, 0}, {kToMain, 0, 0}}},
        {"any non-zero wParam is on; wParam and lParam pass unchanged",
         true,
         true,
         {{kToMain, 0x100, 77}, {kToMonitor, 5, -3}},
         {"bios on", "start"},
         {{kToMonitor, 0x100, 77}},
         {{kToMain, 5, -3}}},
        {"off while off writes nothing", true, true, {{kToMain, 0, 0}}, {}, {{kToMonitor, 0, 0}}, {}},
        {"no monitor window: still switched", true, false, {{kToMain, 1, 0}}, {"bios on", "start"}, {}, {}},
    };
    for (const SwitchCase& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingWindow main(kMainWindowClass, kProgramName);
        std::unique_ptr<RecordingWindow> monitor;
        if (c.monitorExists)
            monitor.reset(new RecordingWindow(kTurboInfoWindowClass, kTurboInfoWindowCaption));
        RecordingDriver driver(c.supported);
        TMessageForm form(nullptr, driver);
        EXPECT_EQ(c.supported ? DriverCalls{"prepare"} : DriverCalls{}, driver.calls);
        driver.calls.clear();
        for (const Received& m : c.sent)
            EXPECT_EQ(0, SendMessageA(form.Handle(), m.message, m.wParam, m.lParam));
        EXPECT_EQ(c.driverCalls, driver.calls);
        auto expectSame = [](const std::vector<Received>& expected, const std::vector<Received>& actual) {
            ASSERT_EQ(expected.size(), actual.size());
            for (size_t i = 0; i < expected.size(); ++i) {
                EXPECT_EQ(expected[i].message, actual[i].message) << i;
                EXPECT_EQ(expected[i].wParam, actual[i].wParam) << i;
                EXPECT_EQ(expected[i].lParam, actual[i].lParam) << i;
            }
        };
        if (monitor)
            expectSame(c.toMonitor, monitor->received);
        expectSame(c.toMain, main.received);
    }
}

TEST(MessageFormSwitch, AnnounceTellsTheMainWindowThenTheMonitor)
{
    RecordingWindow main(kMainWindowClass, kProgramName);
    RecordingWindow monitor(kTurboInfoWindowClass, kTurboInfoWindowCaption);
    RecordingDriver driver(true);
    TMessageForm form(nullptr, driver);
    form.AnnounceBoost(1);
    ASSERT_EQ(1u, main.received.size());
    EXPECT_EQ(kToMain, main.received[0].message);
    EXPECT_EQ(1u, main.received[0].wParam);
    ASSERT_EQ(1u, monitor.received.size());
    EXPECT_EQ(kToMonitor, monitor.received[0].message);
    EXPECT_EQ(1u, monitor.received[0].wParam);
    EXPECT_FALSE(form.GetBoost()) << "announcing switches nothing by itself";
}

TEST(MessageFormSwitch, SuspendStopsAndTheFirstResumeRestartsWhileOn)
{
    struct Case {
        const char* name;
        bool on;
        std::vector<WPARAM> events;
        DriverCalls expected;
    };
    const Case cases[] = {
        {"resume without a suspend starts nothing", true, {PBT_APMRESUMESUSPEND}, {}},
        {"suspend, then several resumes: one restart",
         true,
         {PBT_APMSUSPEND, PBT_APMRESUMESUSPEND, PBT_APMRESUMEAUTOMATIC, PBT_APMRESUMECRITICAL},
         {"stop", "restart"}},
        {"every resume kind restarts", true, {PBT_APMSUSPEND, PBT_APMRESUMECRITICAL}, {"stop", "restart"}},
        {"automatic resume", true, {PBT_APMSUSPEND, PBT_APMRESUMEAUTOMATIC}, {"stop", "restart"}},
        {"off: a suspend only raises the flag", false, {PBT_APMSUSPEND, PBT_APMRESUMESUSPEND}, {}},
        {"other power events do nothing", true, {PBT_APMPOWERSTATUSCHANGE}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingDriver driver(true);
        TMessageForm form(nullptr, driver);
        form.SetBoost(c.on);
        driver.calls.clear();
        for (WPARAM event : c.events)
            SendMessageA(form.Handle(), WM_POWERBROADCAST, event, 0);
        EXPECT_EQ(c.expected, driver.calls);
        EXPECT_EQ(c.on, form.GetBoost()) << "power events leave the state alone";
        EXPECT_FALSE(form.IsSuspended() && c.events.back() != PBT_APMSUSPEND);
    }
}

// --- the monitor's figures ---

TEST(TurboFigures, RatioBarAndMarkCarryTheCoreInTheirThousands)
{
    struct Case {
        int core, ratio;
        TurboFigures figures;  // scale base, default, maximum
        int ratioValue, barValue, markValue;
    };
    const Case cases[] = {
        {2, 44, {12, 40, 44}, 2220, 2014, 2001},  // 22x on core 2, at the maximum
        {0, 24, {12, 40, 44}, 120, 7, 0},         // below the default: 2 + (12 x 12) / 28
        {1, 40, {12, 40, 44}, 1200, 1010, 1000},  // at the default
        {3, 42, {12, 40, 44}, 3210, 3012, 3001},  // above: 14 - (44 - 42)
        {1, 23, {12, 40, 44}, 1115, 1006, 1000},  // half multipliers: 11.5x
        {0, 12, {12, 40, 44}, 60, 2, 0},          // at the scale base
        // Outside what the CPU model promises: the level stays within the core's scale.
        {1, 0, {12, 40, 44}, 1000, 1000, 1000},   // unreadable core below the scale base
        {1, 50, {12, 40, 44}, 1250, 1014, 1001},  // beyond the maximum
        {1, 30, {40, 40, 44}, 1150, 1000, 1000},  // default equal to the scale base
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "core " << c.core << " ratio " << c.ratio);
        EXPECT_EQ(c.ratioValue, TurboRatioValue(c.core, c.ratio));
        EXPECT_EQ(c.barValue, TurboBarValue(c.core, c.ratio, c.figures));
        EXPECT_EQ(c.markValue, TurboMarkValue(c.core, c.ratio, c.figures));
    }
}

// --- the animation against the movie stand-in ---

class FixedCpu : public TurboCpuSource {
public:
    int ScaleBase() override { return 12; }
    int CoreCount() override { return static_cast<int>(ratios.size()); }
    int DefaultRatio() override { return 40; }
    int MaxRatio() override { return 44; }
    void Measure(std::function<void()> done) override
    {
        ++measured;
        done();
    }
    int CurrentRatio(int core) override { return ratios.at(static_cast<size_t>(core)); }

    std::vector<int> ratios{44, 24};
    int measured = 0;
};

class Animation : public testing::Test {
protected:
    void SetUp() override
    {
        m_log = m_folder.File("flashobj.log");
        SetEnvironmentVariableA("FLASHOBJ_LOG", m_log.c_str());
        m_parent = CreateWindowExA(0, "STATIC", "MonitorParent", WS_POPUP, 100, 100, 228, 196, nullptr, nullptr,
                                   nullptr, nullptr);
        m_turbo = TBeTurbo::Create(m_parent, 5, 20, 121, 120, m_cpu);
    }
    void TearDown() override
    {
        PumpMessages();
        DestroyWindow(m_parent);
        SetEnvironmentVariableA("FLASHOBJ_LOG", nullptr);
    }
    std::vector<std::string> Calls() const { return apptest::MovieCalls(m_log); }

    zxtest::TempFolder m_folder;
    std::string m_log;
    HWND m_parent = nullptr;
    FixedCpu m_cpu;
    TBeTurbo* m_turbo = nullptr;
};

TEST_F(Animation, CreationTellsTheCoresAndRefreshSendsEachCoresFigures)
{
    EXPECT_EQ((std::vector<std::string>{"setCores=2"}), Calls());
    EXPECT_FALSE(m_turbo->TimerEnabled());
    EXPECT_FALSE(m_turbo->Movie().IsVisible());
    m_turbo->Refresh();
    EXPECT_EQ(1, m_cpu.measured);
    EXPECT_EQ((std::vector<std::string>{"setCores=2", "setRatio=220", "setBar=14", "setTurbo=1", "setRatio=1120",
                                        "setBar=1007", "setTurbo=1000"}),
              Calls());
    m_turbo->SetEnable(true);
    m_turbo->SetEnable(false);
    EXPECT_EQ("setEnable=1", Calls().at(7));
    EXPECT_EQ("setEnable=0", Calls().at(8));
}

TEST_F(Animation, NothingIsMeasuredWhileTheProgramsEndWaits)
{
    Application->SetEndMessage(WM_USER, TEndTest::FromFunction([this](const MSG& message, bool& ends) {
                                   ends = message.hwnd == m_parent && message.wParam == 0x55;
                               }));
    PostMessageA(m_parent, WM_USER, 0x55, 0);
    m_turbo->Refresh();
    EXPECT_EQ(0, m_cpu.measured);
    EXPECT_EQ((std::vector<std::string>{"setCores=2"}), Calls());
    MSG taken;
    PeekMessageA(&taken, m_parent, WM_USER, WM_USER, PM_REMOVE);
    m_turbo->Refresh();
    EXPECT_EQ(1, m_cpu.measured);
    Application->SetEndMessage(0, nullptr);
}

TEST_F(Animation, CallOutsRefreshSwitchTheTimerAndReachTheMessageWindow)
{
    struct Case {
        const wchar_t* text;
        bool refreshed;
        bool timer;
        DriverCalls switched;  // what the message window's switch did
    };
    const Case cases[] = {
        {L"ON", true, true, {"bios on", "start"}},
        {L"off", false, false, {"bios off", "stop"}},
        {L"on nosend", true, true, {}},
        {L"off nosend", false, false, {}},
        {L"On", true, true, {"bios on", "start"}},
    };
    RecordingDriver driver(true);
    TMessageForm messageForm(nullptr, driver);
    m_turbo->SetVisible(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "text " << std::string(c.text, c.text + wcslen(c.text)));
        m_cpu.measured = 0;
        driver.calls.clear();
        TBeTurbo::OnFlashCall(0, 0, c.text, 0);
        PumpMessages();
        EXPECT_EQ(c.refreshed ? 1 : 0, m_cpu.measured);
        EXPECT_EQ(c.timer, m_turbo->TimerEnabled());
        EXPECT_EQ(c.switched, driver.calls);
    }
}

TEST_F(Animation, TheTimerRunsOnlyWhileShownAndComesBackWithTheWindow)
{
    // Steps: 's' show, 'h' hide, '1' call-out "on nosend", '0' "off nosend".
    struct Case {
        const char* steps;
        bool timer;  // after the steps
    };
    const Case cases[] = {
        {"s1", true},     {"s1hs", true},  // hidden while running, shown again: runs again
        {"s1hhs", true},                   // closing hides twice
        {"shs", false},                    // shown while off stays off
        {"s1h", false},   {"1s", true},    // switched on while hidden: runs once shown
        {"s1h0s", false},                  // switched off while hidden
        {"s10", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.steps);
        TBeTurbo* turbo = TBeTurbo::Create(m_parent, 5, 20, 121, 120, m_cpu);
        bool shown = false;
        for (const char* step = c.steps; *step; ++step) {
            switch (*step) {
            case 's':
                turbo->SetVisible(shown = true);
                break;
            case 'h':
                turbo->SetVisible(shown = false);
                break;
            case '1':
                TBeTurbo::OnFlashCall(0, 0, L"on nosend", 0);
                break;
            case '0':
                TBeTurbo::OnFlashCall(0, 0, L"off nosend", 0);
                break;
            default:
                FAIL();
            }
        }
        EXPECT_EQ(c.timer, turbo->TimerEnabled());
        EXPECT_EQ(shown, turbo->Movie().IsVisible());
    }
}

}  // namespace
