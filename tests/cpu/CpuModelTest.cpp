// The CPU models on each simulated CPU: vendor and model, turbo support and
// state from the board, the AMD P-state bit layout, and the Intel turbo
// limits, core map and measured ratios.

#include <gtest/gtest.h>

#include "CpuTestSupport.h"
#include "TestFiles.h"
#include "tuning/CpuModel.h"
#include "tuning/KyIOBinding.h"

using namespace cputest;

namespace {

class AmdModel : public MachineSuite {};
class AmdModelNoBoostTable : public MachineSuite {};
class IntelModel : public MachineSuite {};
class IntelFallbackModel : public MachineSuite {};
class UnsupportedModel : public MachineSuite {};

}  // namespace

TEST(CpuModels, AmdQuadCore)
{
    RunSuiteOnMachine("AmdModel", "amd-4core-noboost.ini", "amd.ini");
}
TEST(CpuModels, AmdWithoutBoostTable)
{
    RunSuiteOnMachine("AmdModelNoBoostTable", "amd-6core-boost.ini", "amd-noboost-table.ini");
}
TEST(CpuModels, IntelWithBiosTables)
{
    RunSuiteOnMachine("IntelModel", "intel-4core-turbo.ini", "intel.ini");
}
TEST(CpuModels, IntelWithBuiltInTables)
{
    RunSuiteOnMachine("IntelFallbackModel", "intel-4core-turbo.ini", "intel-fallback.ini");
}
TEST(CpuModels, UnsupportedCpu)
{
    RunSuiteOnMachine("UnsupportedModel", "intel-2core-unsupported.ini", "intel-fallback.ini");
}

TEST_F(AmdModel, DetectsTheVendorAndReadsTheBoardTables)
{
    EXPECT_TRUE(IsAmdCpu());
    AMDPSTATUS* model = GetPStatus();
    EXPECT_EQ(dynamic_cast<INTELPSTATUS*>(model), nullptr);
    EXPECT_EQ(model->GetScaleBase(), 8);
    EXPECT_EQ(model->GetCoreCount(), 4);
    EXPECT_FALSE(model->IsCoreBoostSupported());
    EXPECT_EQ(model->GetDefaultRatio(), 34);
    EXPECT_EQ(model->GetMaxRatio(), 38);
    EXPECT_EQ(model->GetTurboRatio(), 0);
    EXPECT_EQ(model->GetTableRatio(0, 0), 28);
    EXPECT_EQ(model->GetTableRatio(1, 0), 38);
    EXPECT_EQ(model->GetTableRatio(1, 2), 36);
    EXPECT_EQ(model->GetTableRatio(1, 7), 36);
    EXPECT_EQ(model->GetTableRatio(1, 8), 0) << "past the per-core entries";
    EXPECT_EQ(model->GetTableRatio(2, 0), 34);
    EXPECT_EQ(model->GetTableRatio(3, 0), 32);
    EXPECT_TRUE(model->HasBoostTable());
    EXPECT_EQ(model->GetBoostOnRatio(), 38);
    EXPECT_EQ(model->GetBoostOffRatio(), 36);
    EXPECT_TRUE(IsTurboBoostSupported());
    EXPECT_TRUE(IsTurboBoostEnabled());
}

TEST_F(AmdModel, PStateRatiosReadAndWriteTheFidAtTheRegistersDivisor)
{
    AMDPSTATUS* model = GetPStatus();
    EXPECT_EQ(model->ReadPStateRatio(0, 1), 34);
    EXPECT_EQ(model->ReadPStateRatio(3, 1), 8) << "FID 0 at divisor 2";
    EXPECT_EQ(model->ReadPStateRatio(13, 1), 34) << "the status register";
    EXPECT_EQ(model->ReadPStateRatio(5, 1), 0);
    EXPECT_EQ(model->GetCurrentRatio(1), 34);

    EXPECT_TRUE(model->WritePStateFid(0, 40, 1));
    EXPECT_EQ(MachineRegister(1, 0xC0010064), 0x8000000000003418ull) << "bits above the FID are kept";
    EXPECT_TRUE(model->WritePStateFid(3, 10, 1));
    EXPECT_EQ(MachineRegister(1, 0xC0010067), 0x8000000000006044ull) << "FID = 10 x 2 - 16, divisor kept";

    struct Refused {
        int pstate;
        int ratio;
    };
    for (Refused r : {Refused{0, 15}, Refused{0, 80}, Refused{0, 0}, Refused{3, 40}, Refused{5, 30}}) {
        std::string before = zxtest::ReadWholeFile(MachineFile());
        EXPECT_FALSE(model->WritePStateFid(r.pstate, r.ratio, 1)) << r.pstate << " " << r.ratio;
        EXPECT_EQ(zxtest::ReadWholeFile(MachineFile()), before) << r.pstate << " " << r.ratio;
    }
}

