#pragma once
// Client of the maker's system-control service: tells it that settings
// changed and asks for its state. In the program every request runs on a
// short-lived worker thread, one at a time, and the caller waits at most
// kSysCtrlWaitMs; the C interface library calls the pipe on the caller's
// thread instead (the two request paths: TuningBuild.h).

#include <windows.h>

#include <cstdint>

#include "platform/syscontrol/SysCtrlProtocol.h"

// Read only by test builds of this client (ZX_SYSCTRL_PIPE_OVERRIDE): the
// pipe name to call instead, so that test programs, each with a service
// stand-in of its own, can run side by side. The program and ZxOcLib always
// call kSysCtrlPipeName.
constexpr char kSysCtrlPipeVariable[] = "ZX_SYSCTRL_PIPE";

// The pipe name the requests go to.
const char* SysCtrlPipeName();
constexpr DWORD kSysCtrlWaitMs = 10000;

class SysCtrlPipeClient {
public:
    static SysCtrlPipeClient& GetInstance();

    // Request {0x80000000, a, b, c}.
    bool NotifyChange(int a, int b, int c);
    // Request {0x80000001}; the reply's words 1 and 2. Fails unless at
    // least 12 reply bytes came back.
    bool QueryState(int* state, int* detail);

    // Sends one request (little-endian 32-bit words). True when the service
    // answered with at least one word and word 0 is 1.
    bool CallSysCtrlService(const void* request, uint32_t size);

    // True while a request the program sent still runs (it may have timed
    // out for its caller); the C interface library's build never has one.
    static bool RequestRunning();

private:
    SysCtrlPipeClient();
    // Admits one request at a time (the process-wide busy flag).
    bool TakeTurn();
    // Runs the pipe call; false when no answer can be waited for.
    bool Transact(const void* request, uint32_t size);

    volatile LONG m_result = 0;  // of the last pipe call
    uint8_t* m_reply;            // kSysCtrlReplySize bytes, kept for the process
    volatile LONG m_bytesRead = 0;
};

// Free-function form used by the apply and snapshot code.
bool CallSysCtrlService(const void* request, uint32_t size);
