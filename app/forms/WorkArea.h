#pragma once
// Keeping windows reachable: a window or dialog that would reach past the
// work area (the screen less the task bar) of its monitor is moved back
// inside, up and left as far as needed but never past the area's top or
// left edge.

#include <windows.h>

// The work area of the monitor nearest to `bounds`.
RECT WorkAreaNear(const RECT& bounds);
// Where a window with `bounds` goes to lie inside `area` (its top-left).
POINT PlaceInside(const RECT& bounds, const RECT& area);
// The top-left for a `width` x `height` window wanted at (left, top).
POINT PlaceInsideWorkArea(int left, int top, int width, int height);