TEST_F(AmdModel, ApplyCurrentFidForcesTheRunningPStateOnly)
{
    AMDPSTATUS* model = GetPStatus();
    size_t before = LogLinesWith(KyIOLog(), "KYIO_WriteMSR msr=0xC0010070").size();
    model->ApplyCurrentFid(36, 2, false);
    EXPECT_EQ(LogLinesWith(KyIOLog(), "KYIO_WriteMSR msr=0xC0010070").size(), before) << "not forced";

    model->ApplyCurrentFid(36, 2, true);  // P-state 0 runs, the target without core boost
    std::vector<std::string> writes = LogLinesWith(KyIOLog(), "KYIO_WriteMSR msr=0xC0010070");
    ASSERT_EQ(writes.size(), before + 2);
    EXPECT_NE(writes[before].find("cpu=2 KYIO_WriteMSR msr=0xC0010070 value=0x0000000000013414"), std::string::npos);
    EXPECT_NE(writes[before + 1].find("cpu=2 KYIO_WriteMSR msr=0xC0010070 value=0x0000000000003414"),
              std::string::npos);
}

TEST_F(AmdModel, SetTurboInBiosChangesOnlyTheEnableBit)
{
    GetPStatus()->SetTurboInBios(false);
    EXPECT_EQ(std::strtoul(BoardValue("0x00060009", "value").c_str(), nullptr, 0), 0x02u);
    GetPStatus()->SetTurboInBios(true);
    EXPECT_EQ(std::strtoul(BoardValue("0x00060009", "value").c_str(), nullptr, 0), 0x12u);

    // An unread switch is not written back.
    SetBoardValue("0x00060009", "fail", "read");
    size_t writes = LogLinesWith(BoardLog(), "AcpiSetItemValue id=0x00060009").size();
    GetPStatus()->SetTurboInBios(false);
    EXPECT_EQ(LogLinesWith(BoardLog(), "AcpiSetItemValue id=0x00060009").size(), writes);
}

TEST_F(AmdModelNoBoostTable, BoostTableWithAnEndMarkIsIgnored)
{
    AMDPSTATUS* model = GetPStatus();
    EXPECT_TRUE(model->IsCoreBoostSupported());
    EXPECT_EQ(model->GetCoreCount(), 6);
    EXPECT_FALSE(model->HasBoostTable());
    EXPECT_EQ(model->GetBoostOnRatio(), 0);
    EXPECT_EQ(model->GetBoostOffRatio(), 0);
    EXPECT_EQ(model->GetMaxRatio(), 38);
}

TEST_F(IntelModel, ReadsLimitsTablesAndTheCoreMap)
{
    EXPECT_FALSE(IsAmdCpu());
    INTELPSTATUS* model = dynamic_cast<INTELPSTATUS*>(GetPStatus());
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->GetScaleBase(), 12);
    EXPECT_EQ(model->GetCoreCount(), 4);
    EXPECT_EQ(model->GetDefaultRatio(), 40);
    EXPECT_EQ(model->GetMaxRatio(), 44);
    EXPECT_EQ(model->GetTurboRatio(), 44);
    const int* limits = model->GetTurboRatioLimits();
    EXPECT_EQ(std::vector<int>(limits, limits + 4), (std::vector<int>{24, 24, 21, 21}));
    for (int core = 0; core < 4; ++core) {
        EXPECT_EQ(model->GetCoreMask(core), static_cast<DWORD_PTR>(1) << core) << "APIC id " << 2 * core;
        EXPECT_EQ(model->GetKindTableEntry(1, core), (std::vector<int>{36, 36, 30, 30})[core]);
        EXPECT_EQ(model->GetKindTableEntry(0, core), (std::vector<int>{32, 32, 28, 28})[core]);
    }
    EXPECT_FALSE(model->WritePStateFid(0, 40, 0));
    EXPECT_EQ(model->ReadPStateRatio(0, 0), 0);

    int signature = 0;
    EXPECT_TRUE(GetSupportedIntelSignature(&signature));
    EXPECT_EQ(signature, 0x106E5);
    EXPECT_TRUE(IsTurboBoostSupported());
    EXPECT_TRUE(IsTurboBoostEnabled());
}

