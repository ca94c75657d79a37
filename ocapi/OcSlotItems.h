#pragma once
// The tuning items the library addresses, as the primary item set holds them:
// the visible group-3 items, four of them in fixed slots.

#include <windows.h>

#include "ocapi/OcItemAccess.h"
#include "turboInfo_Intel/BiosInterface.h"

namespace ocapi {

// The slot's item; null when the slot is empty. Owned by the set.
const BiosItemA* SlotItem(TuningSlot slot);

}  // namespace ocapi
