#pragma once
// Small facts and notices around a change of the tuning settings that the
// controller's Apply and the power and remote commands share.

#include <windows.h>

// Registry value that the maker's calibration tool reads after an Apply.
constexpr char kCalibrationKey[] = "Software\\Merovan\\Brannock3\\Advance";
constexpr char kCalibrationValue[] = "CalibrationNeeded";

// lParam of the broadcast after a BIOS-stored profile was applied (else 0).
constexpr LPARAM kBroadcastAfterStoredProfile = 3;

// Posts the settings-changed broadcast (command "reread") to every top-level window.
void PostSettingsChanged(LPARAM lParam);

// The maker's power-saving mode: its switch reads as on. A failed read is off.
bool IsOxlenModeOn();

// The BIOS information level is 3 or more (top byte of entry 1 of the item
// library's information list). Read once per run; a failed read is "below 3".
bool HasBiosInfoLevel3();

// HKCU kCalibrationKey\kCalibrationValue := value (key created when missing).
void WriteCalibrationNeeded(DWORD value);
