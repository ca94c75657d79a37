// Entry point of ZxOcLib.dll. Everything else is created on first use.

#include <windows.h>

#include "ocapi/OcBroadcast.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
        ocapi::RegisterBroadcastMessage();
    }
    return TRUE;
}
