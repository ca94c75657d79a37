#pragma once
// What the program checks before any window exists: a conflicting tuning
// state reported by the BIOS, a running instance, and a pending reboot of
// the maker's setup.

#include <windows.h>

#include <string>

#include "vessa/System/Source/WinRegistry.h"

// The RunOnce key and value the maker's setup leaves while it waits for a reboot.
constexpr char kRunOnceKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\";
constexpr char kRebootPendingValue[] = "MBAP_REBOOT";
// Text keys of the language files.
constexpr char kTextAskReboot[] = "AskReboot";
constexpr char kTextTuningConflict[] = "ZeraConfict";

// Status items whose bit 2 both set means the BIOS is in a tuning state the
// program must not work against.
constexpr DWORD kConflictStatusItemA = 0x00060008;
constexpr DWORD kConflictStatusItemB = 0x00060009;
constexpr int kConflictBit = 0x04;

// True when both status items exist, read, and have the conflict bit. A
// missing item or a failed read counts as no conflict.
bool CheckTuningConflict();

// Creates and keeps the single-instance mutex. False when another instance
// already holds it: that instance's main window, when found, is woken with
// the hand-off message.
bool TakeSingleInstance();

// Opens `key` (HKLM RunOnce) with full access, without creating it, and
// tells whether the reboot value reads as a string. A key that cannot be
// opened means no reboot is pending. The caller keeps `key` open.
bool IsRebootPending(vessa::RegAccessor& key);

// Whether `commandLine` (as GetCommandLineA gives it, program name first)
// holds the switch "-<switchChar>", compared without regard to case. Only
// "-" introduces a switch; quoted arguments count as one.
bool HasCommandLineSwitch(const std::string& commandLine, char switchChar);

// A start-up notice: the text of `key` from the language files, without an
// owner window, captioned with the program's name, OK only.
void ShowStartupText(const char* key);
