#include "DovrelHost.h"

#include <windows.h>

#include <sstream>

namespace dovreltest {

namespace {

void CopyMatching(const std::string& from, const std::string& to, const std::string& pattern)
{
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((from + "\\" + pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            CopyFileA((from + "\\" + data.cFileName).c_str(), (to + "\\" + data.cFileName).c_str(), FALSE);
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

}  // namespace

HostFolder::HostFolder()
{
    const std::string dist = zxtest::DistDir();
    const std::string program = m_folder.File("program");
    CreateDirectoryA(program.c_str(), nullptr);
    CopyMatching(dist + "\\Resource", program + "\\Resource", "*.png");
    CopyMatching(dist + "\\Resource\\forms", program + "\\Resource\\forms", "T*Dialog.*.png");
    CopyMatching(dist + "\\LangFiles", program + "\\LangFiles", "*.ini");
    CopyMatching(dist + "\\LangFiles\\English", program + "\\LangFiles\\English", "*.ini");
    CopyFileA((dist + "\\pngio.dll").c_str(), (program + "\\pngio.dll").c_str(), FALSE);
    CreateDirectoryA(m_folder.File("data").c_str(), nullptr);
    CreateDirectoryA(m_folder.File("data\\Merovan OC Profiles").c_str(), nullptr);
}

bool HostFolder::Remove(const std::string& relativePath)
{
    return DeleteFileA(m_folder.File("program\\" + relativePath).c_str()) != FALSE;
}

std::string HostFolder::ProfileFile(const std::string& name) const
{
    return m_folder.File("data\\Merovan OC Profiles\\" + name);
}

std::vector<std::string> HostFolder::Run(const std::string& name)
{
    zxtest::Environment environment = m_board.Environment();
    environment.push_back({"ProgramData", m_folder.File("data")});
    environment.push_back({"ALLUSERSPROFILE", m_folder.File("data")});
    environment.push_back({"DOVREL_DIST", zxtest::DistDir()});
    zxtest::ProcessResult result = zxtest::RunChildCopy(m_folder.File("program\\host.exe"), name, environment, 60000);
    std::vector<std::string> lines;
    std::istringstream text(result.output);
    for (std::string line; std::getline(text, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    lines.push_back("exit=" + std::to_string(result.exitCode));
    return lines;
}

std::string Value(const std::vector<std::string>& lines, const std::string& key)
{
    for (const std::string& line : lines)
        if (line.compare(0, key.size() + 1, key + "=") == 0)
            return line.substr(key.size() + 1);
    return "<missing>";
}

}  // namespace dovreltest
