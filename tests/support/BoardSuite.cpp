#include "BoardSuite.h"

#include <windows.h>

#include "TestProcess.h"

namespace zxtest {

namespace {

constexpr char kSuiteVariable[] = "ZX_BOARD_SUITE";

std::string SuiteOfThisProcess()
{
    char value[256];
    DWORD length = GetEnvironmentVariableA(kSuiteVariable, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

}  // namespace

// Runs the suite named in the environment with GoogleTest.
ZX_TEST_CHILD(board_suite)
{
    testing::GTEST_FLAG(filter) = SuiteOfThisProcess() + ".*";
    int argc = 1;
    char name[] = "board_suite";
    char* argv[] = {name, nullptr};
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

void RunSuiteOnBoard(const std::string& suite, BoardFixture& board, DWORD timeoutMs)
{
    Environment environment = board.Environment();
    environment.emplace_back(kSuiteVariable, suite);
    ProcessResult result = RunChild("board_suite", environment, timeoutMs);
    ASSERT_TRUE(result.started);
    EXPECT_FALSE(result.timedOut) << result.output;
    EXPECT_EQ(0u, result.exitCode) << result.output;
    EXPECT_NE(std::string::npos, result.output.find("[  PASSED  ]")) << result.output;
    EXPECT_EQ(std::string::npos, result.output.find("[  SKIPPED ]")) << result.output;
}

void BoardSuite::SetUp()
{
    const char* suite = testing::UnitTest::GetInstance()->current_test_info()->test_suite_name();
    if (SuiteOfThisProcess() != suite)
        GTEST_SKIP() << "runs in the child for its board";
}

}  // namespace zxtest
