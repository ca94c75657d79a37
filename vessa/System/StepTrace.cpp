#include "vessa/System/StepTrace.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace vessa {
namespace {

constexpr const char* kTraceVariable = "ZENDRIX_TRACE";

struct TraceState {
    std::string file;
    LARGE_INTEGER frequency{};
    double createdMs = 0;  // the process's creation on the counter's scale
    struct MarkEntry {
        const char* step;
        double ms;
    };
    struct TotalEntry {
        const char* kind;
        long long ticks = 0;
        int count = 0;
    };
    std::vector<MarkEntry> marks;
    std::vector<TotalEntry> totals;
};

long long Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double FileTimeMs(const FILETIME& time)
{
    return ((ULONGLONG(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 10000.0;
}

// Null without the variable; made once, kept for the process.
TraceState* State()
{
    static TraceState* state = []() -> TraceState* {
        char file[MAX_PATH];
        const DWORD length = GetEnvironmentVariableA(kTraceVariable, file, sizeof file);
        if (length == 0 || length >= sizeof file)
            return nullptr;
        auto* made = new TraceState();
        made->file = file;
        QueryPerformanceFrequency(&made->frequency);
        // How long ago the process was created, in wall-clock time, laid
        // onto the counter so that every mark counts from the creation.
        FILETIME created, exited, kernel, user, now;
        GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
        GetSystemTimeAsFileTime(&now);
        const double counterMs = Now() * 1000.0 / made->frequency.QuadPart;
        made->createdMs = counterMs - (FileTimeMs(now) - FileTimeMs(created));
        return made;
    }();
    return state;
}

double Ms(const TraceState& state, long long ticks)
{
    return ticks * 1000.0 / state.frequency.QuadPart;
}

}  // namespace

bool StepTrace::Enabled()
{
    return State() != nullptr;
}

void StepTrace::Mark(const char* step)
{
    if (TraceState* state = State())
        state->marks.push_back({step, Ms(*state, Now()) - state->createdMs});
}

void StepTrace::Write(const char* heading)
{
    TraceState* state = State();
    if (state == nullptr)
        return;
    FILE* out = std::fopen(state->file.c_str(), "a");
    if (out != nullptr) {
        std::fprintf(out, "# %s\n", heading);
        double previous = 0;
        for (const auto& mark : state->marks) {
            std::fprintf(out, "%9.1f ms  +%7.1f  %s\n", mark.ms, mark.ms - previous, mark.step);
            previous = mark.ms;
        }
        for (const auto& total : state->totals)
            std::fprintf(out, "total %9.1f ms  %6d x  %s\n", Ms(*state, total.ticks), total.count, total.kind);
        std::fclose(out);
    }
    state->marks.clear();
    state->totals.clear();
}

StepTotal::StepTotal(const char* kind) : m_kind(kind)
{
    if (State() != nullptr)
        m_start = Now();
}

StepTotal::~StepTotal()
{
    TraceState* state = State();
    if (state == nullptr)
        return;
    const long long ticks = Now() - m_start;
    for (auto& total : state->totals) {
        if (total.kind == m_kind || std::strcmp(total.kind, m_kind) == 0) {
            total.ticks += ticks;
            ++total.count;
            return;
        }
    }
    state->totals.push_back({m_kind, ticks, 1});
}

}  // namespace vessa
