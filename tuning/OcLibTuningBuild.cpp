// The C interface library's build of the tuning core (see TuningBuild.h):
// no graphics steps, per-core ratios by the status items alone, and
// system-control requests on the caller's thread with no busy flag and no
// time-out.

#include "tuning/SysCtrlPipeClient.h"
#include "tuning/TuningBuild.h"
#include "vessa/System/Source/WinPipe.h"

namespace tuningbuild {

bool HasGraphicsSteps()
{
    return false;
}
bool UsesPerCoreTurboItem()
{
    return false;
}
bool IsPelorusDriverRegistered()
{
    return false;
}

}  // namespace tuningbuild

// The caller's thread waits as long as the service takes; only the pipe
// class traces a failure.
bool SysCtrlPipeClient::TakeTurn()
{
    return true;
}

bool SysCtrlPipeClient::RequestRunning()
{
    return false;
}

bool SysCtrlPipeClient::Transact(const void* request, uint32_t size)
{
    uint32_t bytesRead = 0;
    bool ok = vessa::NamedPipeA::Call(".", SysCtrlPipeName(), request, size, m_reply, kSysCtrlReplySize, &bytesRead,
                                      NMPWAIT_WAIT_FOREVER);
    m_result = ok ? 1 : 0;
    m_bytesRead = static_cast<LONG>(bytesRead);
    return true;
}
