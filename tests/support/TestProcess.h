#pragma once
// Running programs as separate processes: the deliverables, the stand-ins,
// and the test program itself as a child (for behaviour that ends a process,
// such as a failed contract check).

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace zxtest {

// Name/value pairs laid over the current environment; an empty value removes
// the variable.
using Environment = std::vector<std::pair<std::string, std::string>>;

struct ProcessResult {
    bool started = false;
    bool timedOut = false;  // killed after the time-out
    DWORD exitCode = 0;
    std::string output;  // standard output and standard error together
};

// A complete environment block: the current one with `environment` laid over it.
std::string BuildEnvironmentBlock(const Environment& environment);

// Runs `commandLine` to its end (or kills it after timeoutMs) and collects
// what it printed.
ProcessResult RunProcess(const std::string& commandLine, const Environment& environment = {}, DWORD timeoutMs = 30000);

// Starts `commandLine` with `creationFlags`, collecting its output, and calls
// `supervise` to see it to its end (it returns once the process has ended or
// was killed); then gathers the exit code. RunProcess is this with a wait.
using Supervisor = std::function<void(const PROCESS_INFORMATION& info, ProcessResult& result)>;
ProcessResult RunSupervised(const std::string& commandLine, const Environment& environment, DWORD creationFlags,
                            const Supervisor& supervise);

// The command line that runs this test program as the child `name`.
std::string ChildCommandLine(const std::string& name, const std::string& extraArguments = "");

// Runs this test program again as a child that executes the function
// registered with ZX_TEST_CHILD(name) instead of the tests.
ProcessResult RunChild(const std::string& name, const Environment& environment = {}, DWORD timeoutMs = 30000,
                       const std::string& extraArguments = "");

// The same, from a copy of this test program at `copyPath`: for behaviour
// that depends on the program's own folder or path. `started` is false when
// the copy could not be made.
ProcessResult RunChildCopy(const std::string& copyPath, const std::string& name, const Environment& environment = {},
                           DWORD timeoutMs = 30000, const std::string& extraArguments = "");

// The full path of the running test program.
std::string SelfPath();

// Quotes one argument for a Windows command line.
std::string Quote(const std::string& argument);

// A process that runs in the background while a test goes on (a service
// stand-in, the program under test). Killed, if still running, when the
// object goes. Its output goes to `outputFile` when one is given.
class BackgroundProcess {
public:
    BackgroundProcess() = default;
    ~BackgroundProcess();
    BackgroundProcess(const BackgroundProcess&) = delete;
    BackgroundProcess& operator=(const BackgroundProcess&) = delete;

    bool Start(const std::string& commandLine, const Environment& environment = {}, const std::string& outputFile = "");
    bool IsRunning() const;
    // Waits for the end; false on time-out.
    bool Wait(DWORD timeoutMs, DWORD* exitCode = nullptr);
    void Kill();
    DWORD Id() const { return m_info.dwProcessId; }
    HANDLE Handle() const { return m_info.hProcess; }

private:
    PROCESS_INFORMATION m_info{};
};

using ChildFunction = int (*)();
struct ChildRegistration {
    ChildRegistration(const char* name, ChildFunction function);
};
// Returns the child's exit code when argv names a registered child; -1 when
// this run is not a child.
int RunRegisteredChild(int argc, char** argv);

}  // namespace zxtest

// Defines a child entry point: ZX_TEST_CHILD(name) { ...; return exitCode; }
#define ZX_TEST_CHILD(name)                                                                                            \
    static int ZxTestChild_##name();                                                                                   \
    static ::zxtest::ChildRegistration zxTestChildRegistration_##name(#name, &ZxTestChild_##name);                     \
    static int ZxTestChild_##name()
