// Records the layered-window calls instead of making them.

#include <cstring>

#include "RecordingUser32.h"

namespace {
RecordedLayeredCalls g_calls;
}

extern "C" {

BOOL WINAPI RecordSetLayeredWindowAttributes(HWND window, COLORREF key, BYTE alpha, DWORD flags)
{
    ++g_calls.setAttributesCalls;
    g_calls.attributesWindow = window;
    g_calls.attributesKey = key;
    g_calls.attributesAlpha = alpha;
    g_calls.attributesFlags = flags;
    return TRUE;
}

BOOL WINAPI RecordUpdateLayeredWindow(HWND window, HDC, POINT* destination, SIZE* size, HDC source, POINT*,
                                      COLORREF key, BLENDFUNCTION* blend, DWORD flags)
{
    ++g_calls.updateCalls;
    g_calls.updateWindow = window;
    g_calls.updateDestination = destination != nullptr ? *destination : POINT{-1, -1};
    g_calls.updateSize = size != nullptr ? *size : SIZE{-1, -1};
    g_calls.updateKey = key;
    g_calls.updateBlend = blend != nullptr ? *blend : BLENDFUNCTION{};
    g_calls.updateFlags = flags;
    BITMAP info{};
    HGDIOBJ selected = GetCurrentObject(source, OBJ_BITMAP);
    g_calls.updateBitsPerPixel = GetObjectA(selected, sizeof info, &info) != 0 ? info.bmBitsPixel : 0;
    return TRUE;
}

RecordedLayeredCalls* WINAPI RecordedCalls()
{
    return &g_calls;
}

void WINAPI ResetRecordedCalls()
{
    std::memset(&g_calls, 0, sizeof g_calls);
}

}  // extern "C"
