// The scroll bars bound to the primary item set, on a shown form: what
// they read, how the user moves them, the colours of the value text and
// that nothing they do reaches the BIOS as a write.

#include <gtest/gtest.h>

#include "BarFormFixture.h"
#include "BitmapPixels.h"
#include "KyPackage/Source/KyImage.h"
#include "KyPackage/Source/KyLabel.h"
#include "app/bars/AdvGpuBar.h"
#include "app/bars/AdvLargeBar.h"
#include "app/bars/AdvSmallBar.h"
#include "app/controls/AlphaButton.h"
#include "tuning/KyOcPrimaryItemSet.h"

using bartest::BarFormFixture;

namespace {

constexpr COLORREF kNormalValue = RGB(40, 254, 216);

std::string TextOf(int slot, int position)
{
    return AdvScrollBar::ValueText(*KyOcPrimaryItemSet::GetInstance().GetItem(slot), position);
}

class ScrollBarTest : public BarFormFixture {
protected:
    void TearDown() override
    {
        EXPECT_TRUE(bartest::Writes().empty()) << "bars never write; only Apply does";
        BarFormFixture::TearDown();
    }
};

TEST_F(ScrollBarTest, EachKindShowsItsItemsNameValueAndUnitFromTheStart)
{
    struct Case {
        const char* what;
        AdvScrollBar* (*make)(ScrollBarTest&, int slot);
        int slot;
        const char* name;
        const char* unit;
        int position;
    };
    const Case cases[] = {
        {"large", [](ScrollBarTest& t, int s) -> AdvScrollBar* { return t.Make<AdvLargeBar>(s, 300, 40); },
         KyOcPrimaryItemSet::kFsbSlot, "CPU FSB Frequency :", "(MHz)", 33},
        {"small", [](ScrollBarTest& t, int s) -> AdvScrollBar* { return t.Make<AdvSmallBar>(s, 220, 100); },
         KyOcPrimaryItemSet::kCoreVoltageSlot, "CPU Core Voltage", "(V)", 56},
        {"graphics", [](ScrollBarTest& t, int s) -> AdvScrollBar* { return t.Make<AdvGpuBar>(s, 320, 170); },
         bartest::SlotOf(bartest::kGraphicsMemoryId), "Graphics Memory Clock :", "(MHz)", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        changes = 0;
        AdvScrollBar* bar = c.make(*this, c.slot);
        EXPECT_EQ(c.name, bar->GetNameText());
        EXPECT_EQ(c.unit, bar->UnitLabel()->GetText());
        EXPECT_EQ(c.position, bar->GetPosition());
        EXPECT_EQ(KyOcPrimaryItemSet::GetInstance().GetItem(c.slot)->GetValueCount() - 1, bar->GetMax());
        EXPECT_EQ(TextOf(c.slot, c.position), bar->ValueLabel()->GetText());
        EXPECT_EQ(bar->ValueLabel()->GetText(), bar->BiosValueLabel()->GetText());
        EXPECT_EQ(kNormalValue, bar->ValueLabel()->Font()->Color());
        EXPECT_EQ(KyOcPrimaryItemSet::GetInstance().GetItem(c.slot)->GetId(), bar->GetItemId());
        EXPECT_TRUE(bar->IsRead());
        EXPECT_EQ(bar->Track()->Left(), bar->GetLeft());
        EXPECT_EQ(bar->PositionToOffset(c.position), bar->GetDotOffset());
        EXPECT_EQ(0, changes) << "no callback is set while the bar is built";
    }
}

TEST_F(ScrollBarTest, UnitTextsFollowTheUnitCodeOfTheItemId)
{
    const std::pair<DWORD, const char*> cases[] = {
        {0x03010011, "(MHz)"}, {0x03020012, "(V)"}, {bartest::kRatioUnitItemId, "X"},
        {0x03060013, ""},      {0x03080018, ""},    {0x03070020, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.second, AdvScrollBar::UnitText(c.first)) << std::hex << c.first;
    auto* bar = Make<AdvSmallBar>(bartest::SlotOf(bartest::kRatioUnitItemId), 220, 100);
    EXPECT_EQ("X", bar->UnitLabel()->GetText());
}

TEST_F(ScrollBarTest, StepButtonsMoveOneStepWithOneCallbackAndColourThePendingValue)
{
    auto* bar = Make<AdvSmallBar>(KyOcPrimaryItemSet::kDramVoltageSlot, 220, 100);
    const std::string biosText = bar->ValueLabel()->GetText();
    ClickButton(bar->RightButton());
    EXPECT_EQ(16, bar->GetPosition());
    EXPECT_EQ(1, changes);
    EXPECT_EQ(TextOf(KyOcPrimaryItemSet::kDramVoltageSlot, 16), bar->ValueLabel()->GetText());
    EXPECT_EQ(kPendingValueColor, bar->ValueLabel()->Font()->Color());
    EXPECT_EQ(biosText, bar->BiosValueLabel()->GetText());
    ClickButton(bar->LeftButton());
    EXPECT_EQ(15, bar->GetPosition());
    EXPECT_EQ(2, changes);
    EXPECT_EQ(kNormalValue, bar->ValueLabel()->Font()->Color()) << "back at the BIOS value";
}

TEST_F(ScrollBarTest, TheValueIsRedPastTheDangerLimitYellowWhilePendingElseNormal)
{
    // The core voltage's limit on the test board is value index 96.
    auto* bar = Make<AdvSmallBar>(KyOcPrimaryItemSet::kCoreVoltageSlot, 220, 100);
    const std::pair<int, COLORREF> cases[] = {
        {100, kDangerValueColor}, {97, kDangerValueColor}, {60, kPendingValueColor},
        {56, kNormalValue},       {0, kPendingValueColor}, {128, kDangerValueColor},
    };
    for (const auto& c : cases) {
        bar->SetPosition(c.first);
        EXPECT_EQ(c.second, bar->ValueLabel()->Font()->Color()) << "position " << c.first;
    }
}

TEST_F(ScrollBarTest, AClickOnTheTrackMovesOneStepTowardThePointer)
{
    auto* bar = Make<AdvLargeBar>(KyOcPrimaryItemSet::kFsbSlot, 300, 40);
    KyImage* track = bar->Track();
    const int atDot = bar->PositionToOffset(33) + bar->GetTrackStart();
    MouseDown(At(track, atDot, 5));
    MouseUp(At(track, atDot, 5));
    EXPECT_EQ(33, bar->GetPosition());
    EXPECT_EQ(0, changes) << "a click where the dot is does nothing";
    MouseDown(At(track, track->Width() - 2, 5));
    MouseUp(At(track, track->Width() - 2, 5));
    EXPECT_EQ(34, bar->GetPosition());
    MouseDown(At(track, 1, 5));
    MouseUp(At(track, 1, 5));
    MouseDown(At(track, 1, 5));
    MouseUp(At(track, 1, 5));
    EXPECT_EQ(32, bar->GetPosition());
    EXPECT_EQ(3, changes);
}

TEST_F(ScrollBarTest, DraggingTheDotStopsAtBothEndsAndAnnouncesEachNewPositionOnce)
{
    auto* bar = Make<AdvSmallBar>(KyOcPrimaryItemSet::kDramVoltageSlot, 220, 100);
    KyImage* dot = bar->Dot();
    const int length = bar->GetTrackLength();
    ASSERT_GT(length, 0);
    POINT grip = At(dot, 4, 4);
    MouseDown(grip);
    MouseMove(POINT{grip.x + 1000, grip.y}, true);
    EXPECT_EQ(length, bar->GetDotOffset());
    EXPECT_EQ(bar->GetMax(), bar->GetPosition());
    EXPECT_EQ(1, changes);
    MouseMove(POINT{grip.x + 2000, grip.y}, true);
    MouseUp(POINT{grip.x + 2000, grip.y});
    EXPECT_EQ(1, changes) << "past the end nothing moves, and the release only snaps the dot";
    EXPECT_EQ(bar->PositionToOffset(bar->GetMax()), bar->GetDotOffset());

    grip = At(dot, 4, 4);
    MouseDown(grip);
    MouseMove(POINT{grip.x - 1000, grip.y}, true);
    MouseUp(POINT{grip.x - 1000, grip.y});
    EXPECT_EQ(0, bar->GetPosition());
    EXPECT_EQ(0, bar->GetDotOffset());
    EXPECT_EQ(2, changes);

    // Pixel by pixel: the dot follows every pixel, the value each new position.
    grip = At(dot, 4, 4);
    MouseDown(grip);
    for (int dx = 1; dx <= length; ++dx) {
        MouseMove(POINT{grip.x + dx, grip.y}, true);
        ASSERT_EQ(dx, bar->GetDotOffset());
        EXPECT_EQ(bar->OffsetToPosition(dx), bar->GetPosition());
    }
    MouseUp(POINT{grip.x + length, grip.y});
    EXPECT_EQ(2 + bar->GetMax(), changes);
}

// A window that takes the mouse capture in the middle of a drag ends it:
// the next hover over the dot moves nothing.
TEST_F(ScrollBarTest, ALostCaptureEndsTheDrag)
{
    auto* bar = Make<AdvSmallBar>(KyOcPrimaryItemSet::kDramVoltageSlot, 220, 100);
    KyImage* dot = bar->Dot();
    const int start = bar->GetPosition();
    const int startOffset = bar->GetDotOffset();
    const POINT grip = At(dot, 3, 4);
    MouseDown(grip);
    HWND other = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    SetCapture(other);
    ReleaseCapture();
    DestroyWindow(other);
    MouseMove(POINT{grip.x + 6, grip.y}, false);  // still over the dot, no button
    EXPECT_EQ(startOffset, bar->GetDotOffset());
    EXPECT_EQ(start, bar->GetPosition());
    EXPECT_EQ(0, changes);
}

TEST_F(ScrollBarTest, TheDotShowsItsHoverPictureUnderThePointer)
{
    auto* bar = Make<AdvSmallBar>(KyOcPrimaryItemSet::kDramVoltageSlot, 220, 100);
    TBitmap hover;
    ASSERT_TRUE(ReadSkinFile("small_dot_o.png", &hover));
    MouseMove(At(bar->Dot(), 3, 3), false);
    TBitmap* shown = bar->Dot()->Picture()->Bitmap();
    ASSERT_EQ(hover.Width(), shown->Width());
    EXPECT_EQ(zxtest::Get(hover, 6, 6), zxtest::Get(*shown, 6, 6));
}

TEST_F(ScrollBarTest, RefreshFollowsTheBiosAndNotifiesOnlyWhenTheValueMoved)
{
    auto* bar = Make<AdvSmallBar>(KyOcPrimaryItemSet::kCoreVoltageSlot, 220, 100);
    bar->Refresh();
    EXPECT_EQ(0, changes);
    bar->SetPosition(100);  // past the limit, pending
    changes = 0;
    bartest::SetItemKey(0x03020012, "value", "100");
    bar->Refresh();
    EXPECT_EQ(0, changes) << "the BIOS now holds the bar's value";
    EXPECT_EQ(kNormalValue, bar->ValueLabel()->Font()->Color()) << "right after a read the colour is normal";
    EXPECT_EQ(TextOf(KyOcPrimaryItemSet::kCoreVoltageSlot, 100), bar->BiosValueLabel()->GetText());
    bartest::SetItemKey(0x03020012, "value", "56");
    bar->Refresh();
    EXPECT_EQ(56, bar->GetPosition());
    EXPECT_EQ(1, changes);
    EXPECT_EQ(TextOf(KyOcPrimaryItemSet::kCoreVoltageSlot, 56), bar->BiosValueLabel()->GetText());
    EXPECT_TRUE(bar->IsRead());
}

// A bar whose value cannot be read shows no value (neither the builder's
// placeholder nor an old one), is not coloured as pending and cannot be
// moved by any of its controls; the first read that succeeds brings it
// back. Each kind, unread from the start and after a failed reread.
TEST_F(ScrollBarTest, AnUnreadBarShowsNoValueCannotMoveAndComesBackAtTheNextRead)
{
    struct Case {
        const char* what;
        AdvScrollBar* (*make)(ScrollBarTest&, int slot);
        int top;
    };
    const Case cases[] = {
        {"large", [](ScrollBarTest& t, int s) -> AdvScrollBar* { return t.Make<AdvLargeBar>(s, 300, 40); }, 40},
        {"small", [](ScrollBarTest& t, int s) -> AdvScrollBar* { return t.Make<AdvSmallBar>(s, 220, 100); }, 100},
        {"graphics", [](ScrollBarTest& t, int s) -> AdvScrollBar* { return t.Make<AdvGpuBar>(s, 320, 170); }, 170},
    };
    const int slot = KyOcPrimaryItemSet::kCoreVoltageSlot;
    for (const Case& c : cases) {
        for (bool fromTheStart : {true, false}) {
            SCOPED_TRACE(std::string(c.what) + (fromTheStart ? ", unread from the start" : ", reread failed"));
            bartest::SetItemKey(0x03020012, "fail", fromTheStart ? "read" : "");
            AdvScrollBar* bar = c.make(*this, slot);
            if (!fromTheStart) {
                bar->StepUp();  // pending when the reread fails
                bartest::SetItemKey(0x03020012, "fail", "read");
                bar->Refresh();
            }
            changes = 0;
            const int position = bar->GetPosition();
            EXPECT_FALSE(bar->IsRead());
            for (TLabel* label : {bar->ValueLabel(), bar->BiosValueLabel()}) {
                EXPECT_NE("200", label->GetText());
                EXPECT_TRUE(label->GetText().empty() || label->GetText() == "-") << label->GetText();
            }
            EXPECT_NE(kPendingValueColor, bar->ValueLabel()->Font()->Color());
            EXPECT_FALSE(bar->RightButton()->Enabled());
            EXPECT_FALSE(bar->LeftButton()->Enabled());
            EXPECT_FALSE(bar->Dot()->Visible() && bar->Dot()->Enabled());
            EXPECT_FALSE(bar->DiffersFromBios());
            bar->SetVisible(false);
            bar->SetVisible(true);  // a page shown again
            EXPECT_FALSE(bar->Dot()->Visible());
            ClickButton(bar->RightButton());
            ClickButton(bar->LeftButton());
            MouseDown(At(bar->Track(), bar->Track()->Width() - 4, 3));
            MouseUp(At(bar->Track(), bar->Track()->Width() - 4, 3));
            EXPECT_EQ(position, bar->GetPosition());
            EXPECT_EQ(0, changes);

            bartest::SetItemKey(0x03020012, "fail", "");
            bar->Refresh();
            EXPECT_TRUE(bar->IsRead());
            EXPECT_EQ(56, bar->GetPosition());
            EXPECT_EQ(TextOf(slot, 56), bar->ValueLabel()->GetText());
            EXPECT_EQ(TextOf(slot, 56), bar->BiosValueLabel()->GetText());
            EXPECT_TRUE(bar->RightButton()->Enabled());
            EXPECT_TRUE(bar->Dot()->Visible());
            EXPECT_FALSE(bar->DiffersFromBios());
            ClickButton(bar->RightButton());
            EXPECT_EQ(57, bar->GetPosition());
            EXPECT_EQ(kPendingValueColor, bar->ValueLabel()->Font()->Color());
            EXPECT_TRUE(bar->DiffersFromBios());
            bar->SetVisible(false);
        }
    }
}

// A step button that has no picture of its own for the unavailable state
// shows a faded one, so that a bar that cannot move looks so.
TEST_F(ScrollBarTest, StepButtonsWithoutAnUnavailablePictureGetAFadedOne)
{
    auto* large = Make<AdvLargeBar>(KyOcPrimaryItemSet::kFsbSlot, 300, 40);
    for (AlphaButton* button : {large->LeftButton(), large->RightButton()}) {
        TBitmap* normal = button->SourceImage(0);
        TBitmap* faded = button->SourceImage(3);
        ASSERT_GT(normal->Width(), 0);
        ASSERT_EQ(normal->Width(), faded->Width());
        ASSERT_EQ(normal->Height(), faded->Height());
        int opaque = 0;
        for (int y = 0; y < normal->Height(); ++y)
            for (int x = 0; x < normal->Width(); ++x) {
                const zxtest::Bgra n = zxtest::Get(*normal, x, y), f = zxtest::Get(*faded, x, y);
                EXPECT_LE(f.a, n.a);
                if (n.a == 255) {
                    ++opaque;
                    EXPECT_LT(f.a, 128);
                }
            }
        EXPECT_GT(opaque, 0);
    }
}

TEST_F(ScrollBarTest, RefreshingTheNbCoreVoltageBarWaitsForItsItemToSettle)
{
    auto* bar = Make<AdvSmallBar>(KyOcPrimaryItemSet::kNbCoreVoltageSlot, 220, 100);
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    bar->Refresh();
    QueryPerformanceCounter(&end);
    const double ms = (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
    EXPECT_GE(ms, 99.0);
}

TEST_F(ScrollBarTest, TheGraphicsClockShowsItsValueRoundedToAWholeNumber)
{
    const int slot = bartest::SlotOf(bartest::kGraphicsClockId);
    auto* bar = Make<AdvGpuBar>(slot, 320, 170);
    // 400.5, 400.8, 401.1, 401.4, 401.7, 402.0 MHz
    const char* const expected[] = {"401", "401", "401", "401", "402", "402"};
    for (int position = 0; position < 6; ++position) {
        bar->SetPosition(position);
        EXPECT_EQ(expected[position], bar->ValueLabel()->GetText()) << position;
    }
    EXPECT_NE("401", KyOcPrimaryItemSet::GetInstance().GetItem(slot)->IndexToString(0));
}

TEST_F(ScrollBarTest, AnItemOfOneValueStaysAtItAndAnItemWithoutValuesHasNoSlot)
{
    auto* single = Make<AdvSmallBar>(bartest::SlotOf(bartest::kSingleValueItemId), 220, 100);
    EXPECT_TRUE(single->IsRead());
    EXPECT_EQ(0, single->GetMax());
    EXPECT_EQ(0, single->GetDotOffset());
    ClickButton(single->RightButton());
    POINT grip = At(single->Dot(), 4, 4);
    MouseDown(grip);
    MouseMove(POINT{grip.x + 40, grip.y}, true);
    MouseUp(POINT{grip.x + 40, grip.y});
    EXPECT_EQ(0, single->GetPosition());
    EXPECT_EQ(0, changes);

    // An item without values is not in the item set: no page gives it a bar.
    EXPECT_EQ(-1, bartest::SlotOf(bartest::kEmptyItemId));
}

TEST_F(ScrollBarTest, ABarWithoutAnItemIsDisabledUnreadAndIgnoresRefreshAndDefault)
{
    for (int slot : {-1, 4}) {
        SCOPED_TRACE(slot);
        auto* bar = Make<AdvSmallBar>(slot, 220, 100);
        bar->Refresh();
        bar->LoadDefault();
        EXPECT_FALSE(bar->IsRead());
        EXPECT_FALSE(bar->IsEnabled());
        EXPECT_EQ(0u, bar->GetItemId());
        EXPECT_EQ(0, bar->GetPosition());
    }
}

TEST_F(ScrollBarTest, LoadDefaultMovesToTheItemsInfoValue)
{
    auto* bar = Make<AdvSmallBar>(KyOcPrimaryItemSet::kDramVoltageSlot, 220, 100);
    bar->SetPosition(30);
    bar->LoadDefault();
    EXPECT_EQ(15, bar->GetPosition());
}

}  // namespace
