#pragma once
// Bars on a shown form that stands in for the main window: a dark
// background picture to blend the buttons over, the program's skin folder,
// and the test board. Mouse actions are the messages the form's window
// receives; the form hands them to the windowless track and dot.

#include <memory>
#include <vector>

#include "KyFixture.h"
#include "BarTestBoard.h"
#include "app/bars/AdvScrollBar.h"
#include "app/skin/SkinFiles.h"

namespace bartest {

constexpr COLORREF kFormBackground = RGB(18, 24, 32);

// A plain form as the bars' host: no hover tracking, no pictures.
class FormBarHost : public BarHost {
public:
    TWinControl* form = nullptr;

    TWinControl* Window() override { return form; }
    void SetMouseTracker(TControl*, const TOutsideTest&, const TLeaveAction&) override {}
    TImage* Picture(HostPicture) override { return nullptr; }
};

class BarFormFixture : public kytest::KyFixture {
public:
    // Builds `bar` at (left, top) of the form; the fixture keeps it and
    // counts its change callbacks.
    template <class Bar>
    Bar* Make(int slot, int left, int top)
    {
        auto* bar = new Bar(slot);
        bar->Build(barHost, left, top);
        Keep(bar);
        return bar;
    }
    void Keep(AdvBar* bar);

protected:
    void SetUp() override;
    void TearDown() override;

    // (x, y) of `control` in the form's client area.
    static POINT At(TControl* control, int x, int y) { return POINT{control->Left() + x, control->Top() + y}; }
    // Mouse messages at `point` of the form.
    void MouseDown(POINT point);
    void MouseMove(POINT point, bool leftDown);
    void MouseUp(POINT point);
    // The button's click, as the user's press and release.
    void ClickButton(TWinControl* button);

    int changes = 0;
    SkinHost host;
    FormBarHost barHost;

private:
    void Send(UINT message, WPARAM keys, POINT point);
    std::vector<std::unique_ptr<AdvBar>> m_bars;
};

}  // namespace bartest
