// A captioned button dressed in the program's own skin (button01_*.png from
// the program folder), driven by the mouse and seen on the screen.

#include <string>

#include "KyFixture.h"
#include "KyPackage/Source/KyButton.h"
#include "TestPaths.h"
#include "vessa/skin/PngReader.h"

using kytest::KyFixture;

namespace {

// The skin's state images in the button's order: raised, sunken, focused, disabled.
const char* const kSkinFiles[] = {"button01_n.png", "button01_d.png", "button01_o.png", "button01_un.png"};

}  // namespace

TEST_F(KyFixture, TheProgramsButtonSkinShowsItsStatesOnTheScreen)
{
    std::string resource = zxtest::JoinPath(zxtest::DistDir(), "Resource");
    auto* button = Place<KyButtonTx>(20, 20);
    TBitmap skins[4];
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(LoadPngFile(zxtest::JoinPath(resource, kSkinFiles[i]), &skins[i])) << kSkinFiles[i];
        button->SetStateBitmap(&skins[i], i);
    }
    button->SetTransparent(true);  // the corners are black, alpha-0 pixels
    button->Font()->SetColor(clWhite);
    button->FontColors()->SetFocused(clYellow);
    button->SetText("Apply");
    EXPECT_EQ(button->Width(), skins[0].Width());
    EXPECT_EQ(button->Height(), skins[0].Height());

    // A pixel of each image away from the caption tells which one shows.
    int x = 3;
    int y = skins[0].Height() / 2;
    auto shows = [&](int image) {
        return button->GetCanvas()->Pixel(x, y) == (skins[image].Canvas()->Pixel(x, y) & 0xFFFFFF);
    };
    EXPECT_TRUE(shows(0));
    MoveTo(button, x, y);
    EXPECT_TRUE(shows(2));
    auto shot = Screenshot();
    shot->SaveToFile("kybutton_skin_hover.bmp");
    POINT origin{button->Left() + x, button->Top() + y};
    EXPECT_EQ(shot->Canvas()->Pixel(origin.x, origin.y), button->GetCanvas()->Pixel(x, y));
    EXPECT_EQ(shot->Canvas()->Pixel(button->Left(), button->Top()), ColorToRGB(form->Color()))
        << "the cut-out corner shows the form";
    Press(button, x, y);
    EXPECT_TRUE(shows(1));
    Release(button, x, y);
    Leave(button);
    button->SetEnabled(false);
    EXPECT_TRUE(shows(3));
    Screenshot()->SaveToFile("kybutton_skin_disabled.bmp");
}
