#pragma once
// Process-wide answers (the ratio item's core count, per-core mode) are
// read once per process, so a suite that needs a board of its own runs in
// a child process: the parent prepares the board and runs the suite named
// for it there; in any other process the suite's tests skip.

#include <gtest/gtest.h>

#include <string>

#include "BoardFixture.h"

namespace zxtest {

// In the parent: runs every test of `suite` in a child on `board` and
// expects them all to pass.
void RunSuiteOnBoard(const std::string& suite, BoardFixture& board, DWORD timeoutMs = 120000);

// Base of a suite that runs inside its board's child.
class BoardSuite : public ::testing::Test {
protected:
    void SetUp() override;
};

}  // namespace zxtest
