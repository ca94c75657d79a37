// The skinned scroll bar: relative drags of the indicator (pressed on the
// indicator or on the track) kept within 0 .. Length, the scroll events and
// their handlers' say, the end of a drag by release, lost capture or
// disabling, and the program's own bar skins on the screen.

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "KyFixture.h"
#include "KyPackage/Source/KyBar.h"
#include "TestPaths.h"
#include "vessa/skin/PngReader.h"

using kytest::KyFixture;
using kytest::ShownImage;
using kytest::Solid;
using kytest::StateColor;

namespace {

constexpr COLORREF kIndicatorColor = RGB(250, 0, 250);

// A 160 × 20 track at (10, 10) with a 10 × 16 indicator centred on (20, 10)
// at position 0: the indicator's left is 15 + position, its top 2.
class KyBarDrag : public KyFixture {
protected:
    void SetUp() override
    {
        KyFixture::SetUp();
        bar = MakeBar(160, 20, 10, 16);
        bar->Origin()->SetX(20);
        bar->Origin()->SetY(10);
        bar->SetLength(100);
        bar->OnStartScroll = Logger("start");
        bar->OnEndScroll = Logger("end");
        bar->OnScroll = TKyScrollEvent::FromFunction([this](TObject*, int& position, bool forward) {
            log.push_back("scroll " + std::to_string(position) + (forward ? " forward" : " back"));
        });
        bar->OnIndicate = TKyIndicateEvent::FromFunction(
            [this](TObject*, int& coordinate) { log.push_back("indicate " + std::to_string(coordinate)); });
    }

    KyBar* MakeBar(int width, int height, int indicatorWidth, int indicatorHeight)
    {
        auto* made = Place<KyBar>();
        for (int i = 0; i < KyBrick::kStateCount; ++i)
            made->SetStateBitmap(Solid(width, height, static_cast<TColor>(StateColor(i))).get(), i);
        made->SetIndicator(Solid(indicatorWidth, indicatorHeight, static_cast<TColor>(kIndicatorColor)).get());
        return made;
    }

    // Press at (x, 10), move the pointer to each x with the button down.
    std::vector<int> DragAlong(int x, const std::vector<int>& moves)
    {
        std::vector<int> positions;
        MoveTo(bar, x, 10);
        Press(bar, x, 10);
        for (int to : moves) {
            MoveTo(bar, to, 10, true);
            positions.push_back(bar->ScrollPos());
        }
        return positions;
    }

    int IndicatorLeft() const { return bar->IndicatorImage()->Left(); }

    KyBar* bar = nullptr;
};

}  // namespace

TEST_F(KyBarDrag, DragsMoveByWhatThePointerMovedWithinTheRange)
{
    struct Case {
        const char* name;
        int length;
        int pressX;
        std::vector<int> moves;
        std::vector<int> positions;
    };
    const Case cases[] = {
        {"on the indicator", 100, 20, {50, 80, 70}, {30, 60, 50}},
        {"on the track", 100, 120, {130, 150}, {10, 30}},
        {"past the end and back", 100, 20, {200, 190}, {100, 90}},
        {"before the start and back", 100, 20, {-20, 30}, {0, 50}},
        {"zero range", 0, 20, {60, 10}, {0, 0}},
        {"negative length", -5, 20, {60, 70}, {0, 0}},
    };
    for (const Case& c : cases) {
        bar->SetLength(c.length);
        bar->SetScrollPos(0);
        EXPECT_EQ(DragAlong(c.pressX, c.moves), c.positions) << c.name;
        EXPECT_TRUE(bar->IsDraging()) << c.name;
        EXPECT_EQ(IndicatorLeft(), 15 + c.positions.back()) << c.name;
        Release(bar, c.moves.back(), 10);
        EXPECT_FALSE(bar->IsDraging()) << c.name;
    }
}

TEST_F(KyBarDrag, EachStepScrollsThenIndicatesBetweenStartAndEnd)
{
    log.clear();
    DragAlong(20, {30, 25, 25});
    Release(bar, 25, 10);
    MoveTo(bar, 60, 10);
    EXPECT_EQ(log, (std::vector<std::string>{"start", "scroll 10 forward", "indicate 25", "scroll 5 back",
                                             "indicate 20", "scroll 5 forward", "indicate 20", "end"}));
}

TEST_F(KyBarDrag, AClickOnTheTrackMovesNothing)
{
    log.clear();
    Click(bar, 120, 10);
    EXPECT_EQ(bar->ScrollPos(), 0);
    EXPECT_EQ(log, (std::vector<std::string>{"start", "end"}));
}

