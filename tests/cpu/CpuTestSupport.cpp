#include "CpuTestSupport.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "TestFiles.h"
#include "TestPaths.h"
#include "TestProcess.h"

namespace cputest {

namespace {

const char kSuiteVariable[] = "ZX_CPU_SUITE";
const char kKyIOFolderVariable[] = "ZX_CPU_KYIO_FOLDER";

std::string Variable(const char* name)
{
    char value[4096];
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

std::string BoardSource(const std::string& board)
{
    return zxtest::JoinPath(zxtest::SourceDir(), "tests\\cpu\\boards\\" + board);
}

}  // namespace

void RunSuite(const std::string& suite, const std::string& machine, const std::string& board,
              const std::vector<BoardEdit>& boardEdits, const std::string& kyioFolder);

// Runs the suite named in ZX_CPU_SUITE with GoogleTest inside the child.
ZX_TEST_CHILD(cpu_suite)
{
    std::string filter = Variable(kSuiteVariable) + ".*";
    testing::GTEST_FLAG(filter) = filter;
    int argc = 1;
    char name[] = "cpu_tests";
    char* argv[] = {name, nullptr};
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

void RunSuite(const std::string& suite, const std::string& machine, const std::string& board,
              const std::vector<BoardEdit>& boardEdits, const std::string& kyioFolder)
{
    zxtest::TempFolder folder;
    std::string machineFile = folder.File("KyIOMachine.ini");
    std::string boardFile = folder.File("KyAcpiBoard.ini");
    ASSERT_TRUE(zxtest::WriteWholeFile(machineFile, zxtest::ReadWholeFile(zxtest::JoinPath(
                                                        zxtest::SourceDir(), "platform\\kyio\\machines\\" + machine))));
    std::string boardText = zxtest::ReadWholeFile(BoardSource(board));
    ASSERT_FALSE(boardText.empty()) << board;
    ASSERT_TRUE(zxtest::WriteWholeFile(boardFile, boardText));
    for (const BoardEdit& edit : boardEdits) {
        WritePrivateProfileStringA(edit.section.c_str(), edit.key.c_str(), edit.value.c_str(), boardFile.c_str());
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, boardFile.c_str());
    }
    zxtest::ProcessResult result = zxtest::RunChild("cpu_suite",
                                                    {{kSuiteVariable, suite},
                                                     {"KYIO_MACHINE", machineFile},
                                                     {"KYACPI_BOARD", boardFile},
                                                     {"KYIO_LOG", folder.File("kyio.log")},
                                                     {"KYACPI_LOG", folder.File("kyacpi.log")},
                                                     {kKyIOFolderVariable, kyioFolder}},
                                                    90000);
    ASSERT_TRUE(result.started);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitCode, 0u) << result.output;
    EXPECT_NE(result.output.find("[  PASSED  ]"), std::string::npos) << result.output;
}

void RunSuiteOnMachine(const std::string& suite, const std::string& machine, const std::string& board,
                       const std::vector<BoardEdit>& boardEdits)
{
    RunSuite(suite, machine, board, boardEdits, "");
}

void RunSuiteWithKyIOWithout(const std::string& missingExport, const std::string& suite, const std::string& machine,
                             const std::string& board)
{
    RunSuite(suite, machine, board, {}, zxtest::JoinPath(zxtest::TestDir(), "kyio-without-" + missingExport));
}

void MachineSuite::SetUp()
{
    const char* suite = testing::UnitTest::GetInstance()->current_test_info()->test_suite_name();
    if (Variable(kSuiteVariable) != suite)
        GTEST_SKIP() << "runs in the child for its machine";
    // The program folder leaves the search path, and the other build takes
    // its place, before anything loads the library.
    std::string kyioFolder = Variable(kKyIOFolderVariable);
    if (!kyioFolder.empty()) {
        SetEnvironmentVariableA("PATH", "C:\\windows\\system32;C:\\windows");
        SetDllDirectoryA(kyioFolder.c_str());
    }
}

std::string MachineFile()
{
    return Variable("KYIO_MACHINE");
}
std::string BoardFile()
{
    return Variable("KYACPI_BOARD");
}
std::string KyIOLog()
{
    return Variable("KYIO_LOG");
}
std::string BoardLog()
{
    return Variable("KYACPI_LOG");
}

std::uint64_t MachineRegister(int processor, unsigned msr)
{
    char key[16];
    std::snprintf(key, sizeof key, "0x%08X", msr);
    std::string section = "cpu." + std::to_string(processor);
    char value[64] = "";
    // Drop the system's cached copy first: the file is replaced under it.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, MachineFile().c_str());
    GetPrivateProfileStringA(section.c_str(), key, "", value, sizeof value, MachineFile().c_str());
    return std::strtoull(value, nullptr, 0);
}

std::string BoardValue(const std::string& section, const std::string& key)
{
    char value[512] = "";
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, BoardFile().c_str());
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", value, sizeof value, BoardFile().c_str());
    return value;
}

void SetBoardValue(const std::string& section, const std::string& key, const std::string& value)
{
    WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), BoardFile().c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, BoardFile().c_str());
}

std::vector<std::string> LogLines(const std::string& path)
{
    return zxtest::ReadLines(path);
}

std::vector<std::string> LogLinesWith(const std::string& path, const std::string& needle)
{
    return zxtest::LinesContaining(path, needle);
}

}  // namespace cputest
