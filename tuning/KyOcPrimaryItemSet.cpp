#include "tuning/KyOcPrimaryItemSet.h"

#include <algorithm>
#include <memory>

#include "tuning/KyOcRatio.h"
#include "tuning/TuningItems.h"
#include "vessa/System/Source/DebugTrace.h"
#ifndef ZXOCLIB_BUILD
#include "vessa/System/Source/WinRegistry.h"
#endif

namespace {

// Slot of each fixed item index.
constexpr int kSlotIndexes[] = {kFsbItemIndex, kCoreVoltageItemIndex, kDramVoltageItemIndex,
                                kNbCoreVoltageItemIndex};
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

bool IsRatioRecord(const tagZxOcItemValue& record) { return BiosItemIndex(record.id) == kCpuRatioItemIndex; }

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
        if (!item || item->IsHidden())
            continue;
        const DWORD id = item->GetId();
#ifndef ZXOCLIB_BUILD
        if ((id & 0xF0) == 0x60)
            m_hasGraphicsItem = true;
#endif
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
    return std::any_of(m_items.begin(), m_items.end(), [id](const BiosItemA* item) { return item && item->GetId() == id; });
}

#ifndef ZXOCLIB_BUILD
bool KyOcPrimaryItemSet::IsPelorusDriverInstalled() const
{
    if (!m_hasGraphicsItem)
        return false;
    vessa::RegReader key;
    std::string version;
    return key.Open(HKEY_LOCAL_MACHINE, "Software\\Merovan\\Pelorus Driver") && key.ReadString("Version", version);
}
#endif

void KyOcPrimaryItemSet::ApplyValues(const ZxOcItemValueList& values)
{
    ApplyInSafeOrder(values.data(), static_cast<int>(values.size()));
}

void KyOcPrimaryItemSet::ApplyInSafeOrder(const tagZxOcItemValue* records, int count)
{
    if (!records || count <= 0)
        return;
    const int fsb = FindFirst(records, count, kFsbItemIndex);
    const int ratio = FindFirst(records, count, kCpuRatioItemIndex);
    if (IsGoingDown(records, count, fsb)) {
        WriteFsbAndRatios(records, count, fsb, ratio);
        WriteTheRest(records, count);
    } else {
        WriteTheRest(records, count);
        WriteFsbAndRatios(records, count, fsb, ratio);
    }
}

// The clock goes down when FSB x ratio gets smaller (FSB alone when the list
// or the board has no usable ratio). Unknown current values count as "not
// going down".
bool KyOcPrimaryItemSet::IsGoingDown(const tagZxOcItemValue* records, int count, int fsb) const
{
    BiosItemA* fsbItem = m_items[kFsbSlot];
    double currentFsb = 0;
    if (!fsbItem || fsb < 0 || !fsbItem->GetCurrentValue(&currentFsb))
        return false;
    const double newFsb = fsbItem->IndexToValue(records[fsb].value);

    KyOcRatio& ratio = KyOcRatio::GetInstance();
    double newRatio = 0;
    bool listHasRatio = false;
    for (int i = 0; i < count; ++i) {
        if (!IsRatioRecord(records[i]))
            continue;
        const double value = ratio.IndexToValue(records[i].value);
        newRatio = listHasRatio ? std::max(newRatio, value) : value;
        listHasRatio = true;
        if (!ratio.IsPerCore())
            break;  // one ratio for all cores: the first record
    }
    double currentRatio = 0;
    if (ratio.IsHidden() || ratio.GetCoreCount() == 0 || !listHasRatio || !ratio.GetCurrentRatio(&currentRatio))
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
    auto isRest = [](const tagZxOcItemValue& record) {
        const int index = BiosItemIndex(record.id);
        return index != kFsbItemIndex && index != kCpuRatioItemIndex
#ifndef ZXOCLIB_BUILD
               && index != kGraphicsClockItemIndex
#endif
            ;
    };
    auto writeOthers = [&] {
        for (int i = 0; i < count; ++i)
            if (isRest(records[i]))
                WriteItemRecord(records[i]);
    };
#ifdef ZXOCLIB_BUILD
    writeOthers();
#else
    // The graphics clock goes first when it does not rise, else last.
    const int graphics = FindFirst(records, count, kGraphicsClockItemIndex);
    if (graphics < 0) {
        writeOthers();
        return;
    }
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
#endif
}

void WriteItemRecord(const tagZxOcItemValue& record)
{
    int current = 0;
    if (!ReadItemValue(record.id, &current) || current == record.value)
        return;
    DebugTrace("%x  %d %d", static_cast<unsigned>(record.id), current, static_cast<int>(record.value));
    SetItemValue(record.id, record.value, kTuningWriteMode);
}
