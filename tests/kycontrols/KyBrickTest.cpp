// Bricks: three looks and no pressed one, clicks that still arrive, and the
// caption of KyBrickTx in the colour of its state, never shifted.

#include <string>
#include <vector>

#include "KyFixture.h"
#include "KyPackage/Source/KyBar.h"
#include "KyPackage/Source/KyBrick.h"
#include "KyPackage/Source/KyPalette.h"
#include "TestPaths.h"

using kytest::Ink;
using kytest::InkOn;
using kytest::KyFixture;
using kytest::ShownImage;
using kytest::Solid;
using kytest::StateColor;

namespace {

enum Look { Normal = 0, Focused = 1, Disabled = 2 };

class KyBrickLooks : public KyFixture {
protected:
    void SetUp() override
    {
        KyFixture::SetUp();
        brick = Place<KyBrick>();
        kytest::LoadSolidStates(brick, {0, 1, 2});
        brick->OnMouseEnter = Logger("enter");
        brick->OnMouseLeave = Logger("leave");
        brick->OnClick = Logger("click");
        brick->OnDblClick = Logger("double");
    }

    KyBrick* brick = nullptr;
};

class KyBrickTxCaption : public KyFixture {
protected:
    void SetUp() override
    {
        KyFixture::SetUp();
        brick = Place<KyBrickTx>();
        for (int i = 1; i < KyBrick::kStateCount; ++i)
            brick->SetStateBitmap(Solid(80, 30, static_cast<TColor>(StateColor(i))).get(), i);
        kytest::SetUpCaption(brick, 80, 30, "Go");
    }
    Ink InkOfState(int image, COLORREF text) { return InkOn(brick, StateColor(image), text); }

    KyBrickTx* brick = nullptr;
};

}  // namespace

TEST_F(KyBrickLooks, TheMouseShowsOnlyTheNormalAndTheFocusedImage)
{
    struct Step {
        const char* action;
        Look look;
    };
    const Step steps[] = {{"hover", Focused},   {"press", Focused},   {"drag out", Normal},
                          {"drag in", Focused}, {"release", Focused}, {"leave", Normal}};
    for (const Step& step : steps) {
        std::string action = step.action;
        if (action == "hover")
            MoveTo(brick, 5, 5);
        else if (action == "press")
            Press(brick, 5, 5);
        else if (action == "drag out")
            MoveTo(brick, 100, 5, true);
        else if (action == "drag in")
            MoveTo(brick, 5, 5, true);
        else if (action == "release")
            Release(brick, 5, 5);
        else
            Leave(brick);
        EXPECT_EQ(ShownImage(brick), step.look) << action;
    }
    EXPECT_EQ(log, (std::vector<std::string>{"enter", "leave", "enter", "click", "leave"}))
        << "no press is held: going out and back in with the button down is a plain leave and enter";
}

TEST_F(KyBrickLooks, EnteringWithTheButtonDownHoversAndStillLeaves)
{
    MoveTo(brick, 5, 5, true);
    EXPECT_EQ(ShownImage(brick), Focused);
    Release(brick, 5, 5);
    Leave(brick);
    EXPECT_EQ(ShownImage(brick), Normal);
    EXPECT_EQ(log, (std::vector<std::string>{"enter", "leave"}));
}

TEST_F(KyBrickLooks, KeysFocusAndDisablingPickTheirImages)
{
    brick->SetFocus();
    EXPECT_EQ(ShownImage(brick), Focused);
    for (WORD key : {VK_SPACE, VK_RETURN}) {
        KeyDown(brick, key);
        EXPECT_EQ(ShownImage(brick), Focused) << "no pressed look for key " << key;
        KeyUp(brick, key);
    }
    form->SetFocus();
    EXPECT_EQ(ShownImage(brick), Normal);

    brick->SetEnabled(false);
    EXPECT_EQ(ShownImage(brick), Disabled);
    brick->GetStateBitmap(Disabled)->Assign(nullptr);
    EXPECT_EQ(ShownImage(brick), Normal) << "no disabled image: image 0 stands in";
    EXPECT_EQ(brick->GetCurrentIndex(), Disabled);
    brick->SetEnabled(true);
    EXPECT_EQ(ShownImage(brick), Normal);
}

