// Random hostile input against every board variant and every simulated
// machine: profile files applied through ZxOcLib (by ordinal), stored BIOS
// profiles applied through the program's tuning core, and BIOS per-core turbo
// tables written by the CPU models. After each seed every write in the
// board's call log and in the register log must be in range and meant.
//
// The seeds are a fixed list, so a failure reproduces: it is reported as
// "seed=<n>" with the offending log line. One child process per board or
// machine runs all seeds (the item sets and the CPU model are process-wide,
// and a board's item layout does not change between seeds).

#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <sstream>

#include "BoardFixture.h"
#include "MessageBoxCatcher.h"
#include "SimulatedBoard.h"
#include "TestFiles.h"
#include "TestPaths.h"
#include "TestProcess.h"
#include "tuning/CpuModel.h"
#include "tuning/KyOcPrimaryItemSet.h"
#include "tuning/KyOcRatio.h"
#include "tuning/ZxOcItemProfile.h"

namespace {

const unsigned kSeeds[] = {1, 2, 3, 5, 8, 13, 21, 34, 55, 89, 144, 233};
constexpr DWORD kSelectorId = 0x030600F0;
constexpr DWORD kStoredProfilesId = 0x05080002;

std::string Variable(const char* name)
{
    char value[4096] = {};
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length < sizeof value ? std::string(value, length) : std::string();
}

std::string Hex(DWORD id)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(id));
    return text;
}

std::vector<std::string> FileLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

// A log read from a remembered line on.
class LogTail {
public:
    explicit LogTail(std::string path) : m_path(std::move(path)) {}
    void Mark() { m_start = FileLines(m_path).size(); }
    std::vector<std::string> Lines() const
    {
        auto lines = FileLines(m_path);
        return std::vector<std::string>(lines.begin() + std::min(m_start, lines.size()), lines.end());
    }

private:
    std::string m_path;
    size_t m_start = 0;
};

// The visible tuning items and their value counts, as the board describes them.
std::map<DWORD, int> VisibleTuningItems()
{
    std::map<DWORD, int> counts;
    GroupInfoTraverser traverser;
    if (!traverser.Open(3))
        return counts;
    for (; !traverser.IsEnd(); traverser.Next()) {
        std::unique_ptr<BiosItemA> item(traverser.CreateItem());
        if (item && !item->IsHidden())
            counts[item->GetId()] = WritableValueCount(*item);
    }
    return counts;
}

// A value index as hostile input brings it: mostly in range, else at the
// count, past it, negative or all ones.
int HostileIndex(std::mt19937& rng, int count)
{
    switch (rng() % 8) {
    case 0:
        return count;
    case 1:
        return count + static_cast<int>(rng() % 1000);
    case 2:
        return -1 - static_cast<int>(rng() % 3);
    case 3:
        return static_cast<int>(0xFFFFFFFFu);
    case 4:
        return INT_MIN;
    default:
        return count > 0 ? static_cast<int>(rng() % count) : 0;
    }
}

std::vector<std::pair<DWORD, int>> HostileRecords(std::mt19937& rng, const std::map<DWORD, int>& items, DWORD ratioId)
{
    static const DWORD kForeign[] = {kSelectorId, 0x0302001A, 0x030600F1, 0x0B060001, 0x00060009, 0x07010011};
    std::vector<std::pair<DWORD, int>> records;
    const int n = static_cast<int>(rng() % 12);
    for (int i = 0; i < n; ++i) {
        const unsigned pick = rng() % 10;
        if (pick < 6 && !items.empty()) {
            auto item = std::next(items.begin(), static_cast<long>(rng() % items.size()));
            records.push_back({item->first, HostileIndex(rng, item->second)});
        } else if (pick < 8 && ratioId != 0) {
            records.push_back({ratioId, HostileIndex(rng, items.count(ratioId) ? items.at(ratioId) : 1)});
        } else {
            records.push_back({kForeign[rng() % 6], static_cast<int>(rng() % 300)});
        }
    }
    return records;
}

