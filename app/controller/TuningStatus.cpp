#include "app/controller/TuningStatus.h"

#include "app/protocol/ZendrixMessages.h"
#include "tuning/TuningItems.h"
#include "turboInfo_Intel/BiosInterface.h"
#include "platform/kyacpi/KyAcpi.h"
#include "vessa/System/Source/WinRegistry.h"

void PostSettingsChanged(LPARAM lParam)
{
    PostMessageA(HWND_BROADCAST, RegisterWindowMessageA(kBroadcastMessageName), kBroadcastRefresh, lParam);
}

bool IsOxlenModeOn()
{
    int value = 0;
    return ReadItemValue(kPowerSavingSwitchId, &value) && value != 0;
}

bool HasBiosInfoLevel3()
{
    static const bool level3 = [] {
        AcpiOpen();
        int value = 0;  // stays 0 when nothing could be read
        if (ReadBiosInfoValues(&value, 1, 1) != 1)
            return false;
        return (static_cast<unsigned>(value) & 0xFF000000u) >= 0x03000000u;
    }();
    return level3;
}

void WriteCalibrationNeeded(DWORD value)
{
    vessa::RegAccessor key;
    if (key.Open(HKEY_CURRENT_USER, kCalibrationKey, true))
        key.WriteDword(kCalibrationValue, value);
}
