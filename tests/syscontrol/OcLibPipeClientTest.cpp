// The C interface library's build of the system-control client: the request
// runs on the caller's thread and waits for the service however long it
// takes; there is no busy flag, and only the pipe class traces.

#include <gtest/gtest.h>

#include <cstdio>

#include "DebugCapture.h"
#include "ServiceStandIn.h"
#include "tuning/SysCtrlPipeClient.h"

ZX_TEST_CHILD(notify_twice)
{
    auto& client = SysCtrlPipeClient::GetInstance();
    bool first = client.NotifyChange(0, 0, 0);
    bool second = client.NotifyChange(0, 0, 0);
    std::printf("first=%d second=%d\n", first, second);
    return 0;
}

ZX_TEST_CHILD(notify_once)
{
    DWORD start = GetTickCount();
    bool ok = SysCtrlPipeClient::GetInstance().NotifyChange(0, 0, 0);
    std::printf("ok=%d elapsed=%lu\n", ok, GetTickCount() - start);
    return 0;
}

TEST(OcLibSysCtrlPipeClient, WaitsPastTheProgramsTimeOutOnTheCallersThread)
{
    zxtest::ServiceStandIn service;
    ASSERT_TRUE(service.Start("--delay-ms 10500"));
    auto run = zxtest::RunChildUnderDebugger("notify_once", {}, 60000);
    EXPECT_NE(run.output.find("ok=1"), std::string::npos) << run.output;
    unsigned long elapsed = 0;
    size_t at = run.output.find("elapsed=");
    ASSERT_NE(at, std::string::npos);
    std::sscanf(run.output.c_str() + at, "elapsed=%lu", &elapsed);
    EXPECT_GE(elapsed, 10400u);  // past the program's 10 s limit
    EXPECT_EQ(service.Requests().size(), 1u);
    EXPECT_TRUE(zxtest::TracesContaining(run, "CallSysCtrlService").empty());
}

TEST(OcLibSysCtrlPipeClient, AbsentServiceIsTracedOnlyByThePipeClass)
{
    ASSERT_TRUE(zxtest::ControlPipeAbsent());
    auto run = zxtest::RunChildUnderDebugger("notify_twice");
    EXPECT_NE(run.output.find("first=0 second=0"), std::string::npos) << run.output;
    EXPECT_EQ(zxtest::TracesContaining(run, "[BasicNamedPipe<char_t>::Call] failed").size(), 2u);
    EXPECT_TRUE(zxtest::TracesContaining(run, "CallSysCtrlService").empty());
}
