// File finding and the path functions: the folder walk over real folders,
// the string routines by table, the program path however long, and the
// profile folder.

#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <set>

#include "TestFiles.h"
#include "TestPaths.h"
#include "TestProcess.h"
#include "vessa/fileutl/Source/PathUtility.h"
#include "vessa/fileutl/Source/WinFileFind.h"

namespace {

struct Listed {
    std::string folder;
    std::string name;
    std::string fullName;
};

std::vector<Listed> ListFiles(const std::string& path, bool recursive)
{
    std::vector<Listed> files;
    vessa::WinFileEnumerater files_;
    files_.Open(path, recursive);
    for (; !files_.IsEnd(); files_.Next())
        files.push_back({files_.GetFolder(), files_.GetName(), files_.GetFullName()});
    return files;
}

std::set<std::string> Names(const std::vector<Listed>& files)
{
    std::set<std::string> names;
    for (const Listed& file : files)
        names.insert(file.name);
    return names;
}

// A\x, A\B\y, A\B\C\ (empty), A\D\z
class Tree : public testing::Test {
protected:
    void SetUp() override
    {
        m_root = m_temp.Path() + "\\";
        ASSERT_TRUE(CreateDirectoryA((m_root + "B").c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA((m_root + "B\\C").c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA((m_root + "D").c_str(), nullptr));
        ASSERT_TRUE(zxtest::WriteWholeFile(m_root + "x", "1"));
        ASSERT_TRUE(zxtest::WriteWholeFile(m_root + "B\\y", "2"));
        ASSERT_TRUE(zxtest::WriteWholeFile(m_root + "D\\z", "3"));
    }
    zxtest::TempFolder m_temp;
    std::string m_root;  // with its trailing "\"
};

}  // namespace

TEST_F(Tree, NonRecursiveWalkReportsOnlyTheFilesOfTheFolder)
{
    std::vector<Listed> files = ListFiles(m_root, false);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].name, "x");
    EXPECT_EQ(files[0].folder, m_root);
    // The folder keeps its own "\", and the system reads the doubled one as one.
    EXPECT_EQ(files[0].fullName, m_root + "\\x");
    EXPECT_EQ(zxtest::ReadWholeFile(files[0].fullName), "1");
}

TEST_F(Tree, RecursiveWalkEntersEverySubfolderAndNeverReportsDotEntries)
{
    std::vector<Listed> files = ListFiles(m_root, true);
    EXPECT_EQ(Names(files), (std::set<std::string>{"x", "y", "z"}));
    EXPECT_EQ(files.size(), 3u);
    for (const Listed& file : files) {
        SCOPED_TRACE(file.fullName);
        EXPECT_TRUE(zxtest::FileExists(file.fullName));
        if (file.name == "y") {
            EXPECT_EQ(file.folder, m_root + "\\B");
        }
    }
}

TEST_F(Tree, APatternAfterTheFolderIsIgnoredForTheFolderPart)
{
    // Only the text up to the last "\" names the folder.
    EXPECT_EQ(Names(ListFiles(m_root + "*.oc", false)), (std::set<std::string>{"x"}));
}

