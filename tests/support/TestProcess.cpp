#include "TestProcess.h"

#include <atomic>
#include <cstring>
#include <map>
#include <thread>

namespace zxtest {

namespace {

std::map<std::string, ChildFunction>& Children()
{
    static std::map<std::string, ChildFunction> children;
    return children;
}

const char kChildSwitch[] = "--zx-child=";

}  // namespace

std::string BuildEnvironmentBlock(const Environment& overrides)
{
    std::map<std::string, std::string> variables;  // keyed by upper-case name
    std::map<std::string, std::string> spelling;
    char* block = GetEnvironmentStringsA();
    for (const char* p = block; *p; p += std::strlen(p) + 1) {
        std::string entry = p;
        size_t eq = entry.find('=', 1);  // "=C:" style entries start with '='
        if (eq == std::string::npos)
            continue;
        std::string name = entry.substr(0, eq);
        std::string key = name;
        CharUpperBuffA(&key[0], static_cast<DWORD>(key.size()));
        variables[key] = entry.substr(eq + 1);
        spelling[key] = name;
    }
    FreeEnvironmentStringsA(block);

    for (const auto& [name, value] : overrides) {
        std::string key = name;
        CharUpperBuffA(&key[0], static_cast<DWORD>(key.size()));
        if (value.empty()) {
            variables.erase(key);
        } else {
            variables[key] = value;
            spelling[key] = name;
        }
    }

    std::string result;
    for (const auto& [key, value] : variables)
        result += spelling[key] + "=" + value + '\0';
    result += '\0';
    return result;
}

namespace {

bool Launch(const std::string& commandLine, const Environment& environment, HANDLE output, PROCESS_INFORMATION& info,
            DWORD creationFlags = 0)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (output) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = output;
        startup.hStdError = output;
    }
    std::string env = BuildEnvironmentBlock(environment);
    std::string mutableLine = commandLine;
    return CreateProcessA(nullptr, &mutableLine[0], nullptr, nullptr, output != nullptr, creationFlags, &env[0],
                          nullptr, &startup, &info) != FALSE;
}

std::string ChildProgramLine(const std::string& program, const std::string& name, const std::string& extraArguments);

}  // namespace

std::string Quote(const std::string& argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos)
        return argument;
    std::string quoted = "\"";
    for (char c : argument) {
        if (c == '"')
            quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

std::string SelfPath()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

// How long a child's pipe stays open for output after the child ended.
constexpr DWORD kOutputGraceMs = 300;

ProcessResult RunSupervised(const std::string& commandLine, const Environment& environment, DWORD creationFlags,
                            const Supervisor& supervise)
{
    ProcessResult result;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return result;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    PROCESS_INFORMATION info{};
    result.started = Launch(commandLine, environment, writeEnd, info, creationFlags);
    CloseHandle(writeEnd);
    if (!result.started) {
        CloseHandle(readEnd);
        return result;
    }

    // Drain the pipe on a thread so a chatty child never blocks on a full
    // pipe. The end of the output is the child's end, not the pipe's: a
    // process the child started (Wine's desktop process among them) may
    // inherit the write end and keep it open long after the child is gone.
    std::atomic<bool> childEnded{false};
    std::thread reader([&] {
        char buffer[4096];
        DWORD quietSince = 0;  // when the pipe was first seen empty after the child's end
        for (;;) {
            DWORD available = 0;
            if (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) && available == 0) {
                if (childEnded) {
                    // What the child wrote last may show a moment after its end.
                    if (quietSince == 0)
                        quietSince = GetTickCount();
                    else if (GetTickCount() - quietSince >= kOutputGraceMs)
                        break;
                }
                Sleep(5);
                continue;
            }
            quietSince = 0;
            // Data, or every writer is gone: the read then fails once the
            // pipe is empty.
            DWORD got = 0;
            if (!ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) || got == 0)
                break;
            result.output.append(buffer, got);
        }
    });

    supervise(info, result);
    WaitForSingleObject(info.hProcess, 5000);
    childEnded = true;
    GetExitCodeProcess(info.hProcess, &result.exitCode);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    reader.join();
    CloseHandle(readEnd);
    return result;
}