TEST_F(KyBrickLooks, ClicksAndDoubleClicksArrive)
{
    Click(brick);
    SendMessageA(brick->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    Release(brick, 2, 2);
    EXPECT_EQ(log, (std::vector<std::string>{"enter", "click", "double"}));
}

TEST_F(KyFixture, ABrickLoadsItsThreeImagesAndKeepsOnesNotNamed)
{
    zxtest::TempFolder folder;
    for (int i = 0; i < 4; ++i)
        Solid(16, 12, static_cast<TColor>(StateColor(i)))->SaveToFile(folder.File(std::to_string(i) + ".bmp"));
    auto* brick = Place<KyBrick>();
    ASSERT_TRUE(brick->LoadBitmapA(folder.Path(), "0.bmp", "1.bmp", "2.bmp"));
    EXPECT_EQ(brick->Width(), 16);
    EXPECT_EQ(brick->Height(), 12);
    ASSERT_TRUE(brick->LoadBitmapA(folder.Path(), "", "3.bmp", ""));
    EXPECT_EQ(brick->Appearance()->NormalBmp()->Canvas()->Pixel(1, 1), StateColor(0));
    EXPECT_EQ(brick->Appearance()->FocusedBmp()->Canvas()->Pixel(1, 1), StateColor(3));
    EXPECT_EQ(brick->Appearance()->DisabledBmp()->Canvas()->Pixel(1, 1), StateColor(2));

    auto* copy = Place<KyBrick>(60, 10);
    copy->SetAppearance(brick->Appearance());
    brick->Appearance()->NormalBmp()->Canvas()->SetPixel(1, 1, clWhite);
    EXPECT_EQ(copy->Appearance()->NormalBmp()->Canvas()->Pixel(1, 1), StateColor(0)) << "a copy, not a share";
    EXPECT_EQ(copy->Appearance()->FocusedBmp()->Canvas()->Pixel(1, 1), StateColor(3));
}

TEST_F(KyBrickTxCaption, EachLookDrawsTheCaptionInItsColour)
{
    struct Case {
        TColor focused, disabled;
        Look look;
        COLORREF ink;
    };
    const COLORREF black = RGB(0, 0, 0);
    const Case cases[] = {
        {kNoFontColor, kNoFontColor, Normal, black},
        {clBlue, clRed, Normal, black},
        {kNoFontColor, kNoFontColor, Focused, black},
        {clBlue, kNoFontColor, Focused, RGB(0, 0, 255)},
        {kNoFontColor, kNoFontColor, Disabled, GetSysColor(COLOR_GRAYTEXT)},
        {kNoFontColor, clRed, Disabled, RGB(255, 0, 0)},
    };
    for (const Case& c : cases) {
        brick->FontColors()->SetFocused(c.focused);
        brick->FontColors()->SetDisabled(c.disabled);
        if (c.look == Focused)
            MoveTo(brick, 3, 3);
        brick->SetEnabled(c.look != Disabled);
        EXPECT_TRUE(InkOfState(c.look, c.ink).hasColor) << "look " << c.look << " colour " << std::hex << c.ink;
        Leave(brick);
    }
}

TEST_F(KyBrickTxCaption, TheCaptionIsNeverShiftedAndFollowsFontAndColourChanges)
{
    Ink normal = InkOfState(Normal, RGB(0, 0, 0));
    ASSERT_TRUE(normal.hasColor);
    MoveTo(brick, 3, 3, true);
    Press(brick, 3, 3);
    Ink held = InkOfState(Focused, RGB(0, 0, 0));
    EXPECT_EQ(held.box.left, normal.box.left);
    EXPECT_EQ(held.box.top, normal.box.top);

    brick->FontColors()->SetFocused(clYellow);
    EXPECT_TRUE(InkOfState(Focused, RGB(255, 255, 0)).hasColor) << "a colour change redraws at once";
    Release(brick, 3, 3);
    Leave(brick);
    brick->Font()->SetColor(clRed);
    EXPECT_TRUE(InkOfState(Normal, RGB(255, 0, 0)).hasColor) << "a font change redraws at once";
    brick->SetText("Longer");
    EXPECT_LT(InkOfState(Normal, RGB(255, 0, 0)).box.left, normal.box.left);
}

TEST(KyTwoStateFontColor, RealChangesAndCopiesFireOnChangeOnce)
{
    KyTwoStateFontColor source;
    KyTwoStateFontColor target;
    int sourceChanges = 0;
    int targetChanges = 0;
    source.SetOnChange(TNotifyEvent::FromFunction([&](TObject*) { ++sourceChanges; }));
    target.SetOnChange(TNotifyEvent::FromFunction([&](TObject* sender) {
        EXPECT_EQ(sender, &target);
        ++targetChanges;
    }));
    EXPECT_EQ(source.Focused(), kNoFontColor);
    EXPECT_EQ(source.Disabled(), kNoFontColor);
    source.SetFocused(clBlue);
    source.SetFocused(clBlue);
    source.SetDisabled(clRed);
    EXPECT_EQ(sourceChanges, 2);
    target.Assign(&source);
    EXPECT_EQ(targetChanges, 1);
    EXPECT_EQ(target.Focused(), clBlue);
    EXPECT_EQ(target.Disabled(), clRed);
    KyThreeStateFontColor other;
    EXPECT_THROW(other.Assign(&source), EInvalidCast);
}

TEST(KyRegistration, BricksAndTheBarRegisterOnTheirPages)
{
    RegisterKyBricks();
    RegisterKyBar();
    EXPECT_TRUE(kytest::IsOnPage(kKyPalettePage, "KyBrick"));
    EXPECT_TRUE(kytest::IsOnPage(kKyPalettePage, "KyBar"));
    EXPECT_TRUE(kytest::IsOnPage(kKyPalettePageTx, "KyBrickTx"));
    EXPECT_FALSE(kytest::IsOnPage(kKyPalettePage, "KyBrickTx"));
}
