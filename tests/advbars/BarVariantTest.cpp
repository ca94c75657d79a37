// What the variants paint: the large bar's light track up to the dot, the
// small bars' filled groove, the graphics bar's disabled look and its link
// table, and a picture of every kind on one form.

#include <gtest/gtest.h>

#include "BarFormFixture.h"
#include "BitmapPixels.h"
#include "KyPackage/Source/KyImage.h"
#include "KyPackage/Source/KyLabel.h"
#include "TestPaths.h"
#include "app/bars/AdvGpuBar.h"
#include "app/bars/AdvLargeBar.h"
#include "app/bars/AdvSmallBar.h"
#include "app/bars/AdvSmallBarType2.h"
#include "app/controls/AlphaButton.h"
#include "tuning/KyOcPrimaryItemSet.h"

using bartest::BarFormFixture;
using zxtest::Bgra;

namespace {

constexpr unsigned kLinkTable = AdvGpuBar::kLinkTableItemId;
const Bgra kFill{251, 247, 45, 255};
const Bgra kDisabledFill{125, 123, 22, 255};

std::unique_ptr<TBitmap> Skin(const char* name)
{
    auto bitmap = std::make_unique<TBitmap>();
    EXPECT_TRUE(ReadSkinFile(name, bitmap.get())) << name;
    return bitmap;
}

TBitmap& TrackPicture(AdvScrollBar* bar)
{
    return *bar->Track()->Picture()->Bitmap();
}

// A large bar whose light picture the test chooses.
class LightTestBar : public AdvLargeBar {
public:
    using AdvLargeBar::AdvLargeBar;
    void UseLight(std::unique_ptr<TBitmap> light) { m_trackLight = std::move(light); }
};

TEST_F(BarFormFixture, TheLargeTrackIsLightFromItsStartToFivePixelsPastTheDot)
{
    auto* bar = Make<AdvLargeBar>(KyOcPrimaryItemSet::kFsbSlot, 300, 40);
    auto dark = Skin("color_bar_dark01.png");
    auto light = Skin("color_bar_light01.png");
    const int row = 7;  // the groove
    bar->SetPosition(0);
    EXPECT_EQ(2, bar->LitWidth());
    EXPECT_EQ(zxtest::Get(*dark, 150, row), zxtest::Get(TrackPicture(bar), 150, row));
    bar->SetPosition(bar->GetMax());
    EXPECT_EQ(302, bar->LitWidth());
    EXPECT_EQ(zxtest::Get(*light, 301, row), zxtest::Get(TrackPicture(bar), 301, row));
    EXPECT_EQ(zxtest::Get(*dark, 302, row), zxtest::Get(TrackPicture(bar), 302, row));
    EXPECT_FALSE(zxtest::Get(*dark, 150, row) == zxtest::Get(*light, 150, row));
}

TEST_F(BarFormFixture, ALightPictureNarrowerThanTheTrackLightsOnlyWhatItHas)
{
    auto* bar = Make<LightTestBar>(KyOcPrimaryItemSet::kFsbSlot, 300, 40);
    auto dark = Skin("color_bar_dark01.png");
    auto narrow = std::make_unique<TBitmap>();
    zxtest::Fill(*narrow, pf32bit, 10, 3, Bgra{1, 2, 3, 255});
    bar->UseLight(std::move(narrow));
    bar->SetPosition(bar->GetMax());
    EXPECT_EQ((Bgra{1, 2, 3, 255}), zxtest::Get(TrackPicture(bar), 9, 2));
    EXPECT_EQ(zxtest::Get(*dark, 10, 2), zxtest::Get(TrackPicture(bar), 10, 2));
    EXPECT_EQ(zxtest::Get(*dark, 9, 3), zxtest::Get(TrackPicture(bar), 9, 3));
    bar->UseLight(std::make_unique<TBitmap>());
    bar->StepDown();
    EXPECT_EQ(zxtest::Get(*dark, 150, 7), zxtest::Get(TrackPicture(bar), 150, 7)) << "no light picture at all";
}

TEST_F(BarFormFixture, TheSmallGrooveIsFilledFromItsStartToTwoPixelsPastTheDot)
{
    struct Case {
        const char* slider;
        AdvSmallBar* bar;
    };
    const Case cases[] = {
        {"small_slider01.png", Make<AdvSmallBar>(KyOcPrimaryItemSet::kDramVoltageSlot, 220, 100)},
        {"small_slider02.png", Make<AdvSmallBarType2>(KyOcPrimaryItemSet::kDramVoltageSlot, 220, 140)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slider);
        auto slider = Skin(c.slider);
        const int row = AdvSmallBar::kFillRow;
        c.bar->SetPosition(0);
        for (int x = 0; x < slider->Width(); ++x)
            ASSERT_EQ(zxtest::Get(*slider, x, row), zxtest::Get(TrackPicture(c.bar), x, row)) << x;
        c.bar->SetPosition(20);
        const int offset = c.bar->GetDotOffset();
        ASSERT_GT(offset, 10);
        EXPECT_EQ(zxtest::Get(*slider, 5, row), zxtest::Get(TrackPicture(c.bar), 5, row));
        for (int x = AdvSmallBar::kFillStart; x <= offset + 2; ++x)
            ASSERT_EQ(kFill, zxtest::Get(TrackPicture(c.bar), x, row)) << x;
        EXPECT_EQ(zxtest::Get(*slider, offset + 3, row), zxtest::Get(TrackPicture(c.bar), offset + 3, row));
        EXPECT_EQ(zxtest::Get(*slider, offset, row + 1), zxtest::Get(TrackPicture(c.bar), offset, row + 1));
        c.bar->SetPosition(c.bar->GetMax());
        const int end = c.bar->GetTrackLength() + 2;
        EXPECT_EQ(kFill, zxtest::Get(TrackPicture(c.bar), end, row));
        EXPECT_EQ(zxtest::Get(*slider, end + 1, row), zxtest::Get(TrackPicture(c.bar), end + 1, row));
    }
}

TEST_F(BarFormFixture, DisablingAGraphicsBarGreysItAndEnablingRestoresIt)
{
    auto* bar = Make<AdvGpuBar>(bartest::SlotOf(bartest::kGraphicsMemoryId), 320, 170);
    auto disabledDot = Skin("small_dot_un.png");
    bar->SetEnabled(false);
    EXPECT_FALSE(bar->LeftButton()->Enabled());
    EXPECT_FALSE(bar->RightButton()->Enabled());
    EXPECT_FALSE(bar->Track()->Enabled());
    EXPECT_FALSE(bar->Dot()->Enabled());
    EXPECT_TRUE(bar->NameLabel()->Enabled()) << "the labels keep theirs";
    EXPECT_EQ(RGB(52, 110, 127), bar->NameLabel()->Font()->Color());
    EXPECT_EQ(RGB(127, 127, 127), bar->BiosValueLabel()->Font()->Color());
    EXPECT_EQ(RGB(20, 127, 108), bar->ValueLabel()->Font()->Color());
    EXPECT_EQ(RGB(20, 127, 108), bar->UnitLabel()->Font()->Color());
    EXPECT_EQ(zxtest::Get(*disabledDot, 6, 6), zxtest::Get(*bar->Dot()->Picture()->Bitmap(), 6, 6));
    EXPECT_EQ(kDisabledFill, zxtest::Get(TrackPicture(bar), AdvSmallBar::kFillStart, AdvSmallBar::kFillRow));

    bar->SetEnabled(true);
    EXPECT_TRUE(bar->RightButton()->Enabled());
    EXPECT_EQ(RGB(104, 221, 255), bar->NameLabel()->Font()->Color());
    EXPECT_EQ(RGB(255, 255, 255), bar->BiosValueLabel()->Font()->Color());
    EXPECT_EQ(RGB(40, 254, 216), bar->ValueLabel()->Font()->Color());
    EXPECT_EQ(kFill, zxtest::Get(TrackPicture(bar), AdvSmallBar::kFillStart, AdvSmallBar::kFillRow));
}

class LinkTest : public BarFormFixture {
protected:
    void SetUp() override
    {
        BarFormFixture::SetUp();
        clock = Make<AdvGpuBar>(bartest::SlotOf(bartest::kGraphicsClockId), 320, 140);
        memory = Make<AdvGpuBar>(bartest::SlotOf(bartest::kGraphicsMemoryId), 320, 180);
        clock->SetLinked(true);
        clock->AddLinkedBar(memory);
    }
    void TearDown() override
    {
        EXPECT_TRUE(bartest::Writes().empty());
        BarFormFixture::TearDown();
    }

