#pragma once
// printf-style diagnostic trace to the debugger output. The text is cut to
// what fits one 4096-byte line, trailing white space is dropped and CR LF
// ends it, so that a debugger view shows one clean line per trace.

// Longest text a trace carries; the rest of the 4096 bytes is CR LF and the
// terminator.
constexpr int kDebugTraceMaxText = 4093;

void DebugTrace(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
