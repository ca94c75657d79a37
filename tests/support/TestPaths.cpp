#include "TestPaths.h"

#include <windows.h>
#include <shellapi.h>

#include <atomic>

namespace zxtest {

std::string UnixToWindowsPath(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string DistDir()
{
    return UnixToWindowsPath(ZX_DIST_DIR_UNIX);
}
std::string TestDir()
{
    return UnixToWindowsPath(ZX_TEST_DIR_UNIX);
}
std::string SourceDir()
{
    return UnixToWindowsPath(ZX_SOURCE_DIR_UNIX);
}
std::string SharedTestDataDir()
{
    return UnixToWindowsPath(ZX_SHARED_TESTDATA_UNIX);
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty() || folder.back() == '\\')
        return folder + name;
    return folder + "\\" + name;
}

bool FileExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TempFolder::TempFolder()
{
    static std::atomic<unsigned> serial{0};
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    for (;;) {
        char name[MAX_PATH + 64];
        wsprintfA(name, "%szxtest-%lu-%u-%lu", base, GetCurrentProcessId(), serial++, GetTickCount());
        if (CreateDirectoryA(name, nullptr)) {
            m_path = name;
            return;
        }
    }
}

static void DeleteTree(const std::string& folder)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(JoinPath(folder, "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = data.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = JoinPath(folder, name);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(path);
            else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

TempFolder::~TempFolder()
{
    DeleteTree(m_path);
}

}  // namespace zxtest
