// The service stand-in itself: its answers, log lines, options and several
// clients at once. Talks to it with the plain Win32 pipe call.

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>
#include <vector>

#include "ServiceStandIn.h"
#include "TestPaths.h"
#include "WaitUntil.h"

namespace {

// The reply words (whole words only) and the reply size; size -1 when the
// call failed.
std::vector<DWORD> Call(const std::vector<DWORD>& request, int* size, size_t requestBytes = 0)
{
    DWORD reply[1024] = {};
    DWORD read = 0;
    DWORD bytes = requestBytes ? static_cast<DWORD>(requestBytes) : static_cast<DWORD>(request.size() * 4);
    BOOL ok = CallNamedPipeA(zxtest::PrivateControlPipePath().c_str(), const_cast<DWORD*>(request.data()), bytes, reply,
                             sizeof reply, &read, NMPWAIT_WAIT_FOREVER);
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
    ASSERT_TRUE(service.Start("--delay-ms 3000"));
    std::vector<std::thread> clients;
    int sizes[3] = {};
    std::atomic<int> answered{0};
    for (int i = 0; i < 3; ++i)
        clients.emplace_back([&sizes, &answered, i] {
            Call({0x80000000, static_cast<DWORD>(i), 0, 0}, &sizes[i]);
            ++answered;
        });
    // One after another, the second request would arrive only once the
    // first was answered.
    EXPECT_TRUE(zxtest::WaitUntil([&] { return service.Requests().size() == 3; }));
    EXPECT_EQ(answered, 0) << "all three requests should be in the service before the first answer";
    for (auto& client : clients)
        client.join();
    for (int size : sizes)
        EXPECT_EQ(size, 4);
}

TEST(ServiceStandIn, RefusesAPipeAnotherProcessServes)
{
    zxtest::ServiceStandIn service;
    ASSERT_TRUE(service.Start());
    auto run = zxtest::RunProcess(zxtest::Quote(zxtest::JoinPath(zxtest::DistDir(), "ZxSystemControlService.exe")) +
                                  " --pipe " + zxtest::Quote(zxtest::PrivateControlPipeName()));
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_NE(run.output.find("another process serves it"), std::string::npos) << run.output;
    int size = 0;
    EXPECT_EQ(Call({0x80000001}, &size), (std::vector<DWORD>{1, 0, 0})) << "the first server still answers";
}

TEST(ServiceStandIn, RefusesBadOptions)
{
    for (const char* options : {"--state", "--state x", "--bogus", "--reply-bytes 5000", "--pipe", "--pipe a\\b"}) {
        SCOPED_TRACE(options);
        auto run = zxtest::RunProcess(zxtest::Quote(zxtest::JoinPath(zxtest::DistDir(), "ZxSystemControlService.exe")) +
                                      " " + options);
        EXPECT_EQ(run.exitCode, 2u);
        EXPECT_NE(run.output.find("usage:"), std::string::npos) << run.output;
    }
}
