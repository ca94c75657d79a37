// The simulated CPU as the program sees it: KyIO.dll's registers per pinned
// processor, the machine file as shared state, the busy-clock counter, the
// call log, and the simulated CPUID (and the instruction's, whenever the
// library loaded is not the stand-in).

#include <gtest/gtest.h>

#include <windows.h>

#include <cpuid.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "KyIOTestSupport.h"
#include "TestFiles.h"
#include "TestPaths.h"
#include "TestProcess.h"
#include "tuning/CpuId.h"
#include "tuning/KyIOBinding.h"

using namespace kyiotest;

namespace {

std::uint64_t ReadOn(int core, unsigned msr)
{
    std::uint64_t value = 0;
    ReadCoreMSR(core, msr, &value);
    return value;
}

}  // namespace

// A second process reads one register on one core and prints it.
ZX_TEST_CHILD(read_register)
{
    LoadKyIO();
    std::uint64_t value = 0;
    bool ok = ReadCoreMSR(std::atoi(EnvironmentValue("ZX_CORE").c_str()),
                          static_cast<unsigned>(std::strtoul(EnvironmentValue("ZX_MSR").c_str(), nullptr, 0)), &value);
    std::printf("%d 0x%016llX\n", ok ? 1 : 0, static_cast<unsigned long long>(value));
    return 0;
}

TEST_F(SimulatedMachineTest, RegistersArePerPinnedProcessorAndPersistForEveryProcess)
{
    UseMachine("amd-4core-noboost.ini");
    ASSERT_EQ(LoadKyIO(), kKyIOLoaded);
    EXPECT_EQ(ReadOn(0, 0xC0010064), 0x8000000000003412ull);
    EXPECT_EQ(ReadOn(2, 0xC0010065), 0x800000000000380Cull);

    ASSERT_TRUE(WriteCoreMSR(2, 0xC0010064, 0x8000000000003414ull));
    EXPECT_EQ(ReadOn(2, 0xC0010064), 0x8000000000003414ull);
    EXPECT_EQ(ReadOn(1, 0xC0010064), 0x8000000000003412ull) << "another processor's register moved";

    // The file holds the change, keeps its comments, and another process sees it.
    std::string text = zxtest::ReadWholeFile(MachinePath());
    EXPECT_NE(text.find("; AMD quad core"), std::string::npos);
    zxtest::ProcessResult child = zxtest::RunChild(
        "read_register", {{"KYIO_MACHINE", MachinePath()}, {"ZX_CORE", "2"}, {"ZX_MSR", "0xC0010064"}});
    EXPECT_EQ(WithoutCarriageReturns(child.output), "1 0x8000000000003414\n");

    // A change made by hand is seen by the next call.
    SetMachineKey("cpu.1", "0xC0010064", "0x8000000000003416");
    EXPECT_EQ(ReadOn(1, 0xC0010064), 0x8000000000003416ull);
}

TEST_F(SimulatedMachineTest, AnAbsentProcessorReadsZeroAndTakesNoWrite)
{
    UseMachine("amd-4core-noboost.ini");  // processors 0-3 only
    ASSERT_EQ(LoadKyIO(), kKyIOLoaded);
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    if (system.dwNumberOfProcessors < 5)
        GTEST_SKIP() << "needs a fifth processor on the host";
    std::string before = zxtest::ReadWholeFile(MachinePath());
    EXPECT_EQ(ReadOn(4, 0xC0010064), 0u);
    WriteCoreMSR(4, 0xC0010064, 0x1234);
    EXPECT_EQ(zxtest::ReadWholeFile(MachinePath()), before);
}

TEST_F(SimulatedMachineTest, EveryCallIsLoggedOnOneLine)
{
    UseMachine("intel-4core-turbo.ini");
    ASSERT_EQ(LoadKyIO(), kKyIOLoaded);
    WriteCoreMSR(3, 0x38F, 0x0000000700000000ull);
    ReadOn(3, 0x38F);
    std::vector<std::string> lines = NewLogLines();
    std::string pid = "pid=" + std::to_string(GetCurrentProcessId()) + " ";
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], pid + "KYIO_Open result=1");
    EXPECT_EQ(lines[1], pid + "cpu=3 KYIO_WriteMSR msr=0x0000038F value=0x0000000700000000");
    EXPECT_EQ(lines[2], pid + "cpu=3 KYIO_ReadMSR msr=0x0000038F value=0x0000000700000000");
}

