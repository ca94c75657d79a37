#pragma once
// Bringing a window to the front even when another process owns the
// foreground.

#include <windows.h>

namespace vessa {

void ForceForegroundWindow(HWND window);

}  // namespace vessa