TEST_F(Tree, FolderWithOnlySubfoldersIsAtItsEndAtOnce)
{
    ASSERT_TRUE(CreateDirectoryA((m_root + "E").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((m_root + "E\\F").c_str(), nullptr));
    vessa::WinFileEnumerater files;
    EXPECT_TRUE(files.Open(m_root + "E\\", false));
    EXPECT_TRUE(files.IsEnd());
    EXPECT_TRUE(ListFiles(m_root + "E\\", true).empty());
}

TEST(FileFind, MissingFolderGivesAnEnumeratorAtItsEnd)
{
    zxtest::TempFolder temp;
    vessa::WinFileEnumerater files;
    files.Open(temp.File("missing\\"), true);
    EXPECT_TRUE(files.IsEnd());
    files.Next();  // harmless at the end
    EXPECT_TRUE(files.IsEnd());
}

TEST(FileFind, PathWithoutBackslashSearchesTheCurrentDrivesRoot)
{
    vessa::WinDirTraverser walk;
    walk.Open("profiles", false);
    EXPECT_EQ(walk.Folder(), "");
    for (const Listed& file : ListFiles("profiles", false))
        EXPECT_EQ(file.fullName, "\\" + file.name);
}

TEST(FileFind, FinderReportsEntriesAndClosesCleanly)
{
    zxtest::TempFolder temp;
    ASSERT_TRUE(CreateDirectoryA(temp.File("sub").c_str(), nullptr));
    vessa::WinFileFindA find;
    ASSERT_TRUE(find.Open(temp.File("sub")));
    EXPECT_FALSE(find.IsEnd());
    EXPECT_TRUE(find.IsDirectory());
    EXPECT_EQ(find.Name(), "sub");
    find.Next();
    EXPECT_TRUE(find.IsEnd());
    find.Close();
    EXPECT_FALSE(find.IsOpen());
    EXPECT_FALSE(find.Open(temp.File("nothing*")));
    EXPECT_TRUE(find.IsEnd());
}

// ---- Path functions ----

TEST(PathFunctions, SplitPathsAndNames)
{
    struct Case {
        const char* path;
        const char* folder;            // ExtractFilePathString
        const char* name;              // ExtractFileNameString
        const char* extension;         // ExtractFileExtString
        const char* withoutExtension;  // RemoveFileExtString
    };
    const Case cases[] = {
        {"C:\\P\\Fast.oc", "C:\\P\\", "Fast.oc", ".oc", "C:\\P\\Fast"},
        {"C:\\P\\Fast.oc.bak", "C:\\P\\", "Fast.oc.bak", ".bak", "C:\\P\\Fast.oc"},
        {"C:\\dir.d\\file", "C:\\dir.d\\", "file", "", "C:\\dir"},
        {"C:file.txt", "C:", "file.txt", ".txt", "C:file"},
        {"bare.oc", "", "bare.oc", ".oc", "bare"},
        {"bare", "", "bare", "", "bare"},
        {"C:\\P\\", "C:\\P\\", "", "", "C:\\P\\"},
        {"", "", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(vessa::ExtractFilePathString(c.path), c.folder);
        EXPECT_EQ(vessa::ExtractFileNameString(c.path), c.name);
        EXPECT_EQ(vessa::ExtractFileExtString(c.path), c.extension);
        EXPECT_EQ(vessa::RemoveFileExtString(c.path), c.withoutExtension);
    }
}

TEST(PathFunctions, SameTextFoldsOnlyAsciiLetters)
{
    EXPECT_TRUE(vessa::SameTextString(vessa::ExtractFileExtString("Fast.OC"), ".oc"));
    EXPECT_FALSE(vessa::SameTextString(vessa::ExtractFileExtString("Fast.oc.bak"), ".oc"));
    EXPECT_TRUE(vessa::SameTextString("", ""));
    EXPECT_FALSE(vessa::SameTextString("ab", "abc"));
    EXPECT_FALSE(vessa::SameTextString("\xC4", "\xE4"));  // no folding outside A-Z
    EXPECT_FALSE(vessa::SameTextString("[", "{"));
}

TEST(PathFunctions, ShellFolderAndProfileFolder)
{
    std::string common = vessa::GetShellFolderPath(CSIDL_COMMON_APPDATA);
    ASSERT_FALSE(common.empty());
    EXPECT_EQ(common.back(), '\\');
    EXPECT_TRUE(zxtest::FolderExists(common));
    EXPECT_EQ(vessa::GetShellFolderPath(0x7F), "");  // no such folder

    EXPECT_EQ(vessa::GetProfileFolder(), common + "Merovan OC Profiles\\");
    EXPECT_TRUE(zxtest::FolderExists(vessa::GetProfileFolder()));

    zxtest::TempFolder temp;
    EXPECT_EQ(vessa::ProfileFolderIn(temp.Path() + "\\"), temp.Path() + "\\Merovan OC Profiles\\");
    EXPECT_TRUE(zxtest::FolderExists(temp.Path() + "\\Merovan OC Profiles"));
    EXPECT_EQ(vessa::ProfileFolderIn(""), "");  // never a folder relative to the current directory
}

ZX_TEST_CHILD(print_module_path)
{
    std::printf("path=%s|folder=%s|\n", vessa::GetModuleFileNameString().c_str(), vessa::GetProgramFolder().c_str());
    return 0;
}

TEST(PathFunctions, ProgramPathOfAnyLength)
{
    zxtest::TempFolder temp;
    // A program path of about 240 characters: longer than the first two buffers.
    std::string folder = temp.Path();
    while (folder.size() < 200) {
        folder += "\\" + std::string(40, 'd');
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    }
    std::string program = folder + "\\program-copy.exe";
    ASSERT_GT(program.size(), 200u);
    zxtest::ProcessResult result = zxtest::RunChildCopy(program, "print_module_path");
    ASSERT_TRUE(result.started);
    EXPECT_NE(result.output.find("path=" + program + "|folder=" + folder + "\\|"), std::string::npos) << result.output;
}
