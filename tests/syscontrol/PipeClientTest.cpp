// The program's system-control client, driven against the service stand-in.
// Every case runs in a child under a debugger loop, so the process-wide busy
// flag starts fresh and the exact traces can be read.

#include <gtest/gtest.h>

#include <cstdio>

#include "DebugCapture.h"
#include "ServiceStandIn.h"
#include "WaitUntil.h"
#include "tuning/SysCtrlPipeClient.h"

namespace {

const char kBusyTrace[] = "CallSysCtrlService Failed, the previous request is not completed yet.\r\n";
const char kTimeoutTrace[] = "CallSysCtrlService Failed, Waiting error or Timeout.\r\n";
const char kCallFailedPrefix[] = "[BasicNamedPipe<char_t>::Call] failed, GetLastError returned ";

const char kNotifyLine[] = "request words=0x80000000,0x00000000,0x00000000,0x00000000 bytes=16";
const char kQueryLine[] = "request words=0x80000001 bytes=4";

// Exit code 1 for true, 0 for false.
int Outcome(bool ok)
{
    return ok ? 1 : 0;
}

std::vector<std::string> ClientTraces(const zxtest::DebugRunResult& run)
{
    std::vector<std::string> traces;
    for (const std::string& trace : run.traces)
        if (trace.find("CallSysCtrlService") != std::string::npos || trace.find("BasicNamedPipe") != std::string::npos)
            traces.push_back(trace);
    return traces;
}

}  // namespace

ZX_TEST_CHILD(notify)
{
    return Outcome(SysCtrlPipeClient::GetInstance().NotifyChange(0, 0, 0));
}

ZX_TEST_CHILD(query)
{
    int state = -1, detail = -1;
    bool ok = SysCtrlPipeClient::GetInstance().QueryState(&state, &detail);
    std::printf("state=%d detail=%d\n", state, detail);
    return Outcome(ok);
}

// A request that times out, one sent while it still runs, and one after it
// ended: the third is admitted again (and times out again, as the service
// still answers late).
ZX_TEST_CHILD(late_service)
{
    auto& client = SysCtrlPipeClient::GetInstance();
    bool first = client.NotifyChange(0, 0, 0);
    bool second = client.NotifyChange(0, 0, 0);
    // The service answers the first request 12 s after it came; until then
    // it still runs.
    bool ended = zxtest::WaitUntil([] { return !SysCtrlPipeClient::RequestRunning(); }, 30000);
    bool third = client.NotifyChange(0, 0, 0);
    std::printf("first=%d second=%d ended=%d third=%d\n", first, second, ended, third);
    return 0;
}

// A successful reply, then a call whose reply is empty: the earlier reply
// must not make the second call succeed.
ZX_TEST_CHILD(stale_reply)
{
    bool first = false, second = true;
    {
        zxtest::ServiceStandIn service;
        if (!service.Start())
            return 99;
        first = SysCtrlPipeClient::GetInstance().NotifyChange(0, 0, 0);
    }
    {
        zxtest::ServiceStandIn service;
        if (!service.Start("--reply-bytes 0"))
            return 99;
        second = SysCtrlPipeClient::GetInstance().NotifyChange(0, 0, 0);
    }
    std::printf("first=%d second=%d\n", first, second);
    return 0;
}

TEST(SysCtrlPipeClient, NotifyChangeReachesTheServiceAndSucceeds)
{
    zxtest::ServiceStandIn service;
    ASSERT_TRUE(service.Start());
    auto run = zxtest::RunChildUnderDebugger("notify");
    EXPECT_EQ(run.exitCode, 1u) << run.output;
    EXPECT_EQ(service.Requests(), std::vector<std::string>{kNotifyLine});
    EXPECT_TRUE(ClientTraces(run).empty());
}

TEST(SysCtrlPipeClient, QueryStateAnswers)
{
    struct Case {
        const char* options;
        DWORD expectedResult;
        const char* expectedOutput;  // checked when the query succeeds
    };
    const Case cases[] = {
        {"--state 2 --detail 7", 1, "state=2 detail=7"},
        {"", 1, "state=0 detail=0"},
        {"--state 1 --reply-bytes 8", 0, nullptr},  // too short for state and detail
        {"--state 3 --word0 0", 0, nullptr},        // the service reports failure
        {"--state 3 --word0 2", 0, nullptr},
        {"--state 5 --reply-bytes 16", 1, "state=5 detail=0"},  // longer replies are fine
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        zxtest::ServiceStandIn service;
        ASSERT_TRUE(service.Start(c.options));
        auto run = zxtest::RunChildUnderDebugger("query");
        EXPECT_EQ(run.exitCode, c.expectedResult) << run.output;
        if (c.expectedOutput)
            EXPECT_NE(run.output.find(c.expectedOutput), std::string::npos) << run.output;
        else
            EXPECT_NE(run.output.find("state=-1 detail=-1"), std::string::npos)
                << "outputs were written: " << run.output;
        EXPECT_EQ(service.Requests(), std::vector<std::string>{kQueryLine});
        EXPECT_TRUE(ClientTraces(run).empty());
    }
}

TEST(SysCtrlPipeClient, NotifyChangeFailsOnABadReply)
{
    for (const char* options : {"--word0 0", "--reply-bytes 2", "--no-reply"}) {
        SCOPED_TRACE(options);
        zxtest::ServiceStandIn service;
        ASSERT_TRUE(service.Start(options));
        auto run = zxtest::RunChildUnderDebugger("notify");
        EXPECT_EQ(run.exitCode, 0u) << run.output;
        EXPECT_EQ(service.Requests(), std::vector<std::string>{kNotifyLine});
    }
}

TEST(SysCtrlPipeClient, AbsentServiceTracesTheFailedCall)
{
    ASSERT_TRUE(zxtest::ControlPipeAbsent());
    auto run = zxtest::RunChildUnderDebugger("notify");
    EXPECT_EQ(run.exitCode, 0u);
    auto traces = ClientTraces(run);
    ASSERT_EQ(traces.size(), 1u);
    // No pipe of that name: ERROR_FILE_NOT_FOUND.
    EXPECT_EQ(traces[0], std::string(kCallFailedPrefix) + "2\r\n");
}

TEST(SysCtrlPipeClient, AnEarlierReplyNeverCountsForALaterCall)
{
    auto run = zxtest::RunChildUnderDebugger("stale_reply", {}, 60000);
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_NE(run.output.find("first=1 second=0"), std::string::npos) << run.output;
}

TEST(SysCtrlPipeClient, LateServiceTimesOutAndRefusesTheNextRequestUntilDone)
{
    zxtest::ServiceStandIn service;
    ASSERT_TRUE(service.Start("--delay-ms 12000"));
    auto run = zxtest::RunChildUnderDebugger("late_service", {}, 60000);
    EXPECT_NE(run.output.find("first=0 second=0 ended=1 third=0"), std::string::npos) << run.output;
    EXPECT_EQ(ClientTraces(run), (std::vector<std::string>{kTimeoutTrace, kBusyTrace, kTimeoutTrace}));
    // The refused request never reached the service.
    EXPECT_EQ(service.Requests(), (std::vector<std::string>{kNotifyLine, kNotifyLine}));
}
