#pragma once
// Runs a ZX_TEST_CHILD that breaks a contract of the in-house library and
// checks that the check stopped it, naming the expression.

#include <gtest/gtest.h>

#include <string>

#include "TestProcess.h"
#include "vessa/System/VessaAssert.h"

namespace zxtest {

inline void ExpectContractStop(const std::string& child, const std::string& expression)
{
    ProcessResult run = RunChild(child, {{"VESSA_ASSERT_SILENT", "1"}});
    ASSERT_TRUE(run.started);
    EXPECT_EQ(run.exitCode, vessa::kAssertExitCode);
    EXPECT_NE(run.output.find(expression), std::string::npos) << run.output;
}

}  // namespace zxtest
