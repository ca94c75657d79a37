// The Intel CPU model: per-core turbo ratios as BIOS items, the turbo ratio
// limits, and the ratio each core runs at, measured from its busy clock.

#include "tuning/CpuModel.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

#include "tuning/CpuId.h"
#include "tuning/CpuTables.h"
#include "tuning/KyIOBinding.h"

namespace {

constexpr unsigned kPlatformInfoMsr = 0xCE;
constexpr unsigned kTurboRatioLimitMsr = 0x1AD;
constexpr unsigned kPerfStatusMsr = 0x199;
constexpr unsigned kFixedCounterControlMsr = 0x38D;
constexpr unsigned kGlobalControlMsr = 0x38F;
constexpr unsigned kBusyClockMsr = 0x30A;
constexpr int kTableBytes = 64;
constexpr DWORD kMeasureMs = 100;
constexpr std::uint64_t kBusClock = 133;  // 100 kHz units over the 100 ms window

int LowestProcessor(DWORD_PTR mask)
{
    for (int bit = 0; bit < 32; ++bit) {
        if (mask & (static_cast<DWORD_PTR>(1) << bit))
            return bit;
    }
    return -1;
}

// The fallback per-core tables (value indexes) of the two supported
// signatures, relative to the ratio item's base.
struct FallbackTables {
    int signature;
    int cores;
    int kind1[4];
    int kind0[4];
};
const FallbackTables kFallbacks[] = {
    {0x20655, 2, {28, 27}, {26, 25}},
    {0x106E5, 4, {29, 28, 26, 26}, {27, 26, 24, 24}},
};

// Refresh keeps the last non-empty turbo assignment between calls.
DWORD g_lastTurboMask = 0;
int g_lastTurboCount = 0;

}  // namespace

INTELPSTATUS::INTELPSTATUS()
{
    LoadKyIO();
    AcpiOpen();
    std::uint64_t platformInfo = 0;
    ReadCoreMSR(0, kPlatformInfoMsr, &platformInfo);
    m_defaultRatio = static_cast<float>((platformInfo >> 8) & 0xFF);
    // Until the first measurement every core runs at the default ratio.
    std::fill(std::begin(m_currentRatio), std::end(m_currentRatio), static_cast<int>(m_defaultRatio));

    int cores = std::min(GetCoreCount(), kModelCores);
    std::vector<std::uint32_t> turbo;
    std::vector<std::uint32_t> base;
    if (IsItemPresent(kTurboTableItemId) && IsItemPresent(kBoostTableItemId)) {
        bool read = ReadTableWords(kTurboTableItemId, kTableBytes, turbo) &&
                    ReadTableWords(kBoostTableItemId, kTableBytes, base);
        for (int k = 0; read && k < cores; ++k) {
            size_t word = static_cast<size_t>(2 + k);
            if (word >= turbo.size() || word >= base.size())
                break;
            m_kind1Table[k] = static_cast<int>(turbo[word]);
            m_kind0Table[k] = static_cast<int>(base[word]);
            m_tableCores = k + 1;
        }
    } else {
        FillFallbackTables();
    }

    ReadTurboRatioLimits();
    BuildCoreMap();
}

bool INTELPSTATUS::FillFallbackTables()
{
    int signature = 0;
    if (!GetSupportedIntelSignature(&signature))
        return false;
    int base = RatioItemBaseWord();
    for (const FallbackTables& fallback : kFallbacks) {
        if (fallback.signature != signature)
            continue;
        for (int k = 0; k < fallback.cores; ++k) {
            m_kind1Table[k] = fallback.kind1[k] - base;
            m_kind0Table[k] = fallback.kind0[k] - base;
        }
        m_tableCores = fallback.cores;
        return true;
    }
    return false;
}

void INTELPSTATUS::ReadTurboRatioLimits()
{
    std::uint64_t limits = 0;
    ReadCoreMSR(0, kTurboRatioLimitMsr, &limits);
    for (int i = 0; i < kTurboLimitCount; ++i)
        m_turboLimits[i] = static_cast<int>((limits >> (8 * i)) & 0xFF);
}

void INTELPSTATUS::BuildCoreMap()
{
    for (int i = 0; i < kModelCores; ++i) {
        m_coreMap[i] = 0;
        m_coreList[i] = 0;
    }
    m_coreListSize = 0;
    unsigned r[4] = {};
    CpuId(1, r);
    int shift = (r[3] >> 28) & 1;
    int processors = std::min(GetLogicalProcessorCount(), 32);
    for (int p = 0; p < processors; ++p) {
        if (!PinThreadToCore(p))
            continue;
        CpuId(1, r);
        unsigned id = (r[1] >> 24) >> shift;
        // Physical ids past the table are not provided for.
        if (id >= static_cast<unsigned>(kModelCores) || m_coreMap[id] != 0)
            continue;
        m_coreMap[id] = static_cast<DWORD_PTR>(1) << p;
        if (m_coreListSize < kModelCores)
            m_coreList[m_coreListSize++] = static_cast<int>(id);
    }
}

