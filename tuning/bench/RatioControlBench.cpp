// Measures the threaded ratio control (AMD without core boost) on the
// simulated machine: the CPU time its threads use, as a percentage of one
// core, and the register writes per second. Run by
// scripts/measure-ratio-control.sh, which sets up the machine and the board.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tuning/CpuModel.h"
#include "tuning/DynamicRatioControl.h"

namespace {

ULONGLONG ThreadCpuTime(HANDLE thread)
{
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(thread, &created, &exited, &kernel, &user))
        return 0;
    auto ticks = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return ticks(kernel) + ticks(user);
}

// The probes' time and the decision thread's (the last of the list).
struct CpuTimes {
    ULONGLONG probes = 0;
    ULONGLONG decision = 0;
};

CpuTimes ControllerCpuTime(const DynamicRatioControl& control)
{
    CpuTimes times;
    const auto& threads = control.GetThreads();
    for (size_t i = 0; i < threads.size(); ++i)
        (i + 1 == threads.size() ? times.decision : times.probes) += ThreadCpuTime(threads[i]->Handle());
    return times;
}

double PercentOfOneCore(ULONGLONG cpu, ULONGLONG wallMs)
{
    return 100.0 * (static_cast<double>(cpu) / 10000.0) / static_cast<double>(wallMs);
}

size_t CountWrites(const char* logPath)
{
    FILE* log = std::fopen(logPath, "rb");
    if (!log)
        return 0;
    size_t writes = 0;
    char line[512];
    while (std::fgets(line, sizeof line, log)) {
        if (std::strstr(line, "KYIO_WriteMSR"))
            ++writes;
    }
    std::fclose(log);
    return writes;
}

}  // namespace

int main(int argc, char** argv)
{
    int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    if (!IsAmdCpu() || GetPStatus()->IsCoreBoostSupported()) {
        std::printf("the machine is not an AMD CPU without core boost\n");
        return 1;
    }
    DynamicRatioControl* control = DynamicRatioControl::GetInstance();
    control->Create();
    control->Start();

    char logPath[MAX_PATH] = "";
    GetEnvironmentVariableA("KYIO_LOG", logPath, MAX_PATH);
    size_t writesBefore = CountWrites(logPath);
    CpuTimes cpuBefore = ControllerCpuTime(*control);
    ULONGLONG wallBefore = GetTickCount64();
    Sleep(static_cast<DWORD>(seconds) * 1000);
    CpuTimes cpuAfter = ControllerCpuTime(*control);
    ULONGLONG wall = GetTickCount64() - wallBefore;
    ULONGLONG probes = cpuAfter.probes - cpuBefore.probes;
    ULONGLONG decision = cpuAfter.decision - cpuBefore.decision;
    ULONGLONG cpu = probes + decision;
    size_t writes = CountWrites(logPath) - writesBefore;
    control->Stop();

    std::printf("threads: %zu (%d probes and one decision thread)\n", control->GetThreads().size(),
                GetLogicalProcessorCount());
    std::printf("wall time: %.1f s\n", static_cast<double>(wall) / 1000.0);
    std::printf("controller CPU time: %.3f s = %.2f %% of one core (target: at most 1 %%)\n",
                static_cast<double>(cpu) / 1e7, PercentOfOneCore(cpu, wall));
    std::printf("  idle probes: %.2f %%, decision thread: %.2f %%\n", PercentOfOneCore(probes, wall),
                PercentOfOneCore(decision, wall));
    std::printf("MSR writes: %zu = %.1f per second\n", writes, 1000.0 * static_cast<double>(writes) / static_cast<double>(wall));
    return 0;
}
