#include "app/forms/WorkArea.h"

#include <algorithm>

RECT WorkAreaNear(const RECT& bounds)
{
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoA(MonitorFromRect(&bounds, MONITOR_DEFAULTTONEAREST), &info))
        area = info.rcWork;
    return area;
}

POINT PlaceInside(const RECT& bounds, const RECT& area)
{
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    // The far edges first, so that a window larger than the area keeps its
    // top-left corner (the title and close button) inside.
    const int left = std::max<int>(area.left, std::min<int>(bounds.left, area.right - width));
    const int top = std::max<int>(area.top, std::min<int>(bounds.top, area.bottom - height));
    return POINT{left, top};
}

POINT PlaceInsideWorkArea(int left, int top, int width, int height)
{
    const RECT bounds{left, top, left + width, top + height};
    return PlaceInside(bounds, WorkAreaNear(bounds));
}