// The first board write since the mark that is out of range or not meant;
// "" when there is none.
std::string CheckBoardWrites(const LogTail& log, const std::map<DWORD, int>& items, unsigned cores,
                             const std::set<std::pair<DWORD, int>>& meant)
{
    for (const std::string& line : log.Lines()) {
        size_t at = line.find("AcpiSetItemValue id=");
        if (at == std::string::npos)
            continue;
        unsigned id = 0;
        int index = 0, mode = 0;
        if (std::sscanf(line.c_str() + at, "AcpiSetItemValue id=0x%X index=%d mode=%d", &id, &index, &mode) != 3)
            return "unreadable: " + line;
        bool ok = false;
        if (id == kSelectorId)
            ok = (static_cast<unsigned>(index) < cores || index == 255);
        else if (items.count(id))
            ok = index >= 0 && index < items.at(id) && mode == 2 && meant.count({id, index});
        if (!ok)
            return line;
    }
    return "";
}

}  // namespace

// One board: every seed applies a random profile file through ZxOcLib and a
// random stored profile through the tuning core.
ZX_TEST_CHILD(fuzz_board)
{
    zxtest::MessageBoxCatcher boxes;  // a board without group 3 says so
    const std::string boardPath = Variable("KYACPI_BOARD");
    LogTail log(Variable("KYACPI_LOG"));
    HMODULE library = LoadLibraryA(zxtest::JoinPath(zxtest::DistDir(), "ZxOcLib.dll").c_str());
    auto load = reinterpret_cast<int(WINAPI*)(const char*)>(
        reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(14))));
    if (!load) {
        std::printf("ZxOcLib.dll or its ordinal 14 is missing\n");
        return 2;
    }
    const std::map<DWORD, int> items = VisibleTuningItems();
    KyOcRatio& ratio = KyOcRatio::GetInstance();
    const DWORD ratioId = ratio.IsHidden() ? 0 : ratio.GetItemId();
    const unsigned cores = ratio.GetCoreCount();
    // The default -1 comes back as the largest UINT: compared as an int.
    const bool hasStoredProfiles =
        static_cast<int>(GetPrivateProfileIntA(Hex(kStoredProfilesId).c_str(), "value", -1, boardPath.c_str())) >= 0;
    const std::string profilePath = boardPath + ".oc";
    int failures = 0;

    for (unsigned seed : kSeeds) {
        std::mt19937 rng(seed);
        // Random current values, so that the apply order goes both ways.
        for (const auto& item : items) {
            if (item.first == ratioId && ratio.IsPerCore()) {
                std::string list;
                for (unsigned core = 0; core < cores; ++core)
                    list += (core ? "," : "") + std::to_string(rng() % item.second);
                WritePrivateProfileStringA(Hex(item.first).c_str(), "cores", list.c_str(), boardPath.c_str());
            } else if (item.second > 0) {
                WritePrivateProfileStringA(Hex(item.first).c_str(), "value",
                                           std::to_string(rng() % item.second).c_str(), boardPath.c_str());
            }
        }
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, boardPath.c_str());

        // A profile file.
        auto records = HostileRecords(rng, items, ratioId);
        std::vector<std::pair<unsigned, int>> fileRecords;
        for (const auto& record : records)
            fileRecords.push_back({static_cast<unsigned>(record.first), record.second});
        zxtest::WriteWholeFile(profilePath, zxtest::ProfileBytes(fileRecords));
        std::set<std::pair<DWORD, int>> meant(records.begin(), records.end());
        log.Mark();
        load(profilePath.c_str());
        std::string bad = CheckBoardWrites(log, items, cores, meant);
        if (!bad.empty()) {
            std::printf("FAIL seed=%u profile file: %s\n", seed, bad.c_str());
            ++failures;
        }

        // A stored profile: header, pairs, an end mark or none.
        if (!hasStoredProfiles)
            continue;
        auto pairs = HostileRecords(rng, items, ratioId);
        std::string words = "0x00000001";
        bool ratioPair = false;
        meant.clear();
        for (const auto& pair : pairs) {
            words += "," + Hex(pair.first) + "," + std::to_string(pair.second);
            meant.insert(pair);
            ratioPair = ratioPair || pair.first == ratioId;
        }
        if (rng() % 2)
            words += ",0xFFFFFFFF";
        if (!ratioPair) {  // without a pair the cores keep (and may rewrite) what they hold
            std::vector<int> held;
            ratio.ReadRatios(held);
            for (int value : held)
                meant.insert({ratioId, value});
        }
        WritePrivateProfileStringA(Hex(kStoredProfilesId).c_str(), "data.0", words.c_str(), boardPath.c_str());
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, boardPath.c_str());
        log.Mark();
        ZxOcItemProfile profile;
        if (profile.ReadFromBios(0))
            KyOcPrimaryItemSet::GetInstance().ApplyValues(profile.GetValues());
        bad = CheckBoardWrites(log, items, cores, meant);
        if (!bad.empty()) {
            std::printf("FAIL seed=%u stored profile %s: %s\n", seed, words.c_str(), bad.c_str());
            ++failures;
        }
    }
    std::printf("seeds=%u failures=%d\n", static_cast<unsigned>(sizeof kSeeds / sizeof kSeeds[0]), failures);
    return failures == 0 ? 0 : 1;
}

