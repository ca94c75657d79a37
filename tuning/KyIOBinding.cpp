#include "tuning/KyIOBinding.h"

#include <windows.h>

#include <atomic>

namespace {

using OpenFunction = int(WINAPI*)(int);
using CloseFunction = int(WINAPI*)(void);
using FrequencyFunction = int(WINAPI*)(void);
using MsrFunction = int(WINAPI*)(unsigned, unsigned long long*);
using CpuIdFunction = int(WINAPI*)(unsigned, unsigned, unsigned*);

// Written by LoadKyIO on the GUI thread, read by the controller's thread;
// the library is never unloaded, so a pointer once seen stays valid.
std::atomic<MsrFunction> g_readMsr{nullptr};
std::atomic<MsrFunction> g_writeMsr{nullptr};

template <typename Function>
Function Bind(HMODULE library, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace

int LoadKyIO()
{
    HMODULE library = LoadLibraryA("KyIO.dll");
    if (!library)
        return kKyIOLibraryMissing;

    OpenFunction open = Bind<OpenFunction>(library, "KYIO_Open");
    CloseFunction close = Bind<CloseFunction>(library, "KYIO_Close");
    FrequencyFunction frequency = Bind<FrequencyFunction>(library, "OC_GetCurrentCpuFrequency");
    MsrFunction read = Bind<MsrFunction>(library, "KYIO_ReadMSR");
    MsrFunction write = Bind<MsrFunction>(library, "KYIO_WriteMSR");
    CpuIdFunction cpuId = Bind<CpuIdFunction>(library, "KYIO_GetCpuID");

    if (!open)
        return kKyIOOpenMissing;
    if (!close)
        return kKyIOCloseMissing;
    if (!frequency)
        return kKyIOFrequencyMissing;
    if (!read)
        return kKyIOReadMissing;
    if (!cpuId)
        return kKyIOCpuIdMissing;
    if (open(0) == 0)
        return kKyIOOpenFailed;

    // A library without a write entry point still reads; writes then do nothing.
    g_readMsr = read;
    g_writeMsr = write;
    return kKyIOLoaded;
}

bool HasRegisterAccess()
{
    // A library that can read but not write registers cannot do what the
    // features built on it promise: they stay off.
    return g_readMsr.load() != nullptr && g_writeMsr.load() != nullptr;
}

bool ReadMSR(unsigned msr, std::uint64_t* value)
{
    MsrFunction read = g_readMsr.load();
    if (!read || !value)
        return false;
    unsigned long long result = *value;
    read(msr, &result);
    *value = result;
    return true;
}

bool WriteMSR(unsigned msr, std::uint64_t* value)
{
    MsrFunction write = g_writeMsr.load();
    if (!write || !value)
        return false;
    unsigned long long result = *value;
    write(msr, &result);
    return true;
}

namespace {

// The core this thread last pinned itself to (-1: none). Only these
// functions change the affinity of the threads that access registers, so a
// thread already there needs no second call.
thread_local int t_pinnedCore = -1;

}  // namespace

bool PinThreadToCore(int core)
{
    if (core < 0 || core >= 32)
        return false;
    if (t_pinnedCore == core)
        return true;
    if (SetThreadAffinityMask(GetCurrentThread(), static_cast<DWORD_PTR>(1) << core) == 0)
        return false;
    t_pinnedCore = core;
    return true;
}

bool ReadCoreMSR(int core, unsigned msr, std::uint64_t* value)
{
    if (!value)
        return false;
    *value = 0;
    return PinThreadToCore(core) && ReadMSR(msr, value);
}

bool WriteCoreMSR(int core, unsigned msr, std::uint64_t value)
{
    return PinThreadToCore(core) && WriteMSR(msr, &value);
}
