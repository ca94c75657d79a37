// Stand-in for the model-specific-register driver library KyIO.dll: the six
// exports, served by the simulated machine (SimulatedMachine.h). An access
// applies to the processor the calling thread is pinned to.
//
// With KYIO_LOG naming a file, every call of KYIO_Open, KYIO_ReadMSR and
// KYIO_WriteMSR appends one line to it.
//
// One export is the stand-in's own: ZxSimulatedCpuId tells the program that
// the machine is simulated and answers CPUID for it (the maker's library has
// no such export, and the program then executes the instruction).
//
// Test builds leave one export out (ZX_KYIO_WITHOUT_<name>), so that the
// binding's result codes can be checked against a real library.

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <string>

#include "SimulatedMachine.h"

namespace {

HMODULE g_module = nullptr;

kyio::SimulatedMachine& Machine()
{
    static kyio::SimulatedMachine* machine = new kyio::SimulatedMachine(kyio::FindMachineFile(g_module, false));
    return *machine;
}

void Log(const char* format, ...)
{
    static const std::string path = [] {
        char name[MAX_PATH];
        DWORD length = GetEnvironmentVariableA("KYIO_LOG", name, MAX_PATH);
        return length > 0 && length < MAX_PATH ? std::string(name, length) : std::string();
    }();
    if (path.empty())
        return;

    char line[256];
    int prefix = std::snprintf(line, sizeof line, "pid=%lu ", GetCurrentProcessId());
    va_list arguments;
    va_start(arguments, format);
    int length = std::vsnprintf(line + prefix, sizeof line - prefix - 2, format, arguments);
    va_end(arguments);
    if (length < 0)
        return;
    length += prefix;
    line[length++] = '\r';
    line[length++] = '\n';

    // One write per line at the file's end, under the machine lock, so that
    // the lines of several processes never mix.
    static HANDLE file =
        CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    kyio::MachineLock lock;
    LARGE_INTEGER end{};
    SetFilePointerEx(file, end, nullptr, FILE_END);
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(length), &written, nullptr);
}

// registers: EAX, EBX, ECX, EDX of the leaf on the calling thread's
// processor; zeros and 0 when the machine file cannot be read.
int AnswerCpuId(unsigned leaf, unsigned subleaf, unsigned* registers)
{
    if (!registers)
        return 0;
    unsigned answer[4] = {};
    bool ok = Machine().CpuId(kyio::CurrentProcessor(), leaf, subleaf, answer);
    for (int i = 0; i < 4; ++i)
        registers[i] = answer[i];
    return ok ? 1 : 0;
}

}  // namespace

extern "C" {

#if !defined(ZX_KYIO_WITHOUT_KYIO_Open)
__declspec(dllexport) int WINAPI KYIO_Open(int reserved)
{
    int result = Machine().Load() ? 1 : 0;
    Log("KYIO_Open result=%d", result);
    return result;
}
#endif

#if !defined(ZX_KYIO_WITHOUT_KYIO_Close)
__declspec(dllexport) int WINAPI KYIO_Close(void)
{
    return 1;
}
#endif

#if !defined(ZX_KYIO_WITHOUT_OC_GetCurrentCpuFrequency)
// MHz of the calling thread's processor at its measured ratio.
__declspec(dllexport) int WINAPI OC_GetCurrentCpuFrequency(void)
{
    return static_cast<int>(Machine().MeasuredRatio(kyio::CurrentProcessor()) * kyio::kMeasuredBusClock);
}
#endif

#if !defined(ZX_KYIO_WITHOUT_KYIO_ReadMSR)
__declspec(dllexport) int WINAPI KYIO_ReadMSR(unsigned msr, unsigned long long* value)
{
    if (!value)
        return 0;
    int processor = kyio::CurrentProcessor();
    kyio::MachineLock lock;  // the access and its log line as one step
    bool ok = Machine().ReadMsr(processor, msr, *value);
    Log("cpu=%d KYIO_ReadMSR msr=0x%08X value=0x%016llX", processor, msr, *value);
    return ok ? 1 : 0;
}
#endif

#if !defined(ZX_KYIO_WITHOUT_KYIO_WriteMSR)
__declspec(dllexport) int WINAPI KYIO_WriteMSR(unsigned msr, unsigned long long* value)
{
    if (!value)
        return 0;
    int processor = kyio::CurrentProcessor();
    kyio::MachineLock lock;
    bool ok = Machine().WriteMsr(processor, msr, *value);
    Log("cpu=%d KYIO_WriteMSR msr=0x%08X value=0x%016llX", processor, msr, *value);
    return ok ? 1 : 0;
}
#endif

#if !defined(ZX_KYIO_WITHOUT_KYIO_GetCpuID)
__declspec(dllexport) int WINAPI KYIO_GetCpuID(unsigned leaf, unsigned subleaf, unsigned* registers)
{
    return AnswerCpuId(leaf, subleaf, registers);
}
#endif

#if !defined(ZX_KYIO_WITHOUT_ZxSimulatedCpuId)
__declspec(dllexport) int WINAPI ZxSimulatedCpuId(unsigned leaf, unsigned subleaf, unsigned* registers)
{
    return AnswerCpuId(leaf, subleaf, registers);
}
#endif

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

}  // extern "C"
