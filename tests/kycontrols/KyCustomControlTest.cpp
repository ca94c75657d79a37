// The skinned base: the control takes image 0's size and, when transparent,
// its outline; empty images are stood in for; image changes show when they
// concern what is on screen.

#include <string>
#include <vector>

#include "KyFixture.h"
#include "KyPackage/Source/KyButton.h"

using kytest::KyFixture;
using kytest::ShownImage;
using kytest::Solid;
using kytest::StateColor;

namespace {

constexpr TColor kKey = clFuchsia;

// A 6×4 picture whose left column is the key colour.
std::unique_ptr<TBitmap> NotchedImage()
{
    auto bitmap = Solid(6, 4, clNavy);
    for (int y = 0; y < 4; ++y)
        bitmap->Canvas()->SetPixel(0, y, kKey);
    return bitmap;
}

// A control that opens up the base's protected operations.
class TProbe : public KyButton {
public:
    using KyButton::HitTest;
    using KyButton::KyButton;
    using KyButton::ShowBitmap;
};

}  // namespace

TEST_F(KyFixture, TheControlHasTheSizeOfImageZeroOnceItHasOne)
{
    auto* button = Place<TProbe>();
    button->SetBounds(10, 10, 50, 30);
    EXPECT_EQ(button->Width(), 50) << "free in size while image 0 is empty";
    EXPECT_TRUE(button->HitTest(49, 29));

    kytest::LoadSolidStates(button, {0}, 24);
    EXPECT_EQ(button->Width(), 24);
    EXPECT_EQ(button->Height(), 24);
    button->SetBounds(20, 15, 80, 80);
    EXPECT_EQ(button->Left(), 20);
    EXPECT_EQ(button->Width(), 24);
    EXPECT_EQ(button->Height(), 24);
    EXPECT_TRUE(button->HitTest(23, 23));
    EXPECT_FALSE(button->HitTest(24, 5));
}

// The window under a point of the control, as the system routes real clicks.
HWND WindowAt(TWinControl* control, int x, int y)
{
    POINT point = control->ClientToScreen(POINT{x, y});
    return WindowFromPoint(point);
}

TEST_F(KyFixture, ATransparentControlTakesTheOutlineOfImageZero)
{
    auto* button = Place<TProbe>();
    button->SetTransparent(true);
    button->SetBounds(10, 10, 50, 30);
    EXPECT_FALSE(button->HitTest(5, 5)) << "no image 0: an empty region";
    EXPECT_EQ(WindowAt(button, 5, 5), form->Handle()) << "and no click reaches it";

    auto notched = NotchedImage();
    button->SetStateBitmap(notched.get(), 0);
    EXPECT_EQ(button->TransparentColor(), kKey) << "image 0's bottom-left pixel";
    EXPECT_EQ(button->Width(), 6);
    EXPECT_FALSE(button->HitTest(0, 2));
    EXPECT_TRUE(button->HitTest(1, 2));
    EXPECT_EQ(WindowAt(button, 0, 2), form->Handle());
    EXPECT_EQ(WindowAt(button, 3, 2), button->Handle());

    // A press on a cut-out pixel shows no pressed look.
    Press(button, 0, 2);
    EXPECT_EQ(button->GetCanvas()->Pixel(3, 2), RGB(0, 0, 128));
    Release(button, 0, 2);

    // Opaque again: the whole rectangle, and no window region.
    button->SetTransparent(false);
    EXPECT_TRUE(button->HitTest(0, 2));
    HRGN windowRegion = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(button->Handle(), windowRegion), ERROR);
    DeleteObject(windowRegion);
    EXPECT_EQ(WindowAt(button, 0, 2), button->Handle());
}

TEST_F(KyFixture, WritingTheTransparentColourReshapesTheWindow)
{
    auto* button = Place<TProbe>();
    button->SetStateBitmap(NotchedImage().get(), 0);
    button->SetTransparent(true);
    button->SetTransparentColor(clNavy);
    EXPECT_EQ(button->TransparentColor(), clNavy);
    EXPECT_TRUE(button->HitTest(0, 2));
    EXPECT_FALSE(button->HitTest(1, 2));
    button->SetTransparentColor(clBtnFace);
    EXPECT_EQ(button->TransparentColor(), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
}

TEST_F(KyFixture, AnEmptyImageIsStoodInForButTheRequestedIndexIsKept)
{
    auto* button = Place<TProbe>();
    kytest::LoadSolidStates(button, {0, 2});
    button->ShowBitmap(1);
    EXPECT_EQ(ShownImage(button), 0);
    EXPECT_EQ(button->GetCurrentIndex(), 1);
    button->ShowBitmap(2);
    EXPECT_EQ(ShownImage(button), 2);
}

TEST_F(KyFixture, AChangedStateImageShowsAtOnceOnlyWhenItIsTheCurrentOne)
{
    auto* button = Place<TProbe>();
    kytest::LoadSolidStates(button, {0, 1, 2});
    button->ShowBitmap(2);
    button->GetStateBitmap(1)->Assign(Solid(24, 24, clRed).get());
    EXPECT_EQ(ShownImage(button), 2);
    button->GetStateBitmap(2)->Assign(Solid(24, 24, clLime).get());
    EXPECT_EQ(button->GetCanvas()->Pixel(1, 1), RGB(0, 255, 0));

    // Drawn into image 0 directly, as the skin loaders do: the control is
    // sized and shaped by it.
    TBitmap* image0 = button->GetStateBitmap(0);
    image0->SetSize(30, 12);
    EXPECT_EQ(button->Width(), 30);
    EXPECT_EQ(button->Height(), 12);
}

TEST_F(KyFixture, TheBackgroundIsNeverErased)
{
    auto* button = Place<TProbe>();
    kytest::LoadSolidStates(button, {0});
    HDC dc = GetDC(button->Handle());
    EXPECT_EQ(SendMessageA(button->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    ReleaseDC(button->Handle(), dc);
}

TEST_F(KyFixture, TheScreenShowsTheCurrentStateImage)
{
    auto* button = Place<TProbe>(30, 20);
    kytest::LoadSolidStates(button, {0, 1, 2, 3});
    MoveTo(button, 3, 3);
    Press(button, 3, 3);
    auto shot = Screenshot();
    shot->SaveToFile("kycontrol_pressed.bmp");
    EXPECT_EQ(shot->Canvas()->Pixel(40, 30), StateColor(1));
    Release(button, 3, 3);
    shot = Screenshot();
    EXPECT_EQ(shot->Canvas()->Pixel(40, 30), StateColor(2));
}
