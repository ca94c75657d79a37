// Buttons: the modal result of a click, space as a click, and the caption
// of KyButtonTx drawn over the image in the colour of its state.

#include <string>
#include <vector>

#include "KyFixture.h"
#include "KyPackage/Source/KyButton.h"
#include "KyPackage/Source/KyCheckBox.h"
#include "KyPackage/Source/KyRadioButton.h"
#include "KyPackage/Source/KyPalette.h"

using kytest::Ink;
using kytest::InkOn;
using kytest::KyFixture;
using kytest::ShownImage;
using kytest::StateColor;

namespace {

class KyButtonTxCaption : public KyFixture {
protected:
    void SetUp() override
    {
        KyFixture::SetUp();
        button = Place<KyButtonTx>();
        for (int i = 1; i < 4; ++i)
            button->SetStateBitmap(kytest::Solid(80, 30, static_cast<TColor>(StateColor(i))).get(), i);
        kytest::SetUpCaption(button, 80, 30, "Go");
    }
    Ink InkOfState(int image, COLORREF text) { return InkOn(button, StateColor(image), text); }

    KyButtonTx* button = nullptr;
};

}  // namespace

TEST_F(KyFixture, AClickSetsTheFormsModalResultEvenToZero)
{
    auto* button = Place<KyButton>();
    kytest::LoadSolidStates(button, {0});
    button->OnClick = Logger("click");
    for (int result : {mrYes, mrNone}) {
        form->SetModalResult(mrCancel);
        button->SetModalResult(result);
        Click(button);
        EXPECT_EQ(form->ModalResult(), result);
    }
    EXPECT_EQ(log.size(), 2u);
}

TEST_F(KyFixture, AButtonEndsAModalLoopWithItsResult)
{
    auto* button = Place<KyButton>();
    kytest::LoadSolidStates(button, {0});
    button->SetModalResult(mrNo);
    PostMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    form->Hide();
    EXPECT_EQ(form->ShowModal(), mrNo);
}

TEST_F(KyFixture, SpaceClicksAndReturnOnlyLooksPressed)
{
    auto* button = Place<KyButton>();
    kytest::LoadSolidStates(button, {0, 1, 2, 3});
    button->OnClick = Logger("click");
    Type(button, VK_RETURN);
    EXPECT_TRUE(log.empty());
    KeyDown(button, VK_RETURN);
    EXPECT_EQ(ShownImage(button), 1);
    KeyUp(button, VK_RETURN);
    Type(button, VK_SPACE);
    EXPECT_EQ(log, (std::vector<std::string>{"click"}));
}

TEST_F(KyFixture, ADoubleClickOnAButtonIsTwoClicks)
{
    auto* button = Place<KyButton>();
    kytest::LoadSolidStates(button, {0});
    button->OnClick = Logger("click");
    button->OnDblClick = Logger("double");
    Click(button);
    SendMessageA(button->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    Release(button, 2, 2);
    EXPECT_EQ(log, (std::vector<std::string>{"click", "click"}));
}

TEST_F(KyButtonTxCaption, ThePressedCaptionMovesByHalfTheShiftAsItsAreaShrinks)
{
    Ink raised = InkOfState(0, RGB(0, 0, 0));
    ASSERT_TRUE(raised.hasColor) << "the caption is drawn in the font's colour";
    EXPECT_EQ(button->TextLayout().textBounds.right, 80);

    button->SetDisp(4, 6);
    MoveTo(button, 3, 3);
    Press(button, 3, 3);
    Ink sunken = InkOfState(1, RGB(0, 0, 0));
    EXPECT_EQ(sunken.box.left - raised.box.left, 2);
    EXPECT_EQ(sunken.box.top - raised.box.top, 3);

    Release(button, 3, 3);
    Ink focused = InkOfState(2, RGB(0, 0, 0));
    EXPECT_EQ(focused.box.left, raised.box.left) << "released: unshifted";
    EXPECT_EQ(focused.box.top, raised.box.top);
}

TEST_F(KyButtonTxCaption, StateColoursFallBackToTheFontAndDisabledToGrayText)
{
    button->SetEnabled(false);
    EXPECT_TRUE(InkOfState(3, GetSysColor(COLOR_GRAYTEXT)).hasColor);
    button->FontColors()->SetDisabled(clYellow);
    EXPECT_TRUE(InkOfState(3, RGB(255, 255, 0)).hasColor) << "a colour change redraws at once";
    button->SetEnabled(true);

    button->FontColors()->SetFocused(clBlue);
    MoveTo(button, 3, 3);
    EXPECT_TRUE(InkOfState(2, RGB(0, 0, 255)).hasColor);
    Press(button, 3, 3);
    EXPECT_TRUE(InkOfState(1, RGB(0, 0, 0)).hasColor) << "no sunken colour: the font's";

    button->Font()->SetColor(clRed);
    EXPECT_TRUE(InkOfState(1, RGB(255, 0, 0)).hasColor) << "a font change redraws at once";
    Release(button, 3, 3);
}

TEST_F(KyButtonTxCaption, AnEmptySunkenImageShowsImageZeroWithTheSunkenCaption)
{
    Ink raised = InkOfState(0, RGB(0, 0, 0));
    button->GetStateBitmap(1)->Assign(nullptr);
    button->FontColors()->SetSunken(clWhite);
    MoveTo(button, 3, 3);
    Press(button, 3, 3);
    Ink sunken = InkOfState(0, RGB(255, 255, 255));
    EXPECT_TRUE(sunken.hasColor);
    EXPECT_EQ(sunken.box.left - raised.box.left, 1);
    EXPECT_EQ(sunken.box.top - raised.box.top, 1);
    auto shot = Screenshot();
    shot->SaveToFile("kybuttontx_pressed.bmp");
    Release(button, 3, 3);
}

TEST_F(KyButtonTxCaption, SetBoundsMakesTheWholeSizeTheCaptionArea)
{
    button->SetTextBounds(0, 0, 20, 30);
    Ink left = InkOfState(0, RGB(0, 0, 0));
    EXPECT_LE(left.box.right, 22);
    button->SetBounds(10, 10, 80, 30);
    EXPECT_EQ(button->TextLayout().textBounds.right, 80);
    EXPECT_GT(InkOfState(0, RGB(0, 0, 0)).box.left, left.box.left);
    EXPECT_EQ(button->GetText(), "Go");
}

TEST(KyRegistration, PlainAndCaptionedControlsRegisterOnTheirOwnPages)
{
    RegisterKyButtons();
    RegisterKyCheckBoxes();
    RegisterKyRadioButtons();
    for (std::string name : {"KyButton", "KyCheckBox", "KyRadioButton"}) {
        EXPECT_TRUE(kytest::IsOnPage(kKyPalettePage, name)) << name;
        EXPECT_TRUE(kytest::IsOnPage(kKyPalettePageTx, name + "Tx")) << name;
    }
    EXPECT_STREQ(kKyPalettePage, "KyComponents");
    EXPECT_STREQ(kKyPalettePageTx, "KyComponentsTx");
}
