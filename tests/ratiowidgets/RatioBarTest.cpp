// The ratio bars of the CPU ratio pages on the main form: what they read
// from the ratio item per core, how their read-outs show the ratio and the
// frequency, how one bar leads the others when one ratio serves all cores,
// and how they move under the pointer. Each board's suite runs in a child
// of its own; the bars read the board and never write a value to it.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "BitmapPixels.h"
#include "KyPackage/Source/KyImage.h"
#include "WidgetForm.h"
#include "app/bars/AdvCoreRatio.h"
#include "app/bars/AdvRatioBarMajor.h"
#include "app/bars/AdvRatioBarSmall.h"
#include "app/skin/SkinFiles.h"
#include "tuning/KyOcPrimaryItemSet.h"
#include "tuning/KyOcRatio.h"

namespace {

using widgettest::ChangeCounter;

constexpr DWORD kRatioItemId = 0x03060013;
constexpr char kRatioSection[] = "0x03060013";

// What a read-out shows: its digits and point, and whether it is lit.
struct Shown {
    std::string text;
    bool lit = false;
};

Shown ReadOut(FloatingLed* led)
{
    Shown shown;
    for (int i = 0; i < led->DigitCount(); ++i) {
        const int entry = led->Digit(i)->Digit();
        if (entry >= 20) {
            shown.text += '.';
            shown.lit = shown.lit || entry == 21;
        } else if (entry >= 0) {
            shown.text += static_cast<char>('0' + entry % 10);
            shown.lit = shown.lit || entry >= 10;
        } else {
            shown.text += '?';
        }
    }
    return shown;
}

// `value` as a read-out with `digits` integer positions and `fraction`
// decimals shows it.
std::string Fixed(double value, int digits, int fraction)
{
    char text[32];
    std::snprintf(text, sizeof text, "%0*.*f", digits + (fraction > 0 ? fraction + 1 : 0), fraction, value);
    return text;
}

double BusClock()
{
    double clock = 0;
    EXPECT_TRUE(KyOcPrimaryItemSet::GetInstance().GetItem(KyOcPrimaryItemSet::kFsbSlot)->GetCurrentValue(&clock));
    return clock;
}

// The fixture puts the board back after each test.
void SetBoardKey(const char* section, const char* key, const char* value)
{
    const std::string board = widgettest::WidgetForm::BoardFile();
    WritePrivateProfileStringA(section, key, value, board.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, board.c_str());
}

// A pixel of the fill column of a track, well inside the fill.
zxtest::Bgra FillPixel(TImage* track, int x, int y)
{
    return zxtest::Get(*track->Picture()->Bitmap(), x, y);
}

TEST(CoreNumerals, FiveNamesThenTheSixthForEveryLaterCore)
{
    const struct {
        int core;
        const char* file;
    } cases[] = {{0, "I.png"}, {1, "II.png"}, {2, "III.png"}, {3, "IV.png"},
                 {4, "V.png"}, {5, "VI.png"}, {9, "VI.png"},  {-1, "VI.png"}};
    for (const auto& c : cases)
        EXPECT_EQ(c.file, CoreNumeralFile(c.core)) << c.core;
}

TEST(CoreRatioOffsets, MapTheRangeOntoTheTrackWithoutDividingByZero)
{
    const struct {
        int position, min, max, length, offset;
    } cases[] = {
        {0, 0, 46, 47, 0}, {46, 0, 46, 47, 47}, {23, 0, 46, 47, 24},  // rounded half up
        {1, 0, 46, 47, 1}, {-5, 0, 46, 47, 0},  {60, 0, 46, 47, 47},  // outside: clamped
        {5, 5, 5, 47, 0},  {0, 0, 0, 47, 0},                          // one value
        {3, 6, 2, 47, 0},                                             // inverted range
        {10, 0, 46, 0, 0},                                            // no track
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.offset, AdvCoreRatio::PositionToOffset(c.position, c.min, c.max, c.length))
            << c.position << " in " << c.min << ".." << c.max << " over " << c.length;
}

// ---- The default board: four cores with a ratio each ----

class RatioBarsPerCore : public widgettest::WidgetForm {
protected:
    void SetUp() override
    {
        WidgetForm::SetUp();
        if (IsSkipped())
            return;
        ASSERT_TRUE(KyOcRatio::GetInstance().IsPerCore());
        for (int core = 0; core < 4; ++core) {
            auto bar = std::make_unique<AdvRatioBarRegular>(core);
            bar->Build(*form, 262 + 90 * core, 334);
            bar->SetVisible(true);
            bar->SetOnChange(changes.Event());
            list.push_back(bar.get());
            bars.push_back(std::move(bar));
        }
        AdvRatioBar::SetCoreRatioBars(&list);
        Pump();
    }

