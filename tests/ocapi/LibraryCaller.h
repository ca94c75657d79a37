#pragma once
// Runs calls into ZxOcLib.dll in a fresh child process, as another program
// would make them, and reports what came back.
//
// The child moves onto a desktop of its own first and keeps a top-level
// window there, so the broadcasts it counts are the library's alone. It
// resolves every function by name (or, with byOrdinal, by ordinal).
//
// A call is "<export name> [argument]"; the argument is a value index, a
// path, or "null" for a null pointer. The child prints one line per call:
//   <name> result=<r>
//   <name> result=<r> value=<v>            (get; v is -7 when untouched)
//   <name> result=<r> name=<text> nameLength=<n> min=<a>/<b> step=<c>/<d> count=<e>   (query)
// and at the end "broadcasts=<n>" and one "broadcast wParam=0x%x lParam=0x%x" per message.

#include <string>
#include <vector>

#include "TestProcess.h"

namespace ocapitest {

struct CallerRun {
    zxtest::ProcessResult process;
    std::vector<std::string> lines;  // the child's output lines

    // The line that starts with `prefix` (the n-th such), "" when absent.
    std::string Line(const std::string& prefix, size_t n = 0) const;
    int Broadcasts() const;  // -1 when the child did not report
};

CallerRun RunCalls(const std::vector<std::string>& calls, const zxtest::Environment& environment,
                   bool byOrdinal = false);

}  // namespace ocapitest