namespace {

// The ratio (half-multipliers) a register holds; 0 for a FID past the field.
double RegisterRatio(unsigned long long value)
{
    return static_cast<double>((value & 0x3F) + 16) / (1 << ((value >> 6) & 3));
}

}  // namespace

// One machine on the default board: every seed gives the BIOS turbo tables
// random words and has a fresh CPU model write them.
ZX_TEST_CHILD(fuzz_machine)
{
    zxtest::MessageBoxCatcher boxes;
    const std::string boardPath = Variable("KYACPI_BOARD");
    LogTail boardLog(Variable("KYACPI_LOG"));
    LogTail registerLog(Variable("KYIO_LOG"));
    const std::map<DWORD, int> items = VisibleTuningItems();
    const int ratioCount = items.count(kRatioItemId) ? items.at(kRatioItemId) : 0;
    const unsigned cores = static_cast<unsigned>(GetBiosCoreCount());
    int failures = 0;

    for (unsigned seed : kSeeds) {
        std::mt19937 rng(seed);
        std::vector<std::uint32_t> turbo, boost;
        for (auto* table : {&turbo, &boost}) {
            const int words = 1 + static_cast<int>(rng() % 10);
            table->push_back(1);
            for (int w = 1; w < words; ++w)
                table->push_back(static_cast<std::uint32_t>(HostileIndex(rng, ratioCount)));
        }
        for (auto table : {std::make_pair(kTurboTableItemId, &turbo), std::make_pair(kBoostTableItemId, &boost)}) {
            std::string text;
            for (std::uint32_t word : *table.second)
                text += (text.empty() ? "" : ",") + Hex(word);
            WritePrivateProfileStringA(Hex(table.first).c_str(), "data.0", text.c_str(), boardPath.c_str());
        }
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, boardPath.c_str());

        boardLog.Mark();
        registerLog.Mark();
        std::unique_ptr<AMDPSTATUS> model(IsAmdCpu() ? new AMDPSTATUS() : new INTELPSTATUS());
        std::string bad;
        if (IsAmdCpu()) {
            // Ratios a table word in range means: twice the item's value.
            std::set<double> meant;
            for (auto* table : {&turbo, &boost})
                for (size_t w = 1; w < table->size(); ++w)
                    if (static_cast<int>((*table)[w]) >= 0 && static_cast<int>((*table)[w]) < ratioCount)
                        meant.insert(12.0 + static_cast<int>((*table)[w]));  // 6.0 + 0.5 k, doubled
            const float kind0 = model->GetTableRatio(0, 0);
            model->SetRatios(1, static_cast<int>(kind0));
            for (int core = 0; core < model->GetCoreCount(); ++core)
                model->WritePStateFid(0, model->GetTableRatio(1, core), core);
            model->ApplyCurrentFidAll(static_cast<int>(kind0), true);
            if (model->HasBoostTable())
                model->SetRatios(0, static_cast<int>(model->GetBoostOnRatio()));
            for (const std::string& line : registerLog.Lines()) {
                size_t at = line.find("KYIO_WriteMSR msr=");
                if (at == std::string::npos)
                    continue;
                unsigned msr = 0;
                unsigned long long value = 0;
                std::sscanf(line.c_str() + at, "KYIO_WriteMSR msr=0x%X value=0x%llX", &msr, &value);
                const bool pstateRegister = (msr >= 0xC0010064 && msr <= 0xC0010068) || msr == 0xC0010070;
                if (!pstateRegister || !meant.count(RegisterRatio(value))) {
                    bad = line;
                    break;
                }
            }
        } else {
            // Each ratio write must be the table word of the selected core.
            model->SetRatios(1, 0);
            model->SetRatios(0, 0);
            std::set<std::pair<DWORD, int>> meant;
            for (auto* table : {&turbo, &boost})
                for (size_t core = 0; core + 2 < table->size(); ++core)
                    meant.insert({kRatioItemId, static_cast<int>((*table)[core + 2])});
            bad = CheckBoardWrites(boardLog, items, cores, meant);
        }
        if (!bad.empty()) {
            std::printf("FAIL seed=%u: %s\n", seed, bad.c_str());
            ++failures;
        }
    }
    std::printf("seeds=%u failures=%d\n", static_cast<unsigned>(sizeof kSeeds / sizeof kSeeds[0]), failures);
    return failures == 0 ? 0 : 1;
}

