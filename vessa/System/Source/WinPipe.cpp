#include "vessa/System/Source/WinPipe.h"

#include "vessa/System/Source/DebugTrace.h"

namespace vessa {
namespace detail {

BOOL CallNamedPipeFor(const char* path, void* input, DWORD inputSize, void* output, DWORD outputSize, DWORD* bytesRead,
                      DWORD timeout)
{
    return CallNamedPipeA(path, input, inputSize, output, outputSize, bytesRead, timeout);
}

BOOL CallNamedPipeFor(const wchar_t* path, void* input, DWORD inputSize, void* output, DWORD outputSize,
                      DWORD* bytesRead, DWORD timeout)
{
    return CallNamedPipeW(path, input, inputSize, output, outputSize, bytesRead, timeout);
}

void TraceCallFailure(DWORD error)
{
    DebugTrace("[BasicNamedPipe<char_t>::Call] failed, GetLastError returned %d", static_cast<int>(error));
}

void TraceCloseFailure(DWORD error)
{
    DebugTrace("[BasicNamedPipe::Close] failed! GetLastError returned %d", static_cast<int>(error));
}

}  // namespace detail
}  // namespace vessa
