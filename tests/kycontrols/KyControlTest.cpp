// The interaction state machine, seen through a button's four images:
// pointer over it, presses by mouse and key, leaving with the button held,
// focus, disabling, and the ShowMouseOver and ClicksDisabled switches.

#include <string>
#include <vector>

#include "KyFixture.h"
#include "KyPackage/Source/KyButton.h"

using kytest::KyFixture;
using kytest::ShownImage;

namespace {

enum Look { Raised = 0, Sunken = 1, Focused = 2, Disabled = 3 };

class KyControlStates : public KyFixture {
protected:
    void SetUp() override
    {
        KyFixture::SetUp();
        button = Place<KyButton>();
        kytest::LoadSolidStates(button, {0, 1, 2, 3});
        button->OnMouseEnter = Logger("enter");
        button->OnMouseLeave = Logger("leave");
        button->OnClick = Logger("click");
    }
    KyButton* button = nullptr;
};

}  // namespace

TEST_F(KyControlStates, HoverPressReleaseAndLeave)
{
    EXPECT_EQ(ShownImage(button), Raised);
    MoveTo(button, 5, 5);
    EXPECT_EQ(ShownImage(button), Focused) << "the focused look doubles as mouse-over";
    Press(button, 5, 5);
    EXPECT_EQ(ShownImage(button), Sunken);
    Release(button, 5, 5);
    EXPECT_EQ(ShownImage(button), Focused);
    Leave(button);
    EXPECT_EQ(ShownImage(button), Raised);
    EXPECT_EQ(log, (std::vector<std::string>{"enter", "click", "leave"}));
}

TEST_F(KyControlStates, APressThatLeavesIsDroppedSilentlyAndComesBackSunken)
{
    MoveTo(button, 5, 5);
    Press(button, 5, 5);
    MoveTo(button, 100, 5, true);  // outside, the button still down
    EXPECT_EQ(ShownImage(button), Raised);
    EXPECT_EQ(log, (std::vector<std::string>{"enter"})) << "no OnMouseLeave for a dropped press";

    MoveTo(button, 5, 5, true);
    EXPECT_EQ(ShownImage(button), Sunken);
    EXPECT_EQ(log, (std::vector<std::string>{"enter", "enter"}));
    Release(button, 5, 5);
    EXPECT_EQ(ShownImage(button), Focused);
}

TEST_F(KyControlStates, APressWhoseCaptureIsTakenAwayEndsWithoutAClick)
{
    MoveTo(button, 5, 5);
    Press(button, 5, 5);
    ASSERT_EQ(GetCapture(), button->Handle());
    SetCapture(form->Handle());  // as a menu or a modal box does
    EXPECT_EQ(ShownImage(button), Focused);
    ReleaseCapture();
    Release(button, 5, 5);
    EXPECT_EQ(log, (std::vector<std::string>{"enter"}));
    Leave(button);
    EXPECT_EQ(ShownImage(button), Raised);
}

TEST_F(KyControlStates, KeyPressesShowSunkenAndReleaseToTheFocusedLook)
{
    button->SetFocus();
    EXPECT_EQ(ShownImage(button), Focused);
    for (WORD key : {WORD(VK_SPACE), WORD(VK_RETURN)}) {
        KeyDown(button, key);
        EXPECT_EQ(ShownImage(button), Sunken) << key;
        KeyUp(button, key);
        EXPECT_EQ(ShownImage(button), Focused) << key;
    }
    // Losing focus in the middle of a key press ends it.
    KeyDown(button, VK_SPACE);
    form->SetFocus();
    EXPECT_EQ(ShownImage(button), Raised);
}

TEST_F(KyControlStates, DisablingEndsPressAndHoverAndEnablingShowsRaised)
{
    MoveTo(button, 5, 5);
    Press(button, 5, 5);
    button->SetEnabled(false);
    EXPECT_EQ(ShownImage(button), Disabled);
    EXPECT_FALSE(IsWindowEnabled(button->Handle()));
    button->SetEnabled(true);
    EXPECT_EQ(ShownImage(button), Raised);
    // The old press is gone: a release shows nothing new and clicks nothing.
    Release(button, 5, 5);
    EXPECT_EQ(ShownImage(button), Raised);
    EXPECT_EQ(log, (std::vector<std::string>{"enter"}));
}

TEST_F(KyControlStates, WithoutMouseOverThePointerChangesNothingButPresses)
{
    button->SetShowMouseOver(false);
    MoveTo(button, 5, 5);
    EXPECT_EQ(ShownImage(button), Raised);
    Press(button, 5, 5);
    EXPECT_EQ(ShownImage(button), Sunken);
    Release(button, 5, 5);
    EXPECT_EQ(ShownImage(button), Raised);
    Leave(button);
    EXPECT_EQ(log, (std::vector<std::string>{"enter", "click", "leave"}));
}

TEST_F(KyControlStates, TurningMouseOverOffWhileInsideShowsRaised)
{
    MoveTo(button, 5, 5);
    button->SetShowMouseOver(false);
    EXPECT_EQ(ShownImage(button), Raised);
}

TEST_F(KyControlStates, ClicksDisabledShowsNoPressButStillClicks)
{
    button->SetClicksDisabled(true);
    Click(button, 5, 5);
    EXPECT_EQ(ShownImage(button), Focused) << "hover still shows";
    Press(button, 5, 5);
    EXPECT_EQ(ShownImage(button), Focused);
    Release(button, 5, 5);
    EXPECT_EQ(log, (std::vector<std::string>{"enter", "click", "click"}));
}

TEST_F(KyControlStates, ReenablingClicksEndsAPressHeldFromBefore)
{
    MoveTo(button, 5, 5);
    Press(button, 5, 5);
    button->SetClicksDisabled(true);
    EXPECT_EQ(ShownImage(button), Sunken) << "disabling only stores the flag";
    button->SetClicksDisabled(false);
    EXPECT_EQ(ShownImage(button), Focused);
}

TEST_F(KyControlStates, WithoutMouseOverAndWithClicksDisabledMovesAreNotTracked)
{
    button->SetShowMouseOver(false);
    button->SetClicksDisabled(true);
    MoveTo(button, 5, 5);
    Leave(button);
    EXPECT_TRUE(log.empty());
}