int INTELPSTATUS::GetScaleBase()
{
    return 12;
}
int INTELPSTATUS::GetCoreCount()
{
    return GetBiosCoreCount();
}

float INTELPSTATUS::GetCurrentRatio(int core)
{
    const int assigned = core >= 0 && core < kModelCores ? m_currentRatio[core] : static_cast<int>(m_defaultRatio);
    int processor = LowestProcessor(GetCoreMask(core));
    if (processor < 0)  // no processor of this core was found: nothing to read
        return static_cast<float>(2 * assigned);
    std::uint64_t status = 0;
    ReadCoreMSR(processor, kPerfStatusMsr, &status);
    int ratio = static_cast<int>(static_cast<std::uint32_t>(status));  // the whole low half, as the BIOS tools do
    if (ratio > m_defaultRatio)
        ratio = assigned;
    return static_cast<float>(2 * ratio);
}

float INTELPSTATUS::GetMaxRatio()
{
    return (m_defaultRatio + 2) * 2;
}
float INTELPSTATUS::GetDefaultRatio()
{
    return m_defaultRatio * 2;
}
float INTELPSTATUS::GetTurboRatio()
{
    return (m_defaultRatio + 2) * 2;
}

int INTELPSTATUS::GetKindTableEntry(int kind, int core) const
{
    if (core < 0 || core >= kModelCores)
        return 0;
    return kind == 1 ? m_kind1Table[core] : m_kind0Table[core];
}

DWORD_PTR INTELPSTATUS::GetCoreMask(int position) const
{
    if (position < 0 || position >= m_coreListSize)
        return 0;
    return m_coreMap[m_coreList[position]];
}

void INTELPSTATUS::SetRatios(int kind, int)
{
    if (kind != 0 && kind != 1)
        return;
    if (m_tableCores == 0 || !IsItemPresent(kPerCoreTurboItemId))
        return;
    // The table words come from the BIOS as they are: each is checked
    // against the ratio item's list before it may reach the item.
    std::unique_ptr<BiosItemA> ratioItem(CreateGroupItem(kTuningGroup, kCpuRatioItemIndex));
    if (!ratioItem || ratioItem->GetId() != kRatioItemId)
        return;
    const int* table = kind == 1 ? m_kind1Table : m_kind0Table;
    const int cores = std::min(std::min(GetCoreCount(), kModelCores), m_tableCores);
    int last = -1;
    for (int i = 0; i < cores; ++i) {
        if (!IsWritableIndex(*ratioItem, table[i]))
            continue;
        SetItemValue(kCoreSelectorItemId, i, kTuningWriteMode);
        SetItemValue(kRatioItemId, table[i], kTuningWriteMode);
        last = table[i];
    }
    if (last >= 0) {
        SetItemValue(kCoreSelectorItemId, kCoreSelectorAllCores, kTuningWriteMode);
        SetItemValue(kRatioItemId, last, kTuningWriteMode);
    }
}

bool INTELPSTATUS::WritePStateFid(int, float, int)
{
    return false;
}

int INTELPSTATUS::MeasureCore(int position)
{
    int defaultRatio = static_cast<int>(m_defaultRatio);
    int processor = LowestProcessor(GetCoreMask(position));
    std::uint64_t value = 0;
    if (processor < 0 || !ReadCoreMSR(processor, kFixedCounterControlMsr, &value))
        return defaultRatio;
    WriteCoreMSR(processor, kFixedCounterControlMsr, value | 0xFFF);
    value = 0;
    ReadCoreMSR(processor, kGlobalControlMsr, &value);
    WriteCoreMSR(processor, kGlobalControlMsr, (value & 0xFFFFFFFF00000000ull) | (7ull << 32));
    WriteCoreMSR(processor, kBusyClockMsr, 0);
    std::uint64_t c0 = 0;
    std::uint64_t c1 = 0;
    ReadCoreMSR(processor, kBusyClockMsr, &c0);
    Sleep(kMeasureMs);
    ReadCoreMSR(processor, kBusyClockMsr, &c1);
    long long ratio = static_cast<long long>(((c1 - c0) / 1000000) * 10 / kBusClock);
    return static_cast<int>(std::max<long long>(ratio, defaultRatio));
}

int INTELPSTATUS::Refresh()
{
    ReadTurboRatioLimits();
    int cores = std::min(GetCoreCount(), kModelCores);
    DWORD mask = 0;
    int count = 0;
    for (int j = 0; j < cores; ++j) {
        if (MeasureCore(j) > m_defaultRatio) {
            mask |= 1u << j;
            ++count;
        }
    }
    if (count == 0) {
        mask = g_lastTurboMask;
        count = g_lastTurboCount;
    }
    // More active cores than limits use the last limit.
    int limit = m_turboLimits[std::min(std::max(count, 1), kTurboLimitCount) - 1];
    for (int j = 0; j < cores; ++j)
        m_currentRatio[j] = (mask & (1u << j)) ? limit : static_cast<int>(m_defaultRatio);
    g_lastTurboMask = mask;
    g_lastTurboCount = count;
    return count;
}
