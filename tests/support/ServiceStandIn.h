#pragma once
// The system-control service stand-in (build\dist\ZxSystemControlService.exe)
// run for one test: started with the given options and a log in a temp
// folder, ready once its pipe exists, ended with the object.
//
// By default it serves a pipe private to the test program (and the children
// it starts): the test builds of the client call the pipe named in
// ZX_SYSCTRL_PIPE, which the first use here sets, so test programs with a
// stand-in each run side by side. Tests that drive a deliverable (which calls
// the program's own pipe) ask for ProgramsPipe and take the ctest lock
// "syscontrol_pipe" (zx_add_test LOCKS).

#include <string>
#include <vector>

#include "TestPaths.h"
#include "TestProcess.h"

namespace zxtest {

class ServiceStandIn {
public:
    enum class Pipe { Private, Programs };

    explicit ServiceStandIn(Pipe pipe = Pipe::Private) : m_pipe(pipe) {}
    ~ServiceStandIn() { Stop(); }

    // `options` as on its command line, e.g. "--state 2 --delay-ms 500".
    // False when it did not start or its pipe did not appear in time, and
    // when another process already serves the pipe.
    bool Start(const std::string& options = "");
    void Stop();

    // The request lines logged so far.
    std::vector<std::string> Requests() const;
    const std::string& LogPath() const { return m_log; }

private:
    Pipe m_pipe;
    TempFolder m_folder;
    std::string m_log = m_folder.File("service.log");
    BackgroundProcess m_process;
};

// The name of this test program's private control pipe (set into
// ZX_SYSCTRL_PIPE on first use; a child inherits its parent's), and its path.
std::string PrivateControlPipeName();
std::string PrivateControlPipePath();

// True when no process serves the private control pipe.
bool ControlPipeAbsent();

}  // namespace zxtest
