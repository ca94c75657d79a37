#pragma once
// LED collectors: a row of LEDs (not owned) kept in order together with one
// figure that shows them all. The scalable collector's figure is a composite
// scalable figure that follows every LED added or removed.

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <vector>

#include "vessa/Component/LED/LED.h"
#include "vessa/Graphics/FigureBase/CompositeFigure.h"
#include "vessa/System/VessaAssert.h"

namespace vessa {

class LED_Collector {
public:
    virtual ~LED_Collector() = default;

    virtual void Add(LED* led) { m_LEDs.push_back(led); }
    // Takes out the first occurrence of `led`, if any.
    virtual void Remove(LED* led)
    {
        auto found = std::find(m_LEDs.begin(), m_LEDs.end(), led);
        if (found != m_LEDs.end())
            m_LEDs.erase(found);
    }
    // Inserts before position `index`; at the LED count it appends.
    virtual void Insert(LED* led, std::size_t index)
    {
        VESSA_ASSERT(index <= LEDCount());
        m_LEDs.insert(m_LEDs.begin() + static_cast<std::ptrdiff_t>(index), led);
    }
    virtual LED* RemoveAt(std::size_t index)
    {
        VESSA_ASSERT(index < LEDCount());
        LED* led = m_LEDs[index];
        m_LEDs.erase(m_LEDs.begin() + static_cast<std::ptrdiff_t>(index));
        return led;
    }
    virtual int Width() { return GetFigure()->Width(); }
    virtual int Height() { return GetFigure()->Height(); }
    // The figure, moved to the collector's position first.
    virtual Figure* PlacedFigure()
    {
        Figure* figure = GetFigure();
        if (figure->Left() != left || figure->Top() != top)
            figure->MoveBy(left - figure->Left(), top - figure->Top());
        return figure;
    }
    virtual Figure* GetFigure() = 0;

    std::size_t LEDCount() const { return m_LEDs.size(); }
    LED* GetLED(std::size_t indexOfLED) const
    {
        VESSA_ASSERT(indexOfLED < m_LEDs.size());
        return m_LEDs[indexOfLED];
    }
    const std::vector<LED*>& LEDs() const { return m_LEDs; }

    int left = 0;
    int top = 0;

protected:
    std::vector<LED*> m_LEDs;
};

class ScalableLED_Collector : public LED_Collector {
public:
    int Width() override { return GetFigure()->OriginalWidth(); }
    int Height() override { return GetFigure()->OriginalHeight(); }
    ScalableFigure* GetFigure() override = 0;
    // The size that later SetSize calls of the figure scale from.
    virtual void SetWidth(int width) = 0;
    virtual void SetHeight(int height) = 0;
};

// A collector whose composite figure holds the figures of its LEDs. Add and
// Remove fit the LED in at the original size and then scale everything back
// to the present size; Insert and RemoveAt change the figure as it stands.
template <class Base, class CompositeFig>
class BasicLED_Collector : public Base {
public:
    void Add(LED* led) override
    {
        Base::Add(led);
        AtOriginalSize([&] { m_figure.Add(Scalable(led)); });
    }
    void Remove(LED* led) override
    {
        Base::Remove(led);
        AtOriginalSize([&] { m_figure.Remove(Scalable(led)); });
    }
    void Insert(LED* led, std::size_t index) override
    {
        Base::Insert(led, index);
        m_figure.Add(Scalable(led));
    }
    LED* RemoveAt(std::size_t index) override
    {
        LED* led = Base::RemoveAt(index);
        m_figure.Remove(Scalable(led));
        return led;
    }

    CompositeFig* GetFigure() override { return &m_figure; }
    void SetWidth(int width) override
    {
        m_figure.SetOriginalBounds(RECT{this->left, this->top, this->left + width, this->top + this->Height()});
    }
    void SetHeight(int height) override
    {
        m_figure.SetOriginalBounds(RECT{this->left, this->top, this->left + this->Width(), this->top + height});
    }

private:
    static ScalableFigure* Scalable(LED* led)
    {
        auto* figure = dynamic_cast<ScalableFigure*>(led->PlacedFigure());
        VESSA_ASSERT(figure != nullptr);
        return figure;
    }

    // Runs `change` with the figure at its original size, then scales it
    // back to the size it had. A figure without an original size has
    // nothing to scale.
    template <class Change>
    void AtOriginalSize(Change change)
    {
        int width = m_figure.Width();
        int height = m_figure.Height();
        bool scalable = this->Width() > 0 && this->Height() > 0;
        if (scalable)
            m_figure.SetSize(this->Width(), this->Height());
        change();
        if (scalable && m_figure.OriginalWidth() > 0 && m_figure.OriginalHeight() > 0)
            m_figure.SetSize(width, height);
    }

    CompositeFig m_figure;
};

// Rebuilds the figures of all `leds` after their states changed.
template <class LEDPtr>
void UpdateAll(const std::vector<LEDPtr>& leds)
{
    for (LEDPtr led : leds)
        led->Update();
}

}  // namespace vessa
