#pragma once
// Window classes and the one window procedure of this module's copy of the
// library. Classes are registered per module (local classes), so Zendrix and
// Dovrel each register the classes of the windows they make. The control
// object sits in the window's user data from the window's first message to
// WM_NCDESTROY, and every library class carries a mark in its class bytes,
// so either copy finds the control of the other's windows in constant time
// (a parent made by one module reflects notifications to a child made by the
// other) and never mistakes another window's user data for a control.

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

// Links a library window to its control (its first message) and unlinks it
// (when it goes); the control of a window of either module, or null.
void LinkWindow(HWND window, TWinControl* control, WNDPROC defaultProc);
void UnlinkWindow(HWND window);
TWinControl* ControlOfWindow(HWND window);

// A window that is not a control (timers, the application window, menus):
// its messages go to `method`. HWND_MESSAGE windows see no broadcasts; the
// application window passes a class name and caption and is top-level.
HWND AllocateHWnd(const TWndMethod& method);
HWND AllocateTopLevelHWnd(const TWndMethod& method, const std::string& className, const std::string& caption);
void DeallocateHWnd(HWND window);

// Reports an exception caught where it must not go further (a window
// procedure, a timer) through the application object.
void HandleCaughtException(const char* what);