TEST_F(IntelModel, RefreshMeasuresEachCoreAndKeepsTheLastTurboAssignment)
{
    INTELPSTATUS* model = dynamic_cast<INTELPSTATUS*>(GetPStatus());
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->Refresh(), 1);  // core 0 measures 24 over the default 20
    EXPECT_EQ(model->GetCurrentRatio(0), 48) << "the 1-core turbo limit";
    EXPECT_EQ(model->GetCurrentRatio(1), 40);

    // Three cores in turbo take the 3-core limit.
    for (int cpu : {1, 2}) {
        WritePrivateProfileStringA(("cpu." + std::to_string(cpu)).c_str(), "measured.ratio", "23",
                                   MachineFile().c_str());
    }
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, MachineFile().c_str());
    EXPECT_EQ(model->Refresh(), 3);
    EXPECT_EQ(model->GetCurrentRatio(2), 42);
    EXPECT_EQ(model->GetCurrentRatio(3), 40);

    // No core above the default: the previous assignment stays.
    for (int cpu : {0, 1, 2})
        WritePrivateProfileStringA(("cpu." + std::to_string(cpu)).c_str(), "measured.ratio", "20",
                                   MachineFile().c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, MachineFile().c_str());
    EXPECT_EQ(model->Refresh(), 3);
    EXPECT_EQ(model->GetCurrentRatio(0), 42);
    EXPECT_EQ(MachineRegister(0, 0x38F), 0x0000000700000000ull);
    EXPECT_EQ(MachineRegister(0, 0x38D), 0xFFFull);
}

TEST_F(IntelModel, SetRatiosWritesTheKindTableThroughTheCoreSelector)
{
    size_t before = LogLines(BoardLog()).size();
    GetPStatus()->SetRatios(1, 0);
    std::vector<std::string> lines = LogLines(BoardLog());
    std::vector<std::string> writes;
    for (size_t i = before; i < lines.size(); ++i) {
        if (lines[i].find("AcpiSetItemValue") != std::string::npos)
            writes.push_back(lines[i].substr(lines[i].find("AcpiSetItemValue")));
    }
    std::vector<std::string> expected;
    for (int core = 0; core < 4; ++core) {
        expected.push_back("AcpiSetItemValue id=0x030600F0 index=" + std::to_string(core) + " mode=2 result=1");
        expected.push_back("AcpiSetItemValue id=0x03060013 index=" +
                           std::to_string((std::vector<int>{36, 36, 30, 30})[core]) + " mode=2 result=1");
    }
    expected.push_back("AcpiSetItemValue id=0x030600F0 index=255 mode=2 result=1");
    expected.push_back("AcpiSetItemValue id=0x03060013 index=30 mode=2 result=1");
    EXPECT_EQ(writes, expected);
    EXPECT_EQ(BoardValue("0x03060013", "cores"), "36,36,30,30");
}

TEST_F(IntelFallbackModel, BuiltInTablesOfTheSignatureDecide)
{
    INTELPSTATUS* model = dynamic_cast<INTELPSTATUS*>(GetPStatus());
    ASSERT_NE(model, nullptr);
    for (int core = 0; core < 4; ++core) {
        EXPECT_EQ(model->GetKindTableEntry(1, core), (std::vector<int>{23, 22, 20, 20})[core]);
        EXPECT_EQ(model->GetKindTableEntry(0, core), (std::vector<int>{21, 20, 18, 18})[core]);
    }
    EXPECT_FALSE(HasBiosTurboTable());
    EXPECT_TRUE(IsTurboBoostSupported()) << "item 0xF9 and a supported signature";
    EXPECT_TRUE(IsTurboBoostEnabled()) << "the per-core ratios equal the built-in table";
}

TEST_F(UnsupportedModel, NoTurboWithoutTablesOrASupportedSignature)
{
    EXPECT_FALSE(IsAmdCpu());
    int signature = 0;
    EXPECT_FALSE(GetSupportedIntelSignature(&signature));
    EXPECT_FALSE(IsTurboBoostSupported());
    EXPECT_FALSE(IsTurboBoostEnabled());
    // Nothing to write: the tables stayed unfilled.
    size_t before = LogLinesWith(BoardLog(), "AcpiSetItemValue").size();
    GetPStatus()->SetRatios(1, 0);
    EXPECT_EQ(LogLinesWith(BoardLog(), "AcpiSetItemValue").size(), before);
}

