// Check boxes: the click cycle with and without a grayed state, state
// changes from code that keep the visual state, the image fallback, and the
// caption colour by check state and visual state.

#include <string>
#include <vector>

#include "KyFixture.h"
#include "KyPackage/Source/KyCheckBox.h"

using kytest::KyFixture;
using kytest::ShownImage;
using kytest::StateColor;

TEST_F(KyFixture, ClicksRunThroughTheCheckStates)
{
    struct Case {
        bool allowGrayed;
        std::vector<TCheckBoxState> after;
    };
    const Case cases[] = {
        {false, {cbChecked, cbUnchecked, cbChecked}},
        {true, {cbGrayed, cbChecked, cbUnchecked}},
    };
    for (const Case& c : cases) {
        auto* box = Place<KyCheckBox>();
        kytest::LoadSolidStates(box, {0, 4, 8});
        box->SetAllowGrayed(c.allowGrayed);
        box->OnClick = Logger("click");
        log.clear();
        for (TCheckBoxState expected : c.after) {
            Click(box);
            EXPECT_EQ(box->State(), expected) << "allowGrayed " << c.allowGrayed;
        }
        EXPECT_EQ(log.size(), c.after.size());
        delete box;
    }
}

TEST_F(KyFixture, CheckedFromCodeFiresNoClickAndAGrayedBoxReadsUnchecked)
{
    auto* box = Place<KyCheckBox>();
    kytest::LoadSolidStates(box, {0, 4, 8});
    box->OnClick = Logger("click");
    box->SetState(cbGrayed);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(ShownImage(box), 8);
    box->SetChecked(true);
    EXPECT_EQ(box->State(), cbChecked);
    EXPECT_EQ(ShownImage(box), 4);
    box->SetState(cbGrayed);
    box->SetChecked(false);
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_TRUE(log.empty());
}

TEST_F(KyFixture, ACheckStateChangeKeepsTheVisualState)
{
    auto* box = Place<KyCheckBox>();
    kytest::LoadSolidStates(box, {0, 2, 4, 6, 8, 10});
    MoveTo(box, 3, 3);
    EXPECT_EQ(ShownImage(box), 2);
    box->SetState(cbChecked);
    EXPECT_EQ(ShownImage(box), 6) << "focused, now from the checked group";
    box->SetState(cbGrayed);
    EXPECT_EQ(ShownImage(box), 10);
}

TEST_F(KyFixture, WithClicksDisabledThereIsNoPressedLookButClicksToggle)
{
    auto* box = Place<KyCheckBox>();
    kytest::LoadSolidStates(box, {0, 1, 2, 4, 5, 6});
    box->SetClicksDisabled(true);
    MoveTo(box, 3, 3);
    Press(box, 3, 3);
    EXPECT_EQ(ShownImage(box), 2);
    Release(box, 3, 3);
    EXPECT_EQ(box->State(), cbChecked);
    EXPECT_EQ(ShownImage(box), 6);
    Type(box, VK_SPACE);
    EXPECT_EQ(box->State(), cbUnchecked);
}

TEST_F(KyFixture, EmptyImagesFallBackToTheirGroupsRaisedImageThenImageZero)
{
    auto* box = Place<KyCheckBox>();
    kytest::LoadSolidStates(box, {0, 4});
    struct Case {
        TCheckBoxState state;
        bool hover;
        int shown;
    };
    const Case cases[] = {
        {cbUnchecked, false, 0}, {cbUnchecked, true, 0}, {cbChecked, false, 4},
        {cbChecked, true, 4},    {cbGrayed, false, 0},   {cbGrayed, true, 0},
    };
    for (const Case& c : cases) {
        if (c.hover)
            MoveTo(box, 3, 3);
        else
            Leave(box);
        box->SetState(c.state);
        EXPECT_EQ(ShownImage(box), c.shown) << "state " << c.state << " hover " << c.hover;
    }
    // Loading the stand-in of what is asked for shows it at once.
    MoveTo(box, 3, 3);
    box->SetState(cbChecked);
    EXPECT_EQ(box->GetCurrentIndex(), 6);
    box->GetStateBitmap(4)->Assign(kytest::Solid(24, 24, clRed).get());
    EXPECT_EQ(box->GetCanvas()->Pixel(1, 1), RGB(255, 0, 0));
}

TEST_F(KyFixture, CheckBoxCaptionColoursFollowCheckStateAndVisualState)
{
    auto* box = Place<KyCheckBoxTx>();
    kytest::SetUpCaption(box, 60, 24, "On");
    box->FontColors()->Check()->SetRaised(clRed);

    auto hasInk = [box](COLORREF color) {
        return kytest::InkOn(box, StateColor(box->Checked() ? 4 : 0), color).hasColor;
    };
    MoveTo(box, 3, 3);
    Press(box, 3, 3);  // unchecked, sunken, nothing set: the font's colour
    EXPECT_TRUE(hasInk(RGB(0, 0, 0)));
    Release(box, 3, 3);
    EXPECT_EQ(box->State(), cbChecked);
    EXPECT_TRUE(hasInk(RGB(255, 0, 0))) << "checked, focused: falls back to Check.Raised";
    Press(box, 3, 3);
    EXPECT_TRUE(hasInk(RGB(255, 0, 0))) << "checked, sunken: falls back to Check.Raised";
    Release(box, 3, 3);
}
