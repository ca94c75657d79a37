// A seeded random walk through the running program's window with real
// mouse and keyboard input: clicks and short drags on whatever control lies
// under the pointer (bars, tracks, step buttons, tabs, "More Setting", the
// profile box and its list, Save Profile, Apply, Undo, Close, Minimize) and
// the keys Alt+F4, Escape, Enter, Tab, Space and the arrows. Every Dovrel
// dialog is answered No (or Cancel, or OK) in one kind of run and Yes in
// the other; a hidden or minimised window is shown again.
//
// After every step: the program runs and answers a sent message within 5 s;
// with No the board saw no write but the core selector's; with Yes every
// write is a group-3 item with a value index inside its range, and follows
// a Yes by a few seconds. A failure names its seed and the last events.
//
// ZX_RANDOM_MINUTES=<n> runs one long walk instead, for the memory
// figures of scripts/measure-random-window.sh.

#include <gtest/gtest.h>

#include <windows.h>

#include <psapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "RealInput.h"
#include "WaitUntil.h"
#include "WindowDriving.h"

namespace {

using namespace apptest;

enum class Answers { NoOrCancel, Yes };

struct Walk {
    const char* board;
    Answers answers;
    unsigned seed;
    int events;
};

// The walks of every test run: a few tens of seconds each.
const Walk kWalks[] = {
    {"default", Answers::NoOrCancel, 11, 75},
    {"default", Answers::Yes, 12, 75},
    {"ratio-6core-percore", Answers::NoOrCancel, 13, 75},
    {"ratio-2core", Answers::Yes, 14, 75},
};

std::string Describe(const Walk& walk)
{
    return std::string(walk.board) + (walk.answers == Answers::Yes ? "_Yes_" : "_No_") + std::to_string(walk.seed);
}

constexpr DWORD kCoreSelectorId = 0x030600F0;
// A main window that answers no sent message within this is frozen.
constexpr DWORD kAnswerLimitMs = apptest::kProgramLimitMs;
// A write must come this soon after the Yes that allowed it.
constexpr DWORD kWriteAfterYesMs = 5000;
constexpr UINT kMsgShow = WM_USER + 2;
constexpr WPARAM kSignature = 0x55;
constexpr size_t kEventsKept = 30;
// Memory after this many events: every page and dialog has been built once.
constexpr int kWarmUpEvents = 100;
constexpr char kSavedProfileName[] = "Random walk";

// How many value indexes each group-3 item of the board accepts, from the
// board file: number items their count and extra strings, string items
// their strings, boolean items two.
std::map<DWORD, int> ValueRanges(const std::string& boardText)
{
    std::map<DWORD, int> ranges;
    std::istringstream lines(boardText);
    std::string line;
    DWORD id = 0;
    int count = 0;
    int strings = 0;
    auto finish = [&] {
        if ((id >> 24) != 3)
            return;
        const DWORD kind = (id >> 16) & 0xF;
        ranges[id] = kind == 7 ? 2 : kind == 8 ? strings : count + strings;
    };
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("[0x", 0) == 0) {
            finish();
            id = static_cast<DWORD>(std::strtoul(line.c_str() + 1, nullptr, 16));
            count = 0;
            strings = 0;
        } else if (line.rfind("[", 0) == 0) {
            finish();
            id = 0;
        } else if (line.rfind("count=", 0) == 0) {
            count = std::atoi(line.c_str() + 6);
        } else if (line.rfind("strings=", 0) == 0) {
            strings = 1;
            for (char c : line)
                strings += c == '|';
        }
    }
    finish();
    return ranges;
}

struct Write {
    DWORD id = 0;
    int index = 0;
};

// A call log write line: "id=0x%08X index=%d mode=%d result=%d".
Write ParseWrite(const std::string& line)
{
    Write write;
    unsigned long id = 0;
    std::sscanf(line.c_str(), "id=0x%lx index=%d", &id, &write.index);
    write.id = static_cast<DWORD>(id);
    return write;
}

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

struct Controls {
    std::vector<HWND> found;
};

