// CPUID answered from the simulated machine file instead of the instruction
// (CMake option ZX_SIMULATED_CPU), per logical processor as the calling
// thread is pinned. Without a machine file every leaf answers zeros, which
// no CPU model recognises.

#include "tuning/CpuId.h"

#include "SimulatedMachine.h"

bool CpuId(unsigned leaf, unsigned registers[4], unsigned subleaf)
{
    if (!registers)
        return false;
    static kyio::SimulatedMachine* machine = new kyio::SimulatedMachine(kyio::FindMachineFile(nullptr, true));
    if (!machine->CpuId(kyio::CurrentProcessor(), leaf, subleaf, registers))
        registers[0] = registers[1] = registers[2] = registers[3] = 0;
    return true;
}
