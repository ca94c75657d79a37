#pragma once
// A drawable thing with a position and a size, and the bitmap figure base
// that keeps its position in two fields.

namespace vessa {

class Figure {
public:
    virtual ~Figure() = default;
    virtual void Draw() = 0;
    virtual void Erase() = 0;
    virtual void MoveBy(int dx, int dy) = 0;
    virtual int Left() const = 0;
    virtual int Top() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;

    // 1 when the owner's last state change found the state already current.
    unsigned char unchanged = 0;
};

class BitmapFigure : public Figure {
public:
    void MoveBy(int dx, int dy) override
    {
        left += dx;
        top += dy;
    }
    int Left() const override { return left; }
    int Top() const override { return top; }

    int left = 0;
    int top = 0;
};

}  // namespace vessa