    AdvGpuBar* clock = nullptr;
    AdvGpuBar* memory = nullptr;
};

TEST_F(LinkTest, ALinkedBarMovesItsFirstLinkedBarByTheBiosTableReadOncePerPaint)
{
    // The table gives the memory clock position p / 3 for clock position p.
    ASSERT_EQ(8, clock->GetPosition());
    const int reads = bartest::CallCount("AcpiReadItemData", kLinkTable);
    clock->StepUp();
    EXPECT_EQ(3, memory->GetPosition());
    EXPECT_EQ(reads + 1, bartest::CallCount("AcpiReadItemData", kLinkTable));
    clock->SetPosition(20);
    EXPECT_EQ(6, memory->GetPosition());
}

TEST_F(LinkTest, OnlyTheWordsTheTableReturnedCount)
{
    bartest::SetItemKey(kLinkTable, "data.10", "0x00000001,0x03010061");
    clock->SetPosition(9);
    ASSERT_EQ(3, memory->GetPosition());
    memory->SetPosition(1);
    clock->StepUp();
    bartest::SetItemKey(kLinkTable, "data.10", "0x00000001,0x03010061,3,0xFFFFFFFF");
    EXPECT_EQ(1, memory->GetPosition()) << "an id without its value word moves nothing";
    bartest::SetItemKey(kLinkTable, "fail", "data");
    clock->SetPosition(20);
    bartest::SetItemKey(kLinkTable, "fail", "");
    EXPECT_EQ(1, memory->GetPosition()) << "a failed read leaves the linked bar";
}

TEST_F(LinkTest, BarsLinkedToEachOtherDoNotMoveEachOtherBack)
{
    memory->SetLinked(true);
    memory->AddLinkedBar(clock);
    clock->SetPosition(20);
    EXPECT_EQ(20, clock->GetPosition());
    EXPECT_EQ(6, memory->GetPosition());
    // The memory bar's table moves the clock bar, and the clock bar, moved
    // by a link, leaves the memory bar where the user put it.
    memory->StepUp();
    EXPECT_EQ(7, memory->GetPosition());
    EXPECT_EQ(2, clock->GetPosition());
}

TEST_F(LinkTest, AnUnlinkedOrDisabledBarLeavesTheOthersAlone)
{
    clock->SetLinked(false);
    clock->SetPosition(20);
    EXPECT_EQ(4, memory->GetPosition());
    clock->SetLinked(true);
    clock->SetEnabled(false);
    clock->SetPosition(0);
    EXPECT_EQ(4, memory->GetPosition());
}

// Whether some pixel inside `control` has the colour `color` on the screen.
bool ShowsColour(TBitmap& shot, TControl* control, COLORREF color)
{
    for (int y = control->Top(); y < control->Top() + control->Height(); ++y)
        for (int x = control->Left(); x < control->Left() + control->Width(); ++x) {
            Bgra p = zxtest::Get(shot, x, y);
            if (RGB(p.r, p.g, p.b) == color)
                return true;
        }
    return false;
}

TEST_F(BarFormFixture, EveryKindOnOneFormShowsItsTexts)
{
    std::vector<AdvScrollBar*> bars = {
        Make<AdvLargeBar>(KyOcPrimaryItemSet::kFsbSlot, 300, 40),
        Make<AdvSmallBar>(KyOcPrimaryItemSet::kCoreVoltageSlot, 220, 100),
        Make<AdvSmallBarType2>(KyOcPrimaryItemSet::kDramVoltageSlot, 220, 135),
        Make<AdvGpuBar>(bartest::SlotOf(bartest::kGraphicsClockId), 320, 175),
        Make<AdvGpuBar>(bartest::SlotOf(bartest::kGraphicsMemoryId), 320, 210),
    };
    bars[1]->StepUp();
    bars[4]->SetEnabled(false);
    auto shot = Screenshot();
    shot->SaveToFile(zxtest::JoinPath(zxtest::TestDir(), "adv_bars_screenshot.bmp"));
    for (size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(bars[i]->GetNameText());
        EXPECT_TRUE(ShowsColour(*shot, bars[i]->UnitLabel(), RGB(40, 254, 216)));
        EXPECT_TRUE(ShowsColour(*shot, bars[i]->BiosValueLabel(), RGB(255, 255, 255)));
    }
    EXPECT_TRUE(ShowsColour(*shot, bars[1]->ValueLabel(), kPendingValueColor));
}

}  // namespace
