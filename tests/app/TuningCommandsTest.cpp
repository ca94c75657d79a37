// The running program's writes besides Apply, as other programs and the
// system cause them: the FSB command (WM_USER+36), the profile commands
// (WM_USER+37), and the suspend snapshot written back at resume, with the
// system-control service stand-in in each state. What reaches the board is
// read from its call log, what reaches other programs from a window of this
// process that receives the broadcast.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>

#include "BroadcastListener.h"
#include "RunningProgram.h"
#include "ServiceStandIn.h"

namespace {

using apptest::RunningProgram;
using zxtest::BroadcastListener;

constexpr UINT kSetItem = WM_USER + 36;
constexpr UINT kProfileCommand = WM_USER + 37;
constexpr int kBoardFsbIndex = 33;  // the default board's FSB value
constexpr int kFsbValueCount = 201;

const char kNotifyLine[] = "request words=0x80000000,0x00000000,0x00000000,0x00000000 bytes=16";

std::string FsbWrite(int index, int mode = 2)
{
    return "id=0x03010011 index=" + std::to_string(index) + " mode=" + std::to_string(mode) + " result=1";
}

bool Contains(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The writes but those of the CPU ratio and its core selector, which the
// ratio set writes for every core whenever a list carries ratios.
std::vector<std::string> WithoutRatioWrites(const std::vector<std::string>& writes)
{
    std::vector<std::string> rest;
    for (const std::string& line : writes)
        if (line.rfind("id=0x03060013 ", 0) != 0 && line.rfind("id=0x030600F0 ", 0) != 0)
            rest.push_back(line);
    return rest;
}

class TuningCommands : public ::testing::Test {
protected:
    // `service`: the stand-in's options, or null for no service at all.
    void StartProgram(const char* service, const std::string& board = "default")
    {
        if (service != nullptr) {
            m_service = std::make_unique<zxtest::ServiceStandIn>(zxtest::ServiceStandIn::Pipe::Programs);
            ASSERT_TRUE(m_service->Start(service));
        }
        m_program = std::make_unique<RunningProgram>(board);
        ASSERT_TRUE(m_program->StartAndWaitForWindow()) << m_program->Describe();
        m_main = m_program->MainWindow();
        Settle();
        m_startWrites = 0;
        NewWrites();
        m_listener.Clear();
    }
    void TearDown() override
    {
        if (m_program && m_program->Process().IsRunning()) {
            EXPECT_TRUE(m_program->Quit());
        }
    }
    void Settle() { BroadcastListener::Settle(m_main); }
    // The board writes since start-up (or since the last call), but the
    // core selector's: the window's bars select each core to read its ratio
    // whenever they reread, which may still go on from the last broadcast.
    std::vector<std::string> NewWrites()
    {
        std::vector<std::string> all;
        for (const std::string& write : m_program->Board().Writes())
            if (write.rfind("id=0x030600F0 ", 0) != 0)
                all.push_back(write);
        std::vector<std::string> fresh(all.begin() + std::min(m_startWrites, all.size()), all.end());
        m_startWrites = all.size();
        return fresh;
    }
    void Send(UINT message, WPARAM wParam, LPARAM lParam)
    {
        SendMessageA(m_main, message, wParam, lParam);
        Settle();
    }
    void Power(WPARAM event) { Send(WM_POWERBROADCAST, event, 0); }

    std::unique_ptr<zxtest::ServiceStandIn> m_service;
    std::unique_ptr<RunningProgram> m_program;
    BroadcastListener m_listener;
    HWND m_main = nullptr;
    size_t m_startWrites = 0;
};

TEST_F(TuningCommands, FsbCommandWritesOnlyValuesOfTheItemAndAlwaysBroadcasts)
{
    ASSERT_NO_FATAL_FAILURE(StartProgram(nullptr));
    struct Case {
        WPARAM wParam;
        LPARAM value;
        bool writes;
        bool broadcasts;
    };
    const Case cases[] = {
        {0x55, 40, true, true},
        {0x55, 0, true, true},
        {0x55, kFsbValueCount - 1, true, true},
        {0x55, kFsbValueCount, false, true},  // past the item's range
        {0x55, -1, false, true},
        {0x55, 0x7FFFFFFF, false, true},
        {0x155, 41, false, false},  // only the exact signature counts
        {0x54, 41, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "wParam " << c.wParam << " lParam " << c.value);
        m_listener.Clear();
        Send(kSetItem, c.wParam, c.value);
        const std::vector<std::string> writes = NewWrites();
        if (c.writes) {
            EXPECT_EQ(std::vector<std::string>{FsbWrite(static_cast<int>(c.value))}, writes);
        } else {
            EXPECT_TRUE(writes.empty()) << testing::PrintToString(writes);
        }
        ASSERT_EQ(c.broadcasts ? 1u : 0u, m_listener.Received().size());
        if (c.broadcasts) {
            EXPECT_EQ(0x2355u, m_listener.Received()[0].wParam);
            EXPECT_EQ(0, m_listener.Received()[0].lParam);
        }
    }
}

TEST_F(TuningCommands, MessageSnapshotIsTakenAppliedOnceAndBroadcast)
{
    ASSERT_NO_FATAL_FAILURE(StartProgram(nullptr));
    // Nothing kept yet: no write, no broadcast.
    Send(kProfileCommand, 0x55, 0);
    EXPECT_TRUE(NewWrites().empty());
    EXPECT_TRUE(m_listener.Received().empty());

    // Taken and put back at once: every value equals the BIOS value.
    Send(kProfileCommand, 0x55, 0x8000);
    EXPECT_TRUE(WithoutRatioWrites(NewWrites()).empty());
    ASSERT_EQ(1u, m_listener.Received().size());
    EXPECT_EQ(0x2355u, m_listener.Received()[0].wParam);
    EXPECT_EQ(0, m_listener.Received()[0].lParam);

    // Taken alone (a low byte past 3 does nothing else), then the FSB
    // moved, then put back.
    m_listener.Clear();
    Send(kProfileCommand, 0x55, 0x8004);
    EXPECT_TRUE(m_listener.Received().empty());
    Send(kSetItem, 0x55, 50);
    EXPECT_EQ(std::vector<std::string>{FsbWrite(50)}, WithoutRatioWrites(NewWrites()));
    Send(kProfileCommand, 0x55, 0);
    EXPECT_EQ(std::vector<std::string>{FsbWrite(kBoardFsbIndex)}, WithoutRatioWrites(NewWrites()));
    EXPECT_EQ(2u, m_listener.Received().size());

    // Used up: a second put-back does nothing.
    m_listener.Clear();
    Send(kProfileCommand, 0x55, 0);
    EXPECT_TRUE(WithoutRatioWrites(NewWrites()).empty());
    EXPECT_TRUE(m_listener.Received().empty());

    // Without the exact signature nothing happens.
    Send(kProfileCommand, 0x155, 0x8001);
    EXPECT_TRUE(NewWrites().empty());
    EXPECT_TRUE(m_listener.Received().empty());
}

// Items whose descriptors list no values are in no snapshot and take no
// value from a stored profile, however the board's values move.
TEST_F(TuningCommands, ItemsWithoutValuesAreInNoSnapshotOrStoredProfileWrite)
{
    ASSERT_NO_FATAL_FAILURE(StartProgram(nullptr, "fault-values"));
    Send(kProfileCommand, 0x55, 0x8004);  // the snapshot alone
    m_program->Board().SetKey("0x03010011", "value", "50");
    m_program->Board().SetKey("0x03080018", "value", "3");
    m_program->Board().SetKey("0x03020015", "value", "9");
    m_program->Board().SetKey("0x03020016", "value", "7");
    m_program->Board().Rewrite();
    Send(kProfileCommand, 0x55, 0);
    EXPECT_EQ(std::vector<std::string>{FsbWrite(kBoardFsbIndex)}, WithoutRatioWrites(NewWrites()));

    m_program->Board().SetKey("0x03010011", "value", std::to_string(kBoardFsbIndex));
    m_program->Board().SetKey("0x05080002", "data.0",
                              "0x00000001,0x03080018,1,0x03020015,2,0x03020016,1,0x03020012,60,0xFFFFFFFF");
    m_program->Board().Rewrite();
    Send(kProfileCommand, 0x55, 1);
    EXPECT_EQ(std::vector<std::string>{"id=0x03020012 index=60 mode=2 result=1"}, WithoutRatioWrites(NewWrites()));
    EXPECT_TRUE(m_program->Process().IsRunning());
}

TEST_F(TuningCommands, StoredProfileCommandTellsTheServiceWritesAndBroadcastsThree)
{
    ASSERT_NO_FATAL_FAILURE(StartProgram("--state 0"));
    // Stored profile 1 of the default board: FSB 33, core voltage 40, ratio 20.
    Send(kProfileCommand, 0x55, 2);
    const std::vector<std::string> writes = NewWrites();
    EXPECT_TRUE(Contains(writes, "id=0x03020012 index=40 mode=2 result=1")) << testing::PrintToString(writes);
    EXPECT_FALSE(Contains(writes, FsbWrite(kBoardFsbIndex)));  // unchanged values are not written
    EXPECT_TRUE(Contains(m_service->Requests(), kNotifyLine));
    ASSERT_EQ(1u, m_listener.Received().size());
    EXPECT_EQ(0x2355u, m_listener.Received()[0].wParam);
    EXPECT_EQ(3, m_listener.Received()[0].lParam);

    // Stored profile 2, after the snapshot that restores the values of now.
    m_listener.Clear();
    Send(kProfileCommand, 0x55, 0x8003);
    EXPECT_TRUE(Contains(NewWrites(), FsbWrite(60)));
    Send(kProfileCommand, 0x55, 0);
    const std::vector<std::string> back = NewWrites();
    EXPECT_TRUE(Contains(back, FsbWrite(kBoardFsbIndex))) << testing::PrintToString(back);
    EXPECT_TRUE(Contains(back, "id=0x03020012 index=40 mode=2 result=1"));
    ASSERT_EQ(2u, m_listener.Received().size());
    EXPECT_EQ(3, m_listener.Received()[0].lParam);
    EXPECT_EQ(0, m_listener.Received()[1].lParam);
}

// Suspend, the FSB moved by another program, resume: the snapshot's FSB
// comes back only when the service allows it and the power-saving mode is off.
// One program per case, each a test of its own so that shards share them.
struct ResumeCase {
    const char* service;  // null: no service
    const char* board;
    bool writesBack;
};

void PrintTo(const ResumeCase& c, std::ostream* out)
{
    *out << (c.service ? c.service : "no service") << " board " << c.board;
}

class TuningCommandsResume : public TuningCommands, public ::testing::WithParamInterface<ResumeCase> {};

TEST_P(TuningCommandsResume, ResumeWritesTheSuspendSnapshotBackOnlyWhenAllowed)
{
    const ResumeCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(StartProgram(c.service, c.board));
    Power(PBT_APMSUSPEND);
    Send(kSetItem, 0x55, 50);
    NewWrites();
    Power(PBT_APMRESUMESUSPEND);
    const std::vector<std::string> writes = NewWrites();
    EXPECT_EQ(c.writesBack, Contains(writes, FsbWrite(kBoardFsbIndex))) << testing::PrintToString(writes);
    // Only the first resume event after a suspend writes; no broadcast.
    Send(kSetItem, 0x55, 51);
    NewWrites();
    m_listener.Clear();
    Power(PBT_APMRESUMEAUTOMATIC);
    EXPECT_TRUE(NewWrites().empty());
    EXPECT_TRUE(m_listener.Received().empty());
}

INSTANTIATE_TEST_SUITE_P(
    ServiceStates, TuningCommandsResume,
    ::testing::Values(ResumeCase{"--state 0", "default", true}, ResumeCase{"--state 3", "default", true},
                      ResumeCase{"--state 1", "default", false}, ResumeCase{"--state 2", "default", false},
                      ResumeCase{nullptr, "default", false}, ResumeCase{"--state 0", "power-saving-on", false},
                      // a short answer is no answer
                      ResumeCase{"--state 0 --reply-bytes 8", "default", false}));

TEST_F(TuningCommands, ASuspendTheServiceRefusesLeavesNoOldSnapshotBehind)
{
    ASSERT_NO_FATAL_FAILURE(StartProgram("--state 0"));
    Power(PBT_APMSUSPEND);  // a snapshot with the FSB at its board value
    Send(kSetItem, 0x55, 50);
    m_service->Stop();
    ASSERT_TRUE(m_service->Start("--state 1"));
    Power(PBT_APMSUSPEND);  // refused: the earlier snapshot must go as well
    m_service->Stop();
    ASSERT_TRUE(m_service->Start("--state 0"));
    NewWrites();
    Power(PBT_APMRESUMESUSPEND);
    EXPECT_TRUE(NewWrites().empty());  // the FSB set since stays
}

}  // namespace
