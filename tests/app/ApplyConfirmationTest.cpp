// Apply's confirmations on the running program: a value past its danger
// limit and the maker's power-saving mode each add questions. Every
// question is checked as the user sees it (face, place, text); a No at
// any of them writes nothing, and only Yes to all of them writes, with the
// power-saving switch cleared and the power tool told first, and the
// values in the frequency-safe order.

#include <gtest/gtest.h>

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "DialogFace.h"
#include "WindowDriving.h"
#include "app/controller/Director.h"

namespace {

using namespace apptest;

constexpr DWORD kFsbId = 0x03010011;
constexpr DWORD kVcoreId = 0x03020012;
constexpr DWORD kPowerSavingSwitchId = 0x0B060001;
constexpr int kBoardFsbIndex = 33;    // the default board's
constexpr int kBoardVcoreIndex = 56;  // the default board's
// The danger limit item's word for the core voltage: its highest safe
// index (the board's value) in the top 16 bits, so one step up crosses it.
constexpr char kVcoreLimitAtBoardValue[] = "0x00380000";

// The power tool's companion window as the maker's tool shows it; it
// counts the "settings applied" messages it receives.
class PowerToolCompanion {
public:
    PowerToolCompanion()
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &PowerToolCompanion::WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kPowerToolCompanionClass;
        RegisterClassA(&windowClass);
        m_window = CreateWindowExA(WS_EX_TOOLWINDOW, kPowerToolCompanionClass, kPowerToolCompanionCaptions[0], WS_POPUP,
                                   0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        Received().clear();
    }
    ~PowerToolCompanion() { DestroyWindow(m_window); }
    PowerToolCompanion(const PowerToolCompanion&) = delete;
    PowerToolCompanion& operator=(const PowerToolCompanion&) = delete;

    // "wParam,lParam" of each message received.
    static std::vector<std::string>& Received()
    {
        static std::vector<std::string> received;
        return received;
    }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == kMsgPowerToolSettingsApplied)
            Received().push_back(std::to_string(wParam) + "," + std::to_string(lParam));
        return DefWindowProcA(window, message, wParam, lParam);
    }

    HWND m_window = nullptr;
};

// The companion window of a power tool that has stopped answering: its
// thread makes it and then waits without taking any message until the
// object goes.
class HungPowerToolCompanion {
public:
    HungPowerToolCompanion()
    {
        m_release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        m_made = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        m_thread = CreateThread(nullptr, 0, &HungPowerToolCompanion::Run, this, 0, nullptr);
        WaitForSingleObject(m_made, 5000);
    }
    ~HungPowerToolCompanion()
    {
        SetEvent(m_release);
        WaitForSingleObject(m_thread, 5000);
        for (HANDLE handle : {m_thread, m_made, m_release})
            CloseHandle(handle);
    }
    HungPowerToolCompanion(const HungPowerToolCompanion&) = delete;
    HungPowerToolCompanion& operator=(const HungPowerToolCompanion&) = delete;

    bool Exists() const { return m_window != nullptr; }

private:
    static DWORD WINAPI Run(void* self)
    {
        auto* companion = static_cast<HungPowerToolCompanion*>(self);
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kPowerToolCompanionClass;
        RegisterClassA(&windowClass);
        companion->m_window =
            CreateWindowExA(WS_EX_TOOLWINDOW, kPowerToolCompanionClass, kPowerToolCompanionCaptions[1], WS_POPUP, 0, 0,
                            10, 10, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetEvent(companion->m_made);
        WaitForSingleObject(companion->m_release, INFINITE);  // hung: no message is taken
        DestroyWindow(companion->m_window);
        return 0;
    }

    HANDLE m_release = nullptr;
    HANDLE m_made = nullptr;
    HANDLE m_thread = nullptr;
    HWND m_window = nullptr;
};

struct Question {
    bool danger;          // the danger face, else the plain one
    const char* keys[2];  // the text: these texts one after the other
    std::string Wording() const { return ProgramText(keys[0]) + (keys[1] != nullptr ? ProgramText(keys[1]) : ""); }
};

const Question kApplyWarn{false, {"ApplyWarn", nullptr}};
const Question kApplyOxlenWarn{false, {"ApplyWarn", "OxlenWarn"}};
const Question kDangerWarn{true, {"DangerWarn", nullptr}};
const Question kDangerContinue{true, {"DangerWarn", "AskContinue"}};

class ApplyConfirmation : public WindowDriving {
protected:
    bool StartsProgramAtSetUp() const override { return false; }

