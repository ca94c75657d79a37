#include "TestFiles.h"

#include <windows.h>

namespace zxtest {

bool ReadWholeFile(const std::string& path, std::string& contents)
{
    contents.clear();
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    char buffer[65536];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != FALSE) && got > 0)
        contents.append(buffer, got);
    CloseHandle(file);
    return ok;
}

std::string ReadWholeFile(const std::string& path)
{
    std::string contents;
    ReadWholeFile(path, contents);
    return contents;
}

bool WriteWholeFile(const std::string& path, const std::string& contents)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr) &&
              written == contents.size();
    CloseHandle(file);
    return ok;
}

std::vector<std::string> ReadLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::string contents = ReadWholeFile(path);
    size_t start = 0;
    while (start < contents.size()) {
        size_t end = contents.find('\n', start);
        if (end == std::string::npos)
            end = contents.size();
        std::string line = contents.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> LinesContaining(const std::string& path, const std::string& needle)
{
    std::vector<std::string> hits;
    for (const std::string& line : ReadLines(path))
        if (line.find(needle) != std::string::npos)
            hits.push_back(line);
    return hits;
}

}  // namespace zxtest
