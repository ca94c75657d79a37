// LoadKyIO against real libraries: the stand-in, builds of it without one
// export each, and no library at all; and the pinned access that skips what
// it cannot pin.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "KyIOTestSupport.h"
#include "TestFiles.h"
#include "TestPaths.h"
#include "TestProcess.h"
#include "tuning/KyIOBinding.h"

using namespace kyiotest;

namespace kyiotest {

std::string EnvironmentValue(const char* name)
{
    char value[4096];
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

std::string WithoutCarriageReturns(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

std::string ShippedMachine(const std::string& name)
{
    return zxtest::JoinPath(zxtest::JoinPath(zxtest::SourceDir(), "platform\\kyio\\machines"), name);
}

void ApplyChildLibraryChoice()
{
    std::string folder = EnvironmentValue("ZX_KYIO_FOLDER");
    if (!folder.empty())
        SetDllDirectoryA(folder.c_str());
    if (!EnvironmentValue("ZX_KYIO_HIDDEN").empty())
        SetEnvironmentVariableA("PATH", "C:\\windows\\system32;C:\\windows");
}

namespace {

const zxtest::TempFolder& ProcessFolder()
{
    static zxtest::TempFolder folder;
    return folder;
}

}  // namespace

std::string SimulatedMachineTest::MachinePath()
{
    return ProcessFolder().File("KyIOMachine.ini");
}
std::string SimulatedMachineTest::LogPath()
{
    return ProcessFolder().File("kyio.log");
}

void SimulatedMachineTest::SetUp()
{
    // Before the first load of the library, which reads them once.
    SetEnvironmentVariableA("KYIO_MACHINE", MachinePath().c_str());
    SetEnvironmentVariableA("KYIO_LOG", LogPath().c_str());
    m_logLinesBefore = zxtest::ReadLines(LogPath()).size();
}

void SimulatedMachineTest::UseMachine(const std::string& name)
{
    ASSERT_TRUE(zxtest::WriteWholeFile(MachinePath(), zxtest::ReadWholeFile(ShippedMachine(name))));
}

std::vector<std::string> SimulatedMachineTest::NewLogLines() const
{
    std::vector<std::string> lines = zxtest::ReadLines(LogPath());
    return std::vector<std::string>(
        lines.begin() + static_cast<std::ptrdiff_t>(std::min(m_logLinesBefore, lines.size())), lines.end());
}

void SimulatedMachineTest::SetMachineKey(const std::string& section, const std::string& key, const std::string& value)
{
    WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), MachinePath().c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, MachinePath().c_str());
}

}  // namespace kyiotest

// Loads the library as the program does and prints the result code
// (ApplyChildLibraryChoice says from where).
ZX_TEST_CHILD(load_kyio)
{
    ApplyChildLibraryChoice();
    int result = LoadKyIO();
    std::printf("%d\n", result);
    if (!EnvironmentValue("ZX_KYIO_WRITE").empty()) {
        std::uint64_t value = 0;
        bool read = ReadCoreMSR(0, 0xC0010064, &value);
        bool wrote = WriteCoreMSR(0, 0xC0010064, 0x1111);
        std::printf("access %d %d 0x%llX\n", read ? 1 : 0, wrote ? 1 : 0, static_cast<unsigned long long>(value));
    }
    if (!EnvironmentValue("ZX_KYIO_ACCESS").empty())
        std::printf("registers %d\n", HasRegisterAccess() ? 1 : 0);
    return 0;
}

TEST_F(SimulatedMachineTest, LoadKyIOReportsTheFirstMissingPiece)
{
    UseMachine("amd-4core-noboost.ini");
    struct Case {
        const char* missingExport;  // null: the whole library
        const char* expected;
    };
    const Case cases[] = {
        {nullptr, "1\n"},        {"KYIO_Open", "2\n"},     {"KYIO_Close", "3\n"}, {"OC_GetCurrentCpuFrequency", "4\n"},
        {"KYIO_ReadMSR", "5\n"}, {"KYIO_GetCpuID", "6\n"},  // even though KYIO_Open is there: it is not called
    };
    for (const Case& c : cases) {
        zxtest::Environment environment = {{"KYIO_MACHINE", MachinePath()}, {"KYIO_LOG", LogPath()}};
        if (c.missingExport)
            environment.push_back({"ZX_KYIO_FOLDER", zxtest::JoinPath(zxtest::TestDir(),
                                                                      std::string("kyio-without-") + c.missingExport)});
        else
            environment.push_back({"ZX_KYIO_HIDDEN", "1"});
        environment.push_back({"ZX_KYIO_WRITE", "1"});
        zxtest::ProcessResult child = zxtest::RunChild("load_kyio", environment);
        // No register is reached through a binding that never succeeded.
        EXPECT_EQ(WithoutCarriageReturns(child.output), std::string(c.expected) + "access 0 0 0x0\n")
            << (c.missingExport ? c.missingExport : "no library");
    }
    EXPECT_TRUE(NewLogLines().empty()) << "KYIO_Open was called, or a register reached";
}

TEST_F(SimulatedMachineTest, WithoutAWriteEntryPointReadsWorkAndNothingIsWritten)
{
    UseMachine("amd-4core-noboost.ini");
    std::string before = zxtest::ReadWholeFile(MachinePath());
    zxtest::ProcessResult child = zxtest::RunChild(
        "load_kyio", {{"KYIO_MACHINE", MachinePath()},
                      {"ZX_KYIO_FOLDER", zxtest::JoinPath(zxtest::TestDir(), "kyio-without-KYIO_WriteMSR")},
                      {"ZX_KYIO_WRITE", "1"},
                      {"ZX_KYIO_ACCESS", "1"}});
    // Reads still work, but the model reports no register access.
    EXPECT_EQ(WithoutCarriageReturns(child.output), "0\naccess 1 0 0x8000000000003412\nregisters 0\n");
    EXPECT_EQ(zxtest::ReadWholeFile(MachinePath()), before);
}

TEST_F(SimulatedMachineTest, AnAccessThatCannotPinIsSkipped)
{
    UseMachine("amd-4core-noboost.ini");
    ASSERT_EQ(LoadKyIO(), kKyIOLoaded);
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    std::string before = zxtest::ReadWholeFile(MachinePath());
    size_t linesBefore = NewLogLines().size();
    for (int core : {-1, 32, 40, static_cast<int>(system.dwNumberOfProcessors)}) {
        std::uint64_t value = 0x55;
        EXPECT_FALSE(ReadCoreMSR(core, 0xC0010064, &value)) << "core " << core;
        EXPECT_EQ(value, 0u) << "core " << core;
        EXPECT_FALSE(WriteCoreMSR(core, 0xC0010064, 0x1111)) << "core " << core;
    }
    EXPECT_EQ(zxtest::ReadWholeFile(MachinePath()), before);
    EXPECT_EQ(NewLogLines().size(), linesBefore) << "the library was called for a core it cannot run on";
}
