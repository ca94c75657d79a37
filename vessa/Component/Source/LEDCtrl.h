#pragma once
// A control-level LED: a picture with a fixed number of states, shown on a
// control and moved with it.

namespace vessa {

class LEDCtrl {
public:
    virtual ~LEDCtrl() = default;
    virtual int StateCount() const = 0;
    virtual int State() const = 0;
    virtual void SetState(int state) = 0;
    virtual void Refresh() = 0;
    virtual void MoveBy(int dx, int dy) = 0;
    virtual int Left() const = 0;
    virtual int Top() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
};

}  // namespace vessa