BOOL CALLBACK CollectVisible(HWND child, LPARAM data)
{
    if (IsWindowVisible(child))
        reinterpret_cast<Controls*>(data)->found.push_back(child);
    return TRUE;
}

// The core-unlock switch writes the BIOS switch at once, as it should, with
// no question: it stays out of the walk.
bool IsOutOfTheWalk(HWND window)
{
    return ClassOf(window).find("RadioButton") != std::string::npos;
}

SIZE_T PrivateBytes(HANDLE process)
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters))
        return 0;
    return counters.PrivateUsage;
}

class RandomWindowWalk : public WindowDriving {
protected:
    bool StartsProgramAtSetUp() const override { return false; }
    void TearDown() override
    {
        WindowDriving::TearDown();
        if (!m_profileFile.empty() && !m_profileExisted)
            DeleteFileA(m_profileFile.c_str());
    }

    // Runs `walk`; `untilTick` non-zero runs it until then instead of for
    // its number of events.
    void Run(const Walk& walk, DWORD untilTick = 0)
    {
        m_walk = walk;
        m_random.seed(walk.seed);
        ASSERT_NO_FATAL_FAILURE(StartShown({}, walk.board));
        m_ranges = ValueRanges(m_program->Board().BoardText());
        m_logSeen = m_program->Board().Writes().size();
        m_start = GetTickCount();
        RememberProfileFile();
        m_privateAtStart = PrivateBytes(m_program->Process().Handle());
        for (int event = 0; untilTick != 0 ? static_cast<LONG>(GetTickCount() - untilTick) < 0 : event < walk.events;
             ++event) {
            m_events.push_back("#" + std::to_string(event));
            if (!ShowWindowAgain() || !Step() || !AnswerDialogs() || !Healthy())
                return;
            if (++m_eventCount == kWarmUpEvents)
                m_privateAfterWarmUp = PrivateBytes(m_program->Process().Handle());
        }
        m_privateAtEnd = PrivateBytes(m_program->Process().Handle());
        std::printf("walk %s: %d events, %d dialogs answered, %zu setting writes\n", Describe(walk).c_str(),
                    m_eventCount, m_answers, m_writes);
    }

    unsigned Pick(unsigned below) { return std::uniform_int_distribution<unsigned>(0, below - 1)(m_random); }
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    void Note(const std::string& what)
    {
        char stamp[32];
        std::snprintf(stamp, sizeof stamp, "%6.1fs ", (GetTickCount() - m_start) / 1000.0);
        m_events.push_back(stamp + what);
        if (m_trace)
            std::printf("%s\n", m_events.back().c_str());
        while (m_events.size() > kEventsKept)
            m_events.pop_front();
    }

    bool Fail(const std::string& what)
    {
        std::string history;
        for (const std::string& event : m_events)
            history += "  " + event + "\n";
        ADD_FAILURE() << "walk " << Describe(m_walk) << " (seed " << m_walk.seed << ", board " << m_walk.board
                      << "): " << what << "\nlast events:\n"
                      << history;
        return false;
    }

    std::string Name(HWND window)
    {
        RECT bounds{};
        GetWindowRect(window, &bounds);
        POINT corner{bounds.left, bounds.top};
        ScreenToClient(m_main, &corner);
        return ClassOf(window) + "@" + std::to_string(corner.x) + "," + std::to_string(corner.y);
    }

    // The process runs, answers in time, and wrote nothing nobody chose.
    bool Healthy()
    {
        if (!m_program->Process().IsRunning())
            return Fail(m_program->Describe());
        DWORD_PTR answer = 0;
        if (SendMessageTimeoutA(m_main, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerLimitMs, &answer) == 0)
            return Fail("the main window did not answer a sent message within " +
                        std::to_string(kAnswerLimitMs / 1000) + " s");
        return WritesChosen();
    }

