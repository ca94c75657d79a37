#include "tuning/SysCtrlPipeClient.h"

#include <cstring>
#include <string>

namespace {

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

SysCtrlPipeClient::SysCtrlPipeClient() : m_reply(new uint8_t[kSysCtrlReplySize]()) {}

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

// TakeTurn and Transact differ by build: ProgramTuningBuild.cpp and
// OcLibTuningBuild.cpp.

bool CallSysCtrlService(const void* request, uint32_t size)
{
    return SysCtrlPipeClient::GetInstance().CallSysCtrlService(request, size);
}
