#include "platform/standinlog/AppendLine.h"

#include <windows.h>

namespace standin {

std::string LogPathFrom(const char* variable)
{
    char path[MAX_PATH];
    DWORD length = GetEnvironmentVariableA(variable, path, sizeof path);
    return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

void AppendLine(const std::string& path, std::string line)
{
    if (path.empty())
        return;
    line += '\n';
    // Append-only access: every write lands at the end of the file as one piece.
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

}  // namespace standin
