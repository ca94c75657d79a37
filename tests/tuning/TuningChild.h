#pragma once
// Runs one tuning-core operation in a child process on a private board and
// returns what the child printed and what it wrote to the board.

#include <string>
#include <vector>

#include "BoardFixture.h"
#include "TestProcess.h"

namespace tuningtest {

struct ChildRun {
    zxtest::ProcessResult process;
    std::vector<std::string> writes;  // "id=0x%08X index=%d mode=%d result=%d"
};

// `child` is one of the ZX_TEST_CHILD names of TuningChild.cpp; `argument`
// reaches it as ZXT_ARGUMENT.
ChildRun RunOnBoard(zxtest::BoardFixture& board, const char* child, const std::string& argument = "");

// "Write id=..., ..." lines in the log format, for the expectations.
std::string TuningWrite(unsigned id, int index);
std::string SelectorWrite(int core);

}  // namespace tuningtest
