// The core count box and the on/off box of the CPU ratio pages, on the main
// form, driven by clicks.

#include <gtest/gtest.h>

#include "KyPackage/Source/KyImage.h"
#include "OffscreenPaint.h"
#include "WidgetForm.h"
#include "app/bars/AdvCoreBar.h"
#include "app/bars/AdvOnOffBar.h"

namespace {

using widgettest::ChangeCounter;

const TColor kGrey = static_cast<TColor>(RGB(128, 128, 128));

// The sum of a control's painted pixels' colour channels: how bright it shows.
long Brightness(TWinControl* control)
{
    zxtest::OffscreenPaint paint(control);
    long sum = 0;
    for (int y = 0; y < paint.Bitmap().Height(); ++y)
        for (int x = 0; x < paint.Bitmap().Width(); ++x) {
            const COLORREF c = paint.At(x, y);
            sum += GetRValue(c) + GetGValue(c) + GetBValue(c);
        }
    return sum;
}

TEST(CoreBoxText, CountsOneCoreAndManyCores)
{
    const struct {
        int index;
        const char* text;
    } cases[] = {{-5, ""}, {-1, ""}, {0, "1 core"}, {1, "2 cores"}, {3, "4 cores"}, {11, "12 cores"}};
    for (const auto& c : cases)
        EXPECT_EQ(c.text, AdvCoreBar::CountText(c.index)) << c.index;
}

// The default board: four cores.
class CoreBoxOnFourCores : public widgettest::WidgetForm {
protected:
    void SetUp() override
    {
        WidgetForm::SetUp();
        if (IsSkipped())
            return;
        box.Build(form, 262, 308);
        box.SetCaption("CPU Core:");
        box.SetValue(3);
        box.SetOnChange(changes.Event());
    }

    AdvCoreBar box;
    ChangeCounter changes;
};

TEST_F(CoreBoxOnFourCores, StandsWhereThePageWantsIt)
{
    EXPECT_EQ((RECT{262, 308, 262 + 67, 308 + box.Box()->Height()}), box.CaptionLabel()->BoundsRect());
    EXPECT_EQ(262 + 92, box.Box()->Left());
    EXPECT_EQ(box.Box()->BoundsRect(), box.CountLabel()->BoundsRect());
    EXPECT_EQ(262 + 71, box.LeftButton()->Left());
    EXPECT_EQ(262 + 227, box.RightButton()->Left());
    EXPECT_EQ("CPU Core:", box.GetCaption());
    EXPECT_EQ("4 cores", box.GetCountText());
    Screenshot("ratio_widgets_core_box");
}

TEST_F(CoreBoxOnFourCores, ButtonsCycleThroughTheCoresBothWays)
{
    const struct {
        bool right;
        int index;
        const char* text;
    } steps[] = {
        {true, 0, "1 core"}, {true, 1, "2 cores"}, {false, 0, "1 core"}, {false, 3, "4 cores"}, {false, 2, "3 cores"}};
    int clicks = 0;
    for (const auto& step : steps) {
        ClickOn(step.right ? box.RightButton() : box.LeftButton());
        ++clicks;
        EXPECT_EQ(step.index, box.GetValue()) << "click " << clicks;
        EXPECT_EQ(step.text, box.GetCountText()) << "click " << clicks;
        EXPECT_EQ(clicks, changes.count);
        EXPECT_EQ(nullptr, changes.lastSender);
    }
}

TEST_F(CoreBoxOnFourCores, SetValueTakesAnyIndexAndTells)
{
    box.SetValue(-1);
    EXPECT_EQ("", box.GetCountText());
    EXPECT_EQ(1, changes.count);
    box.SetValue(7);
    EXPECT_EQ("8 cores", box.GetCountText());
    EXPECT_EQ(2, changes.count);
}

TEST_F(CoreBoxOnFourCores, ADisabledBoxKeepsItsCountGreysItsTextAndIgnoresClicks)
{
    const long liveLeft = Brightness(box.LeftButton());
    const long liveRight = Brightness(box.RightButton());
    box.SetEnabled(false);
    // The arrows show that they do nothing: dimmer than the live ones.
    EXPECT_LT(Brightness(box.LeftButton()), liveLeft * 9 / 10);
    EXPECT_LT(Brightness(box.RightButton()), liveRight * 9 / 10);
    ClickOn(box.RightButton());
    ClickOn(box.LeftButton());
    EXPECT_EQ(3, box.GetValue());
    EXPECT_EQ("4 cores", box.GetCountText());
    EXPECT_EQ(0, changes.count);
    EXPECT_EQ(kGrey, box.CaptionLabel()->Font()->Color());
    EXPECT_EQ(kGrey, box.CountLabel()->Font()->Color());
    Screenshot("ratio_widgets_core_box_disabled");

    box.SetEnabled(true);
    EXPECT_EQ(liveLeft, Brightness(box.LeftButton()));
    EXPECT_EQ(static_cast<TColor>(RGB(104, 221, 255)), box.CaptionLabel()->Font()->Color());
    EXPECT_EQ(static_cast<TColor>(RGB(40, 254, 216)), box.CountLabel()->Font()->Color());
    ClickOn(box.RightButton());
    EXPECT_EQ(0, box.GetValue());
}

TEST_F(CoreBoxOnFourCores, HidesAndShowsAllItsControls)
{
    const std::vector<TControl*> controls{box.Box(), box.CaptionLabel(), box.CountLabel(), box.LeftButton(),
                                          box.RightButton()};
    box.SetVisible(false);
    for (TControl* control : controls)
        EXPECT_FALSE(control->Visible());
    box.SetVisible(true);
    for (TControl* control : controls)
        EXPECT_TRUE(control->Visible());
}

// A board without the ratio item: no cores to count.
class CoreBoxWithoutRatio : public CoreBoxOnFourCores {};

TEST_F(CoreBoxWithoutRatio, ButtonsDoNothing)
{
    ClickOn(box.RightButton());
    ClickOn(box.LeftButton());
    EXPECT_EQ(3, box.GetValue());
    EXPECT_EQ(0, changes.count);
}

// The default board, whose CPU has the core-unlock feature.
class OnOffBoxOnTheMainForm : public widgettest::WidgetForm {
protected:
    void SetUp() override
    {
        WidgetForm::SetUp();
        if (IsSkipped())
            return;
        box.Build(form, 231, 300);
        box.SetVisible(true);
        box.SetOnChange(changes.Event());
    }

