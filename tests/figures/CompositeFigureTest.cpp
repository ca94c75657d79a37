// Composite figures keep their children inside their box and rescale them
// from the original geometry; the composite LED hands one state to all its
// children through a state table.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BoxFigure.h"
#include "ContractStop.h"
#include "vessa/Component/LED/ScalableLED.h"
#include "vessa/Graphics/FigureBase/CompositeFigure.h"

using figuretest::BoxFigure;
using figuretest::BoxLED;

namespace {

struct Box {
    int left, top, width, height;
    bool operator==(const Box& o) const
    {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};
std::ostream& operator<<(std::ostream& out, const Box& b)
{
    return out << "(" << b.left << ", " << b.top << ") " << b.width << "x" << b.height;
}
Box BoxOf(const vessa::Figure& f)
{
    return Box{f.Left(), f.Top(), f.Width(), f.Height()};
}

// Row i of state s lights child i when bit i of s is set.
struct BitTable : vessa::LED_Director {
    int StateCount() const override { return 4; }
    int ChildState(int state, int childIndex) const override { return (state >> childIndex) & 1; }
};

ZX_TEST_CHILD(composite_child_outside)
{
    vessa::CompositeFigure composite(0, 0, 10, 10);
    BoxFigure child(5, 5, 6, 2);
    composite.Add(&child);
    return 0;
}

ZX_TEST_CHILD(composite_negative_size)
{
    vessa::CompositeFigure composite(10, 0, 5, 10);
    return 0;
}

ZX_TEST_CHILD(composite_bounds_leave_child_out)
{
    vessa::CompositeFigure composite(0, 0, 10, 10);
    BoxFigure child(2, 2, 6, 6);
    composite.Add(&child);
    composite.SetBounds(RECT{0, 0, 7, 10});
    return 0;
}

ZX_TEST_CHILD(scalable_without_original_size)
{
    vessa::CompositeScalableFig composite;
    composite.SetSize(10, 10);
    return 0;
}

ZX_TEST_CHILD(composite_led_state_out_of_range)
{
    BitTable table;
    vessa::CompositeScalableLED led(0, 0, 10, 10, &table);
    led.SetState(4);
    return 0;
}

}  // namespace

TEST(CompositeFigure, ChildrenMustLieInsideTheBoxEdgesIncluded)
{
    vessa::CompositeFigure composite(2, 3, 12, 13);
    BoxFigure onEdges(2, 3, 10, 10);
    composite.Add(&onEdges);
    composite.MoveBy(5, -1);
    EXPECT_EQ(BoxOf(composite), (Box{7, 2, 10, 10}));
    EXPECT_EQ(BoxOf(onEdges), (Box{7, 2, 10, 10})) << "children move with the composite";
    composite.Draw();
    EXPECT_EQ(onEdges.draws, 1);
}

TEST(CompositeFigure, BrokenPreconditionsStopTheProgramNamingTheExpression)
{
    struct Case {
        const char* child;
        const char* expression;
    };
    const Case cases[] = {
        {"composite_child_outside",
         "figurePtr->Left() >= m_left && figurePtr->Top() >= m_top && figurePtr->Left() + figurePtr->Width() <= "
         "m_left + m_width && figurePtr->Top() + figurePtr->Height() <= m_top + m_height"},
        {"composite_negative_size", "m_width >= 0 && m_height >= 0"},
        {"composite_bounds_leave_child_out",
         "(*first)->Left() >= rect.left && (*first)->Top() >= rect.top && (*first)->Width() + (*first)->Left() <= "
         "rect.right && (*first)->Height() + (*first)->Top() <= rect.bottom"},
        {"scalable_without_original_size", "m_originalWidth > 0 && m_originalHeight > 0"},
        {"composite_led_state_out_of_range", "state >= 0 && state < StateCount()"},
    };
    for (const Case& c : cases)
        zxtest::ExpectContractStop(c.child, std::string("Assertion failed: ") + c.expression + ",");
}

TEST(CompositeScalableFig, ScalesOffsetsAndSizesFromTheOriginalsTruncating)
{
    vessa::CompositeScalableFig composite(10, 20, 110, 70);  // 100 x 50
    BoxFigure a(17, 20, 30, 11);                             // offset (7, 0)
    BoxFigure b(60, 45, 50, 25);                             // offset (50, 25), on the far edges
    composite.Add(&a);
    composite.Add(&b);

    struct Case {
        int width, height;
        Box a, b;
    };
    const Case cases[] = {
        {50, 25, {13, 20, 15, 5}, {35, 32, 25, 12}},
        {33, 17, {12, 20, 9, 3}, {26, 28, 16, 8}},
        {100, 50, {17, 20, 30, 11}, {60, 45, 50, 25}},  // back: no rounding piled up
        {200, 100, {24, 20, 60, 22}, {110, 70, 100, 50}},
    };
    for (const Case& c : cases) {
        composite.SetSize(c.width, c.height);
        EXPECT_EQ(BoxOf(a), c.a) << c.width << "x" << c.height;
        EXPECT_EQ(BoxOf(b), c.b) << c.width << "x" << c.height;
        EXPECT_EQ(BoxOf(composite), (Box{10, 20, c.width, c.height}));
        EXPECT_EQ(composite.OriginalWidth(), 100);
        EXPECT_EQ(composite.OriginalHeight(), 50);
    }
}

TEST(CompositeScalableFig, ResetOriginalMakesThePresentGeometryTheOriginal)
{
    vessa::CompositeScalableFig composite(0, 0, 100, 50);
    BoxFigure a(10, 10, 20, 20);
    composite.Add(&a);
    composite.SetSize(50, 25);
    composite.ResetOriginal();
    EXPECT_EQ(composite.OriginalWidth(), 50);
    EXPECT_EQ(a.OriginalWidth(), 10);
    composite.SetSize(100, 50);
    EXPECT_EQ(BoxOf(a), (Box{10, 10, 20, 20}));
}

TEST(CompositeScalableFig, RemovedChildrenAreNeitherScaledNorDrawn)
{
    vessa::CompositeScalableFig composite(0, 0, 100, 100);
    BoxFigure a(10, 10, 20, 20);
    BoxFigure b(50, 50, 40, 40);
    composite.Add(&a);
    composite.Add(&b);
    composite.Remove(&a);
    EXPECT_EQ(composite.ChildCount(), 1u);
    composite.SetSize(50, 50);
    composite.Draw();
    EXPECT_EQ(BoxOf(a), (Box{10, 10, 20, 20}));
    EXPECT_EQ(a.draws, 0);
    EXPECT_EQ(BoxOf(b), (Box{25, 25, 20, 20}));
    EXPECT_EQ(b.draws, 1);

    BoxFigure stranger(0, 0, 1, 1);
    composite.Remove(&stranger);
    EXPECT_EQ(composite.ChildCount(), 1u);
}

TEST(CompositeScalableLED, OneStateReachesEveryChildThroughTheTable)
{
    BitTable table;
    vessa::CompositeScalableLED led(4, 5, 24, 15, &table);
    BoxLED first(0, 0, 10, 10);
    BoxLED second(10, 0, 10, 10);
    led.AddLED(&first);
    led.AddLED(&second);
    EXPECT_EQ(led.StateCount(), 4);
    EXPECT_EQ(led.State(), -1);
    EXPECT_EQ(led.Width(), 20);
    EXPECT_EQ(led.Height(), 10);

    const std::pair<int, std::pair<int, int>> cases[] = {{3, {1, 1}}, {1, {1, 0}}, {2, {0, 1}}, {0, {0, 0}}};
    for (const auto& c : cases) {
        EXPECT_FALSE(led.SetState(c.first));
        EXPECT_EQ(first.state, c.second.first) << c.first;
        EXPECT_EQ(second.state, c.second.second) << c.first;
    }

    int sets = first.sets + second.sets;
    EXPECT_TRUE(led.SetState(0));
    EXPECT_EQ(first.sets + second.sets, sets) << "the current state again changes no child";

    led.Update();
    EXPECT_EQ(first.updates, 1);
    EXPECT_EQ(second.updates, 1);

    vessa::Figure* placed = led.PlacedFigure();
    EXPECT_EQ(BoxOf(*placed), (Box{4, 5, 20, 10}));
    EXPECT_EQ(BoxOf(second.figure), (Box{14, 5, 10, 10})) << "children move with the composite";
}