ProcessResult RunProcess(const std::string& commandLine, const Environment& environment, DWORD timeoutMs)
{
    return RunSupervised(commandLine, environment, 0,
                         [timeoutMs](const PROCESS_INFORMATION& info, ProcessResult& result) {
                             if (WaitForSingleObject(info.hProcess, timeoutMs) == WAIT_TIMEOUT) {
                                 result.timedOut = true;
                                 TerminateProcess(info.hProcess, 0xDEAD);
                             }
                         });
}

namespace {
std::string ChildProgramLine(const std::string& program, const std::string& name, const std::string& extraArguments)
{
    std::string line = Quote(program) + " " + kChildSwitch + name;
    if (!extraArguments.empty())
        line += " " + extraArguments;
    return line;
}
}  // namespace

std::string ChildCommandLine(const std::string& name, const std::string& extraArguments)
{
    return ChildProgramLine(SelfPath(), name, extraArguments);
}

namespace {

ProcessResult RunChildProgram(const std::string& program, const std::string& name, const Environment& environment,
                              DWORD timeoutMs, const std::string& extraArguments)
{
    return RunProcess(ChildProgramLine(program, name, extraArguments), environment, timeoutMs);
}

}  // namespace

ProcessResult RunChild(const std::string& name, const Environment& environment, DWORD timeoutMs,
                       const std::string& extraArguments)
{
    return RunChildProgram(SelfPath(), name, environment, timeoutMs, extraArguments);
}

ProcessResult RunChildCopy(const std::string& copyPath, const std::string& name, const Environment& environment,
                           DWORD timeoutMs, const std::string& extraArguments)
{
    if (!CopyFileA(SelfPath().c_str(), copyPath.c_str(), FALSE))
        return ProcessResult{};
    return RunChildProgram(copyPath, name, environment, timeoutMs, extraArguments);
}

BackgroundProcess::~BackgroundProcess()
{
    Kill();
}

bool BackgroundProcess::Start(const std::string& commandLine, const Environment& environment,
                              const std::string& outputFile)
{
    Kill();
    HANDLE output = nullptr;
    if (!outputFile.empty()) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        output = CreateFileA(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (output == INVALID_HANDLE_VALUE)
            return false;
    }
    bool started = Launch(commandLine, environment, output, m_info);
    if (output)
        CloseHandle(output);
    if (!started)
        m_info = PROCESS_INFORMATION{};
    return started;
}

bool BackgroundProcess::IsRunning() const
{
    return m_info.hProcess && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

bool BackgroundProcess::Wait(DWORD timeoutMs, DWORD* exitCode)
{
    if (!m_info.hProcess)
        return true;
    if (WaitForSingleObject(m_info.hProcess, timeoutMs) == WAIT_TIMEOUT)
        return false;
    if (exitCode)
        GetExitCodeProcess(m_info.hProcess, exitCode);
    return true;
}

void BackgroundProcess::Kill()
{
    if (!m_info.hProcess)
        return;
    if (IsRunning()) {
        TerminateProcess(m_info.hProcess, 0xDEAD);
        WaitForSingleObject(m_info.hProcess, 5000);
    }
    CloseHandle(m_info.hThread);
    CloseHandle(m_info.hProcess);
    m_info = PROCESS_INFORMATION{};
}

ChildRegistration::ChildRegistration(const char* name, ChildFunction function)
{
    Children()[name] = function;
}

int RunRegisteredChild(int argc, char** argv)
{
    const size_t switchLength = std::strlen(kChildSwitch);
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], kChildSwitch, switchLength) != 0)
            continue;
        auto found = Children().find(argv[i] + switchLength);
        if (found == Children().end())
            return 125;
        return found->second();
    }
    return -1;
}

}  // namespace zxtest
