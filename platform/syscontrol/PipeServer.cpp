#include "PipeServer.h"

#include <cstdio>
#include <cstring>

std::vector<BYTE> BuildReply(const BYTE* request, DWORD size, const ServiceOptions& options)
{
    DWORD code = 0;
    if (size >= 4)
        std::memcpy(&code, request, 4);

    std::vector<DWORD> words;
    if (code == kSysCtrlNotifyChange && size == 16)
        words = {options.word0};
    else if (code == kSysCtrlQueryState && size == 4)
        words = {options.word0, options.state, options.detail};
    else
        words = {0};  // unknown or malformed request: failure

    std::vector<BYTE> reply(words.size() * 4);
    std::memcpy(reply.data(), words.data(), reply.size());
    if (options.replyBytes >= 0)
        reply.resize(static_cast<size_t>(options.replyBytes), 0);
    return reply;
}

std::string FormatRequestLine(const BYTE* request, DWORD size)
{
    std::string line = "request words=";
    for (DWORD offset = 0; offset + 4 <= size; offset += 4) {
        DWORD word = 0;
        std::memcpy(&word, request + offset, 4);
        char text[16];
        std::snprintf(text, sizeof text, offset == 0 ? "0x%08X" : ",0x%08X", static_cast<unsigned>(word));
        line += text;
    }
    char tail[32];
    std::snprintf(tail, sizeof tail, " bytes=%d", static_cast<int>(size));
    return line + tail;
}

struct PipeServer::Connection {
    PipeServer* server;
    HANDLE pipe;
};

PipeServer::PipeServer(const ServiceOptions& options)
    : m_options(options), m_pipePath("\\\\.\\PIPE\\" + options.pipeName)
{
    InitializeCriticalSection(&m_logLock);
}

PipeServer::~PipeServer()
{
    DeleteCriticalSection(&m_logLock);
}

bool PipeServer::Run()
{
    // WaitNamedPipe fails at once with ERROR_FILE_NOT_FOUND while no
    // instance of the name exists (Wine does not refuse a first instance
    // flagged FILE_FLAG_FIRST_PIPE_INSTANCE when another process has one).
    if (WaitNamedPipeA(m_pipePath.c_str(), 0) || GetLastError() != ERROR_FILE_NOT_FOUND) {
        std::fprintf(stderr, "ZxSystemControlService: cannot serve %s: another process serves it\n",
                     m_pipePath.c_str());
        return false;
    }
    // Several listeners keep several free instances waiting, so that a
    // client arriving while another one is being connected finds a free
    // instance rather than a busy pipe.
    HANDLE listeners[kListenerCount];
    for (HANDLE& listener : listeners)
        listener = CreateThread(nullptr, 0, &PipeServer::ListenThread, this, 0, nullptr);
    WaitForMultipleObjects(kListenerCount, listeners, TRUE, INFINITE);
    return false;  // every listener gave up: no pipe instance could be made
}

DWORD WINAPI PipeServer::ListenThread(void* parameter)
{
    static_cast<PipeServer*>(parameter)->Listen();
    return 0;
}

void PipeServer::Listen()
{
    for (;;) {
        HANDLE pipe = CreateNamedPipeA(m_pipePath.c_str(), PIPE_ACCESS_DUPLEX,
                                       PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT, PIPE_UNLIMITED_INSTANCES,
                                       kPipeBufferSize, kPipeBufferSize, 0, nullptr);
        if (pipe == INVALID_HANDLE_VALUE) {
            std::fprintf(stderr, "ZxSystemControlService: cannot create the pipe (error %lu)\n", GetLastError());
            return;
        }
        BOOL connected = ConnectNamedPipe(pipe, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED;
        if (!connected) {
            CloseHandle(pipe);
            continue;
        }
        auto* connection = new Connection{this, pipe};
        HANDLE thread = CreateThread(nullptr, 0, &PipeServer::ServeThread, connection, 0, nullptr);
        if (thread) {
            CloseHandle(thread);
        } else {
            delete connection;
            DisconnectNamedPipe(pipe);
            CloseHandle(pipe);
        }
    }
}

DWORD WINAPI PipeServer::ServeThread(void* parameter)
{
    auto* connection = static_cast<Connection*>(parameter);
    connection->server->Serve(connection->pipe);
    delete connection;
    return 0;
}

void PipeServer::Serve(HANDLE pipe)
{
    BYTE request[kPipeBufferSize];
    DWORD size = 0;
    if (ReadFile(pipe, request, sizeof request, &size, nullptr)) {
        // Logged before any delay, so a test sees that the request arrived.
        Log(FormatRequestLine(request, size));
        if (m_options.delayMs)
            Sleep(m_options.delayMs);
        if (!m_options.noReply) {
            std::vector<BYTE> reply = BuildReply(request, size, m_options);
            DWORD written = 0;
            WriteFile(pipe, reply.data(), static_cast<DWORD>(reply.size()), &written, nullptr);
            FlushFileBuffers(pipe);
        }
    }
    DisconnectNamedPipe(pipe);
    CloseHandle(pipe);
}

void PipeServer::Log(const std::string& line)
{
    if (m_options.logFile.empty())
        return;
    EnterCriticalSection(&m_logLock);
    HANDLE file = CreateFileA(m_options.logFile.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        std::string text = line + "\r\n";
        DWORD written = 0;
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(file);
    }
    LeaveCriticalSection(&m_logLock);
}
