// The ratio controller in each variant, seen in the KyIO and board logs and
// in the machine and board files: what Start writes, that Stop puts the
// saved ratios back exactly, and that nothing is written after Stop returns.

#include <gtest/gtest.h>

#include <windows.h>

#include "CpuTestSupport.h"
#include "MessageBoxCatcher.h"
#include "TestFiles.h"
#include "WaitUntil.h"
#include "tuning/CpuModel.h"
#include "tuning/DynamicRatioControl.h"
#include "tuning/KyIOBinding.h"

using namespace cputest;

namespace {

class ThreadedControl : public MachineSuite {};
class BoostControl : public MachineSuite {};
class IntelControl : public MachineSuite {};
class IntelControlUnreadSave : public MachineSuite {};
class HalfStepControl : public MachineSuite {};
class AmdWithUnusableKyIO : public MachineSuite {};

// The [cpu.n] registers of the first `processors` processors, as text.
std::string Registers(int processors)
{
    std::string text;
    for (int cpu = 0; cpu < processors; ++cpu) {
        for (unsigned msr : {0xC0010064u, 0xC0010065u, 0xC0010066u, 0xC0010067u, 0xC0010070u, 0xC0010071u}) {
            char line[64];
            std::snprintf(line, sizeof line, "%d:%08X=%016llX ", cpu, msr,
                          static_cast<unsigned long long>(MachineRegister(cpu, msr)));
            text += line;
        }
    }
    return text;
}

size_t Writes()
{
    return LogLinesWith(KyIOLog(), "KYIO_WriteMSR").size();
}

}  // namespace

TEST(RatioControl, AmdWithoutCoreBoostRunsThreads)
{
    RunSuiteOnMachine("ThreadedControl", "amd-4core-noboost.ini", "amd.ini");
}
TEST(RatioControl, AmdWithCoreBoostWritesOnce)
{
    RunSuiteOnMachine("BoostControl", "amd-6core-boost.ini", "amd.ini");
}
TEST(RatioControl, IntelWritesTheBiosItems)
{
    RunSuiteOnMachine("IntelControl", "intel-4core-turbo.ini", "intel.ini");
}
TEST(RatioControl, IntelSkipsCoresItCouldNotSave)
{
    RunSuiteOnMachine("IntelControlUnreadSave", "intel-4core-turbo.ini", "intel.ini", {{"0x03060013", "fail", "read"}});
}

TEST(RatioControl, AmdKeepsHalfStepsOnRestore)
{
    RunSuiteOnMachine("HalfStepControl", "amd-6core-boost.ini", "amd.ini");
}
TEST(RatioControl, AmdWithARegisterLibraryThatCannotBeBound)
{
    RunSuiteWithKyIOWithout("KYIO_Open", "AmdWithUnusableKyIO", "amd-4core-noboost.ini", "amd.ini");
}

TEST_F(AmdWithUnusableKyIO, NoTurboIsOfferedAndNoRegisterIsTouched)
{
    EXPECT_NE(LoadKyIO(), kKyIOLoaded);
    EXPECT_FALSE(HasRegisterAccess());
    ASSERT_TRUE(IsAmdCpu()) << "the simulated machine answers CPUID";
    EXPECT_FALSE(IsTurboBoostSupported()) << "the AMD feature needs the registers";
    AMDPSTATUS* model = GetPStatus();
    EXPECT_EQ(model->ReadPStateRatio(0, 0), 0);
    EXPECT_FALSE(model->WritePStateFid(0, 34, 0));
    std::string before = zxtest::ReadWholeFile(MachineFile());
    DynamicRatioControl* control = DynamicRatioControl::GetInstance();
    control->Create();
    control->Start();
    Sleep(300);
    control->Stop();
    EXPECT_EQ(zxtest::ReadWholeFile(MachineFile()), before);
    EXPECT_TRUE(LogLines(KyIOLog()).empty());
}

TEST_F(ThreadedControl, StartDrivesTheCoresAndStopRestoresExactly)
{
    DynamicRatioControl* control = DynamicRatioControl::GetInstance();
    ASSERT_EQ(dynamic_cast<DynamicRatioControl6Cores*>(control), nullptr);
    ASSERT_EQ(dynamic_cast<DynamicRatioControlIntel*>(control), nullptr);
    std::string original = Registers(4);
    control->Create();
    int processors = GetLogicalProcessorCount();
    ASSERT_EQ(control->GetRatioTable().size(), static_cast<size_t>(processors) + 1);
    EXPECT_EQ(control->GetRatioTable()[0][0], 28);
    EXPECT_EQ(control->GetRatioTable()[1][0], 38);
    EXPECT_EQ(control->GetRatioTable()[processors][0], 28);

    for (int round = 0; round < 2; ++round) {
        size_t before = Writes();
        control->Start();
        EXPECT_EQ(control->GetThreads().size(), static_cast<size_t>(processors) + 1);
        EXPECT_TRUE(zxtest::WaitUntil([&] { return Writes() > before; })) << "the decision thread wrote nothing";
        // Every write is a P-state-0 FID of a table ratio or the default.
        for (const std::string& line : LogLinesWith(KyIOLog(), "cpu=0 KYIO_WriteMSR msr=0xC0010064")) {
            bool known = line.find("value=0x800000000000340C") != std::string::npos ||  // 28
                         line.find("value=0x8000000000003412") != std::string::npos ||  // 34
                         line.find("value=0x8000000000003416") != std::string::npos;    // 38
            EXPECT_TRUE(known) << line;
        }
        control->Stop();
        EXPECT_EQ(Registers(4), original) << "round " << round;
        size_t afterStop = Writes();
        Sleep(600);
        EXPECT_EQ(Writes(), afterStop) << "written after Stop returned";
    }

    zxtest::MessageBoxCatcher catcher;
    control->Create();
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    EXPECT_EQ(catcher.Boxes()[0].caption, "DynamicRatioControl");
    EXPECT_EQ(catcher.Boxes()[0].text, "Call Create twice");
}

