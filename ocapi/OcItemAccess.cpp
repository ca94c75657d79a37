#include "ocapi/OcItemAccess.h"

#include <cstring>

#include "ocapi/OcBroadcast.h"
#include "tuning/KyOcPrimaryItemSet.h"
#include "tuning/SysCtrlPipeClient.h"
#include "tuning/TuningItems.h"
#include "turboInfo_Intel/BiosInterface.h"

namespace ocapi {

namespace {

const BiosItemA* SlotItem(TuningSlot slot)
{
    return KyOcPrimaryItemSet::GetInstance().GetItem(static_cast<int>(slot));
}

// Copies the item's name, cut to fit, terminated, the rest of the field zero.
void CopyName(const char* name, char (&field)[ZXOC_ITEM_NAME_SIZE])
{
    std::memset(field, 0, sizeof field);
    if (name)
        std::strncpy(field, name, sizeof field - 1);
}

}  // namespace

int QuerySlotInfo(TuningSlot slot, ItemInfo* info)
{
    const BiosItemA* item = SlotItem(slot);
    if (!info || !item)
        return 0;

    ItemInfo filled{};
    const int count = item->GetValueCount();
    filled.minimumNumerator = 0;
    filled.minimumDenominator = 1;
    filled.stepNumerator = 0;
    filled.stepDenominator = 1;
    if (count >= 1) {
        int numerator = 0, denominator = 1;
        item->IndexToRational(0, &numerator, &denominator);
        filled.minimumNumerator = numerator;
        filled.minimumDenominator = denominator;
    }
    if (count >= 2) {
        // Only the numerators differ by one step; the step keeps the
        // denominator of position 1.
        int numerator = 0, denominator = 1;
        item->IndexToRational(1, &numerator, &denominator);
        filled.stepNumerator = numerator - filled.minimumNumerator;
        filled.stepDenominator = denominator;
    }
    CopyName(item->GetName(), filled.name);
    filled.valueCount = count;
    *info = filled;
    return 1;
}

int GetSlotValue(TuningSlot slot, int* valueIndex)
{
    const BiosItemA* item = SlotItem(slot);
    if (!valueIndex || !item)
        return 0;
    return item->GetCurrentIndex(valueIndex) ? 1 : 0;
}

int SetSlotValue(TuningSlot slot, int valueIndex)
{
    const BiosItemA* item = SlotItem(slot);
    if (!item)
        return 0;
    // The BIOS may take an index beyond the list; such a value would put the
    // hardware outside the range the maker describes.
    if (valueIndex < 0 || valueIndex >= item->GetValueCount())
        return 0;
    int current = 0;
    if (!item->GetCurrentIndex(&current) || current == valueIndex)
        return 0;
    if ((SetItemValue(item->GetId(), valueIndex, kTuningWriteMode) & 1) == 0)
        return 0;

    SysCtrlPipeClient::GetInstance().NotifyChange(0, 0, 0);  // the reply changes nothing here
    PostChangeBroadcast();
    return 1;
}

int IsPowerSavingModeOn()
{
    int value = 0;
    return ReadItemValue(kPowerSavingSwitchId, &value) && value != 0 ? 1 : 0;
}

}  // namespace ocapi
