#include "app/controller/BarValues.h"

#include "app/bars/AdvBar.h"
#include "tuning/ZxOcItemProfile.h"

ZxOcItemValueList BuildApplyList(const AdvBarList& bars)
{
    ZxOcItemValueList values;
    for (const AdvBar* bar : bars)
        if (bar != nullptr && bar->IsRead())  // a value the BIOS never reported is never written
            values.push_back({bar->GetItemId(), bar->GetPosition()});
    return values;
}

bool HasDangerousBar(const AdvBarList& bars)
{
    for (const AdvBar* bar : bars)
        if (bar != nullptr && bar->IsRead() && IsAboveWarningLevel(bar->GetItemId() & 0xFFFF, bar->GetPosition()))
            return true;
    return false;
}

bool HasPendingBar(const AdvBarList& bars)
{
    for (const AdvBar* bar : bars)
        if (bar != nullptr && bar->DiffersFromBios())
            return true;
    return false;
}

void RefreshBars(const AdvBarList& bars)
{
    for (AdvBar* bar : bars)
        if (bar != nullptr)
            bar->Refresh();
}

void SetOnChangeOfBars(const AdvBarList& bars, const TNotifyEvent& onChange)
{
    for (AdvBar* bar : bars)
        if (bar != nullptr)
            bar->SetOnChange(onChange);
}
