#pragma once
// Lets a control of the main window lose its hover look when the pointer
// leaves it over the main window: the control registers an outside test and
// a leave action, and the form feeds its mouse moves in. Registering another
// control first runs the leave action of the current one.

#include <windows.h>

#include "app/bars/BarHost.h"
#include "platform/vcl/Control.h"

class MouseLeaveTracker {
public:
    // Nothing happens when `control` is already tracked.
    void Set(TControl* control, const TOutsideTest& outside, const TLeaveAction& leave);
    // A WM_MOUSEMOVE of the form (client coordinates in `position`). Moves
    // with the left button down are drags and are ignored.
    void MouseMoved(WPARAM keys, LPARAM position);
    void Clear();

    TControl* Tracked() const { return m_control; }

private:
    TControl* m_control = nullptr;
    TOutsideTest m_outside;
    TLeaveAction m_leave;
};