    bool WritesChosen()
    {
        const std::vector<std::string> writes = m_program->Board().Writes();
        for (; m_logSeen < writes.size(); ++m_logSeen) {
            const std::string& line = writes[m_logSeen];
            const Write write = ParseWrite(line);
            if (write.id == kCoreSelectorId)
                continue;
            ++m_writes;
            if (m_walk.answers == Answers::NoOrCancel)
                return Fail("a write after only No and Cancel: " + line);
            const auto range = m_ranges.find(write.id);
            if (range == m_ranges.end())
                return Fail("a write of an item outside group 3: " + line);
            if (write.index < 0 || write.index >= range->second)
                return Fail("a write outside the item's " + std::to_string(range->second) + " values: " + line);
            if (m_lastYes == 0 || GetTickCount() - m_lastYes > kWriteAfterYesMs)
                return Fail("a write with no Yes just before it: " + line);
        }
        return true;
    }

    // A hidden or minimised window comes back, by the show message or, now
    // and then, by a second start.
    bool ShowWindowAgain()
    {
        if (IsWindowVisible(m_main) && !IsIconic(m_main))
            return true;
        if (Pick(4) == 0) {
            Note("second start");
            m_program->RunAgain();
        } else {
            Note("show message");
            PostMessageA(m_main, kMsgShow, kSignature, 0);
        }
        const auto shown = [&] { return IsWindowVisible(m_main) && !IsIconic(m_main); };
        if (!WaitFor(shown)) {
            // A question that was open when the request came holds the
            // window back; once answered, the window must come on request.
            if (!AnswerDialogs())
                return false;
            Note("show message after the questions");
            PostMessageA(m_main, kMsgShow, kSignature, 0);
            if (!WaitFor([&] { return IsWindowVisible(m_main) != FALSE; }))
                return Fail("the window did not show again");
        }
        Settle();
        return true;
    }

    bool Step()
    {
        const unsigned kind = Pick(100);
        if (kind < 12)
            return Key();
        std::vector<HWND> controls = VisibleControls();
        if (controls.empty())
            return Fail("the window shows no control");
        HWND target = controls[Pick(static_cast<unsigned>(controls.size()))];
        if (kind < 22)
            target = NamedButton(controls);
        RECT bounds{};
        GetWindowRect(target, &bounds);
        if (kind >= 50 && kind < 75) {
            // The tracks, dots and labels are drawn on the window's face:
            // a point on the row of a step button, left or right of it.
            const int row = (bounds.top + bounds.bottom) / 2;
            bounds = RECT{bounds.left - 340, row - 3, bounds.right + 340, row + 4};
            target = m_main;
        }
        POINT at{};
        if (!PointOn(target, bounds, at)) {
            Note("no free point on " + Name(target));
            return true;
        }
        if (kind < 40 || (kind >= 50 && kind < 62)) {
            const POINT to{at.x + Between(-60, 60), at.y + Between(-4, 4)};
            Note("drag " + Name(target) + " by " + std::to_string(to.x - at.x));
            DragScreen(at, to, Between(1, 6));
        } else {
            Note("click " + Name(target) + " +" + std::to_string(at.x - bounds.left) + "," +
                 std::to_string(at.y - bounds.top) + " (screen " + std::to_string(at.x) + "," + std::to_string(at.y) +
                 ")");
            ClickScreen(at);
        }
        Sleep(100);
        return true;
    }

    // A point of `target` where the pointer reaches it (or a child of it)
    // and no control out of the walk.
    bool PointOn(HWND target, const RECT& bounds, POINT& at)
    {
        RECT window{};
        GetWindowRect(m_main, &window);
        for (int attempt = 0; attempt < 10; ++attempt) {
            at = POINT{Between(bounds.left, bounds.right - 1), Between(bounds.top, bounds.bottom - 1)};
            if (!PtInRect(&window, at))
                continue;
            HWND under = WindowFromPoint(at);
            if (under == nullptr ||
                (under != target && !IsChild(target, under) && !IsChild(m_main, under) && under != m_main))
                continue;
            if (!IsOutOfTheWalk(under))
                return true;
        }
        return false;
    }

    std::vector<HWND> VisibleControls()
    {
        Controls controls;
        EnumChildWindows(m_main, &CollectVisible, reinterpret_cast<LPARAM>(&controls));
        std::vector<HWND> walk;
        for (HWND control : controls.found)
            if (!IsOutOfTheWalk(control))
                walk.push_back(control);
        return walk;
    }

