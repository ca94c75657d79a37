#pragma once
// The worker that runs one system-control request. It owns its job (a copy
// of the request and where the answer goes) and frees it when it ends; the
// caller only waits on the returned handle.

#include <windows.h>

#include <cstdint>
#include <vector>

struct SysCtrlRequestJob {
    std::vector<uint8_t> request;
    uint8_t* reply = nullptr;  // the client's reply buffer
    uint32_t replySize = 0;
    volatile LONG* bytesRead = nullptr;
    volatile LONG* result = nullptr;
    volatile LONG* idleFlag = nullptr;  // set back to 1 when done
};

class SysCtrlPipeClientThread {
public:
    // Starts the worker on a copy of `job`; the handle (to close) or null
    // when no thread could be made.
    static HANDLE Start(const SysCtrlRequestJob& job);

private:
    explicit SysCtrlPipeClientThread(const SysCtrlRequestJob& job) : m_job(job) {}
    static DWORD WINAPI ThreadProc(void* parameter);
    void Execute();

    SysCtrlRequestJob m_job;
};
