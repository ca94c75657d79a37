#include "ServiceStandIn.h"

#include <windows.h>

#include "TestFiles.h"

namespace zxtest {

namespace {
const char kPipePath[] = "\\\\.\\PIPE\\MEROVAN SYSTEM CONTROL PIPE";
}

bool ServiceStandIn::Start(const std::string& options)
{
    std::string line = Quote(JoinPath(DistDir(), "ZxSystemControlService.exe")) + " --log " + Quote(m_log);
    if (!options.empty())
        line += " " + options;
    if (!m_process.Start(line))
        return false;
    for (int i = 0; i < 200; ++i) {
        // WaitNamedPipe fails at once while no instance exists.
        if (WaitNamedPipeA(kPipePath, 50))
            return true;
        if (!m_process.IsRunning())
            return false;
        Sleep(25);
    }
    return false;
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
    return !WaitNamedPipeA(kPipePath, 0) && GetLastError() == ERROR_FILE_NOT_FOUND;
}

}  // namespace zxtest
