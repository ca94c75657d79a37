#pragma once
// What the recording stand-in of the layered-window entry points saw.

#include <windows.h>

struct RecordedLayeredCalls {
    int setAttributesCalls;
    HWND attributesWindow;
    COLORREF attributesKey;
    BYTE attributesAlpha;
    DWORD attributesFlags;

    int updateCalls;
    HWND updateWindow;
    POINT updateDestination;
    SIZE updateSize;
    COLORREF updateKey;
    BLENDFUNCTION updateBlend;
    DWORD updateFlags;
    int updateBitsPerPixel;  // of the bitmap selected into the source context
};

// Exported as "RecordedCalls": the one record, zeroed by "ResetRecordedCalls".
typedef RecordedLayeredCalls*(WINAPI* RecordedCallsFunction)();
typedef void(WINAPI* ResetRecordedCallsFunction)();