TEST_F(BoostControl, StartRaisesPState1AndBoostAndStopPutsThemBack)
{
    DynamicRatioControl* control = DynamicRatioControl::GetInstance();
    ASSERT_NE(dynamic_cast<DynamicRatioControl6Cores*>(control), nullptr);
    std::string original = Registers(6);
    control->Create();
    control->Start();
    EXPECT_TRUE(control->GetThreads().empty());
    for (int cpu = 0; cpu < 6; ++cpu) {
        EXPECT_EQ(MachineRegister(cpu, 0xC0010065), 0x800000000000300Cull) << "P-state 1 at the kind-0 ratio 28";
        EXPECT_EQ(MachineRegister(cpu, 0xC0010070), 0x000000000000300Cull) << "P-state 1 runs: the FID taken";
        EXPECT_EQ(MachineRegister(cpu, 0xC0010064), 0x8000000000002C16ull) << "P-state 0 at boost-on 38";
    }
    size_t afterStart = Writes();
    Sleep(300);
    EXPECT_EQ(Writes(), afterStart) << "written once per start";
    control->Stop();
    EXPECT_EQ(Registers(6), original) << "saved P-state 1, and boost-off 36 for P-state 0";
}

TEST_F(IntelControl, StartWritesTheTurboItemsAndStopRestoresTheSavedIndexes)
{
    DynamicRatioControl* control = DynamicRatioControl::GetInstance();
    ASSERT_NE(dynamic_cast<DynamicRatioControlIntel*>(control), nullptr);
    control->Create();
    control->Start();
    EXPECT_EQ(BoardValue("0x03060013", "cores"), "36,36,30,30");
    size_t before = LogLines(BoardLog()).size();
    control->Stop();
    EXPECT_EQ(BoardValue("0x03060013", "cores"), "36,34,30,28");
    std::vector<std::string> lines = LogLines(BoardLog());
    ASSERT_GE(lines.size(), before + 2);
    EXPECT_NE(lines[lines.size() - 2].find("AcpiSetItemValue id=0x030600F0 index=255 mode=1 result=1"),
              std::string::npos);
    EXPECT_NE(lines.back().find("AcpiSetItemValue id=0x03060013 index=28 mode=2 result=1"), std::string::npos);
    EXPECT_EQ(LogLinesWith(KyIOLog(), "KYIO_WriteMSR").size(), 0u) << "the Intel control writes no register";
}

TEST_F(IntelControlUnreadSave, RestoreSkipsTheCoresWhoseSaveFailed)
{
    DynamicRatioControl* control = DynamicRatioControl::GetInstance();
    control->Create();
    control->Start();  // the save's reads fail; the start's writes do not
    EXPECT_EQ(BoardValue("0x03060013", "cores"), "36,36,30,30");
    size_t before = LogLinesWith(BoardLog(), "AcpiSetItemValue id=0x03060013").size();
    control->Stop();
    EXPECT_EQ(LogLinesWith(BoardLog(), "AcpiSetItemValue id=0x03060013").size(), before)
        << "an unread ratio was written back";
}

// P-state 1 saved with divisor 1 and an odd FID: 32.5, a half step. Stop
// must put back that ratio, not the whole step below it.
TEST_F(HalfStepControl, StopPutsBackTheSavedHalfStep)
{
    for (int cpu = 0; cpu < 6; ++cpu) {
        const std::string section = "cpu." + std::to_string(cpu);
        WritePrivateProfileStringA(section.c_str(), "0xC0010065", "0x8000000000003071", MachineFile().c_str());
        WritePrivateProfileStringA(section.c_str(), "0xC0010070", "0x0000000000003071", MachineFile().c_str());
        WritePrivateProfileStringA(section.c_str(), "0xC0010071", "0x0000000000013071", MachineFile().c_str());
    }
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, MachineFile().c_str());
    ASSERT_FLOAT_EQ(GetPStatus()->ReadPStateRatio(1, 0), 32.5f);

    DynamicRatioControl* control = DynamicRatioControl::GetInstance();
    std::string original = Registers(6);
    control->Create();
    control->Start();
    EXPECT_EQ(MachineRegister(0, 0xC0010065), 0x8000000000003068ull) << "the kind-0 ratio 28 at divisor 1";
    control->Stop();
    EXPECT_EQ(Registers(6), original);
}
