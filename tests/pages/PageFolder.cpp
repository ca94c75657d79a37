#include "PageFolder.h"

#include <windows.h>

#include "TestFiles.h"
#include "vessa/System/KyMultiLang.h"

namespace pagetest {

bool CopyFolder(const std::string& from, const std::string& to)
{
    if (!CreateDirectoryA(to.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    WIN32_FIND_DATAA entry{};
    HANDLE find = FindFirstFileA(zxtest::JoinPath(from, "*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    bool copied = true;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..")
            continue;
        const std::string source = zxtest::JoinPath(from, name);
        const std::string target = zxtest::JoinPath(to, name);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            copied = CopyFolder(source, target) && copied;
        else
            copied = CopyFileA(source.c_str(), target.c_str(), FALSE) && copied;
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return copied;
}

PageFolder::PageFolder(const std::string& language)
{
    CopyFolder(zxtest::JoinPath(zxtest::DistDir(), "Resource"), m_folder.File("Resource"));
    // The skins are read through "pngio.dll" from the program's folder.
    CopyFileA(zxtest::JoinPath(zxtest::DistDir(), "pngio.dll").c_str(), m_folder.File("pngio.dll").c_str(), FALSE);
    const std::string langFiles = m_folder.File("LangFiles");
    CopyFolder(zxtest::JoinPath(zxtest::DistDir(), "LangFiles"), langFiles);
    if (!language.empty()) {
        zxtest::WriteWholeFile(zxtest::JoinPath(langFiles, "KyMultiLang.ini"),
                               "[Languages]\r\n" + vessa::LanguageIdKey(GetSystemDefaultLangID(), 4) + "=" + language +
                                   "\r\n");
    }
}

zxtest::ProcessResult PageFolder::Run(const char* child, zxtest::BoardFixture& board, const std::string& argument,
                                      const zxtest::Environment& extra)
{
    zxtest::Environment environment = board.Environment();
    environment.push_back({"ZXT_ARGUMENT", argument});
    environment.insert(environment.end(), extra.begin(), extra.end());
    // A copy per run: a finished copy may still be held for a moment.
    const std::string copy = m_folder.File("pages" + std::to_string(++m_runs) + ".exe");
    return zxtest::RunChildCopy(copy, child, environment, 60000);
}

std::string ChildArgument()
{
    char value[4096] = {};
    GetEnvironmentVariableA("ZXT_ARGUMENT", value, sizeof value);
    return value;
}

}  // namespace pagetest
