#pragma once
// A scalable figure that only keeps its box, and an LED shown by one: test
// stand-ins for the composite figure and the collectors.

#include "vessa/Component/LED/ScalableLED.h"

namespace figuretest {

struct BoxFigure : vessa::ScalableFigure {
    BoxFigure(int l, int t, int w, int h) : left(l), top(t), width(w), height(h), originalWidth(w), originalHeight(h) {}

    void Draw() override { ++draws; }
    void Erase() override {}
    void MoveBy(int dx, int dy) override
    {
        left += dx;
        top += dy;
    }
    int Left() const override { return left; }
    int Top() const override { return top; }
    int Width() const override { return width; }
    int Height() const override { return height; }
    void SetSize(int w, int h) override
    {
        width = w;
        height = h;
    }
    void ResetOriginal() override
    {
        originalWidth = width;
        originalHeight = height;
    }
    int OriginalWidth() const override { return originalWidth; }
    int OriginalHeight() const override { return originalHeight; }

    int left, top, width, height, originalWidth, originalHeight;
    int draws = 0;
};

// An LED of `states` states that counts how often its state was set.
struct BoxLED : vessa::ScalableLED {
    BoxLED(int l, int t, int w, int h, int states = 2) : ScalableLED(l, t), figure(l, t, w, h), stateCount(states) {}

    int StateCount() const override { return stateCount; }
    int State() const override { return state; }
    bool SetState(int s) override
    {
        ++sets;
        bool same = s == state;
        state = s;
        return same;
    }
    void Update() override { ++updates; }
    BoxFigure* GetFigure() override { return &figure; }

    BoxFigure figure;
    int stateCount;
    int state = 0;
    int sets = 0;
    int updates = 0;
};

}  // namespace figuretest