TEST_F(KyBarDrag, HandlersSnapThePositionAndMoveOnlyTheImage)
{
    bar->OnScroll = TKyScrollEvent::FromFunction(
        [](TObject*, int& position, bool) { position = position > 90 ? 150 : (position + 2) / 5 * 5; });
    EXPECT_EQ(DragAlong(20, {27, 29, 33, 120}), (std::vector<int>{5, 5, 10, 100}))
        << "snapped to fives; a snap past the end stops at the end";
    Release(bar, 120, 10);

    bar->OnIndicate = TKyIndicateEvent::FromFunction([](TObject*, int& coordinate) { coordinate += 3; });
    bar->SetScrollPos(40);
    EXPECT_EQ(bar->ScrollPos(), 40);
    EXPECT_EQ(IndicatorLeft(), 15 + 40 + 3);
    EXPECT_EQ(bar->IndicatorImage()->Top(), 2);
}

TEST_F(KyBarDrag, PositionsSetFromCodeStayInTheRange)
{
    struct Case {
        int length, position, expected;
    };
    const Case cases[] = {{100, 1000, 100}, {100, -5, 0}, {100, 40, 40}, {0, 7, 0}, {-3, 7, 0}};
    for (const Case& c : cases) {
        bar->SetLength(c.length);
        bar->SetScrollPos(c.position);
        EXPECT_EQ(bar->ScrollPos(), c.expected) << c.length << " " << c.position;
        EXPECT_EQ(IndicatorLeft(), 15 + c.expected);
    }
    bar->SetLength(100);
    bar->SetScrollPos(80);
    bar->SetLength(50);
    EXPECT_EQ(bar->ScrollPos(), 50) << "a shorter bar takes the position along";
    EXPECT_EQ(IndicatorLeft(), 65);
}

TEST_F(KyBarDrag, EverySetterPlacesTheIndicatorOnce)
{
    auto* other = Place<KyBar>(10, 60);
    other->Origin()->SetX(40);
    other->Origin()->SetY(30);
    struct Case {
        const char* name;
        std::function<void()> set;
    };
    const Case cases[] = {
        {"length", [&] { bar->SetLength(90); }},
        {"position", [&] { bar->SetScrollPos(10); }},
        {"origin x", [&] { bar->Origin()->SetX(22); }},
        {"origin y", [&] { bar->Origin()->SetY(12); }},
        {"origin", [&] { bar->SetOrigin(other->Origin()); }},
        {"indicator", [&] { bar->SetIndicator(Solid(12, 12, clRed).get()); }},
        {"kind", [&] { bar->SetKind(sbVertical); }},
    };
    for (const Case& c : cases) {
        log.clear();
        c.set();
        EXPECT_EQ(log.size(), 1u) << c.name;
    }
    EXPECT_EQ(bar->Origin()->X(), 40);
    EXPECT_EQ(bar->Origin()->Y(), 30);
    EXPECT_EQ(bar->IndicatorImage()->Width(), 12) << "the image takes the picture's size";
    EXPECT_EQ(bar->IndicatorImage()->Left(), 40 - 6);
    EXPECT_EQ(bar->IndicatorImage()->Top(), 30 - 6 + 10);
}

TEST_F(KyBarDrag, AVerticalBarFollowsThePointersY)
{
    auto* vertical = MakeBar(20, 100, 16, 10);
    vertical->SetKind(sbVertical);
    vertical->Origin()->SetX(10);
    vertical->Origin()->SetY(10);
    MoveTo(vertical, 10, 10);
    Press(vertical, 10, 10);
    MoveTo(vertical, 15, 30, true);
    EXPECT_EQ(vertical->ScrollPos(), 20);
    MoveTo(vertical, 2, 30, true);
    EXPECT_EQ(vertical->ScrollPos(), 20) << "x does not count";
    EXPECT_EQ(vertical->IndicatorImage()->Left(), 2);
    EXPECT_EQ(vertical->IndicatorImage()->Top(), 25);
    Release(vertical, 2, 30);
}

TEST_F(KyBarDrag, ADragEndsWhenTheCaptureIsTakenAway)
{
    for (int pressX : {20, 120}) {
        bar->SetScrollPos(0);
        log.clear();
        DragAlong(pressX, {pressX + 10});
        ASSERT_EQ(GetCapture(), bar->Handle()) << pressX;
        SetCapture(form->Handle());  // as a menu or a modal box does
        EXPECT_FALSE(bar->IsDraging()) << pressX;
        ReleaseCapture();
        MoveTo(bar, pressX + 40, 10, true);
        Release(bar, pressX + 40, 10);
        EXPECT_EQ(bar->ScrollPos(), 10) << pressX;
        EXPECT_EQ(log.back(), "end") << pressX;
        EXPECT_EQ(std::count(log.begin(), log.end(), std::string("end")), 1) << pressX;
    }
}

