#include "tuning/CpuId.h"

#include <windows.h>

#include <cpuid.h>

namespace {

// stdcall (leaf, subleaf, EAX/EBX/ECX/EDX out) -> non-zero when answered.
using SimulatedCpuIdFunction = int(WINAPI*)(unsigned, unsigned, unsigned*);

// Decided once: the library is never unloaded, and a CPU must not change
// its answers half-way through the process. Loading it here only moves
// forward a load the CPU models make anyway.
SimulatedCpuIdFunction SimulatedCpuId()
{
    static const SimulatedCpuIdFunction function = [] {
        HMODULE library = LoadLibraryA("KyIO.dll");
        return library ? reinterpret_cast<SimulatedCpuIdFunction>(
                             reinterpret_cast<void*>(GetProcAddress(library, kSimulatedCpuIdExport)))
                       : nullptr;
    }();
    return function;
}

}  // namespace

bool CpuId(unsigned leaf, unsigned registers[4], unsigned subleaf)
{
    if (!registers)
        return false;
    if (SimulatedCpuId()) {
        // An unreadable machine file answers zeros, which no CPU model recognises.
        if (!SimulatedCpuId()(leaf, subleaf, registers))
            registers[0] = registers[1] = registers[2] = registers[3] = 0;
        return true;
    }
    __cpuid_count(leaf, subleaf, registers[0], registers[1], registers[2], registers[3]);
    return true;
}
