#pragma once
// Window classes and the one window procedure of this module's copy of the
// library. Classes are registered per module (local classes), so Zendrix and
// Dovrel each register the classes of the windows they make; the object
// pointer sits in a window property both copies read, so a parent made by one
// module can reflect notifications to a child made by the other.

#include <windows.h>

#include <string>

#include "platform/vcl/Messages.h"

struct TCreateParams;
class TWinControl;

// The module this copy of the library is linked into.
HINSTANCE LibraryInstance();

// Registers `params.WinClassName` once for this module; returns the default
// procedure that DefaultHandler passes messages to (the system class's own
// procedure for superclassed controls, else DefWindowProc).
WNDPROC RegisterControlClass(const TCreateParams& params);

LRESULT CALLBACK StdWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

// Name of the window property that holds the control pointer.
extern const char* const kControlProperty;

// A window that is not a control (timers, the application window, menus):
// its messages go to `method`. HWND_MESSAGE windows see no broadcasts; the
// application window passes a class name and caption and is top-level.
HWND AllocateHWnd(const TWndMethod& method);
HWND AllocateTopLevelHWnd(const TWndMethod& method, const std::string& className, const std::string& caption);
void DeallocateHWnd(HWND window);

// Reports an exception caught where it must not go further (a window
// procedure, a timer) through the application object.
void HandleCaughtException(const char* what);