    // Apply, Undo, Save Profile, Close or Minimize, so that they come often.
    HWND NamedButton(const std::vector<HWND>& controls)
    {
        std::vector<HWND> buttons;
        for (HWND control : controls)
            if (ClassOf(control) == "AlphaButton")
                buttons.push_back(control);
        return buttons.empty() ? controls.front() : buttons[Pick(static_cast<unsigned>(buttons.size()))];
    }

    bool Key()
    {
        struct Press {
            const char* name;
            WORD key;
            bool alt;
        };
        static const Press kPresses[] = {
            {"Alt+F4", VK_F4, true},    {"Escape", VK_ESCAPE, false}, {"Enter", VK_RETURN, false},
            {"Tab", VK_TAB, false},     {"Space", VK_SPACE, false},   {"Left", VK_LEFT, false},
            {"Right", VK_RIGHT, false}, {"Down", VK_DOWN, false},
        };
        const Press& press = kPresses[Pick(sizeof kPresses / sizeof kPresses[0])];
        if (!BringToFront(m_main)) {
            Note(std::string("no key: the window is not in front (") + press.name + ")");
            return true;
        }
        Note(std::string("key ") + press.name);
        if (press.alt)
            PressKey(press.key, {VK_MENU});
        else
            PressKey(press.key);
        Sleep(100);
        return true;
    }

    // Answers every dialog the step opened, until none is left.
    bool AnswerDialogs()
    {
        for (int round = 0; round < 30; ++round) {
            DWORD_PTR answer = 0;
            SendMessageTimeoutA(m_main, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerLimitMs, &answer);
            Sleep(150);
            if (!m_program->Process().IsRunning())
                return Fail(m_program->Describe());
            if (HWND ask = ShownWindow(Pid(), "TAskDialog")) {
                if (!AnswerAsk(ask))
                    return false;
            } else if (HWND profile = ShownWindow(Pid(), "TProfileDialog")) {
                if (!AnswerProfileDialog(profile))
                    return false;
            } else {
                return true;
            }
            if (!WritesChosen())
                return false;
        }
        return Fail("dialogs kept coming");
    }

    bool AnswerAsk(HWND dialog)
    {
        const char* const yes[] = {"Yes", "OK"};
        const char* const no[] = {"No", "Cancel", "OK"};
        const bool saysYes = m_walk.answers == Answers::Yes;
        const char* const* captions = saysYes ? yes : no;
        const size_t count = saysYes ? 2 : 3;
        for (size_t i = 0; i < count; ++i) {
            HWND button = DialogButton(dialog, captions[i]);
            if (button == nullptr || !IsWindowVisible(button))
                continue;
            Note(std::string("answer ") + captions[i]);
            ++m_answers;
            if (lstrcmpA(captions[i], "Yes") == 0)
                m_lastYes = GetTickCount();
            PressButton(button);
            if (lstrcmpA(captions[i], "Yes") == 0)
                m_lastYes = GetTickCount();
            return true;
        }
        return Fail("an ask dialog without the answer's button");
    }

    // Cancel; with Yes, a save under one name (the replace question then
    // answered Yes).
    bool AnswerProfileDialog(HWND dialog)
    {
        HWND edit = VisibleChild(dialog, "Edit");
        HWND save = DialogButton(dialog, "Save");
        if (m_walk.answers == Answers::Yes && edit != nullptr && save != nullptr) {
            Note("profile dialog: the name typed, Save");
            PressButton(edit);
            PressKey(VK_END);
            for (int i = 0; i < 30; ++i)
                PressKey(VK_BACK);
            for (const char* c = kSavedProfileName; *c != '\0'; ++c) {
                const SHORT key = VkKeyScanA(*c);
                if ((key >> 8) & 1)
                    PressKey(LOBYTE(key), {VK_SHIFT});
                else
                    PressKey(LOBYTE(key));
            }
            if (IsWindowEnabled(save)) {
                PressButton(save);
                return true;
            }
        }
        HWND cancel = DialogButton(dialog, "Cancel");
        if (cancel == nullptr)
            return Fail("the profile dialog has no Cancel");
        Note("profile dialog: Cancel");
        PressButton(cancel);
        return true;
    }

