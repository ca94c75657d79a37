#pragma once
// An LED with one bitmap per state. Its figure shows a private copy of the
// current state's bitmap, so the state bitmaps can be changed freely; a
// change shows after the next SetState or Update.

#include <cstddef>
#include <vector>

#include "platform/vcl/Bitmap.h"
#include "vessa/Component/LED/LED.h"
#include "vessa/Graphics/Figure/BmpFigure.h"
#include "vessa/System/VessaAssert.h"

namespace vessa {

namespace detail {

// The current state and the figure that shows it.
template <class FigureType, class Bitmaps>
class BitmapLEDHelper {
public:
    template <class Painter>
    BitmapLEDHelper(Painter* painter, Bitmaps* bitmaps) : m_figure(painter), m_pBitmaps(bitmaps)
    {
    }

    int StateCount() const
    {
        VESSA_ASSERT(m_pBitmaps);
        return static_cast<int>(m_pBitmaps->size());
    }

    bool SetState(int state)
    {
        VESSA_ASSERT(state >= 0 && state < StateCount());
        if (state == m_state) {
            m_figure.unchanged = 1;
            return true;
        }
        m_state = state;
        m_figure.SetPicture((*m_pBitmaps)[state]);
        m_figure.unchanged = 0;
        return false;
    }

    void Update()
    {
        VESSA_ASSERT(m_state >= 0 && m_state < StateCount());
        m_figure.SetPicture((*m_pBitmaps)[m_state]);
    }

    int m_state = -1;
    FigureType m_figure;
    Bitmaps* m_pBitmaps;
};

}  // namespace detail

template <class Painter>
class TBitmapLED : public LED {
public:
    using FigureType = TBitmapFigure<Painter>;
    using Bitmaps = std::vector<TBitmap*>;

    // One state per source bitmap, each a copy (a null source gives an
    // empty bitmap); state 0 is current.
    template <class Iterator>
    TBitmapLED(int leftIn, int topIn, Iterator first, Iterator last, Painter* painter)
        : LED(leftIn, topIn), m_helper(painter, &m_bitmaps)
    {
        for (; first != last; ++first) {
            auto* copy = new TBitmap;
            copy->Assign(*first);
            m_bitmaps.push_back(copy);
        }
        SetState(0);
    }

    ~TBitmapLED() override
    {
        while (!m_bitmaps.empty())
            RemoveBitmap(static_cast<int>(m_bitmaps.size()) - 1);
    }

    TBitmapLED(const TBitmapLED&) = delete;
    TBitmapLED& operator=(const TBitmapLED&) = delete;

    int StateCount() const override { return m_helper.StateCount(); }
    int State() const override { return m_helper.m_state; }
    bool SetState(int state) override { return m_helper.SetState(state); }
    void Update() override { m_helper.Update(); }
    Figure* GetFigure() override { return &m_helper.m_figure; }

    TBitmap* Bitmap(int index)
    {
        VESSA_ASSERT(index >= 0);
        VESSA_ASSERT(index < (int)m_bitmaps.size());
        return m_bitmaps[index];
    }

    void RemoveBitmap(int index)
    {
        VESSA_ASSERT(index >= 0);
        VESSA_ASSERT(index < (int)m_bitmaps.size());
        delete m_bitmaps[index];
        m_bitmaps.erase(m_bitmaps.begin() + index);
    }

private:
    Bitmaps m_bitmaps;
    detail::BitmapLEDHelper<FigureType, Bitmaps> m_helper;
};

}  // namespace vessa
