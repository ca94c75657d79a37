#pragma once
// The drag of a bar's dot, shared by the scroll bars (the dot runs along x,
// right raises) and the ratio bars (along y, up raises). The dot follows the
// pointer pixel by pixel within the track; the bar's position follows the
// nearest value and is announced only when it changes, so a click on the
// dot, or a drag back to where it began, announces nothing. The drag ends
// at the release, and also when the mouse capture goes elsewhere (a menu, a
// dialog, another program); the dot then snaps to its position.

#include <functional>

#include "platform/vcl/Control.h"

class AdvBar;

class DotDrag {
public:
    enum class Axis { kAlongX, kAlongY };

    // `showDot` repaints what follows the dot after it moved.
    DotDrag(AdvBar& bar, Axis axis, std::function<void()> showDot);

    // Watches `dot` for the loss of the mouse capture.
    void Attach(TControl* dot);

    // The dot's mouse events, client points of the dot.
    void Press(TMouseButton button, int x, int y);
    void Move(int x, int y);
    void Release() { End(); }
    // Ends a drag; the dot snaps to the position. Nothing without a drag.
    void End();
    bool IsDragging() const { return m_dragging; }

private:
    void DotMessage(TMessage& message);

    AdvBar& m_bar;
    Axis m_axis;
    std::function<void()> m_showDot;
    TControl* m_dot = nullptr;
    bool m_dragging = false;
    int m_grip = 0;  // where in the dot the press was, along the axis
};
