#include "platform/vcl/Thread.h"

TThread::TThread()
{
    m_handle = CreateThread(nullptr, 0, ThreadProc, this, CREATE_SUSPENDED, &m_id);
    if (!m_handle)
        throw EThread("Thread creation error: " + SysErrorMessage(GetLastError()));
}

TThread::~TThread()
{
    if (!m_finished && GetCurrentThreadId() != m_id) {
        Terminate();
        if (m_suspended)
            Resume();
        WaitForSingleObject(m_handle, INFINITE);
    }
    CloseHandle(m_handle);
}

DWORD WINAPI TThread::ThreadProc(LPVOID self)
{
    auto* thread = static_cast<TThread*>(self);
    try {
        thread->Execute();
    } catch (const std::exception& error) {
        thread->m_fatalException = error.what();
    } catch (...) {
        thread->m_fatalException = "Unknown exception";
    }
    int result = thread->m_returnValue;
    bool freeIt = thread->m_freeOnTerminate;
    thread->m_finished = true;
    if (freeIt)
        delete thread;
    return static_cast<DWORD>(result);
}

void TThread::Resume()
{
    if (!m_suspended)
        return;
    m_suspended = false;
    ResumeThread(m_handle);
}

void TThread::Suspend()
{
    if (m_suspended)
        return;
    m_suspended = true;
    SuspendThread(m_handle);
}

int TThread::WaitFor()
{
    WaitForSingleObject(m_handle, INFINITE);
    DWORD code = 0;
    GetExitCodeThread(m_handle, &code);
    return static_cast<int>(code);
}

namespace {
const int kPriorities[] = {THREAD_PRIORITY_IDLE,         THREAD_PRIORITY_LOWEST,       THREAD_PRIORITY_BELOW_NORMAL,
                           THREAD_PRIORITY_NORMAL,       THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_HIGHEST,
                           THREAD_PRIORITY_TIME_CRITICAL};
}

TThreadPriority TThread::Priority() const
{
    int value = GetThreadPriority(m_handle);
    for (int i = 0; i <= tpTimeCritical; ++i)
        if (kPriorities[i] == value)
            return static_cast<TThreadPriority>(i);
    return tpNormal;
}

void TThread::SetPriority(TThreadPriority priority)
{
    SetThreadPriority(m_handle, kPriorities[priority]);
}
