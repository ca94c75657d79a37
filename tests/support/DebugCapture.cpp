#include "DebugCapture.h"

#include <windows.h>

namespace zxtest {

namespace {

std::string ReadDebugString(HANDLE process, const OUTPUT_DEBUG_STRING_INFO& info)
{
    std::string text;
    if (info.nDebugStringLength == 0)
        return text;
    if (info.fUnicode) {
        std::wstring wide(info.nDebugStringLength, L'\0');
        SIZE_T got = 0;
        ReadProcessMemory(process, info.lpDebugStringData, &wide[0], wide.size() * sizeof(wchar_t), &got);
        wide.resize(got / sizeof(wchar_t));
        for (wchar_t c : wide)
            text += static_cast<char>(c);
    } else {
        text.resize(info.nDebugStringLength);
        SIZE_T got = 0;
        ReadProcessMemory(process, info.lpDebugStringData, &text[0], text.size(), &got);
        text.resize(got);
    }
    // The length counts the terminator.
    size_t end = text.find('\0');
    if (end != std::string::npos)
        text.resize(end);
    return text;
}

void CloseImageFile(const DEBUG_EVENT& event)
{
    if (event.dwDebugEventCode == CREATE_PROCESS_DEBUG_EVENT && event.u.CreateProcessInfo.hFile)
        CloseHandle(event.u.CreateProcessInfo.hFile);
    if (event.dwDebugEventCode == LOAD_DLL_DEBUG_EVENT && event.u.LoadDll.hFile)
        CloseHandle(event.u.LoadDll.hFile);
}

// Serves the debug events until the process exits or the time is up.
void DebugLoop(const PROCESS_INFORMATION& info, ProcessResult& result, std::vector<std::string>& traces,
               DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    bool killed = false;
    for (;;) {
        DEBUG_EVENT event{};
        DWORD elapsed = GetTickCount() - start;
        DWORD wait = killed ? 5000 : (elapsed >= timeoutMs ? 0 : timeoutMs - elapsed);
        if (!WaitForDebugEvent(&event, wait)) {
            if (killed)
                return;
            result.timedOut = true;
            killed = true;
            TerminateProcess(info.hProcess, 0xDEAD);
            continue;
        }
        CloseImageFile(event);
        DWORD continueStatus = DBG_CONTINUE;
        if (event.dwDebugEventCode == OUTPUT_DEBUG_STRING_EVENT) {
            traces.push_back(ReadDebugString(info.hProcess, event.u.DebugString));
        } else if (event.dwDebugEventCode == EXCEPTION_DEBUG_EVENT &&
                   event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) {
            // The loader's initial breakpoint is ours to swallow; every real
            // exception goes back to the program's own handlers.
            continueStatus = DBG_EXCEPTION_NOT_HANDLED;
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, continueStatus);
        if (event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT)
            return;
    }
}

}  // namespace

DebugRunResult RunUnderDebugger(const std::string& commandLine, const Environment& environment, DWORD timeoutMs)
{
    std::vector<std::string> traces;
    ProcessResult run = RunSupervised(
        commandLine, environment, DEBUG_ONLY_THIS_PROCESS,
        [&](const PROCESS_INFORMATION& info, ProcessResult& result) { DebugLoop(info, result, traces, timeoutMs); });
    DebugRunResult result;
    static_cast<ProcessResult&>(result) = run;
    result.traces = std::move(traces);
    return result;
}

DebugRunResult RunChildUnderDebugger(const std::string& name, const Environment& environment, DWORD timeoutMs,
                                     const std::string& extraArguments)
{
    return RunUnderDebugger(ChildCommandLine(name, extraArguments), environment, timeoutMs);
}

std::vector<std::string> TracesContaining(const DebugRunResult& result, const std::string& needle)
{
    std::vector<std::string> hits;
    for (const std::string& trace : result.traces)
        if (trace.find(needle) != std::string::npos)
            hits.push_back(trace);
    return hits;
}

}  // namespace zxtest
