#pragma once
// Where the program's time goes, step by step: written only when the
// environment variable ZENDRIX_TRACE names a file, so that a normal start
// pays one test per mark. Marks give the milliseconds since the process was
// created; totals add up the time and count of a kind of work done many
// times over (a picture loaded, a picture decoded). Write appends both to the
// file and starts the totals again. Each module that links it keeps its own
// marks (Dovrel writes its part itself). Meant for the thread that builds
// the windows.

namespace vessa {

class StepTrace {
public:
    static bool Enabled();
    static void Mark(const char* step);
    static void Write(const char* heading);
};

// Adds the time of its own life to the total of `kind` (a text that lives
// for the process).
class StepTotal {
public:
    explicit StepTotal(const char* kind);
    ~StepTotal();
    StepTotal(const StepTotal&) = delete;
    StepTotal& operator=(const StepTotal&) = delete;

private:
    const char* m_kind;
    long long m_start = 0;
};

}  // namespace vessa
