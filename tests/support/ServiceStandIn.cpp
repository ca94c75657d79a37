#include "ServiceStandIn.h"

#include <windows.h>

#include "TestFiles.h"
#include "WaitUntil.h"
#include "tuning/SysCtrlPipeClient.h"

namespace zxtest {

namespace {

std::string PipePath(const std::string& name)
{
    return "\\\\.\\PIPE\\" + name;
}

bool PipeServed(const std::string& path)
{
    // WaitNamedPipe fails at once with ERROR_FILE_NOT_FOUND while no instance exists.
    return WaitNamedPipeA(path.c_str(), 0) || GetLastError() != ERROR_FILE_NOT_FOUND;
}

}  // namespace

std::string PrivateControlPipeName()
{
    char value[256];
    DWORD length = GetEnvironmentVariableA(kSysCtrlPipeVariable, value, sizeof value);
    if (length > 0 && length < sizeof value)
        return std::string(value, length);
    std::string name = std::string(kSysCtrlPipeName) + " (test " + std::to_string(GetCurrentProcessId()) + ")";
    SetEnvironmentVariableA(kSysCtrlPipeVariable, name.c_str());
    return name;
}

std::string PrivateControlPipePath()
{
    return PipePath(PrivateControlPipeName());
}

bool ServiceStandIn::Start(const std::string& options)
{
    std::string name = m_pipe == Pipe::Private ? PrivateControlPipeName() : std::string(kSysCtrlPipeName);
    std::string path = PipePath(name);
    // An earlier stand-in's pipe may take a moment to go; one that stays
    // would answer in this one's place.
    if (!WaitUntil([&] { return !PipeServed(path); }, 3000))
        return false;
    std::string line =
        Quote(JoinPath(DistDir(), "ZxSystemControlService.exe")) + " --log " + Quote(m_log) + " --pipe " + Quote(name);
    if (!options.empty())
        line += " " + options;
    if (!m_process.Start(line))
        return false;
    return WaitUntil([&] { return PipeServed(path) || !m_process.IsRunning(); }, 10000) && m_process.IsRunning();
}

void ServiceStandIn::Stop()
{
    m_process.Kill();
}

std::vector<std::string> ServiceStandIn::Requests() const
{
    return ReadLines(m_log);
}

bool ControlPipeAbsent()
{
    return !PipeServed(PrivateControlPipePath());
}

}  // namespace zxtest
