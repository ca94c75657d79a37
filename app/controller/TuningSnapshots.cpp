#include "app/controller/TuningSnapshots.h"

#include <vector>

#include "app/controller/TuningStatus.h"
#include "tuning/KyOcPrimaryItemSet.h"
#include "tuning/KyOcRatio.h"
#include "tuning/SysCtrlPipeClient.h"
#include "tuning/TuningItems.h"
#include "tuning/ZxOcItemProfile.h"
#include "turboInfo_Intel/BiosInterface.h"

namespace {

constexpr DWORD kBoardStatusItemId = 0x00060001;
constexpr int kRatioSnapshotBlockedBit = 0x40;
constexpr int kStoredProfileSlots = 3;

// Service states during which the service itself looks after the settings.
bool ServiceOwnsSettings(int state)
{
    return state == 1 || state == 2;
}

}  // namespace

bool TuningSnapshots::ServiceAllowsSnapshot()
{
    int state = 0;
    int detail = 0;
    return SysCtrlPipeClient::GetInstance().QueryState(&state, &detail) && !ServiceOwnsSettings(state);
}

bool TuningSnapshots::IsRatioSnapshotBlocked()
{
    int value = 0;
    return IsItemPresent(kBoardStatusItemId) && ReadItemValue(kBoardStatusItemId, &value) &&
           (value & kRatioSnapshotBlockedBit) != 0;
}

void TuningSnapshots::AppendRatios(ZxOcItemValueList& values)
{
    KyOcRatio& ratio = KyOcRatio::GetInstance();
    if (ratio.GetCoreCount() == 0)
        return;
    std::vector<int> ratios;
    ratio.ReadRatios(ratios);  // ends at the first core that cannot be read
    for (int value : ratios)
        values.push_back({ratio.GetItemId(), value});
}

void TuningSnapshots::SnapshotForSuspend()
{
    // Cleared before the service is asked: a snapshot of an earlier suspend
    // must not survive into a resume it does not belong to.
    m_suspendSnapshot.clear();
    if (!ServiceAllowsSnapshot())
        return;
    if (!IsRatioSnapshotBlocked())
        AppendRatios(m_suspendSnapshot);
    AppendVisibleTuningValues(m_suspendSnapshot);
}

void TuningSnapshots::ReapplyAfterResume()
{
    ZxOcItemValueList snapshot;
    snapshot.swap(m_suspendSnapshot);  // used at most once, written or not
    if (!ServiceAllowsSnapshot() || IsOxlenModeOn() || snapshot.empty())
        return;
    KyOcPrimaryItemSet::GetInstance().ApplyValues(snapshot);
}

void TuningSnapshots::OnProfileCommand(LPARAM command)
{
    if ((command & kProfileCommandTakeSnapshot) != 0)
        TakeMessageSnapshot();
    const int action = static_cast<int>(command & 0xFF);
    if (action == 0)
        ApplyMessageSnapshot();
    else if (action <= kStoredProfileSlots)
        ApplyBiosProfileSlot(action - 1);
}

void TuningSnapshots::TakeMessageSnapshot()
{
    m_messageSnapshot.clear();
    AppendRatios(m_messageSnapshot);
    AppendVisibleTuningValues(m_messageSnapshot);
}

void TuningSnapshots::ApplyMessageSnapshot()
{
    if (m_messageSnapshot.empty())
        return;
    ZxOcItemValueList snapshot;
    snapshot.swap(m_messageSnapshot);
    KyOcPrimaryItemSet::GetInstance().ApplyValues(snapshot);
    PostSettingsChanged(0);
}

void TuningSnapshots::ApplyBiosProfileSlot(int number)
{
    // The current settings with the stored profile laid over them; the
    // stored data is read only as far as the library says it returned.
    ZxOcItemProfile profile;
    if (!profile.ReadFromBios(number))
        return;
    SysCtrlPipeClient::GetInstance().NotifyChange(0, 0, 0);
    KyOcPrimaryItemSet::GetInstance().ApplyValues(profile.GetValues());
    PostSettingsChanged(kBroadcastAfterStoredProfile);
}

void TuningSnapshots::OnSetItemCommand(LPARAM value)
{
    // Another program's value is written only when it is one of the item's
    // values; the broadcast goes out in any case, as peers expect it.
    BiosItemA* fsb = KyOcPrimaryItemSet::GetInstance().GetItem(KyOcPrimaryItemSet::kFsbSlot);
    if (fsb != nullptr && fsb->GetId() == kFsbItemId && value >= 0 && value < fsb->GetValueCount())
        SetItemValue(kFsbItemId, static_cast<int>(value), kTuningWriteMode);
    PostSettingsChanged(0);
}
