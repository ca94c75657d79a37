#include "tuning/SysCtrlPipeClientThread.h"

#include <new>

#include "tuning/SysCtrlPipeClient.h"
#include "vessa/System/Source/WinPipe.h"

HANDLE SysCtrlPipeClientThread::Start(const SysCtrlRequestJob& job)
{
    auto* worker = new (std::nothrow) SysCtrlPipeClientThread(job);
    if (!worker)
        return nullptr;
    // Created suspended so that the handle exists before the work starts.
    HANDLE thread = CreateThread(nullptr, 0, &SysCtrlPipeClientThread::ThreadProc, worker, CREATE_SUSPENDED, nullptr);
    if (!thread) {
        delete worker;
        return nullptr;
    }
    ResumeThread(thread);
    return thread;
}

DWORD WINAPI SysCtrlPipeClientThread::ThreadProc(void* parameter)
{
    auto* worker = static_cast<SysCtrlPipeClientThread*>(parameter);
    worker->Execute();
    delete worker;
    return 0;
}

void SysCtrlPipeClientThread::Execute()
{
    uint32_t bytesRead = 0;
    bool ok = vessa::NamedPipeA::Call(".", SysCtrlPipeName(), m_job.request.data(),
                                      static_cast<uint32_t>(m_job.request.size()), m_job.reply, m_job.replySize,
                                      &bytesRead, NMPWAIT_WAIT_FOREVER);
    InterlockedExchange(m_job.bytesRead, static_cast<LONG>(bytesRead));
    InterlockedExchange(m_job.result, ok ? 1 : 0);
    InterlockedExchange(m_job.idleFlag, 1);
}
