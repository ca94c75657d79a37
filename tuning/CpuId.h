#pragma once
// The CPUID instruction: EAX, EBX, ECX, EDX of a leaf (and subleaf) on the
// processor that runs the calling thread. False only for a null output.
//
// Two builds supply it: the instruction itself (CpuId.cpp), or, with the
// CMake option ZX_SIMULATED_CPU, the simulated machine of the KyIO.dll
// stand-in.

bool CpuId(unsigned leaf, unsigned registers[4], unsigned subleaf = 0);
