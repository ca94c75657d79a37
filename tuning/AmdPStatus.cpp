// The AMD CPU model: P-state registers, the current-FID control and the
// ratio tables the BIOS reports. Also the operations both models share.

#include "tuning/CpuModel.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tuning/CpuId.h"
#include "tuning/CpuTables.h"
#include "tuning/KyIOBinding.h"

namespace {

constexpr unsigned kPStateMsr = 0xC0010064;  // + P-state 0..4
constexpr unsigned kCofVidControlMsr = 0xC0010070;
constexpr unsigned kCofVidStatusMsr = 0xC0010071;
constexpr int kStatusPState = 13;
constexpr std::uint64_t kFidMask = 0x3F;
constexpr std::uint64_t kForceBit = 1ull << 16;
constexpr int kTableBytes = 64;

int DivisorShift(std::uint64_t value)
{
    return static_cast<int>((value >> 6) & 3);
}

float RatioOfRegister(std::uint64_t value)
{
    return static_cast<float>((value & kFidMask) + 16) / static_cast<float>(1 << DivisorShift(value));
}

// The register with its FID set for `ratio` at the register's own divisor;
// false when the FID field cannot express it exactly (a half step at
// divisor 0, or out of the field's range).
bool WithFid(std::uint64_t value, float ratio, std::uint64_t* result)
{
    const double scaled = static_cast<double>(ratio) * (1 << DivisorShift(value));
    if (!(ratio > 0) || scaled != std::floor(scaled))
        return false;
    const long long fid = static_cast<long long>(scaled) - 16;
    if (fid < 0 || fid > static_cast<long long>(kFidMask))
        return false;
    *result = (value & ~kFidMask) | static_cast<std::uint64_t>(fid);
    return true;
}

BiosItemA* CreateRatioItem()
{
    return CreateGroupItem(3, BiosItemIndex(kRatioItemId));
}

}  // namespace

AMDPSTATUS::AMDPSTATUS()
{
    if (!IsAmdCpu())
        return;  // the Intel constructor goes on
    LoadKyIO();
    AcpiOpen();
    BiosItemA* ratioItem = CreateRatioItem();
    if (!ratioItem || ratioItem->GetId() != kRatioItemId) {
        delete ratioItem;
        return;
    }
    const BiosItemA& item = *ratioItem;
    // A table word that is no value index of the ratio item gives no ratio
    // (0), which no register write takes.
    auto v = [&](const std::vector<std::uint32_t>& words, size_t k) {
        const int index = k < words.size() ? static_cast<int>(words[k]) : -1;
        return IsWritableIndex(item, index) ? RatioOfIndex(item, index) : 0.0f;
    };

    std::vector<std::uint32_t> turbo;
    if (ReadTableWords(kTurboTableItemId, kTableBytes, turbo)) {
        m_pstateTable[10] = v(turbo, 1);
        m_pstateTable[0] = v(turbo, 2);
        m_pstateTable[1] = v(turbo, 3);
        m_pstateTable[2] = v(turbo, 4);
        for (int entry = 3; entry <= 7; ++entry)
            m_pstateTable[entry] = v(turbo, 5);
        m_pstateTable[8] = v(turbo, 6);
        m_pstateTable[9] = v(turbo, 7);
        for (size_t k = 1; k <= 7; ++k)
            m_maxRatio = std::max(m_maxRatio, v(turbo, k));
    }
    m_defaultRatio = IsWritableIndex(item, item.GetInfoValue()) ? RatioOfIndex(item, item.GetInfoValue()) : 0.0f;

    std::vector<std::uint32_t> boost;
    if (ReadTableWords(kBoostTableItemId, kTableBytes, boost) && boost.size() > 8 && boost[1] < 0xFFFF &&
        boost[8] < 0xFFFF) {
        m_pstateTable[11] = v(boost, 1);
        m_pstateTable[12] = v(boost, 8);
        m_maxRatio = std::max(m_maxRatio, m_pstateTable[11]);
    }
    delete ratioItem;
}

int AMDPSTATUS::GetScaleBase()
{
    return 8;
}

int AMDPSTATUS::GetCoreCount()
{
    if (!IsAmdCpu())
        return 0;
    static int cached = 0;  // kept once above 0
    if (cached > 0)
        return cached;
    unsigned r[4] = {};
    CpuId(0x80000008, r);
    cached = static_cast<int>(r[2] & 0xFF) + 1;
    return cached;
}