    void TearDown() override
    {
        AdvRatioBar::SetCoreRatioBars(nullptr);
        bars.clear();  // the read-outs go before the form that owns their images
        WidgetForm::TearDown();
    }

    std::vector<std::unique_ptr<AdvRatioBarRegular>> bars;
    std::vector<AdvBar*> list;
    ChangeCounter changes;
};

TEST_F(RatioBarsPerCore, EachBarShowsItsCoresRatioAndFrequency)
{
    const int cores[] = {36, 34, 30, 28};  // the board's per-core value indexes
    const double clock = BusClock();
    for (int core = 0; core < 4; ++core) {
        SCOPED_TRACE(core);
        AdvRatioBarRegular& bar = *bars[core];
        EXPECT_EQ(cores[core], bar.GetPosition());
        EXPECT_TRUE(bar.IsRead());
        EXPECT_EQ(kRatioItemId, bar.GetItemId());
        EXPECT_EQ(46, bar.GetMax());
        EXPECT_EQ(bar.PositionToOffset(cores[core]), bar.GetDotOffset());
        const double ratio = 6.0 + 0.5 * cores[core];
        // Half steps: two digits and one decimal; not lit at the BIOS value.
        Shown value = ReadOut(bar.ValueLed());
        EXPECT_EQ(Fixed(ratio, 2, 1), value.text);
        EXPECT_FALSE(value.lit);
        EXPECT_EQ(Fixed(std::floor(ratio * clock), 4, 0), ReadOut(bar.FrequencyLed()).text);
        // The children and read-outs stand where the page wants them.
        const int left = 262 + 90 * core;
        EXPECT_EQ((POINT{left, 334}), (POINT{bar.GetLeft(), bar.GetTop()}));
        EXPECT_EQ((POINT{left + 25, 334 - 21}), (POINT{bar.NumberImage()->Left(), bar.NumberImage()->Top()}));
        EXPECT_EQ((POINT{left + 3, 334 + 174}), (POINT{bar.ValueLed()->Left(), bar.ValueLed()->Top()}));
        EXPECT_EQ((POINT{left - 2, 334 + 227}), (POINT{bar.FrequencyLed()->Left(), bar.FrequencyLed()->Top()}));
    }
    // 24.0 × the board's 133 MHz.
    EXPECT_EQ("3192", ReadOut(bars[0]->FrequencyLed()).text);
    Screenshot("ratio_widgets_regular_bars");
}

TEST_F(RatioBarsPerCore, MovingOneCoreMovesNoOtherAndLightsItsValue)
{
    ClickOn(bars[1]->Track(), 10, 5);  // near the top: one step up
    EXPECT_EQ(35, bars[1]->GetPosition());
    EXPECT_EQ(1, changes.count);
    EXPECT_EQ(36, bars[0]->GetPosition());
    EXPECT_EQ(30, bars[2]->GetPosition());
    EXPECT_TRUE(ReadOut(bars[1]->ValueLed()).lit);
    EXPECT_EQ("23.5", ReadOut(bars[1]->ValueLed()).text);

    ClickOn(bars[1]->Track(), 10, 160);  // near the bottom: one step down
    EXPECT_EQ(34, bars[1]->GetPosition());
    EXPECT_FALSE(ReadOut(bars[1]->ValueLed()).lit);
}

TEST_F(RatioBarsPerCore, AFailedReadKeepsThePositionAndLeavesTheBarUnread)
{
    AdvRatioBarRegular& bar = *bars[2];
    SetBoardKey(kRatioSection, "fail", "read");
    bar.Refresh();
    EXPECT_EQ(30, bar.GetPosition()) << "-1 must not become the lowest ratio";
    EXPECT_FALSE(bar.IsRead());
    EXPECT_EQ(0, changes.count);

    SetBoardKey(kRatioSection, "fail", nullptr);
    SetBoardKey(kRatioSection, "cores", "36,34,40,28");
    bar.Refresh();
    EXPECT_EQ(40, bar.GetPosition());
    EXPECT_TRUE(bar.IsRead());
    EXPECT_EQ(1, changes.count);
}

TEST_F(RatioBarsPerCore, AFailedReadWhileBuildingLeavesTheBarUnread)
{
    SetBoardKey(kRatioSection, "fail", "read");
    AdvRatioBarRegular bar(0);
    bar.Build(*form, 20, 334);
    EXPECT_FALSE(bar.IsRead());
    EXPECT_EQ(0, bar.GetPosition());
    SetBoardKey(kRatioSection, "fail", nullptr);
    bar.Refresh();
    EXPECT_TRUE(bar.IsRead());
    EXPECT_EQ(36, bar.GetPosition());
}

TEST_F(RatioBarsPerCore, HoverShowsTheDotAndTheYellowFillUntilThePointerLeaves)
{
    AdvRatioBarRegular& bar = *bars[0];
    const zxtest::Bgra light = FillPixel(bar.Track(), 10, 140);
    MoveOver(bar.Track(), 10, 60);
    EXPECT_TRUE(bar.Dot()->Visible());
    EXPECT_FALSE(FillPixel(bar.Track(), 10, 140) == light) << "the fill turns yellow";
    Screenshot("ratio_widgets_regular_hover");

    MoveOver(form, 20, 20);  // over the form, outside the track
    EXPECT_FALSE(bar.Dot()->Visible());
    EXPECT_TRUE(FillPixel(bar.Track(), 10, 140) == light);
}

TEST_F(RatioBarsPerCore, TheDotDragsAndSnapsToItsPosition)
{
    AdvRatioBarRegular& bar = *bars[3];
    MoveOver(bar.Track(), 10, 60);
    ASSERT_TRUE(bar.Dot()->Visible());
    const int startOffset = bar.GetDotOffset();
    PressOn(bar.Dot(), 5, 5);
    MoveOver(bar.Dot(), 5, 5 - 20, true);  // 20 pixels up
    EXPECT_EQ(startOffset + 20, bar.GetDotOffset()) << "the dot follows the pointer";
    const int dragged = bar.GetPosition();
    EXPECT_GT(dragged, 28);
    EXPECT_GT(changes.count, 0);
    ReleaseOn(bar.Dot(), 5, 5);
    EXPECT_FALSE(bar.IsDragging());
    EXPECT_EQ(dragged, bar.GetPosition());
    EXPECT_EQ(bar.PositionToOffset(dragged), bar.GetDotOffset()) << "snapped";

    // Far beyond the top: the dot stops at the end of the track.
    PressOn(bar.Dot(), 5, 5);
    MoveOver(bar.Dot(), 5, -300, true);
    ReleaseOn(bar.Dot(), 5, 5);
    EXPECT_EQ(46, bar.GetPosition());
    EXPECT_EQ(AdvRatioBarRegular::kTrackLength, bar.GetDotOffset());
    EXPECT_EQ(36, bars[0]->GetPosition()) << "per core, no other bar follows";
}

// Only a new position is announced: not a press and release on the dot,
// nor a drag that stays within its position and comes back.
TEST_F(RatioBarsPerCore, TheDotAnnouncesOnlyANewPosition)
{
    AdvRatioBarRegular& bar = *bars[3];
    MoveOver(bar.Track(), 10, 60);
    ASSERT_TRUE(bar.Dot()->Visible());
    const int start = bar.GetPosition();
    const int startOffset = bar.GetDotOffset();
    changes.count = 0;
    PressOn(bar.Dot(), 5, 5);
    ReleaseOn(bar.Dot(), 5, 5);
    EXPECT_EQ(0, changes.count) << "a bare click";

    PressOn(bar.Dot(), 5, 5);
    MoveOver(bar.Dot(), 5, 4, true);  // one pixel up: still the same position
    EXPECT_EQ(startOffset + 1, bar.GetDotOffset());
    MoveOver(bar.Dot(), 5, 6, true);  // and back (the dot moved with the pointer)
    ReleaseOn(bar.Dot(), 5, 5);
    EXPECT_EQ(startOffset, bar.GetDotOffset());
    EXPECT_EQ(start, bar.GetPosition());
    EXPECT_EQ(0, changes.count) << "a drag back to where it began";
}

// A window that takes the mouse capture in the middle of a drag ends it:
// the next hover over the dot moves nothing.
TEST_F(RatioBarsPerCore, ALostCaptureEndsTheDrag)
{
    AdvRatioBarRegular& bar = *bars[3];
    MoveOver(bar.Track(), 10, 60);
    ASSERT_TRUE(bar.Dot()->Visible());
    const int start = bar.GetPosition();
    changes.count = 0;
    PressOn(bar.Dot(), 5, 5);
    ASSERT_TRUE(bar.IsDragging());
    HWND other = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    SetCapture(other);
    Pump();
    ReleaseCapture();
    DestroyWindow(other);
    EXPECT_FALSE(bar.IsDragging());
    MoveOver(bar.Dot(), 5, 1);  // four pixels up, no button
    EXPECT_EQ(start, bar.GetPosition());
    EXPECT_EQ(bar.PositionToOffset(start), bar.GetDotOffset());
    EXPECT_EQ(0, changes.count);
}

TEST_F(RatioBarsPerCore, ADisabledBarShowsItsBareBackgroundAndReadsNothing)
{
    AdvRatioBarRegular& bar = *bars[1];
    bar.SetEnabled(false);
    EXPECT_FALSE(bar.ValueLed()->Visible());
    EXPECT_FALSE(bar.FrequencyLed()->Visible());
    EXPECT_EQ(0u, bar.GetItemId());
    TBitmap background;
    LoadSkinOverCore("bar_bg01.png", &background, bar.GetLeft(), bar.GetTop());
    EXPECT_TRUE(zxtest::Get(background, 10, 140) == FillPixel(bar.Track(), 10, 140));
    Screenshot("ratio_widgets_regular_disabled");

    SetBoardKey(kRatioSection, "cores", "36,20,30,28");
    bar.Refresh();
    EXPECT_EQ(34, bar.GetPosition());
    bar.LoadDefault();
    EXPECT_EQ(34, bar.GetPosition());

    bar.SetEnabled(true);
    EXPECT_TRUE(bar.ValueLed()->Visible());
    bar.Refresh();
    EXPECT_EQ(20, bar.GetPosition());
    bar.LoadDefault();
    EXPECT_EQ(28, bar.GetPosition()) << "the item's default";
}

TEST_F(RatioBarsPerCore, HidingHidesTheDotAndTheReadOuts)
{
    AdvRatioBarRegular& bar = *bars[0];
    MoveOver(bar.Track(), 10, 60);
    bar.SetVisible(false);
    EXPECT_FALSE(bar.IsVisible());
    EXPECT_FALSE(bar.Dot()->Visible());
    EXPECT_FALSE(bar.NumberImage()->Visible());
    EXPECT_FALSE(bar.ValueLed()->Visible());
    bar.SetVisible(true);
    EXPECT_TRUE(bar.ValueLed()->Visible());
    EXPECT_FALSE(bar.Dot()->Visible());
}

// ---- Six cores, one ratio for all: the large bar of core 0 leads ----

class RatioBarsSingleRatio : public widgettest::WidgetForm {
protected:
    void SetUp() override
    {
        WidgetForm::SetUp();
        if (IsSkipped())
            return;
        ASSERT_FALSE(KyOcRatio::GetInstance().IsPerCore());
        major = std::make_unique<AdvRatioBarMajor>(0);
        major->Build(*form, 262, 334);
        major->SetVisible(true);
        list.push_back(major.get());
        for (int core = 1; core < 6; ++core) {
            auto bar = std::make_unique<AdvRatioBarSmall>(core);
            bar->Build(*form, 362 + 50 * (core - 1), 431);
            bar->SetVisible(true);
            list.push_back(bar.get());
            smalls.push_back(std::move(bar));
        }
        for (AdvBar* bar : list)
            bar->SetOnChange(changes.Event());
        AdvRatioBar::SetCoreRatioBars(&list);
        Pump();
    }