TEST_F(KyBarDrag, DisablingEndsADragAndADisabledBarStartsNone)
{
    DragAlong(20, {30});
    log.clear();
    bar->SetEnabled(false);
    EXPECT_EQ(log, (std::vector<std::string>{"end"}));
    EXPECT_EQ(ShownImage(bar), 2);
    MoveTo(bar, 60, 10, true);
    Release(bar, 60, 10);
    Press(bar, 20, 10);
    MoveTo(bar, 60, 10, true);
    Release(bar, 60, 10);
    EXPECT_EQ(bar->ScrollPos(), 10);
    EXPECT_EQ(log, (std::vector<std::string>{"end"}));
    bar->SetEnabled(true);
    EXPECT_EQ(ShownImage(bar), 0);
}

TEST_F(KyBarDrag, TheTrackHoversButNeverLooksPressedAndKeysDoNotScroll)
{
    MoveTo(bar, 120, 10);
    EXPECT_EQ(ShownImage(bar), 1);
    DragAlong(20, {40});
    EXPECT_EQ(ShownImage(bar), 1) << "a drag shows the hover look";
    Release(bar, 40, 10);
    Leave(bar);
    EXPECT_EQ(ShownImage(bar), 0);

    bar->SetFocus();
    log.clear();
    for (WORD key : {VK_RIGHT, VK_LEFT, VK_UP, VK_DOWN, VK_HOME, VK_END, VK_SPACE})
        Type(bar, key);
    EXPECT_EQ(bar->ScrollPos(), 20);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(ShownImage(bar), 1) << "focused";
}

TEST_F(KyFixture, ATransparentBarWithoutTrackImageStartsNoDrag)
{
    auto* bar = Place<KyBar>();
    bar->SetTransparent(true);
    bar->SetIndicator(Solid(10, 10, clRed).get());
    bar->Origin()->SetX(5);
    bar->Origin()->SetY(5);
    bar->OnStartScroll = Logger("start");
    for (int x : {5, 50}) {
        Press(bar, x, 5);
        MoveTo(bar, x + 10, 5, true);
        Release(bar, x + 10, 5);
    }
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(bar->ScrollPos(), 0);
}

TEST_F(KyFixture, TheProgramsBarSkinDragsOnTheScreen)
{
    std::string resource = zxtest::JoinPath(zxtest::DistDir(), "Resource");
    TBitmap track, trackDisabled, dot;
    ASSERT_TRUE(LoadPngFile(zxtest::JoinPath(resource, "small_slider01.png"), &track));
    ASSERT_TRUE(LoadPngFile(zxtest::JoinPath(resource, "small_slider01_un.png"), &trackDisabled));
    ASSERT_TRUE(LoadPngFile(zxtest::JoinPath(resource, "small_dot_n.png"), &dot));
    auto* bar = Place<KyBar>(20, 30);
    bar->SetStateBitmap(&track, 0);
    bar->SetStateBitmap(&trackDisabled, 2);
    bar->SetIndicator(&dot);
    bar->Origin()->SetX(6);
    bar->Origin()->SetY(9);
    bar->SetLength(track.Width() - 25);
    ASSERT_EQ(bar->Width(), track.Width());

    // The dot's centre pixel on the screen, at the indicator's place.
    auto dotOnScreen = [&](TBitmap* shot) {
        TImage* image = bar->IndicatorImage();
        POINT centre{dot.Width() / 2, dot.Height() / 2};
        return shot->Canvas()->Pixel(bar->Left() + image->Left() + centre.x, bar->Top() + image->Top() + centre.y) ==
               (dot.Canvas()->Pixel(centre.x, centre.y) & 0xFFFFFF);
    };
    MoveTo(bar, 6, 9);
    auto before = Screenshot();
    before->SaveToFile("kybar_skin_start.bmp");
    EXPECT_TRUE(dotOnScreen(before.get()));

    int half = bar->Length() / 2;
    Press(bar, 6, 9);
    MoveTo(bar, 6 + half, 9, true);
    Release(bar, 6 + half, 9);
    EXPECT_EQ(bar->ScrollPos(), half);
    auto moved = Screenshot();
    moved->SaveToFile("kybar_skin_half.bmp");
    EXPECT_TRUE(dotOnScreen(moved.get()));
    EXPECT_EQ(moved->Canvas()->Pixel(bar->Left() + 6, bar->Top() + 9), track.Canvas()->Pixel(6, 9) & 0xFFFFFF)
        << "the track shows again where the dot was";

    bar->SetEnabled(false);
    Screenshot()->SaveToFile("kybar_skin_disabled.bmp");
}
