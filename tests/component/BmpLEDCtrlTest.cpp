// The bitmap LED control on a window: a 0×0 disabled image that shows the
// current state's bitmap, at once when that bitmap changes, and never a
// state that was already shown or that has no picture.

#include <gtest/gtest.h>

#include <memory>

#include "ContractStop.h"
#include "SolidBitmap.h"
#include "TestProcess.h"
#include "platform/vcl/Form.h"
#include "vessa/Component/Source/TBmpLEDCtrl.h"
#include "vessa/System/VessaAssert.h"

namespace {

using zxtest::SolidBitmap;

class BmpLEDCtrl : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(30, 30, 80, 60);
        form->Show();
        leds = std::make_unique<vessa::TBmpLEDCtrl>(form.get(), form.get(), 3);
    }
    void TearDown() override
    {
        leds.reset();
        form.reset();
    }
    COLORREF Shown(int x = 1, int y = 1) { return leds->Canvas()->Pixel(x, y); }

    std::unique_ptr<TForm> form;
    std::unique_ptr<vessa::TBmpLEDCtrl> leds;
};

// Counts the frees of one component through its free notification.
class FreeCounter : public TComponent {
public:
    explicit FreeCounter(TComponent* watched) : TComponent(nullptr) { watched->FreeNotification(this); }
    int count = 0;

protected:
    void Notification(TComponent* component, TOperation operation) override
    {
        TComponent::Notification(component, operation);
        if (operation == opRemove)
            ++count;
    }
};

ZX_TEST_CHILD(ledctrl_no_states)
{
    TForm form(nullptr);
    vessa::TBmpLEDCtrl leds(&form, &form, 0);
    return 0;
}

}  // namespace

TEST_F(BmpLEDCtrl, StartsAsADisabledEmptyImageShowingStateZero)
{
    TImage* image = leds->Image();
    EXPECT_EQ(image->Parent(), form.get());
    EXPECT_EQ(image->Owner(), form.get());
    EXPECT_FALSE(image->Enabled()) << "the mouse goes to the parent";
    EXPECT_EQ(leds->Left(), 0);
    EXPECT_EQ(leds->Top(), 0);
    EXPECT_EQ(leds->Width(), 0);
    EXPECT_EQ(leds->Height(), 0);
    EXPECT_EQ(image->Width(), 0);
    EXPECT_EQ(leds->StateCount(), 3);
    EXPECT_EQ(leds->State(), 0);
    EXPECT_EQ(image->Picture()->Bitmap()->TransparentMode(), tmFixed);
}

TEST_F(BmpLEDCtrl, SetSizeSizesPictureAndImageAndMoveByMovesTheImage)
{
    leds->SetSize(20, 15);
    EXPECT_EQ(leds->Width(), 20);
    EXPECT_EQ(leds->Height(), 15);
    EXPECT_EQ(leds->Image()->Width(), 20);
    EXPECT_EQ(leds->Image()->Height(), 15);
    EXPECT_EQ(Shown(19, 14), RGB(255, 255, 255));
    leds->MoveBy(5, 7);
    EXPECT_EQ(leds->Left(), 5);
    EXPECT_EQ(leds->Top(), 7);
}

TEST_F(BmpLEDCtrl, TheCurrentStatesBitmapShowsAtOnceAnotherStatesWhenSelected)
{
    leds->SetSize(8, 8);
    leds->SetBitmap(SolidBitmap(8, 8, clRed).get(), 0);
    EXPECT_EQ(Shown(), RGB(255, 0, 0));

    leds->Bitmap(1)->Assign(SolidBitmap(8, 8, clBlue).get());
    EXPECT_EQ(Shown(), RGB(255, 0, 0)) << "state 1 is not current";
    leds->SetState(1);
    EXPECT_EQ(Shown(), RGB(0, 0, 255));

    // Loading into the current state's own bitmap shows it at once.
    leds->Bitmap(1)->Canvas()->Brush()->SetColor(clLime);
    leds->Bitmap(1)->Canvas()->FillRect(RECT{0, 0, 8, 8});
    EXPECT_EQ(Shown(), RGB(0, 255, 0));
}

TEST_F(BmpLEDCtrl, SelectingTheCurrentStateOrAnEmptyOneLeavesThePicture)
{
    leds->SetSize(8, 8);
    leds->SetBitmap(SolidBitmap(8, 8, clRed).get(), 0);
    leds->Canvas()->SetPixel(1, 1, clYellow);
    leds->SetState(0);
    EXPECT_EQ(Shown(), RGB(255, 255, 0)) << "no redraw for the state already shown";

    leds->SetState(2);  // its bitmap is empty
    EXPECT_EQ(leds->State(), 2);
    EXPECT_EQ(Shown(), RGB(255, 255, 0));
    EXPECT_EQ(Shown(4, 4), RGB(255, 0, 0));
}

TEST_F(BmpLEDCtrl, TransparentColourIsStoredAsRGBOnThePicture)
{
    leds->SetTransparentColor(clBtnFace);
    EXPECT_EQ(leds->TransparentColor(), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
    leds->SetTransparent(true);
    EXPECT_TRUE(leds->Transparent());
    EXPECT_TRUE(leds->Image()->Transparent());
}

TEST_F(BmpLEDCtrl, AnImageItsOwnerFreedFirstIsNotFreedAgain)
{
    auto owner = std::make_unique<TComponent>(nullptr);
    auto other = std::make_unique<vessa::TBmpLEDCtrl>(owner.get(), form.get(), 1);
    FreeCounter frees(other->Image());
    owner.reset();
    EXPECT_EQ(frees.count, 1) << "the owner freed the image";
    EXPECT_EQ(other->Image(), nullptr) << "the control forgot it";
    other.reset();  // must not touch the image again
    EXPECT_EQ(frees.count, 1);
}

TEST_F(BmpLEDCtrl, TheControlFreesTheImageItMadeOnce)
{
    auto owner = std::make_unique<TComponent>(nullptr);
    auto other = std::make_unique<vessa::TBmpLEDCtrl>(owner.get(), form.get(), 1);
    FreeCounter frees(other->Image());
    other.reset();
    EXPECT_EQ(frees.count, 1);
    EXPECT_EQ(owner->ComponentCount(), 0) << "the image left its owner";
    owner.reset();
    EXPECT_EQ(frees.count, 1);
}

TEST(BmpLEDCtrlContract, ANonPositiveStateCountStopsTheProgram)
{
    zxtest::ExpectContractStop("ledctrl_no_states", "Assertion failed: stateCount > 0,");
}
