#pragma once
// Runs a program under a minimal debugger loop and collects what it sends to
// the debugger output (OutputDebugString), besides its exit code and
// printed output. This checks diagnostic traces black-box, through the real
// call the code makes.

#include <string>
#include <vector>

#include "TestProcess.h"

namespace zxtest {

struct DebugRunResult : ProcessResult {
    std::vector<std::string> traces;  // each debug string as sent, in order
};

DebugRunResult RunUnderDebugger(const std::string& commandLine, const Environment& environment = {},
                                DWORD timeoutMs = 30000);

// RunChild, under the debugger.
DebugRunResult RunChildUnderDebugger(const std::string& name, const Environment& environment = {},
                                     DWORD timeoutMs = 30000, const std::string& extraArguments = "");

// The traces that contain `needle`.
std::vector<std::string> TracesContaining(const DebugRunResult& result, const std::string& needle);

}  // namespace zxtest
