#pragma once
// The in-house named-pipe class: one pipe handle, and the one-shot
// transaction (connect, write the request, read the reply, close) that the
// system-control client uses.

#include <windows.h>

#include <cstdint>
#include <string>

namespace vessa {

namespace detail {
// The character-width specific Win32 calls behind BasicNamedPipe.
BOOL CallNamedPipeFor(const char* path, void* input, DWORD inputSize, void* output, DWORD outputSize, DWORD* bytesRead,
                      DWORD timeout);
BOOL CallNamedPipeFor(const wchar_t* path, void* input, DWORD inputSize, void* output, DWORD outputSize,
                      DWORD* bytesRead, DWORD timeout);
void TraceCallFailure(DWORD error);
void TraceCloseFailure(DWORD error);

template <typename char_t>
std::basic_string<char_t> Widen(const char* text)
{
    return std::basic_string<char_t>(text, text + std::char_traits<char>::length(text));
}
}  // namespace detail

template <typename char_t>
class BasicNamedPipe {
public:
    using String = std::basic_string<char_t>;

    BasicNamedPipe() = default;
    ~BasicNamedPipe() { Close(); }
    BasicNamedPipe(const BasicNamedPipe&) = delete;
    BasicNamedPipe& operator=(const BasicNamedPipe&) = delete;

    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }

    // One transaction with the pipe `name` on `server` ("." for this
    // machine): \\server\PIPE\name. `timeout` is how long to wait for a free
    // pipe instance (NMPWAIT_WAIT_FOREVER, NMPWAIT_USE_DEFAULT_WAIT or ms).
    static bool Call(const char_t* server, const char_t* name, const void* input, uint32_t inputSize, void* output,
                     uint32_t outputSize, uint32_t* bytesRead, DWORD timeout)
    {
        String path = detail::Widen<char_t>("\\\\") + server + detail::Widen<char_t>("\\PIPE\\") + name;
        DWORD read = 0;
        // The Win32 prototype takes a non-const input; it only reads it.
        BOOL ok = detail::CallNamedPipeFor(path.c_str(), const_cast<void*>(input), inputSize, output, outputSize, &read,
                                           timeout);
        if (!ok)
            detail::TraceCallFailure(GetLastError());
        if (bytesRead)
            *bytesRead = read;
        return ok != FALSE;
    }

    // True when nothing was open or the handle closed cleanly.
    bool Close()
    {
        if (!IsOpen())
            return true;
        BOOL ok = CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
        if (!ok)
            detail::TraceCloseFailure(GetLastError());
        return ok != FALSE;
    }

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};

using NamedPipeA = BasicNamedPipe<char>;
using NamedPipeW = BasicNamedPipe<wchar_t>;

}  // namespace vessa
