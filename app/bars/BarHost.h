#pragma once
// What the bars and the profile box need of the window they are built on:
// the window itself (owner and parent of their controls), the hover
// tracking of the window's mouse moves, and the window's skin pictures. The
// main form is the program's host; tests build bars on hosts of their own.

#include "platform/vcl/Control.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/WinControl.h"

// (control, x, y relative to the control, outside) — sets outside to true
// when the point lies outside the control's live area.
using TOutsideTest = TClosure<TControl*, int, int, bool&>;
using TLeaveAction = TClosure<TControl*>;

// The host window's pictures: its face, the faces of its three sizes, the
// page pictures placed inside it and the profile box's drop-down parts.
enum class HostPicture {
    kBackground,
    kSmallBk,
    kMiddleBk,
    kLargeBk,
    kCoreBk,
    kGpuBk,
    kComboBoxBody,
    kComboBoxBottom,
};

class BarHost {
public:
    // The window the controls are made on.
    virtual TWinControl* Window() = 0;
    // From now on `leave` runs once the pointer, moving over the window,
    // leaves `control` as `outside` decides; replaces the control tracked.
    virtual void SetMouseTracker(TControl* control, const TOutsideTest& outside, const TLeaveAction& leave) = 0;
    // Null when the host has no such picture.
    virtual TImage* Picture(HostPicture which) = 0;

protected:
    ~BarHost() = default;
};
