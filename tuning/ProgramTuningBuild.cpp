// The program's build of the tuning core (see TuningBuild.h): the graphics
// steps, the per-core turbo item, and system-control requests on a worker
// thread, one at a time, waited for at most kSysCtrlWaitMs.

#include "tuning/SysCtrlPipeClient.h"
#include "tuning/SysCtrlPipeClientThread.h"
#include "tuning/TuningBuild.h"
#include "vessa/System/Source/DebugTrace.h"
#include "vessa/System/Source/WinRegistry.h"

namespace tuningbuild {

bool HasGraphicsSteps()
{
    return true;
}
bool UsesPerCoreTurboItem()
{
    return true;
}

bool IsPelorusDriverRegistered()
{
    vessa::RegReader key;
    std::string version;
    return key.Open(HKEY_LOCAL_MACHINE, "Software\\Merovan\\Pelorus Driver") && key.ReadString("Version", version);
}

}  // namespace tuningbuild

namespace {

// 1 = idle, 0 = a request is running. Process-wide: whoever sends, one at a
// time.
volatile LONG g_sysCtrlIdle = 1;

}  // namespace

bool SysCtrlPipeClient::RequestRunning()
{
    return g_sysCtrlIdle == 0;
}

bool SysCtrlPipeClient::TakeTurn()
{
    // The flag stays 0 on refusal: the running request sets it back.
    if (InterlockedExchange(&g_sysCtrlIdle, 0) == 1)
        return true;
    DebugTrace("CallSysCtrlService Failed, the previous request is not completed yet.");
    return false;
}

bool SysCtrlPipeClient::Transact(const void* request, uint32_t size)
{
    // The worker owns a copy of the request: after a time-out it may still
    // run when the caller's buffer is long gone.
    SysCtrlRequestJob job;
    job.request.assign(static_cast<const uint8_t*>(request), static_cast<const uint8_t*>(request) + size);
    job.reply = m_reply;
    job.replySize = kSysCtrlReplySize;
    job.bytesRead = &m_bytesRead;
    job.result = &m_result;
    job.idleFlag = &g_sysCtrlIdle;

    HANDLE thread = SysCtrlPipeClientThread::Start(job);
    DWORD waited = thread ? WaitForSingleObject(thread, kSysCtrlWaitMs) : WAIT_FAILED;
    if (thread)
        CloseHandle(thread);
    else
        InterlockedExchange(&g_sysCtrlIdle, 1);  // no worker will free it
    if (waited != WAIT_OBJECT_0) {
        DebugTrace("CallSysCtrlService Failed, Waiting error or Timeout.");
        return false;
    }
    return true;
}
