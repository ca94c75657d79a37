#pragma once
// The CPUID instruction: EAX, EBX, ECX, EDX of a leaf (and subleaf) on the
// processor that runs the calling thread. False only for a null output.
//
// One exception: when the KyIO.dll the program loads is the stand-in that
// simulates a machine (it alone exports kSimulatedCpuIdExport), the answers
// come from that simulated machine, so that the CPU the program recognises
// is the one whose registers it reaches. With the maker's library, or none,
// the instruction answers.

constexpr char kSimulatedCpuIdExport[] = "ZxSimulatedCpuId";

bool CpuId(unsigned leaf, unsigned registers[4], unsigned subleaf = 0);
