// Shape LEDs take the colour of their state; the factory reads shape LEDs
// and whole composite LEDs from integer tables.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PaintTarget.h"
#include "ContractStop.h"
#include "vessa/Component/LED/ShapeLED.h"

using figuretest::Painter;
using figuretest::PaintTarget;

namespace {

using Factory = vessa::ShapeLedFactory<Painter>;
const TColor kOffOn[] = {clBlue, clRed};

// Every child shows the composite state's bit for it.
struct BitTable : vessa::LED_Director {
    int StateCount() const override { return 4; }
    int ChildState(int state, int childIndex) const override { return (state >> childIndex) & 1; }
};

ZX_TEST_CHILD(shape_led_state_out_of_range)
{
    PaintTarget target(1, 1);
    const int record[] = {4, 0, 0, 3};
    auto built = Factory().BuildShape(record, &target.painter, kOffOn, 2);
    built.led->SetState(2);
    return 0;
}

ZX_TEST_CHILD(shape_unknown_type)
{
    PaintTarget target(1, 1);
    const int record[] = {6, 0, 0, 3};
    Factory().BuildShape(record, &target.painter, kOffOn, 2);
    return 0;
}

}  // namespace

TEST(ShapeLED, BrokenPreconditionsStopTheProgramNamingTheExpression)
{
    const std::pair<const char*, const char*> cases[] = {
        {"shape_led_state_out_of_range", "state >= 0 && state < StateCount()"},
        {"shape_unknown_type", "false"},
    };
    for (const auto& c : cases)
        zxtest::ExpectContractStop(c.first, std::string("Assertion failed: ") + c.second + ",");
}

TEST(ShapeLED, TheStateChoosesFillAndFrameColour)
{
    PaintTarget target(1, 1);
    const int record[] = {1, 0, 0, 4, 4};
    auto built = Factory().BuildShape(record, &target.painter, kOffOn, 2);
    vessa::ScalableLED* led = built.led.get();
    auto* figure = static_cast<vessa::ShapeFigure*>(led->GetFigure());
    EXPECT_EQ(led->StateCount(), 2);
    EXPECT_EQ(led->State(), 0);
    EXPECT_EQ(figure->fillColor, clBlue);
    EXPECT_EQ(figure->frameColor, clBlue);

    EXPECT_FALSE(led->SetState(1));
    EXPECT_EQ(figure->fillColor, clRed);
    EXPECT_EQ(figure->frameColor, clRed);

    figure->fillColor = clGreen;
    EXPECT_TRUE(led->SetState(1));
    EXPECT_EQ(figure->fillColor, clGreen) << "the current state again leaves the colours";
    led->Update();
    EXPECT_EQ(figure->fillColor, clRed);
}

TEST(ShapeLEDFactory, ReadsEachShapeRecordToItsPlaceAndSize)
{
    struct Case {
        const char* name;
        std::vector<int> record;
        RECT bounds;
        std::size_t points;
    };
    const Case cases[] = {
        {"polygon", {0, 3, 4, 2, 9, 2, 6, 8}, {4, 2, 9, 8}, 3},
        {"rectangle", {1, 2, 3, 12, 8}, {2, 3, 12, 8}, 2},
        {"ellipse", {2, 1, 1, 5, 9}, {1, 1, 5, 9}, 2},
        {"rounded rectangle", {3, 0, 2, 10, 6, 3, 3}, {0, 2, 10, 6}, 2},
        {"circle", {4, 10, 20, 8}, {10, 20, 18, 28}, 2},
        {"square", {5, 7, 1, 5}, {7, 1, 12, 6}, 2},
    };
    PaintTarget target(1, 1);
    for (const Case& c : cases) {
        const int sentinel = 99;
        std::vector<int> table = c.record;
        table.push_back(sentinel);
        auto built = Factory().BuildShape(table.data(), &target.painter, kOffOn, 2);
        EXPECT_EQ(*built.next, sentinel) << c.name;
        auto* figure = static_cast<vessa::ShapeFigure*>(built.led->GetFigure());
        EXPECT_EQ(figure->Left(), c.bounds.left) << c.name;
        EXPECT_EQ(figure->Top(), c.bounds.top) << c.name;
        EXPECT_EQ(figure->Width(), c.bounds.right - c.bounds.left) << c.name;
        EXPECT_EQ(figure->Height(), c.bounds.bottom - c.bounds.top) << c.name;
        EXPECT_EQ(figure->ControlPointCount(), c.points) << c.name;
        EXPECT_EQ(built.led->left, c.bounds.left) << c.name;
        EXPECT_EQ(built.led->top, c.bounds.top) << c.name;
        EXPECT_EQ(built.led->Width(), c.bounds.right - c.bounds.left) << c.name;
    }
}

// Two bars in a 10 x 6 box: a top bar and a bottom bar, drawn blue when
// off and red when on, at the table size and at half of it.
TEST(ShapeLEDFactory, ACompositeDrawsItsShapesInTheStatesColoursAtAnySize)
{
    const int table[] = {
        2,  0, 0, 10, 6, 0, 4, 1, 0, 9, 0, 9, 2, 1, 2,  // top bar (1, 0)-(9, 2)
        1,  1, 4, 9,  6,                                // bottom bar (1, 4)-(9, 6)
        42,
    };
    BitTable states;
    PaintTarget target(14, 8);
    auto built = Factory().BuildComposite(table, &states, &target.painter, kOffOn, 2);
    EXPECT_EQ(*built.next, 42);
    vessa::CompositeScalableLED* led = built.led.get();
    EXPECT_EQ(led->Children().size(), 2u);
    EXPECT_EQ(led->Width(), 10);
    EXPECT_EQ(led->Height(), 6);

    led->left = 2;
    led->top = 1;
    led->SetState(1);
    led->PlacedFigure()->Draw();
    const std::map<COLORREF, char> legend = {{RGB(255, 255, 255), '.'}, {RGB(255, 0, 0), 'r'}, {RGB(0, 0, 255), 'b'}};
    const std::vector<std::string> full = {
        "..............",
        "...rrrrrrrrr..",  // a polygon's outline takes in its far points
        "...rrrrrrrrr..", "...rrrrrrrrr..", "..............", "...bbbbbbbb...", "...bbbbbbbb...", "..............",
    };
    EXPECT_EQ(target.Rows(legend), full);

    led->PlacedFigure()->Erase();
    led->GetFigure()->SetSize(5, 3);
    led->SetState(2);
    led->PlacedFigure()->Draw();
    const std::vector<std::string> half = {
        "..............", "..bbbbb.......", "..bbbbb.......", "..rrrr........",
        "..............", "..............", "..............", "..............",
    };
    EXPECT_EQ(target.Rows(legend), half);
}