namespace {

std::vector<std::string> ShippedFiles(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search =
        FindFirstFileA(zxtest::JoinPath(zxtest::JoinPath(zxtest::SourceDir(), folder), "*.ini").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

void ExpectChildPassed(const zxtest::ProcessResult& result, const std::string& what)
{
    EXPECT_TRUE(result.started) << what;
    EXPECT_FALSE(result.timedOut) << what;
    EXPECT_EQ(result.exitCode, 0u) << what << "\n" << result.output;
    EXPECT_NE(result.output.find("failures=0"), std::string::npos) << what << "\n" << result.output;
}

}  // namespace

TEST(HardwareSafety, RandomProfilesOnEveryBoardWriteOnlyInRangeMeantValues)
{
    auto boards = ShippedFiles("platform\\kyacpi\\boards");
    ASSERT_GE(boards.size(), 10u);
    for (const std::string& file : boards) {
        const std::string name = file.substr(0, file.size() - 4);
        auto board = zxtest::SimulatedBoard::FromShipped(name);
        ExpectChildPassed(zxtest::RunChild("fuzz_board", board.Env(), 120000), name);
    }
}

TEST(HardwareSafety, RandomTurboTablesOnEveryMachineWriteOnlyInRangeMeantValues)
{
    auto machines = ShippedFiles("platform\\kyio\\machines");
    ASSERT_GE(machines.size(), 4u);
    for (const std::string& machine : machines) {
        auto board = zxtest::SimulatedBoard::FromShipped("default");
        zxtest::TempFolder folder;
        const std::string machineFile = folder.File("machine.ini");
        ASSERT_TRUE(zxtest::WriteWholeFile(
            machineFile,
            zxtest::ReadWholeFile(zxtest::JoinPath(zxtest::SourceDir(), "platform\\kyio\\machines\\" + machine))));
        zxtest::Environment environment = board.Env();
        environment.push_back({"KYIO_MACHINE", machineFile});
        environment.push_back({"KYIO_LOG", folder.File("kyio.log")});
        ExpectChildPassed(zxtest::RunChild("fuzz_machine", environment, 120000), machine);
    }
}
