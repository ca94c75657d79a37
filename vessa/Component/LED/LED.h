#pragma once
// An LED: a state machine shown by one figure at one position. Derived LEDs
// say how many states there are and which figure shows the current one.

#include "vessa/Graphics/Figure/Figure.h"

namespace vessa {

class LED {
public:
    LED(int leftIn, int topIn) : left(leftIn), top(topIn) {}
    virtual ~LED() = default;

    virtual int StateCount() const = 0;
    virtual int State() const = 0;
    // True when `state` was already current.
    virtual bool SetState(int state) = 0;
    // Rebuilds the figure of the current state.
    virtual void Update() = 0;

    // The figure, moved to the LED's position first.
    virtual Figure* PlacedFigure()
    {
        Figure* figure = GetFigure();
        if (figure->Left() != left || figure->Top() != top)
            figure->MoveBy(left - figure->Left(), top - figure->Top());
        return figure;
    }
    virtual int Width() { return GetFigure()->Width(); }
    virtual int Height() { return GetFigure()->Height(); }
    virtual Figure* GetFigure() = 0;

    int left;
    int top;
};

}  // namespace vessa
