#include "ProgramFolderCopy.h"

#include <windows.h>

namespace apptest {

namespace {

void CopyTree(const std::string& from, const std::string& to, const std::string& leaveOut)
{
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((from + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == ".." || lstrcmpiA(name.c_str(), leaveOut.c_str()) == 0)
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CopyTree(from + "\\" + name, to + "\\" + name, "");
        else
            CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

}  // namespace

ProgramFolderCopy::ProgramFolderCopy(const std::string& leaveOut) : m_path(m_folder.File("program"))
{
    CopyTree(zxtest::DistDir(), m_path, leaveOut);
}

}  // namespace apptest
