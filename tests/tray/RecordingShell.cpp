#include "RecordingShell.h"

namespace traytest {

std::vector<ShellCall> g_calls;
int g_failuresLeft = 0;
DWORD g_failingMessage = NIM_ADD;

BOOL WINAPI RecordingShell(DWORD message, PNOTIFYICONDATAA data)
{
    g_calls.push_back({message, *data});
    if (message == g_failingMessage && g_failuresLeft > 0) {
        --g_failuresLeft;
        return FALSE;
    }
    return TRUE;
}

std::vector<DWORD> Messages()
{
    std::vector<DWORD> messages;
    for (const ShellCall& call : g_calls)
        messages.push_back(call.message);
    return messages;
}

void ResetShell()
{
    g_calls.clear();
    g_failuresLeft = 0;
    g_failingMessage = NIM_ADD;
}

}  // namespace traytest
