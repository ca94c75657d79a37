// The exported C functions of ZxOcLib.dll (names and ordinals in ZxOcLib.def).
// Each one only names its slot or file and hands over to the export layer.

#include "ocapi/ZxOcLib.h"

#include "ocapi/OcExportGuard.h"
#include "ocapi/OcItemAccess.h"
#include "ocapi/OcProfileAccess.h"

using ocapi::RunExport;
using ocapi::TuningSlot;

namespace {

int Query(TuningSlot slot, ItemInfo* info)
{
    return RunExport([&] { return ocapi::QuerySlotInfo(slot, info); });
}

int Get(TuningSlot slot, int* valueIndex)
{
    return RunExport([&] { return ocapi::GetSlotValue(slot, valueIndex); });
}

int Set(TuningSlot slot, int valueIndex)
{
    return RunExport([&] { return ocapi::SetSlotValue(slot, valueIndex); });
}

}  // namespace

extern "C" {

int WINAPI ZxOcQueryFsbFrquencyInfo(ItemInfo* info)
{
    return Query(TuningSlot::FsbFrequency, info);
}
int WINAPI ZxOcQueryDramVoltInfo(ItemInfo* info)
{
    return Query(TuningSlot::DramVoltage, info);
}
int WINAPI ZxOcQueryVcoreVoltInfo(ItemInfo* info)
{
    return Query(TuningSlot::CoreVoltage, info);
}
int WINAPI ZxOcQueryNbCoreVoltInfo(ItemInfo* info)
{
    return Query(TuningSlot::NbCoreVoltage, info);
}

int WINAPI ZxOcGetFsbFrquency(int* valueIndex)
{
    return Get(TuningSlot::FsbFrequency, valueIndex);
}
int WINAPI ZxOcGetDramVolt(int* valueIndex)
{
    return Get(TuningSlot::DramVoltage, valueIndex);
}
int WINAPI ZxOcGetVcoreVolt(int* valueIndex)
{
    return Get(TuningSlot::CoreVoltage, valueIndex);
}
int WINAPI ZxOcGetNbCoreVolt(int* valueIndex)
{
    return Get(TuningSlot::NbCoreVoltage, valueIndex);
}

int WINAPI ZxOcSetFsbFrquency(int valueIndex)
{
    return Set(TuningSlot::FsbFrequency, valueIndex);
}
int WINAPI ZxOcSetDramVolt(int valueIndex)
{
    return Set(TuningSlot::DramVoltage, valueIndex);
}
int WINAPI ZxOcSetVcoreVolt(int valueIndex)
{
    return Set(TuningSlot::CoreVoltage, valueIndex);
}
int WINAPI ZxOcSetNbCoreVolt(int valueIndex)
{
    return Set(TuningSlot::NbCoreVoltage, valueIndex);
}

int WINAPI ZxOcSaveCurrentDovrel(const char* path)
{
    return RunExport([&] { return ocapi::SaveCurrentSettings(path); });
}

int WINAPI ZxOcLoadProfile(const char* path)
{
    return RunExport([&] { return ocapi::LoadProfileFile(path); });
}

int WINAPI ZxOcIsOxlenMode(void)
{
    return RunExport([] { return ocapi::IsPowerSavingModeOn(); });
}

}  // extern "C"
