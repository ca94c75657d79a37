#include "vessa/fileutl/Source/PathUtility.h"

#include <shlobj.h>

#include <vector>

namespace vessa {

namespace {

// Up to and including the first ":", or empty: what is left of a path that
// has no "\" (a drive-relative name such as C:name).
std::string DrivePrefix(const std::string& path)
{
    size_t colon = path.find(':');
    return colon == std::string::npos ? std::string() : path.substr(0, colon + 1);
}

size_t LastSeparator(const std::string& path)
{
    return path.find_last_of("\\:");
}

}  // namespace

std::string GetModuleFileNameString(HMODULE module)
{
    std::vector<char> buffer(128);
    for (;;) {
        DWORD length = GetModuleFileNameA(module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        buffer.assign(buffer.size() * 2, '\0');
    }
}

std::string GetProgramFolder()
{
    std::string path = GetModuleFileNameString();
    size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string ExtractFilePathString(const std::string& path)
{
    size_t slash = path.rfind('\\');
    return slash == std::string::npos ? DrivePrefix(path) : path.substr(0, slash + 1);
}

std::string ParentFolderText(const std::string& folder)
{
    size_t slash = folder.rfind('\\');
    return slash == std::string::npos ? DrivePrefix(folder) : folder.substr(0, slash);
}

std::string GetShellFolderPath(int csidl)
{
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path)))
        return std::string();
    return std::string(path) + "\\";
}

std::string GetProfileFolder()
{
    return ProfileFolderIn(GetShellFolderPath(CSIDL_COMMON_APPDATA));
}

std::string ProfileFolderIn(const std::string& commonAppDataFolder)
{
    if (commonAppDataFolder.empty())
        return std::string();
    std::string folder = commonAppDataFolder + kProfileFolderName;
    CreateDirectoryA(folder.c_str(), nullptr);  // usually there already
    return folder;
}

bool SameTextString(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i]))
            return false;
    return true;
}

std::string ExtractFileExtString(const std::string& path)
{
    size_t dot = path.rfind('.');
    size_t separator = LastSeparator(path);
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator))
        return std::string();
    return path.substr(dot);
}

std::string ExtractFileNameString(const std::string& path)
{
    size_t separator = LastSeparator(path);
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string RemoveFileExtString(const std::string& name)
{
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace vessa