float AMDPSTATUS::GetCurrentRatio(int core)
{
    std::uint64_t status = 0;
    if (!ReadCoreMSR(core, kCofVidStatusMsr, &status))
        return 0;
    return RatioOfRegister(status);
}

float AMDPSTATUS::GetMaxRatio()
{
    return m_maxRatio;
}
float AMDPSTATUS::GetDefaultRatio()
{
    return m_defaultRatio;
}
float AMDPSTATUS::GetTurboRatio()
{
    return m_turboRatio;
}

float AMDPSTATUS::GetTableRatio(int kind, int core)
{
    switch (kind) {
    case 1:
        return core >= 0 && core < kModelCores ? m_pstateTable[core] : 0;
    case 2:
        return m_pstateTable[8];
    case 3:
        return m_pstateTable[9];
    default:
        return m_pstateTable[10];
    }
}

void AMDPSTATUS::SetRatios(int a, int b)
{
    if (a < 0 || a > 4)
        return;
    for (int core = 0; core < GetCoreCount(); ++core)
        WritePStateFid(a, b, core);
}

bool AMDPSTATUS::WritePStateFid(int pstate, float ratio, int core)
{
    if (!IsAmdCpu() || pstate < 0 || pstate > 4)
        return false;
    std::uint64_t value = 0;
    std::uint64_t changed = 0;
    if (!ReadCoreMSR(core, kPStateMsr + pstate, &value) || !WithFid(value, ratio, &changed))
        return false;
    if (changed == value)
        return true;  // already there: the decision thread repeats its ratios four times a second
    return WriteCoreMSR(core, kPStateMsr + pstate, changed);
}

int AMDPSTATUS::Refresh()
{
    return 0;
}

float AMDPSTATUS::ReadPStateRatio(int pstate, int core)
{
    if (!IsAmdCpu() || !((pstate >= 0 && pstate <= 4) || pstate == kStatusPState))
        return 0;
    unsigned msr = pstate == kStatusPState ? kCofVidStatusMsr : kPStateMsr + pstate;
    std::uint64_t value = 0;
    if (!ReadCoreMSR(core, msr, &value))
        return 0;
    return RatioOfRegister(value);
}

bool AMDPSTATUS::IsCoreBoostSupported()
{
    // A property of the processor: asked once.
    static const bool supported = [] {
        unsigned r[4] = {};
        CpuId(0x80000007, r);
        return (r[3] & (1u << 9)) != 0;
    }();
    return supported;
}

void AMDPSTATUS::ApplyCurrentFid(float ratio, int core, bool force)
{
    std::uint64_t status = 0;
    if (!ReadCoreMSR(core, kCofVidStatusMsr, &status))
        return;
    int current = static_cast<int>((status >> 16) & 7);
    int target = IsCoreBoostSupported() ? 1 : 0;
    if (!force || current != target)
        return;
    std::uint64_t control = 0;
    std::uint64_t changed = 0;
    if (!ReadCoreMSR(core, kCofVidControlMsr, &control) || !WithFid(control, ratio, &changed))
        return;
    // The forced write makes the core take the FID now; the second leaves
    // the control register as it was apart from the FID.
    if (WriteCoreMSR(core, kCofVidControlMsr, changed | kForceBit))
        WriteCoreMSR(core, kCofVidControlMsr, changed);
}

void AMDPSTATUS::ApplyCurrentFidAll(int ratio, bool force)
{
    if (!IsAmdCpu())
        return;
    for (int core = 0; core < GetCoreCount(); ++core)
        ApplyCurrentFid(ratio, core, force);
}

void AMDPSTATUS::SetTurboInBios(bool on)
{
    int status = 0;
    ReadItemValue(kTurboStatusItemId, &status);
    if (!(status & kTurboEnableBit))
        return;
    // Writing back a value that was never read would clobber the other bits.
    int value = 0;
    if (!ReadItemValue(kTurboSwitchItemId, &value))
        return;
    value = on ? (value | kTurboEnableBit) : (value & ~kTurboEnableBit);
    SetItemValueMode1(kTurboSwitchItemId, value);
}
