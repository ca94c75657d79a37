#pragma once
// Query, get and set of the four tuning items that the library addresses,
// by their slot in the primary item set, and the power-saving mode query.
// Results are the exports' own: 1 success, 0 failure.

#include "ocapi/ZxOcLib.h"

namespace ocapi {

// Positions in the primary item set.
enum class TuningSlot : int {
    FsbFrequency = 0,
    CoreVoltage = 1,
    DramVoltage = 2,
    NbCoreVoltage = 3,
};

// Fills the value range of the slot's item. 0 for an empty slot or a null
// record, which is then left untouched.
int QuerySlotInfo(TuningSlot slot, ItemInfo* info);

// The item's current value index; 0 when it cannot be read.
int GetSlotValue(TuningSlot slot, int* valueIndex);

// Writes a value index inside the item's range when it differs from the
// current one; then tells the system-control service and broadcasts.
int SetSlotValue(TuningSlot slot, int valueIndex);

// 1 when the power-saving switch reads and is non-zero.
int IsPowerSavingModeOn();

}  // namespace ocapi
