#pragma once
// What the controller does with the window's list of bars: the apply list,
// the danger test, the reread and the change wiring. Only a bar whose value
// was read from the BIOS takes part in an apply or in the danger test.

#include <vector>

#include "platform/vcl/Classes.h"
#include "tuning/ZxOcItemValue.h"

class AdvBar;

using AdvBarList = std::vector<AdvBar*>;

// One {item id, position} record per read bar, in list order.
ZxOcItemValueList BuildApplyList(const AdvBarList& bars);
// True at the first read bar whose position is past its item's danger limit.
bool HasDangerousBar(const AdvBarList& bars);
// True while some read bar's position differs from what the BIOS held at
// its last read: the settings are pending exactly then.
bool HasPendingBar(const AdvBarList& bars);
// Every bar rereads its item.
void RefreshBars(const AdvBarList& bars);
void SetOnChangeOfBars(const AdvBarList& bars, const TNotifyEvent& onChange);
