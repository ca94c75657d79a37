#include <gtest/gtest.h>

#include "TestProcess.h"
#include "vessa/System/VessaAssert.h"

namespace {

int g_counter = 0;

ZX_TEST_CHILD(assert_fails)
{
    int index = 5;
    VESSA_ASSERT(index < 3);
    return 0;  // not reached
}

ZX_TEST_CHILD(assert_fails_at_fixed_source)
{
    VESSA_ASSERT_AT(g_counter != 0, "LayeredWindow", 111);
    return 0;
}

ZX_TEST_CHILD(assert_passes)
{
    VESSA_ASSERT(++g_counter == 1);  // the expression is evaluated exactly once
    return g_counter == 1 ? 7 : 8;
}

}  // namespace

TEST(Assertion, FailedCheckNamesExpressionFileAndLineAndStops)
{
    const int expectedLine = 13;  // the VESSA_ASSERT line above
    zxtest::ProcessResult result = zxtest::RunChild("assert_fails", {{"VESSA_ASSERT_SILENT", "1"}});
    ASSERT_TRUE(result.started);
    ASSERT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitCode, vessa::kAssertExitCode);
    EXPECT_NE(result.output.find("Assertion failed: index < 3"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("AssertTest.cpp"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("line " + std::to_string(expectedLine)), std::string::npos) << result.output;
}

TEST(Assertion, FixedSourceAndLineAreReported)
{
    zxtest::ProcessResult result = zxtest::RunChild("assert_fails_at_fixed_source", {{"VESSA_ASSERT_SILENT", "1"}});
    EXPECT_EQ(result.exitCode, vessa::kAssertExitCode);
    EXPECT_NE(result.output.find("Assertion failed: g_counter != 0, file LayeredWindow, line 111"), std::string::npos)
        << result.output;
}

TEST(Assertion, PassingCheckContinuesAndEvaluatesOnce)
{
    zxtest::ProcessResult result = zxtest::RunChild("assert_passes", {{"VESSA_ASSERT_SILENT", "1"}});
    EXPECT_EQ(result.exitCode, 7u);
    EXPECT_EQ(result.output.find("Assertion failed"), std::string::npos);
}
