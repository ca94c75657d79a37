#include "tuning/SysCtrlPipeClient.h"

#include <cstring>
#include <string>

#include "tuning/SysCtrlPipeClientThread.h"
#include "vessa/System/Source/DebugTrace.h"
#include "vessa/System/Source/WinPipe.h"

namespace {

// 1 = idle, 0 = a request is running. Process-wide: whoever sends, one at a
// time.
volatile LONG g_sysCtrlIdle = 1;

uint32_t ReplyWord(const uint8_t* reply, int index)
{
    uint32_t word;
    std::memcpy(&word, reply + 4 * index, 4);
    return word;
}

}  // namespace

const char* SysCtrlPipeName()
{
#if defined(ZX_SYSCTRL_PIPE_OVERRIDE)
    static const std::string name = [] {
        char value[256];
        DWORD length = GetEnvironmentVariableA(kSysCtrlPipeVariable, value, sizeof value);
        return length > 0 && length < sizeof value ? std::string(value, length) : std::string(kSysCtrlPipeName);
    }();
    return name.c_str();
#else
    return kSysCtrlPipeName;
#endif
}

SysCtrlPipeClient& SysCtrlPipeClient::GetInstance()
{
    static SysCtrlPipeClient* instance = new SysCtrlPipeClient;
    return *instance;
}

SysCtrlPipeClient::SysCtrlPipeClient() : m_reply(new uint8_t[kSysCtrlReplySize]())
{
}

bool SysCtrlPipeClient::NotifyChange(int a, int b, int c)
{
    const uint32_t request[4] = {kSysCtrlNotifyChange, static_cast<uint32_t>(a), static_cast<uint32_t>(b),
                                 static_cast<uint32_t>(c)};
    return CallSysCtrlService(request, sizeof request);
}

bool SysCtrlPipeClient::QueryState(int* state, int* detail)
{
    const uint32_t request[1] = {kSysCtrlQueryState};
    if (!CallSysCtrlService(request, sizeof request) || m_bytesRead < 12)
        return false;
    *state = static_cast<int>(ReplyWord(m_reply, 1));
    *detail = static_cast<int>(ReplyWord(m_reply, 2));
    return true;
}

bool SysCtrlPipeClient::CallSysCtrlService(const void* request, uint32_t size)
{
    if (!TakeTurn())
        return false;
    // Cleared only once this request owns the client: a stale reply of an
    // earlier request must never count for this one.
    std::memset(m_reply, 0, kSysCtrlReplySize);
    m_result = 0;
    m_bytesRead = 0;
    if (!Transact(request, size))
        return false;
    return m_bytesRead >= 4 && ReplyWord(m_reply, 0) == 1;
}

#if defined(ZXOCLIB_BUILD)

// The C interface library sends on the caller's thread and waits as long as
// the service takes; only the pipe class traces a failure.
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

#else

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

#endif

bool CallSysCtrlService(const void* request, uint32_t size)
{
    return SysCtrlPipeClient::GetInstance().CallSysCtrlService(request, size);
}
