#include "platform/standinlog/ReplaceFile.h"

#include <windows.h>

#include <cstdio>

namespace standin {

bool ReplaceFileAtomically(const std::string& path, const std::string& text)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    // One temporary name per process: processes that write the same file
    // take turns under their own lock, but never share a half-written file.
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%lu.tmp", GetCurrentProcessId());
    std::string temporary = path + suffix;
    HANDLE file =
        CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
              written == text.size() && FlushFileBuffers(file);
    DWORD error = GetLastError();
    CloseHandle(file);
    if (ok) {
        ok = MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        error = GetLastError();
    }
    if (!ok) {
        DeleteFileA(temporary.c_str());
        SetLastError(error);
    }
    return ok;
}

}  // namespace standin
