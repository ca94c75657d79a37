#pragma once
// The root of every widget on the tuning pages. A widget is not a control
// itself: it places and drives controls that the main form (or a page
// panel) owns. The queries answer for the widget as a whole.

class AdvControl {
public:
    AdvControl() = default;
    virtual ~AdvControl();
    AdvControl(const AdvControl&) = delete;
    AdvControl& operator=(const AdvControl&) = delete;

    virtual int GetLeft() const { return 0; }
    virtual int GetTop() const { return 0; }
    virtual bool IsVisible() const { return false; }
    virtual void SetVisible(bool) {}
    virtual int GetHeight() const { return 0; }
};
