#pragma once
// Serves the control pipe (\\.\PIPE\ and the options' pipe name) in message
// mode: one thread per connected client, so that a slow answer never blocks
// the next caller. It refuses to start while another process serves a pipe
// of that name, so that no client is answered by the wrong server.

#include <windows.h>

#include <string>
#include <vector>

#include "ServiceOptions.h"

constexpr DWORD kPipeBufferSize = 4096;

// The answer to one request, as the options shape it.
std::vector<BYTE> BuildReply(const BYTE* request, DWORD size, const ServiceOptions& options);
// "request words=0x80000000,0x00000000 bytes=8"
std::string FormatRequestLine(const BYTE* request, DWORD size);

class PipeServer {
public:
    explicit PipeServer(const ServiceOptions& options);
    ~PipeServer();

    // Accepts clients until the process ends; false when no pipe instance
    // can be created.
    bool Run();

private:
    struct Connection;
    static constexpr DWORD kListenerCount = 4;
    static DWORD WINAPI ListenThread(void* parameter);
    void Listen();
    static DWORD WINAPI ServeThread(void* parameter);
    void Serve(HANDLE pipe);
    void Log(const std::string& line);

    ServiceOptions m_options;
    std::string m_pipePath;
    CRITICAL_SECTION m_logLock;
};
