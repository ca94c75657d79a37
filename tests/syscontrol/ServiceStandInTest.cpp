// The service stand-in itself: its answers, log lines, options and several
// clients at once. Talks to it with the plain Win32 pipe call.

#include <gtest/gtest.h>

#include <windows.h>

#include <thread>
#include <vector>

#include "ServiceStandIn.h"
#include "TestPaths.h"

namespace {

const char kPipePath[] = "\\\\.\\PIPE\\MEROVAN SYSTEM CONTROL PIPE";

// The reply words (whole words only) and the reply size; size -1 when the
// call failed.
std::vector<DWORD> Call(const std::vector<DWORD>& request, int* size, size_t requestBytes = 0)
{
    DWORD reply[1024] = {};
    DWORD read = 0;
    DWORD bytes = requestBytes ? static_cast<DWORD>(requestBytes) : static_cast<DWORD>(request.size() * 4);
    BOOL ok = CallNamedPipeA(kPipePath, const_cast<DWORD*>(request.data()), bytes, reply, sizeof reply, &read,
                             NMPWAIT_WAIT_FOREVER);
    *size = ok ? static_cast<int>(read) : -1;
    return ok ? std::vector<DWORD>(reply, reply + read / 4) : std::vector<DWORD>{};
}

}  // namespace

TEST(ServiceStandIn, AnswersBothRequestsAndLogsEachOne)
{
    zxtest::ServiceStandIn service;
    ASSERT_TRUE(service.Start("--state 4 --detail 9"));
    int size = 0;
    EXPECT_EQ(Call({0x80000000, 1, 2, 3}, &size), std::vector<DWORD>{1});
    EXPECT_EQ(size, 4);
    EXPECT_EQ(Call({0x80000001}, &size), (std::vector<DWORD>{1, 4, 9}));
    EXPECT_EQ(size, 12);
    // Unknown or malformed requests get a failure word.
    EXPECT_EQ(Call({0x12345678}, &size), std::vector<DWORD>{0});
    EXPECT_EQ(Call({0x80000000, 0}, &size), std::vector<DWORD>{0});
    EXPECT_EQ(Call({0x80000001, 0xAABBCCDD}, &size, 6), std::vector<DWORD>{0});

    EXPECT_EQ(service.Requests(), (std::vector<std::string>{
                                      "request words=0x80000000,0x00000001,0x00000002,0x00000003 bytes=16",
                                      "request words=0x80000001 bytes=4",
                                      "request words=0x12345678 bytes=4",
                                      "request words=0x80000000,0x00000000 bytes=8",
                                      "request words=0x80000001 bytes=6",
                                  }));
}

TEST(ServiceStandIn, ShapesItsReplyByOptions)
{
    struct Case {
        const char* options;
        int size;
        std::vector<DWORD> words;
    };
    const Case cases[] = {
        {"--word0 7", 12, {7, 0, 0}},
        {"--reply-bytes 8 --state 2", 8, {1, 2}},
        {"--reply-bytes 20 --state 2", 20, {1, 2, 0, 0, 0}},
        {"--reply-bytes 0", 0, {}},
        {"--no-reply", -1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        zxtest::ServiceStandIn service;
        ASSERT_TRUE(service.Start(c.options));
        int size = 0;
        EXPECT_EQ(Call({0x80000001}, &size), c.words);
        EXPECT_EQ(size, c.size);
        EXPECT_EQ(service.Requests().size(), 1u);
    }
}

TEST(ServiceStandIn, ServesSeveralClientsAtOnce)
{
    zxtest::ServiceStandIn service;
    ASSERT_TRUE(service.Start("--delay-ms 1500"));
    DWORD start = GetTickCount();
    std::vector<std::thread> clients;
    int sizes[3] = {};
    for (int i = 0; i < 3; ++i)
        clients.emplace_back([&sizes, i] { Call({0x80000000, static_cast<DWORD>(i), 0, 0}, &sizes[i]); });
    for (auto& client : clients)
        client.join();
    DWORD elapsed = GetTickCount() - start;
    for (int size : sizes)
        EXPECT_EQ(size, 4);
    // One after another they would take 4.5 s.
    EXPECT_LT(elapsed, 4000u);
    EXPECT_EQ(service.Requests().size(), 3u);
}

TEST(ServiceStandIn, RefusesBadOptions)
{
    for (const char* options : {"--state", "--state x", "--bogus", "--reply-bytes 5000"}) {
        SCOPED_TRACE(options);
        auto run = zxtest::RunProcess(
            zxtest::Quote(zxtest::JoinPath(zxtest::DistDir(), "ZxSystemControlService.exe")) + " " + options);
        EXPECT_EQ(run.exitCode, 2u);
        EXPECT_NE(run.output.find("usage:"), std::string::npos) << run.output;
    }
}
