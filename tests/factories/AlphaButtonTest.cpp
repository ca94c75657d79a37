// The alpha-blended button and the pre-blend beneath it: opaque state
// pictures that hold the window's background at the button's place,
// blended again on every move and never on a repaint.

#include <functional>

#include "FactoryFixture.h"
#include "app/controls/AlphaButton.h"
#include "app/controls/ControlFactory.h"

using factorytest::FactoryFixture;
using zxtest::Bgra;

namespace {

const char* const kButtonSkins[] = {"button01_n.png", "button01_d.png", "button01_o.png", "button01_un.png"};

TEST(SkinBlend, EachPixelWeighsItsAlphaAndWhatReachesPastTheBackgroundLiesOverBlack)
{
    TBitmap background;
    background.SetPixelFormat(pf32bit);
    background.SetSize(4, 1);
    for (int x = 0; x < 4; ++x)
        zxtest::Put(background, x, 0, Bgra{100, 150, 200, 255});
    struct Case {
        Bgra skin;
        Bgra expected;
    };
    // The skin's first pixel lies left of the background.
    const Case cases[] = {
        {{10, 20, 30, 128}, {5, 10, 15, 0}},     // over black
        {{10, 20, 30, 0}, {100, 150, 200, 0}},   // transparent: the background
        {{10, 20, 30, 255}, {10, 20, 30, 0}},    // opaque: the skin
        {{255, 0, 10, 128}, {177, 74, 104, 0}},  // half: truncated
        {{0, 0, 0, 64}, {74, 112, 149, 0}},
    };
    TBitmap skin;
    skin.SetPixelFormat(pf32bit);
    skin.SetSize(static_cast<int>(std::size(cases)), 1);
    for (size_t i = 0; i < std::size(cases); ++i)
        zxtest::Put(skin, static_cast<int>(i), 0, cases[i].skin);
    TBitmap result;
    BlendOverPicture(&skin, &background, POINT{-1, 0}, &result);
    ASSERT_EQ(static_cast<int>(std::size(cases)), result.Width());
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(cases[i].expected, zxtest::Get(result, static_cast<int>(i), 0));
    }
}

TEST_F(FactoryFixture, AButtonShowsItsFourSkinsBlendedOverTheBackgroundAtItsPlace)
{
    AlphaButton* button = nullptr;
    CreateAlphaButton(button, 20, 30, kButtonSkins, "Apply", "Applies the settings", true);
    ASSERT_NE(nullptr, button);
    EXPECT_EQ(form.get(), button->Owner());
    EXPECT_EQ(form.get(), button->Parent());
    EXPECT_EQ(20, button->Left());
    EXPECT_EQ(30, button->Top());
    EXPECT_EQ("Apply", button->GetText());
    EXPECT_EQ("Applies the settings", button->Hint());
    EXPECT_TRUE(button->ShowHint());
    EXPECT_EQ(crHandPoint, button->Cursor());
    EXPECT_TRUE(button->Visible());
    for (int i = 0; i < KyButton::kStateCount; ++i) {
        SCOPED_TRACE(kButtonSkins[i]);
        auto skin = Skin(kButtonSkins[i]);
        EXPECT_TRUE(
            factorytest::ShowsBlend(*button->GetStateBitmap(i), *skin, POINT{20, 30}, factorytest::kBackgroundRed));
        EXPECT_EQ(0, zxtest::Get(*button->GetStateBitmap(i), 1, 1).a);
        EXPECT_EQ(skin->Width(), button->SourceImage(i)->Width()) << "the source keeps its alpha";
    }
    EXPECT_EQ(button->GetStateBitmap(0)->Width(), button->Width());
}

TEST_F(FactoryFixture, AMoveBlendsEveryStateAgainAndTheSameBoundsDoNot)
{
    AlphaButton* button = nullptr;
    CreateAlphaButton(button, 20, 30, kButtonSkins, nullptr, nullptr, false);
    EXPECT_EQ("", button->Hint());
    EXPECT_EQ(crDefault, button->Cursor());

    // A mark on every state picture survives the same bounds ...
    const Bgra mark{1, 2, 3, 0};
    for (int i = 0; i < KyButton::kStateCount; ++i)
        zxtest::Put(*button->GetStateBitmap(i), 0, 0, mark);
    button->SetBounds(button->Left(), button->Top(), button->Width(), button->Height());
    for (int i = 0; i < KyButton::kStateCount; ++i)
        EXPECT_EQ(mark, zxtest::Get(*button->GetStateBitmap(i), 0, 0)) << i;

    // ... and a move of one pixel blends all four at the new place.
    button->SetLeft(21);
    for (int i = 0; i < KyButton::kStateCount; ++i) {
        auto skin = Skin(kButtonSkins[i]);
        EXPECT_TRUE(
            factorytest::ShowsBlend(*button->GetStateBitmap(i), *skin, POINT{21, 30}, factorytest::kBackgroundRed))
            << i;
    }

    // A changed background shows after Reblend.
    zxtest::Put(*host.background->Picture()->Bitmap(), 21, 30, Bgra{9, 9, 9, 255});
    button->Reblend();
    auto skin = Skin(kButtonSkins[0]);
    Bgra want = factorytest::Blended(zxtest::Get(*skin, 0, 0), Bgra{9, 9, 9, 255});
    Bgra got = zxtest::Get(*button->GetStateBitmap(0), 0, 0);
    EXPECT_EQ(want, (Bgra{got.b, got.g, got.r, 0}));
}

