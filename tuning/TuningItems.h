#pragma once
// BIOS items the tuning core knows by number.

#include <windows.h>

#include "platform/kyacpi/KyAcpi.h"

// Item indexes (low 16 bits of an id) within the tuning group.
constexpr int kTuningGroup = 3;
constexpr int kFsbItemIndex = 0x11;
constexpr int kCoreVoltageItemIndex = 0x12;
constexpr int kCpuRatioItemIndex = 0x13;
constexpr int kNbCoreVoltageItemIndex = 0x15;
constexpr int kDramVoltageItemIndex = 0x32;
constexpr int kGraphicsClockItemIndex = 0x60;
constexpr int kCoreSelectorItemIndex = 0xF0;
constexpr int kPerCoreTurboItemIndex = 0xF9;

// Writes: mode 2 for tuning values, mode 1 for the core selector and switches.
constexpr int kTuningWriteMode = kAcpiTuningWriteMode;

constexpr DWORD kCoreSelectorItemId = 0x030600F0;  // core number, or all cores
constexpr int kCoreSelectorAllCores = 255;
constexpr DWORD kDangerLimitItemId = 0x030600F1;  // read at an item's index
constexpr DWORD kPerCoreTurboItemId = 0x030600F9;
constexpr DWORD kGraphicsClockItemId = 0x03010060;
constexpr DWORD kTurboStatusItemId = 0x00060008;
constexpr DWORD kTurboSwitchItemId = 0x00060009;
constexpr DWORD kPowerSavingSwitchId = 0x0B060001;

// Group 5: the names and contents of the profiles stored in the BIOS.
constexpr int kProfileDataGroup = 5;
constexpr int kStoredProfileItemIndex = 2;
constexpr DWORD kStoredProfileItemId = 0x05080002;
