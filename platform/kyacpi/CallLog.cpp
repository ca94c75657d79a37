#include "platform/kyacpi/CallLog.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

namespace kyacpi {

void LogLine(const char* format, ...)
{
    char path[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("KYACPI_LOG", path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return;

    char line[1024];
    int used = std::snprintf(line, sizeof line, "pid=%lu ", GetCurrentProcessId());
    va_list arguments;
    va_start(arguments, format);
    int added = std::vsnprintf(line + used, sizeof line - used - 2, format, arguments);
    va_end(arguments);
    int room = static_cast<int>(sizeof line) - used - 2;
    used += added < 0 ? 0 : (added < room ? added : room - 1);
    line[used++] = '\n';

    // Append-only access: every write lands at the end of the file as one piece.
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(used), &written, nullptr);
    CloseHandle(file);
}

}  // namespace kyacpi
