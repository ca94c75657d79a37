#include "ocapi/OcBroadcast.h"

#include <windows.h>

#include "ocapi/ZxOcLib.h"

namespace ocapi {

namespace {

UINT g_broadcastMessage = 0;

}  // namespace

void RegisterBroadcastMessage()
{
    g_broadcastMessage = RegisterWindowMessageA(ZXOC_BROADCAST_MESSAGE_NAME);
}

void PostChangeBroadcast()
{
    // A failed registration leaves 0, and message 0 must never be broadcast.
    if (g_broadcastMessage == 0)
        return;
    PostMessageA(HWND_BROADCAST, g_broadcastMessage, ZXOC_BROADCAST_WPARAM, 0);
}

}  // namespace ocapi
