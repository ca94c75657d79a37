#pragma once
// Contract checks of the in-house library.
//
// A failed check names the expression, the source unit and the line, and
// stops the program. The check is fatal in every build (it does not follow
// NDEBUG). A deliverable that is specified without contract checks builds
// with VESSA_NO_CONTRACT_CHECKS, which turns the checks into nothing.
//
// The report goes to the standard error stream, to the debugger output and,
// unless the environment variable VESSA_ASSERT_SILENT is set (unattended
// runs), to a message box. The process then ends with exit code 3.

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace vessa {

constexpr UINT kAssertExitCode = 3;

[[noreturn]] inline void AssertFailed(const char* expression, const char* source, int line)
{
    char text[1024];
    std::snprintf(text, sizeof text, "Assertion failed: %s, file %s, line %d", expression, source, line);

    std::fprintf(stderr, "%s\n", text);
    std::fflush(stderr);
    OutputDebugStringA(text);
    OutputDebugStringA("\r\n");

    char silent[8];
    if (GetEnvironmentVariableA("VESSA_ASSERT_SILENT", silent, sizeof silent) == 0)
        MessageBoxA(nullptr, text, "Assertion failed", MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);

    TerminateProcess(GetCurrentProcess(), kAssertExitCode);
    std::abort();  // not reached; TerminateProcess does not return for the own process
}

}  // namespace vessa

#if defined(VESSA_NO_CONTRACT_CHECKS)
#define VESSA_ASSERT(expression) ((void)0)
#define VESSA_ASSERT_AT(expression, source, line) ((void)0)
#else
// Reports this file and line.
#define VESSA_ASSERT(expression) ((expression) ? (void)0 : ::vessa::AssertFailed(#expression, __FILE__, __LINE__))
// Reports a fixed source unit and line, where the report text is part of the
// unit's contract.
#define VESSA_ASSERT_AT(expression, source, line)                                                                      \
    ((expression) ? (void)0 : ::vessa::AssertFailed(#expression, source, line))
#endif