    AdvOnOffBar box;
    ChangeCounter changes;
};

TEST_F(OnOffBoxOnTheMainForm, StartsOffWithItsCaption)
{
    EXPECT_FALSE(box.IsOn());
    EXPECT_TRUE(box.OffButton()->Checked());
    EXPECT_EQ("Kavrin:", box.CaptionLabel()->Text());
    EXPECT_EQ((RECT{231, 300, 231 + 127, 300 + box.Box()->Height()}), box.CaptionLabel()->BoundsRect());
    EXPECT_EQ(231 + 131, box.Box()->Left());
    EXPECT_EQ((POINT{231 + 132, 301}), (POINT{box.OnButton()->Left(), box.OnButton()->Top()}));
    EXPECT_EQ(box.OnButton()->Left() + box.OnButton()->Width(), box.OffButton()->Left());
    EXPECT_TRUE(box.IsVisible());
    Screenshot("ratio_widgets_on_off_box");
}

TEST_F(OnOffBoxOnTheMainForm, SetStateChecksOneButtonAndTellsOnce)
{
    box.SetState(true);
    EXPECT_TRUE(box.IsOn());
    EXPECT_FALSE(box.OffButton()->Checked());
    EXPECT_EQ(1, changes.count);
    EXPECT_EQ(nullptr, changes.lastSender);
    box.SetState(false);
    EXPECT_FALSE(box.IsOn());
    EXPECT_EQ(2, changes.count);
}

TEST_F(OnOffBoxOnTheMainForm, EveryClickTellsEvenOnTheCheckedButton)
{
    ClickOn(box.OnButton());
    EXPECT_TRUE(box.IsOn());
    EXPECT_EQ(1, changes.count);
    ClickOn(box.OnButton());
    EXPECT_TRUE(box.IsOn());
    EXPECT_EQ(2, changes.count);
    ClickOn(box.OffButton());
    EXPECT_FALSE(box.IsOn());
    EXPECT_EQ(3, changes.count);
    Screenshot("ratio_widgets_on_off_box_off");
}

TEST_F(OnOffBoxOnTheMainForm, HidesAllItsControls)
{
    box.SetVisible(false);
    EXPECT_FALSE(box.IsVisible());
    for (TControl* control : std::vector<TControl*>{box.Box(), box.CaptionLabel(), box.OnButton(), box.OffButton()})
        EXPECT_FALSE(control->Visible());
}

// Each board in a child of its own; the boxes read no item and write none.
TEST(CoreAndOnOffBoxes, OnTheirBoards)
{
    const struct {
        const char* suite;
        const char* board;
    } runs[] = {
        {"CoreBoxOnFourCores", "default"}, {"CoreBoxWithoutRatio", "no-ratio"}, {"OnOffBoxOnTheMainForm", "default"}};
    for (const auto& run : runs) {
        SCOPED_TRACE(run.suite);
        zxtest::BoardFixture board(run.board);
        zxtest::RunSuiteOnBoard(run.suite, board);
        EXPECT_TRUE(board.Writes().empty());
    }
}

}  // namespace
