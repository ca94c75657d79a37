#include "tuning/CpuId.h"

#include <cpuid.h>

bool CpuId(unsigned leaf, unsigned registers[4], unsigned subleaf)
{
    if (!registers)
        return false;
    __cpuid_count(leaf, subleaf, registers[0], registers[1], registers[2], registers[3]);
    return true;
}