    void TearDown() override
    {
        AdvRatioBar::SetCoreRatioBars(nullptr);
        major.reset();  // the read-outs go before the form that owns their images
        smalls.clear();
        WidgetForm::TearDown();
    }

    std::unique_ptr<AdvRatioBarMajor> major;
    std::vector<std::unique_ptr<AdvRatioBarSmall>> smalls;
    std::vector<AdvBar*> list;
    ChangeCounter changes;
};

TEST_F(RatioBarsSingleRatio, EveryBarShowsTheOneRatio)
{
    // Not per core, every core reads the one ratio: the last core's (28).
    for (AdvBar* bar : list) {
        EXPECT_EQ(28, bar->GetPosition());
        EXPECT_TRUE(bar->IsRead());
        EXPECT_EQ(kRatioItemId, bar->GetItemId());
    }
    EXPECT_EQ("20.0", ReadOut(major->ValueLed()).text);
    EXPECT_EQ(Fixed(std::floor(20.0 * BusClock()), 4, 0), ReadOut(major->FrequencyLed()).text);
    EXPECT_EQ((POINT{262 + 25, 334 + 179}), (POINT{major->NumberImage()->Left(), major->NumberImage()->Top()}));
    EXPECT_EQ((POINT{262 + 100, 334 + 42}), (POINT{major->ValueLed()->Left(), major->ValueLed()->Top()}));
    EXPECT_EQ((POINT{262 + 188, 334 + 42}), (POINT{major->FrequencyLed()->Left(), major->FrequencyLed()->Top()}));
    for (auto& bar : smalls) {
        SCOPED_TRACE(bar->GetCoreIndex());
        const int width = bar->Track()->Width();
        KyImage* numeral = bar->NumberImage();
        EXPECT_EQ(bar->GetLeft() + (width - numeral->Width()) / 2, numeral->Left()) << "centred";
        EXPECT_EQ(431 + bar->Track()->Height() - 38, numeral->Top());
        EXPECT_EQ(bar->PositionToOffset(28), bar->GetDotOffset());
    }
    Screenshot("ratio_widgets_major_and_small_bars");
}

TEST_F(RatioBarsSingleRatio, EveryBarFollowsTheOneThatMoves)
{
    ClickOn(major->Track(), 10, 5);
    for (AdvBar* bar : list)
        EXPECT_EQ(29, bar->GetPosition());
    EXPECT_EQ(6, changes.count) << "each bar tells its move once";

    EXPECT_EQ("20.5", ReadOut(major->ValueLed()).text);
    EXPECT_TRUE(ReadOut(major->ValueLed()).lit) << "differs from the BIOS ratio";

    // A small bar only shows: moved from code it leads nobody.
    smalls[2]->SetPosition(10);
    EXPECT_EQ(29, major->GetPosition());
    EXPECT_EQ(29, smalls[0]->GetPosition());
}

TEST_F(RatioBarsSingleRatio, OnlyTheLeadTakesTheBiosValue)
{
    SetBoardKey(kRatioSection, "cores", "36,34,32,30,28,40");  // the one ratio is the last core's
    smalls[0]->Refresh();
    EXPECT_EQ(28, smalls[0]->GetPosition()) << "a bar that does not lead only repaints";
    EXPECT_EQ(0, changes.count);

    major->Refresh();
    for (AdvBar* bar : list)
        EXPECT_EQ(40, bar->GetPosition());
    EXPECT_FALSE(ReadOut(major->ValueLed()).lit);
}

TEST_F(RatioBarsSingleRatio, AFailedReadOfTheLeadMovesNothing)
{
    SetBoardKey(kRatioSection, "fail", "read");
    major->Refresh();
    for (AdvBar* bar : list)
        EXPECT_EQ(28, bar->GetPosition());
    EXPECT_FALSE(major->IsRead());
    EXPECT_EQ(0, changes.count);
    SetBoardKey(kRatioSection, "fail", nullptr);
}

TEST_F(RatioBarsSingleRatio, PreviewsTakeTheirRangeAndPositionFromThePage)
{
    std::vector<std::unique_ptr<AdvCoreRatio>> previews;
    for (int j = 1; j < 6; ++j) {
        auto preview = std::make_unique<AdvCoreRatio>(j);
        preview->Build(form, 362 + 50 * (j - 1), 451 + 120);
        preview->SetMax(major->GetMax());
        preview->SetMin(major->GetMin());
        preview->SetPosition(major->GetPosition());
        preview->SetVisible(true);
        previews.push_back(std::move(preview));
    }
    EXPECT_EQ(AdvCoreRatio::PositionToOffset(28, 0, 46, 47), previews[0]->GetOffset());
    previews[0]->SetPosition(99);
    EXPECT_EQ(46, previews[0]->GetPosition());
    EXPECT_EQ(47, previews[0]->GetOffset());
    previews[0]->SetMax(20);
    EXPECT_EQ(20, previews[0]->GetPosition()) << "a lower maximum pulls the position down";
    previews[1]->SetMin(30);
    EXPECT_EQ(30, previews[1]->GetPosition());
    EXPECT_EQ(0, previews[1]->GetOffset());
    EXPECT_TRUE(previews[4]->IsVisible());
    Screenshot("ratio_widgets_core_ratio_previews");
    previews[4]->SetVisible(false);
    EXPECT_FALSE(previews[4]->NumberImage()->Visible());
}

// ---- A board without the ratio item ----

class RatioBarsWithoutRatio : public widgettest::WidgetForm {};

TEST_F(RatioBarsWithoutRatio, BuildTheirPicturesButReadAndOfferNothing)
{
    AdvRatioBarRegular regular(0);
    regular.Build(*form, 262, 334);
    AdvRatioBarSmall small(1);
    small.Build(*form, 362, 431);
    for (AdvRatioBar* bar : std::vector<AdvRatioBar*>{&regular, &small}) {
        SCOPED_TRACE(bar->GetCoreIndex());
        EXPECT_NE(nullptr, bar->Track());
        EXPECT_NE(nullptr, bar->NumberImage());
        EXPECT_EQ(0u, bar->GetItemId());
        EXPECT_FALSE(bar->IsRead());
        EXPECT_EQ(0, bar->GetMax());
        bar->Refresh();
        bar->LoadDefault();
        EXPECT_EQ(0, bar->GetPosition());
        EXPECT_EQ(0, bar->GetDotOffset());
    }
    regular.SetVisible(true);
    ClickOn(regular.Track(), 10, 5);
    EXPECT_EQ(0, regular.GetPosition());
}

// ---- A ratio item with a single value ----

class RatioBarsOneValue : public widgettest::WidgetForm {};

TEST_F(RatioBarsOneValue, StayAtTheBottomWhateverThePointerDoes)
{
    AdvRatioBarRegular bar(0);
    bar.Build(*form, 262, 334);
    bar.SetVisible(true);
    EXPECT_EQ(0, bar.GetMax());
    EXPECT_EQ(0, bar.GetPosition());
    EXPECT_TRUE(bar.IsRead());
    EXPECT_EQ(0, bar.GetDotOffset());
    ClickOn(bar.Track(), 10, 5);
    MoveOver(bar.Track(), 10, 60);
    PressOn(bar.Dot(), 5, 5);
    MoveOver(bar.Dot(), 5, -40, true);
    ReleaseOn(bar.Dot(), 5, -40);
    EXPECT_EQ(0, bar.GetPosition());
    EXPECT_EQ(0, bar.GetDotOffset());
    EXPECT_EQ("06", ReadOut(bar.ValueLed()).text) << "whole steps: no decimal";
}

// The bars read the board; the only writes are the core selector's (mode 1),
// which every per-core read sets.
void ExpectOnlySelectorWrites(const zxtest::BoardFixture& board)
{
    for (const std::string& write : board.Writes())
        EXPECT_NE(std::string::npos, write.find("id=0x030600F0")) << write;
}

TEST(RatioBars, OnTheirBoards)
{
    struct Run {
        const char* suite;
        const char* board;
        std::vector<std::pair<std::string, std::string>> ratioKeys;
    };
    const Run runs[] = {
        {"RatioBarsPerCore", "default", {}},
        {"RatioBarsSingleRatio", "ratio-6core-single", {}},
        {"RatioBarsWithoutRatio", "no-ratio", {}},
        {"RatioBarsOneValue", "default", {{"count", "1"}, {"value", "0"}, {"cores", "0,0,0,0"}, {"info", "0"}}},
    };
    for (const Run& run : runs) {
        SCOPED_TRACE(run.suite);
        zxtest::BoardFixture board(run.board);
        for (const auto& [key, value] : run.ratioKeys)
            board.SetKey(kRatioSection, key, value);
        zxtest::RunSuiteOnBoard(run.suite, board, 240000);
        ExpectOnlySelectorWrites(board);
    }
}

}  // namespace