    // A real click where the button shows; posted when it lies off the screen.
    void PressButton(HWND button)
    {
        RECT bounds{};
        GetWindowRect(button, &bounds);
        const POINT centre{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
        if (WindowFromPoint(centre) == button)
            ClickScreen(centre);
        else
            Click(button, POINT{5, 5});
        // The next question may come in the same window: a short wait only.
        if (ClassOf(button) != "Edit")
            zxtest::WaitUntil([&] { return !IsWindowVisible(button); }, 2000, 50);
    }

    void RememberProfileFile()
    {
        char common[MAX_PATH] = {};
        if (SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, common) != S_OK)
            return;
        m_profileFile = std::string(common) + "\\Merovan OC Profiles\\" + kSavedProfileName + ".oc";
        m_profileExisted = GetFileAttributesA(m_profileFile.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    Walk m_walk{};
    std::mt19937 m_random;
    std::map<DWORD, int> m_ranges;
    size_t m_logSeen = 0;
    DWORD m_start = 0;
    DWORD m_lastYes = 0;
    std::deque<std::string> m_events;
    const bool m_trace = std::getenv("ZX_RANDOM_TRACE") != nullptr;  // every event printed as it happens
    int m_answers = 0;
    size_t m_writes = 0;
    int m_eventCount = 0;
    SIZE_T m_privateAtStart = 0;
    SIZE_T m_privateAfterWarmUp = 0;
    SIZE_T m_privateAtEnd = 0;
    std::string m_profileFile;
    bool m_profileExisted = true;
};

class SeededWalk : public RandomWindowWalk, public ::testing::WithParamInterface<Walk> {};

TEST_P(SeededWalk, NoCrashNoFreezeNoWriteNobodyChose)
{
    if (std::getenv("ZX_RANDOM_MINUTES") != nullptr)
        GTEST_SKIP() << "the long walk runs instead";
    ASSERT_NO_FATAL_FAILURE(Run(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Seeds, SeededWalk, ::testing::ValuesIn(kWalks),
                         [](const ::testing::TestParamInfo<Walk>& info) {
                             std::string name = Describe(info.param);
                             for (char& c : name)
                                 if (c == '-')
                                     c = '_';
                             return name;
                         });

TEST_F(RandomWindowWalk, LongWalkKeepsItsMemory)
{
    const char* minutes = std::getenv("ZX_RANDOM_MINUTES");
    if (minutes == nullptr)
        GTEST_SKIP() << "set ZX_RANDOM_MINUTES for the long walk (scripts/measure-random-window.sh)";
    const char* seed = std::getenv("ZX_RANDOM_SEED");
    const char* board = std::getenv("ZX_RANDOM_BOARD");
    const char* answers = std::getenv("ZX_RANDOM_ANSWERS");
    static std::string boardName = board != nullptr ? board : "default";
    const Walk walk{boardName.c_str(),
                    answers != nullptr && std::string(answers) == "yes" ? Answers::Yes : Answers::NoOrCancel,
                    seed != nullptr ? static_cast<unsigned>(std::atoi(seed)) : 1u, 0};
    const DWORD until = GetTickCount() + static_cast<DWORD>(std::atof(minutes) * 60000);
    ASSERT_NO_FATAL_FAILURE(Run(walk, until));
    // Zero where the system does not report another process's counters
    // (Wine): the script then samples the process from outside.
    std::printf("long walk %s: %d events in %.1f s; private memory as reported: %lu KiB at the start, %lu KiB "
                "after %d events, %lu KiB at the end\n",
                Describe(walk).c_str(), m_eventCount, (GetTickCount() - m_start) / 1000.0,
                static_cast<unsigned long>(m_privateAtStart / 1024),
                static_cast<unsigned long>(m_privateAfterWarmUp / 1024), kWarmUpEvents,
                static_cast<unsigned long>(m_privateAtEnd / 1024));
}

}  // namespace