TEST_F(SimulatedMachineTest, BusyClockCounterMeasuresTheNamedRatio)
{
    UseMachine("intel-4core-turbo.ini");  // core 0 measures 24, the others 20
    ASSERT_EQ(LoadKyIO(), kKyIOLoaded);
    for (int core : {0, 1}) {
        WriteCoreMSR(core, 0x30A, 0);
        std::uint64_t c0 = ReadOn(core, 0x30A);
        Sleep(10);  // the counter does not depend on the real delay
        std::uint64_t c1 = ReadOn(core, 0x30A);
        long long ratio = static_cast<long long>(((c1 - c0) / 1000000) * 10) / 133;
        EXPECT_EQ(ratio, core == 0 ? 24 : 20) << "core " << core;
    }
}

TEST_F(SimulatedMachineTest, CpuIdAnswersPerPinnedProcessor)
{
    UseMachine("intel-4core-turbo.ini");
    unsigned r[4] = {};
    ASSERT_TRUE(CpuId(0, r));
    EXPECT_EQ(r[1], 0x756E6547u);  // "Genu"
    EXPECT_EQ(r[3], 0x49656E69u);  // "ineI"
    for (int core = 0; core < 4; ++core) {
        ASSERT_TRUE(PinThreadToCore(core));
        CpuId(1, r);
        EXPECT_EQ(r[0], 0x106E5u);
        EXPECT_EQ(r[1] >> 24, static_cast<unsigned>(2 * core)) << "APIC id of processor " << core;
    }
    CpuId(11, r, 1);
    EXPECT_EQ(r[1], 4u);
    CpuId(0x40000000, r);
    EXPECT_EQ(r[0] | r[1] | r[2] | r[3], 0u) << "an unlisted leaf answers zeros";
    EXPECT_FALSE(CpuId(0, nullptr));
}

// Prints where leaf 0 came from: "machine" when it is the machine file's
// marked answer, "instruction" when it equals the instruction's, then the
// binding's result.
ZX_TEST_CHILD(cpuid_source)
{
    ApplyChildLibraryChoice();
    unsigned answer[4] = {};
    unsigned instruction[4] = {};
    CpuId(0, answer);
    __cpuid_count(0, 0, instruction[0], instruction[1], instruction[2], instruction[3]);
    bool fromMachine = answer[1] == 0x11111111u && answer[2] == 0x22222222u && answer[3] == 0x33333333u;
    bool fromInstruction = std::equal(answer, answer + 4, instruction);
    std::printf("%s %d\n", fromMachine ? "machine" : fromInstruction ? "instruction" : "other", LoadKyIO());
    return 0;
}

// The same binaries serve a simulated and a real machine: CPUID comes from
// the machine file only while the stand-in is the library loaded.
TEST_F(SimulatedMachineTest, CpuIdComesFromTheMachineOnlyWithTheStandIn)
{
    UseMachine("intel-4core-turbo.ini");
    SetMachineKey("cpuid", "0x0", "0x0000000B,0x11111111,0x22222222,0x33333333");  // a vendor no CPU has
    struct Case {
        const char* what;
        zxtest::Environment environment;
        const char* expected;
    };
    const Case cases[] = {
        {"the stand-in", {}, "machine 0\n"},
        {"a library without the stand-in's export, as the maker's",
         {{"ZX_KYIO_FOLDER", zxtest::JoinPath(zxtest::TestDir(), "kyio-without-ZxSimulatedCpuId")}},
         "instruction 0\n"},
        {"no library", {{"ZX_KYIO_HIDDEN", "1"}}, "instruction 1\n"},
    };
    for (const Case& c : cases) {
        zxtest::Environment environment = c.environment;
        environment.push_back({"KYIO_MACHINE", MachinePath()});
        zxtest::ProcessResult child = zxtest::RunChild("cpuid_source", environment);
        EXPECT_EQ(WithoutCarriageReturns(child.output), c.expected) << c.what;
    }
}

TEST_F(SimulatedMachineTest, OpenFailsWithoutAMachineFile)
{
    zxtest::ProcessResult child = zxtest::RunChild("load_kyio", {{"KYIO_MACHINE", MachinePath() + ".absent"}});
    EXPECT_EQ(WithoutCarriageReturns(child.output), "7\n");
}