namespace {
class IntelModelFarCoreIds : public MachineSuite {};
}  // namespace

// Processors 2 and 3 report physical core ids 8 and 9, past the model's
// per-core tables, and the BIOS counts 12 cores.
TEST(CpuModels, IntelWithCoreIdsPastTheTables)
{
    RunSuiteOnMachine("IntelModelFarCoreIds", "intel-4core-turbo.ini", "intel.ini",
                      {{"0x030600F0", "count", "12"}, {"0x03060013", "cores", "36,34,30,28,28,28,28,28,28,28,28,28"}});
}

TEST_F(IntelModelFarCoreIds, CoresWithoutAProcessorKeepTheDefaultRatioAndNothingOverruns)
{
    WritePrivateProfileStringA("cpuid.2", "0x1", "0x000106E5,0x10100800,0x0098E3BD,0xBFEBFBFF", MachineFile().c_str());
    WritePrivateProfileStringA("cpuid.3", "0x1", "0x000106E5,0x12100800,0x0098E3BD,0xBFEBFBFF", MachineFile().c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, MachineFile().c_str());
    INTELPSTATUS* model = dynamic_cast<INTELPSTATUS*>(GetPStatus());
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->GetCoreCount(), 12);
    EXPECT_EQ(model->GetCoreMask(0), static_cast<DWORD_PTR>(1));
    EXPECT_EQ(model->GetCoreMask(1), static_cast<DWORD_PTR>(2));
    EXPECT_EQ(model->GetCoreMask(2), static_cast<DWORD_PTR>(0)) << "physical id 8 has no place";
    EXPECT_EQ(model->GetCurrentRatio(2), 40) << "the default ratio, not a read of another processor";
    EXPECT_EQ(model->GetCurrentRatio(11), 40);
    EXPECT_EQ(model->GetCurrentRatio(40), 40);
    EXPECT_EQ(model->Refresh(), 1);  // core 0 measures above the default
    EXPECT_EQ(model->GetCurrentRatio(0), 48);
    EXPECT_EQ(model->GetCurrentRatio(7), 40);
}

namespace {
class IntelModelHostileTables : public MachineSuite {};
}  // namespace

// The turbo tables hold a word past the ratio list (99 of 47 values), an
// all-ones word, and only two cores of four.
TEST(CpuModels, IntelWithHostileTurboTables)
{
    RunSuiteOnMachine(
        "IntelModelHostileTables", "intel-4core-turbo.ini", "intel.ini",
        {{"0x05080006", "data.0", "0x00000001,36,36,99"}, {"0x05080007", "data.0", "0x00000001,36,0xFFFFFFFF,20"}});
}

TEST_F(IntelModelHostileTables, OnlyRatioIndexesTheTableHoldsAreWritten)
{
    struct Case {
        int kind;
        std::vector<std::string> writes;
    };
    // Cores 2 and 3 are missing from the tables: they are left alone, never
    // written with index 0.
    const Case cases[] = {
        {1,
         {"id=0x030600F0 index=0 mode=2", "id=0x03060013 index=36 mode=2", "id=0x030600F0 index=255 mode=2",
          "id=0x03060013 index=36 mode=2"}},
        {0,
         {"id=0x030600F0 index=1 mode=2", "id=0x03060013 index=20 mode=2", "id=0x030600F0 index=255 mode=2",
          "id=0x03060013 index=20 mode=2"}},
    };
    for (const Case& c : cases) {
        size_t before = LogLines(BoardLog()).size();
        GetPStatus()->SetRatios(c.kind, 0);
        std::vector<std::string> lines = LogLines(BoardLog());
        std::vector<std::string> writes;
        for (size_t i = before; i < lines.size(); ++i) {
            size_t at = lines[i].find("AcpiSetItemValue ");
            if (at != std::string::npos) {
                std::string write = lines[i].substr(at + 17);
                writes.push_back(write.substr(0, write.find(" result=")));
            }
        }
        EXPECT_EQ(writes, c.writes) << "kind " << c.kind;
    }
    EXPECT_EQ(BoardValue("0x03060013", "cores"), "36,20,30,28");
}
