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
#include "tuning/KyIOBinding.h"
#include "SimulatedMachine.h"

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

kyio::SharedCounters CountersNow()
{
    volatile kyio::SharedCounters* shared = kyio::Counters();
    return kyio::SharedCounters{shared->fileRewrites, shared->registerReads, shared->registerWrites};
}

// CPU time, in 100 ns units, of one simulated read, and of one write that
// changes a register (and so rewrites the machine file), on a pinned thread.
struct AccessCosts {
    double read = 0;
    double changingWrite = 0;
};

AccessCosts MeasureAccessCosts()
{
    const int reads = 2000;
    const int writes = 200;
    const unsigned spare = 0xC0010068;  // P-state 4, not enabled on this machine
    AccessCosts costs;
    std::uint64_t original = 0;
    ReadCoreMSR(0, spare, &original);
    ULONGLONG before = ThreadCpuTime(GetCurrentThread());
    for (int i = 0; i < reads; ++i) {
        std::uint64_t value = 0;
        ReadCoreMSR(0, spare, &value);
    }
    ULONGLONG middle = ThreadCpuTime(GetCurrentThread());
    for (int i = 0; i < writes; ++i)
        WriteCoreMSR(0, spare, original ^ (i % 2 ? 0 : 1));
    costs.read = static_cast<double>(middle - before) / reads;
    costs.changingWrite = static_cast<double>(ThreadCpuTime(GetCurrentThread()) - middle) / writes;
    WriteCoreMSR(0, spare, original);
    return costs;
}

}  // namespace

int main(int argc, char** argv)
{
    int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    if (!IsAmdCpu() || GetPStatus()->IsCoreBoostSupported()) {
        std::printf("the machine is not an AMD CPU without core boost\n");
        return 1;
    }
    AccessCosts costs = MeasureAccessCosts();
    DynamicRatioControl* control = DynamicRatioControl::GetInstance();
    control->Create();
    control->Start();

    CpuTimes cpuBefore = ControllerCpuTime(*control);
    kyio::SharedCounters countersBefore = CountersNow();
    ULONGLONG wallBefore = GetTickCount64();
    Sleep(static_cast<DWORD>(seconds) * 1000);
    CpuTimes cpuAfter = ControllerCpuTime(*control);
    ULONGLONG wall = GetTickCount64() - wallBefore;
    kyio::SharedCounters countersAfter = CountersNow();
    double perSecond = 1000.0 / static_cast<double>(wall);
    double reads = (countersAfter.registerReads - countersBefore.registerReads) * perSecond;
    double writesPerSecond = (countersAfter.registerWrites - countersBefore.registerWrites) * perSecond;
    double rewrites = (countersAfter.fileRewrites - countersBefore.fileRewrites) * perSecond;
    ULONGLONG probes = cpuAfter.probes - cpuBefore.probes;
    ULONGLONG decision = cpuAfter.decision - cpuBefore.decision;
    ULONGLONG cpu = probes + decision;
    control->Stop();

    // The simulated registers live in a file shared by every process; a
    // driver's register access costs a small part of that.
    double simulated = reads * costs.read + writesPerSecond * costs.read + rewrites * costs.changingWrite;
    double ownPercent = PercentOfOneCore(cpu, wall) - simulated / 100000.0;
    std::printf("threads: %zu (%d idle probes and one decision thread)\n", control->GetThreads().size(),
                GetLogicalProcessorCount());
    std::printf("wall time: %.1f s\n", static_cast<double>(wall) / 1000.0);
    std::printf("controller CPU time: %.3f s = %.2f %% of one core (target: at most 1 %%)\n",
                static_cast<double>(cpu) / 1e7, PercentOfOneCore(cpu, wall));
    std::printf("  idle probes: %.2f %%, decision thread: %.2f %%\n", PercentOfOneCore(probes, wall),
                PercentOfOneCore(decision, wall));
    std::printf("MSR writes: %.1f per second (reads: %.1f per second; %.1f change a register)\n", writesPerSecond,
                reads, rewrites);
    std::printf("simulated access: %.1f us per read, %.1f us per changing write (file rewrite)\n", costs.read / 10.0,
                costs.changingWrite / 10.0);
    std::printf("controller CPU time without the simulated accesses (estimate): %.2f %% of one core\n",
                ownPercent < 0 ? 0.0 : ownPercent);
    return 0;
}
