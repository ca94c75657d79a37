#pragma once
// LEDs whose figures scale: the scalable LED, and the composite LED that
// drives many child LEDs from one state through a state table.

#include <list>
#include <memory>

#include "vessa/Component/LED/LED.h"
#include "vessa/Graphics/FigureBase/CompositeFigure.h"
#include "vessa/System/VessaAssert.h"

namespace vessa {

// An LED shown by a scalable figure. Its size is the figure's original size.
class ScalableLED : public LED {
public:
    using LED::LED;

    ScalableFigure* PlacedFigure() override { return static_cast<ScalableFigure*>(LED::PlacedFigure()); }
    int Width() override { return GetFigure()->OriginalWidth(); }
    int Height() override { return GetFigure()->OriginalHeight(); }
    ScalableFigure* GetFigure() override = 0;

protected:
    // Makes `state` the one held in `current`; true when it already was.
    bool SelectState(int& current, int state) const
    {
        VESSA_ASSERT(state >= 0 && state < StateCount());
        if (state == current)
            return true;
        current = state;
        return false;
    }
};

// Which state each child of a composite LED shows for each composite state.
class LED_Director {
public:
    virtual ~LED_Director() = default;
    virtual int StateCount() const = 0;
    virtual int ChildState(int state, int childIndex) const = 0;
    // 1 when segment `segment` is lit in `state` (a child is a segment).
    int Segment(int state, int segment) const { return ChildState(state, segment); }
};

class CompositeScalableLED : public ScalableLED {
public:
    // The LED sits at (left, top); its figure's box is (0, 0) to the size.
    CompositeScalableLED(int leftIn, int topIn, int right, int bottom, const LED_Director* table)
        : ScalableLED(leftIn, topIn), m_figure(0, 0, right - leftIn, bottom - topIn), m_table(table)
    {
    }
    ~CompositeScalableLED() override = default;
    CompositeScalableLED(const CompositeScalableLED&) = delete;
    CompositeScalableLED& operator=(const CompositeScalableLED&) = delete;

    int StateCount() const override { return m_table->StateCount(); }
    int State() const override { return m_state; }

    // Gives every child its state from the table; draws nothing.
    bool SetState(int state) override
    {
        if (SelectState(m_state, state))
            return true;
        int index = 0;
        for (ScalableLED* child : m_children)
            child->SetState(m_table->ChildState(state, index++));
        return false;
    }

    void Update() override
    {
        for (ScalableLED* child : m_children)
            child->Update();
    }

    // Appends a child that stays its creator's; its placed figure must lie
    // inside the composite's box.
    void AddLED(ScalableLED* led)
    {
        m_children.push_back(led);
        m_figure.Add(led->PlacedFigure());
    }

    // Appends a child that this LED owns from now on.
    void AdoptLED(std::unique_ptr<ScalableLED> led)
    {
        AddLED(led.get());
        m_owned.push_back(std::move(led));
    }

    ScalableFigure* GetFigure() override { return &m_figure; }
    CompositeScalableFig* CompositeFigure() { return &m_figure; }
    const std::list<ScalableLED*>& Children() const { return m_children; }

private:
    int m_state = -1;
    std::list<ScalableLED*> m_children;
    CompositeScalableFig m_figure;
    const LED_Director* m_table;
    std::list<std::unique_ptr<ScalableLED>> m_owned;
};

}  // namespace vessa