TEST_F(FactoryFixture, AnEmptyOrMissingPictureLeavesThatStateAsItWas)
{
    // The Close button has no unavailable picture.
    const char* const closeSkins[] = {"colse_n.png", "colse_d.png", "colse_o.png", ""};
    AlphaButton* button = nullptr;
    CreateAlphaButton(button, 5, 5, closeSkins, nullptr, nullptr, false);
    EXPECT_EQ(0, button->SourceImage(3)->Width());
    EXPECT_EQ(0, button->GetStateBitmap(3)->Width());
    EXPECT_GT(button->GetStateBitmap(2)->Width(), 0);

    // A disabled picture that was there before stays through a move.
    auto solid = kytest::Solid(4, 4, clRed);
    button->Appearance()->SetDisabledBmp(solid.get());
    button->LoadImages("colse_n.png", "no_such_skin_d.png", "colse_o.png", "");
    EXPECT_EQ(0, button->SourceImage(1)->Width()) << "a missing file is no picture";
    button->SetLeft(6);
    EXPECT_EQ(4, button->GetStateBitmap(3)->Width());
    EXPECT_EQ(RGB(255, 0, 0), button->GetStateBitmap(3)->Canvas()->Pixel(1, 1) & 0xFFFFFF);
}

TEST_F(FactoryFixture, TheMouseShowsTheBlendedStatesOnTheScreen)
{
    AlphaButton* button = nullptr;
    CreateAlphaButton(button, 60, 80, kButtonSkins, "Apply", nullptr, true);
    button->Font()->SetColor(clWhite);
    int x = 3;
    int y = button->Height() / 2;
    auto shows = [&](int state) {
        return button->GetCanvas()->Pixel(x, y) == (button->GetStateBitmap(state)->Canvas()->Pixel(x, y) & 0xFFFFFF);
    };
    const struct {
        const char* action;
        std::function<void()> act;
        int state;
    } steps[] = {
        {"placed", [] {}, 0},
        {"mouse over", [&] { MoveTo(button, x, y); }, 2},
        {"pressed", [&] { Press(button, x, y); }, 1},
        {"released and left", [&] { Release(button, x, y), Leave(button); }, 0},
        {"disabled", [&] { button->SetEnabled(false); }, 3},
        {"enabled", [&] { button->SetEnabled(true); }, 0},
    };
    for (const auto& step : steps) {
        step.act();
        EXPECT_TRUE(shows(step.state)) << step.action;
    }
    auto shot = Screenshot();
    shot->SaveToFile("alpha_button_on_background.bmp");
    // The button's corner shows the background beneath, not a cut-out.
    EXPECT_EQ(button->GetStateBitmap(0)->Canvas()->Pixel(0, 0) & 0xFFFFFF,
              shot->Canvas()->Pixel(button->Left(), button->Top()));
}

}  // namespace

namespace {

// Pixels where the button's face differs from its shown state picture: the caption.
int CaptionPixels(AlphaButton* button, int state)
{
    TBitmap* picture = button->GetStateBitmap(state);
    int count = 0;
    for (int y = 0; y < picture->Height(); ++y)
        for (int x = 0; x < picture->Width(); ++x) {
            Bgra p = zxtest::Get(*picture, x, y);
            if (button->GetCanvas()->Pixel(x, y) != RGB(p.r, p.g, p.b))
                ++count;
        }
    return count;
}

TEST_F(FactoryFixture, ACaptionedButtonKeepsItsCaptionWhenItsShownPictureIsBlendedAgain)
{
    AlphaButton* button = nullptr;
    CreateAlphaButton(button, 20, 30, kButtonSkins, "Apply", nullptr, false);
    button->Font()->SetColor(clWhite);
    ASSERT_GT(CaptionPixels(button, 0), 0);
    button->SetLeft(24);  // every state picture is replaced, the shown one too
    EXPECT_GT(CaptionPixels(button, 0), 0) << "raised";
    MoveTo(button, 5, 5);
    ASSERT_EQ(2, button->GetCurrentIndex()) << "the pointer shows the over picture";
    ASSERT_GT(CaptionPixels(button, 2), 0);
    button->Reblend();
    EXPECT_GT(CaptionPixels(button, 2), 0) << "over, after a reblend";
    button->SetLeft(26);
    EXPECT_GT(CaptionPixels(button, 2), 0) << "over, after a move";
}

}  // namespace