    // Waits for question `expected`, checks how it shows, answers it.
    void ExpectQuestion(const Question& expected, const char* answer)
    {
        SCOPED_TRACE(expected.Wording());
        HWND dialog = WaitForAskDialog();
        ASSERT_NE(nullptr, dialog) << "no question";
        RECT window{};
        RECT asked{};
        GetWindowRect(m_main, &window);
        GetWindowRect(dialog, &asked);
        EXPECT_EQ(window.left + 170, asked.left);
        EXPECT_EQ(window.top + 40, asked.top);  // the pages are closed
        EXPECT_EQ(expected.danger, HasDangerFace(dialog));
        EXPECT_TRUE(AsksWith(dialog, expected.Wording()));
        ASSERT_NO_FATAL_FAILURE(Answer(dialog, answer));
    }
};

// One program per case, each a test of its own so that shards share them:
// for each question in turn, Apply is declined there (every question before
// it answered Yes); then all are answered Yes.
struct ConfirmationCase {
    const char* what;
    bool powerSaving;
    bool pastDangerLimit;
    POINT fsbStep;
    int fsbIndex;
    std::vector<Question> questions;
};

void PrintTo(const ConfirmationCase& c, std::ostream* out)
{
    *out << c.what;
}

class ApplyConfirmationCases : public ApplyConfirmation, public ::testing::WithParamInterface<ConfirmationCase> {};

TEST_P(ApplyConfirmationCases, EveryQuestionMayStopApplyAndOnlyYesToAllWrites)
{
    const ConfirmationCase& c = GetParam();
    PowerToolCompanion companion;
    ASSERT_NO_FATAL_FAILURE(StartShown([&c](RunningProgram& program) {
        if (c.powerSaving)
            program.Board().SetKey("0x0B060001", "value", "1");
        if (c.pastDangerLimit)
            program.Board().SetKey("0x030600F1", "at.0x12", kVcoreLimitAtBoardValue);
    }));
    const size_t notices = NotifyRequestCount();
    ASSERT_TRUE(ClickAt(m_main, kVcoreStepUpAt));
    ASSERT_TRUE(ClickAt(m_main, c.fsbStep));
    ASSERT_TRUE(WaitFor([&] { return ApplyEnabled(); }));
    Settle();

    for (size_t no = 0; no < c.questions.size(); ++no) {
        SCOPED_TRACE(testing::Message() << "No at question " << no + 1);
        ASSERT_TRUE(ClickAt(m_main, kApplyAt));
        for (size_t i = 0; i <= no; ++i)
            ASSERT_NO_FATAL_FAILURE(ExpectQuestion(c.questions[i], i < no ? "Yes" : "No"));
        Settle();
        EXPECT_EQ(nullptr, ShownWindow(Pid(), "TAskDialog")) << "a question after the No";
        EXPECT_EQ(std::vector<std::string>{}, NewWrites());
        EXPECT_TRUE(ApplyEnabled());
        EXPECT_EQ(notices, NotifyRequestCount());
        EXPECT_TRUE(PowerToolCompanion::Received().empty());
    }

    ASSERT_TRUE(ClickAt(m_main, kApplyAt));
    for (const Question& question : c.questions)
        ASSERT_NO_FATAL_FAILURE(ExpectQuestion(question, "Yes"));
    // The last answer is taken inside the dialog's own loop; Apply goes
    // grey once the writes are done.
    ASSERT_TRUE(WaitFor([&] { return !ApplyEnabled(); })) << "Apply did not finish";
    Settle();
    EXPECT_EQ(nullptr, ShownWindow(Pid(), "TAskDialog"));
    const std::vector<std::string> writes = NewWrites();
    SCOPED_TRACE(testing::PrintToString(writes));
    EXPECT_TRUE(HasWrite(writes, kVcoreId, kBoardVcoreIndex + 1));
    EXPECT_TRUE(HasWrite(writes, kFsbId, c.fsbIndex));
    // A faster clock gets its voltage first; a slower one comes first.
    const bool faster = c.fsbIndex > kBoardFsbIndex;
    EXPECT_EQ(faster, FirstWriteOf(writes, kVcoreId) < FirstWriteOf(writes, kFsbId));
    if (c.powerSaving) {
        EXPECT_EQ(0, FirstWriteOf(writes, kPowerSavingSwitchId)) << "the switch is cleared before any value";
        EXPECT_TRUE(HasWrite(writes, kPowerSavingSwitchId, 0));
        EXPECT_EQ(std::vector<std::string>{"85,0"}, PowerToolCompanion::Received());
    } else {
        EXPECT_EQ(-1, FirstWriteOf(writes, kPowerSavingSwitchId));
        EXPECT_TRUE(PowerToolCompanion::Received().empty());
    }
    EXPECT_EQ(notices + 1, NotifyRequestCount());
    EXPECT_FALSE(ApplyEnabled());
    StopProgram();
}

INSTANTIATE_TEST_SUITE_P(
    Questions, ApplyConfirmationCases,
    ::testing::Values(
        ConfirmationCase{
            "past the danger limit", false, true, kFsbStepUpAt, kBoardFsbIndex + 1, {kDangerWarn, kDangerContinue}},
        ConfirmationCase{
            "power saving on", true, false, kFsbStepDownAt, kBoardFsbIndex - 1, {kApplyWarn, kApplyOxlenWarn}},
        ConfirmationCase{"power saving on and past the danger limit",
                         true,
                         true,
                         kFsbStepUpAt,
                         kBoardFsbIndex + 1,
                         {kApplyWarn, kApplyOxlenWarn, kDangerWarn, kDangerContinue}}));

// A power tool that does not take the "settings applied" message: after the
// last Yes the window answers again within a few seconds, and Apply stops
// there without any write, still pending.
TEST_F(ApplyConfirmation, AHungPowerToolStopsApplyWithoutFreezingTheWindow)
{
    HungPowerToolCompanion companion;
    ASSERT_TRUE(companion.Exists());
    ASSERT_NO_FATAL_FAILURE(
        StartShown([](RunningProgram& program) { program.Board().SetKey("0x0B060001", "value", "1"); }));
    const size_t notices = NotifyRequestCount();
    ASSERT_TRUE(ClickAt(m_main, kFsbStepDownAt));
    ASSERT_TRUE(WaitFor([&] { return ApplyEnabled(); }));
    Settle();

    ASSERT_TRUE(ClickAt(m_main, kApplyAt));
    ASSERT_NO_FATAL_FAILURE(ExpectQuestion(kApplyWarn, "Yes"));
    ASSERT_NO_FATAL_FAILURE(ExpectQuestion(kApplyOxlenWarn, "Yes"));
    DWORD_PTR answer = 0;
    const DWORD asked = GetTickCount();
    EXPECT_NE(0, SendMessageTimeoutA(m_main, WM_NULL, 0, 0, SMTO_NORMAL, kPowerToolAnswerMs + 5000, &answer))
        << "the window does not answer";
    EXPECT_LT(GetTickCount() - asked, kPowerToolAnswerMs + 5000);
    Settle();
    EXPECT_EQ(std::vector<std::string>{}, NewWrites());
    EXPECT_TRUE(ApplyEnabled());
    EXPECT_EQ(notices, NotifyRequestCount());
    StopProgram();
}

}  // namespace
