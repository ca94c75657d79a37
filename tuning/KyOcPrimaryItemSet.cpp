#include "tuning/KyOcPrimaryItemSet.h"

#include <algorithm>
#include <iterator>
#include <memory>

#include "tuning/KyOcRatio.h"
#include "tuning/TuningBuild.h"
#include "tuning/TuningItems.h"
#include "vessa/System/Source/DebugTrace.h"

namespace {

// Slot of each fixed item index.
constexpr int kSlotIndexes[] = {kFsbItemIndex, kCoreVoltageItemIndex, kDramVoltageItemIndex, kNbCoreVoltageItemIndex};
constexpr int kSlotCount = sizeof kSlotIndexes / sizeof kSlotIndexes[0];

int SlotOf(DWORD id)
{
    for (int slot = 0; slot < kSlotCount; ++slot)
        if (BiosItemIndex(id) == kSlotIndexes[slot])
            return slot;
    return -1;
}

int FindFirst(const tagZxOcItemValue* records, int count, int index)
{
    for (int i = 0; i < count; ++i)
        if (BiosItemIndex(records[i].id) == index)
            return i;
    return -1;
}

bool IsRatioRecord(const tagZxOcItemValue& record)
{
    return BiosItemIndex(record.id) == kCpuRatioItemIndex;
}

// Writes one record when the item's current value can be read and differs.
void WriteItemRecord(const tagZxOcItemValue& record)
{
    int current = 0;
    if (!ReadItemValue(record.id, &current) || current == record.value)
        return;
    DebugTrace("%x  %d %d", static_cast<unsigned>(record.id), current, static_cast<int>(record.value));
    SetItemValue(record.id, record.value, kTuningWriteMode);
}

}  // namespace

KyOcPrimaryItemSet& KyOcPrimaryItemSet::GetInstance()
{
    static KyOcPrimaryItemSet* instance = new KyOcPrimaryItemSet();  // kept for the process
    return *instance;
}

KyOcPrimaryItemSet::KyOcPrimaryItemSet() : m_items(kFirstFreePosition, nullptr)
{
    AcpiOpen();
    Load();
}

void KyOcPrimaryItemSet::Load()
{
    GroupInfoTraverser traverser;
    if (!traverser.Open(kTuningGroup)) {
        MessageBoxA(nullptr, "Can not get any information from group 3", "AcOcItemSetBase", MB_OK);
        return;
    }
    for (; !traverser.IsEnd(); traverser.Next()) {
        std::unique_ptr<BiosItemA> item(traverser.CreateItem());
        if (!item || item->IsHidden() || !HasWritableValues(*item))
            continue;
        const DWORD id = item->GetId();
        if (tuningbuild::HasGraphicsSteps() && (id & 0xF0) == 0x60)
            m_hasGraphicsItem = true;
        const int slot = SlotOf(id);
        // A second item of a slot's index is listed like any other item.
        if (slot >= 0 && !m_items[slot]) {
            if (BiosItemFlags(id) == kBiosExtraStringsFlag) {
                char text[64];
                wsprintfA(text, "Item %x can not have extra string", static_cast<unsigned>(id));
                MessageBoxA(nullptr, text, "ZxAcpi", MB_OK);
            }
            m_items[slot] = item.release();
        } else {
            m_items.push_back(item.release());
        }
    }
}

BiosItemA* KyOcPrimaryItemSet::GetItem(int position) const
{
    if (position < 0 || position >= GetItemCount())
        return nullptr;
    return m_items[position];
}

bool KyOcPrimaryItemSet::Contains(DWORD id) const
{
    return Find(id) != nullptr;
}

const BiosItemA* KyOcPrimaryItemSet::Find(DWORD id) const
{
    auto found = std::find_if(m_items.begin(), m_items.end(),
                              [id](const BiosItemA* item) { return item && item->GetId() == id; });
    return found != m_items.end() ? *found : nullptr;
}

bool KyOcPrimaryItemSet::IsPelorusDriverInstalled() const
{
    return m_hasGraphicsItem && tuningbuild::IsPelorusDriverRegistered();
}

// Records come from profile files and stored profiles as well as from the
// program: only a visible item of this set, at an index of its own value
// list, may be written. CPU ratio records keep their places, since the k-th
// one is core k's; the ratio set skips a value outside its list.
bool KyOcPrimaryItemSet::IsMeant(const tagZxOcItemValue& record) const
{
    const KyOcRatio& ratio = KyOcRatio::GetInstance();
    if (IsRatioRecord(record))
        return ratio.GetItemId() != 0 && record.id == ratio.GetItemId() && !ratio.IsHidden();
    const BiosItemA* item = Find(record.id);
    return item && IsWritableIndex(*item, record.value);
}

