#pragma once
// The system-control service stand-in (build\dist\ZxSystemControlService.exe)
// run for one test: started with the given options and a log in a temp
// folder, ready once its pipe exists, ended with the object. Tests that use
// it take the ctest lock "syscontrol_pipe" (zx_add_test LOCKS), since there
// is only one such pipe name on the machine.

#include <string>
#include <vector>

#include "TestPaths.h"
#include "TestProcess.h"

namespace zxtest {

class ServiceStandIn {
public:
    ServiceStandIn() = default;
    ~ServiceStandIn() { Stop(); }

    // `options` as on its command line, e.g. "--state 2 --delay-ms 500".
    // False when it did not start or its pipe did not appear in time.
    bool Start(const std::string& options = "");
    void Stop();

    // The request lines logged so far.
    std::vector<std::string> Requests() const;
    const std::string& LogPath() const { return m_log; }

private:
    TempFolder m_folder;
    std::string m_log = m_folder.File("service.log");
    BackgroundProcess m_process;
};

// True when no instance of the control pipe exists (no service running).
bool ControlPipeAbsent();

}  // namespace zxtest
