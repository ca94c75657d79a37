#pragma once
// A stand-in for Shell_NotifyIconA that records every call and can fail a
// chosen message a number of times.

#include <windows.h>
#include <shellapi.h>

#include <vector>

namespace traytest {

struct ShellCall {
    DWORD message;
    NOTIFYICONDATAA record;
};

extern std::vector<ShellCall> g_calls;
extern int g_failuresLeft;  // calls of g_failingMessage that fail before one succeeds
extern DWORD g_failingMessage;

BOOL WINAPI RecordingShell(DWORD message, PNOTIFYICONDATAA data);
std::vector<DWORD> Messages();
// Forgets the calls and fails nothing.
void ResetShell();

}  // namespace traytest