void KyOcPrimaryItemSet::ApplyValues(const ZxOcItemValueList& values)
{
    ApplyInSafeOrder(values.data(), static_cast<int>(values.size()));
}

void KyOcPrimaryItemSet::ApplyInSafeOrder(const tagZxOcItemValue* records, int count)
{
    if (!records || count <= 0)
        return;
    ZxOcItemValueList meant;
    std::copy_if(records, records + count, std::back_inserter(meant),
                 [this](const tagZxOcItemValue& record) { return IsMeant(record); });
    const tagZxOcItemValue* list = meant.data();
    const int size = static_cast<int>(meant.size());

    const int fsb = FindFirst(list, size, kFsbItemIndex);
    const int ratio = FindFirst(list, size, kCpuRatioItemIndex);
    if (IsGoingDown(list, size, fsb)) {
        WriteFsbAndRatios(list, size, fsb, ratio);
        WriteTheRest(list, size);
    } else {
        WriteTheRest(list, size);
        WriteFsbAndRatios(list, size, fsb, ratio);
    }
}

// The clock goes down when FSB x ratio gets smaller. With no usable ratio
// (none listed, none on the board, or unreadable) the FSB alone decides;
// with no usable FSB (no record, no item, or an unreadable current value)
// the ratio alone decides, so that a lower ratio still goes before the
// voltages. With neither known it counts as "not going down".
bool KyOcPrimaryItemSet::IsGoingDown(const tagZxOcItemValue* records, int count, int fsb) const
{
    KyOcRatio& ratio = KyOcRatio::GetInstance();
    double newRatio = 0;
    bool listHasRatio = false;
    for (int i = 0; i < count; ++i) {
        if (!IsRatioRecord(records[i]))
            continue;
        if (ratio.IsInRange(records[i].value)) {  // others are not written
            const double value = ratio.IndexToValue(records[i].value);
            newRatio = listHasRatio ? std::max(newRatio, value) : value;
            listHasRatio = true;
        }
        if (!ratio.IsPerCore())
            break;  // one ratio for all cores: the first record
    }
    double currentRatio = 0;
    const bool ratioKnown =
        !ratio.IsHidden() && ratio.GetCoreCount() > 0 && listHasRatio && ratio.GetCurrentRatio(&currentRatio);

    BiosItemA* fsbItem = m_items[kFsbSlot];
    double currentFsb = 0;
    if (!fsbItem || fsb < 0 || !fsbItem->GetCurrentValue(&currentFsb))
        return ratioKnown && newRatio < currentRatio;
    const double newFsb = fsbItem->IndexToValue(records[fsb].value);
    if (!ratioKnown)
        return newFsb < currentFsb;
    return newFsb * newRatio < currentFsb * currentRatio;
}

void KyOcPrimaryItemSet::WriteFsbAndRatios(const tagZxOcItemValue* records, int count, int fsb, int ratio) const
{
    if (fsb >= 0)
        WriteItemRecord(records[fsb]);
    if (ratio < 0)
        return;
    std::vector<int> values;
    for (int i = 0; i < count; ++i)
        if (IsRatioRecord(records[i]))
            values.push_back(records[i].value);
    KyOcRatio::GetInstance().ApplyRatios(values);
}

void KyOcPrimaryItemSet::WriteTheRest(const tagZxOcItemValue* records, int count) const
{
    const bool graphicsStep = tuningbuild::HasGraphicsSteps();
    auto isRest = [graphicsStep](const tagZxOcItemValue& record) {
        const int index = BiosItemIndex(record.id);
        return index != kFsbItemIndex && index != kCpuRatioItemIndex &&
               !(graphicsStep && index == kGraphicsClockItemIndex);
    };
    auto writeOthers = [&] {
        for (int i = 0; i < count; ++i)
            if (isRest(records[i]))
                WriteItemRecord(records[i]);
    };
    const int graphics = graphicsStep ? FindFirst(records, count, kGraphicsClockItemIndex) : -1;
    if (graphics < 0) {
        writeOthers();
        return;
    }
    // The graphics clock goes first when it does not rise, else last.
    int current = 0;
    if (!ReadItemValue(kGraphicsClockItemId, &current))
        current = 0;
    if (static_cast<unsigned>(current) >= static_cast<unsigned>(records[graphics].value)) {
        WriteItemRecord(records[graphics]);
        writeOthers();
    } else {
        writeOthers();
        WriteItemRecord(records[graphics]);
    }
}
