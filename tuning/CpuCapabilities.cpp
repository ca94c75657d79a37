// Vendor, signature and turbo-capability tests, and the model singleton.

#include "tuning/CpuModel.h"

#include <vector>

#include "tuning/CpuId.h"
#include "tuning/KyIOBinding.h"
#include "tuning/CpuTables.h"

namespace {

constexpr unsigned kAmdVendorEbx = 0x68747541;  // "Auth"
constexpr unsigned kAmdVendorEdx = 0x69746E65;  // "enti"
constexpr int kProgrammableTurboBit = 28;       // MSR 0xCE

// Built-in per-core turbo ratios (plain) of the two supported signatures.
const int kTurbo20655[] = {28, 27};
const int kTurbo106E5[] = {29, 28, 26, 26};

bool BuiltInTurboTable(int signature, const int** table, int* count)
{
    if (signature == 0x20655) {
        *table = kTurbo20655;
        *count = 2;
        return true;
    }
    if (signature == 0x106E5) {
        *table = kTurbo106E5;
        *count = 4;
        return true;
    }
    return false;
}

bool ComputeTurboBoostSupported()
{
    AcpiOpen();
    int cores = GetBiosCoreCount();
    BiosItemA* ratio = CreateGroupItem(3, BiosItemIndex(kRatioItemId));
    if (!ratio || ratio->IsHidden())
        cores = 0;
    delete ratio;
    if (cores == 0)
        return false;
    bool table = HasBiosTurboTable();
    if (IsAmdCpu()) {
        // The AMD feature works only through the registers.
        if (!HasRegisterAccess())
            LoadKyIO();
        return table && HasRegisterAccess();
    }
    if (table)
        return true;
    int signature = 0;
    return IsItemPresent(kPerCoreTurboItemId) && GetSupportedIntelSignature(&signature);
}

bool BuiltInTableMatches()
{
    int signature = 0;
    const int* table = nullptr;
    int count = 0;
    if (IsAmdCpu() || !GetSupportedIntelSignature(&signature) || !BuiltInTurboTable(signature, &table, &count))
        return false;
    BiosItemA* ratio = CreateGroupItem(3, BiosItemIndex(kRatioItemId));
    bool matches = ratio && !ratio->IsHidden() && count == GetBiosCoreCount() && IsItemPresent(kCoreSelectorItemId);
    for (int i = 0; matches && i < count; ++i) {
        double value = 0;
        matches = SetItemValueMode1(kCoreSelectorItemId, i) && ratio->GetCurrentValue(&value) &&
                  value == static_cast<double>(table[i]);
    }
    delete ratio;
    return matches;
}

bool ComputeTurboBoostEnabled()
{
    if (!IsTurboBoostSupported())
        return false;
    int status = 0;
    int sw = 0;
    if (IsItemPresent(kTurboStatusItemId) && IsItemPresent(kTurboSwitchItemId) &&
        ReadItemValue(kTurboStatusItemId, &status) && ReadItemValue(kTurboSwitchItemId, &sw) &&
        (status & kTurboEnableBit) && (sw & kTurboEnableBit))
        return true;
    return BuiltInTableMatches();
}

}  // namespace

bool IsAmdCpu()
{
    static const bool amd = [] {
        unsigned r[4] = {};
        CpuId(0, r);
        return r[1] == kAmdVendorEbx && r[3] == kAmdVendorEdx;
    }();
    return amd;
}

AMDPSTATUS* GetPStatus()
{
    static AMDPSTATUS* model = IsAmdCpu() ? new AMDPSTATUS() : new INTELPSTATUS();
    return model;
}

bool IsTurboBoostSupported()
{
    static const bool supported = ComputeTurboBoostSupported();
    return supported;
}

bool IsTurboBoostEnabled()
{
    static const bool enabled = ComputeTurboBoostEnabled();
    return enabled;
}

int GetLogicalProcessorCount()
{
    static const int count = [] {
        SYSTEM_INFO system;
        GetSystemInfo(&system);
        return static_cast<int>(system.dwNumberOfProcessors);
    }();
    return count;
}

bool GetSupportedIntelSignature(int* signature)
{
    AcpiOpen();
    LoadKyIO();
    unsigned r[4] = {};
    CpuId(11, r, 0);
    unsigned threads = r[1] & 0xFF;
    CpuId(11, r, 1);
    unsigned cores = threads != 0 ? r[1] / threads : r[1];

    std::uint64_t platformInfo = 0;
    ReadCoreMSR(0, 0xCE, &platformInfo);
    if (!(platformInfo & (1ull << kProgrammableTurboBit)))
        return false;

    CpuId(1, r);
    int s = static_cast<int>(r[0]);
    if (RatioItemBaseWord() == 0)
        return false;
    if ((s == 0x20655 && cores == 2) || (s == 0x106E5 && cores == 4)) {
        if (signature)
            *signature = s;
        return true;
    }
    return false;
}

bool HasBiosTurboTable()
{
    if (!IsItemPresent(kTurboTableItemId))
        return false;
    std::vector<std::uint32_t> words;
    return ReadTableWords(kTurboTableItemId, kAcpiPackageBufferSize, words) && words.size() > 1 &&
           words[1] != 0xFFFFFFFFu;
}

BiosItemA* CreateGroupItem(int group, int index)
{
    GroupInfoTraverser traverser;
    if (!traverser.Open(group))
        return nullptr;
    for (; !traverser.IsEnd(); traverser.Next()) {
        if (traverser.HasDescriptor() && BiosItemIndex(traverser.GetCurrentId()) == index)
            return traverser.CreateItem();
    }
    return nullptr;
}

int GetBiosCoreCount()
{
    BiosItemA* selector = CreateGroupItem(3, BiosItemIndex(kCoreSelectorItemId));
    int count = selector ? selector->GetValueCount() : 0;
    delete selector;
    return count;
}

float RatioOfIndex(const BiosItemA& ratioItem, int index)
{
    // A table word outside the item's number range is no ratio at all
    // (and would otherwise show a conversion box).
    const BiosNumberItemA* number = dynamic_cast<const BiosNumberItemA*>(&ratioItem);
    if (!number || index < number->GetExtraStringCount() || index >= number->GetValueCount())
        return 0;
    return static_cast<float>(2 * number->IndexToValue(index));
}
