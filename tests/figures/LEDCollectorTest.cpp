// The scalable LED collector keeps its LEDs in order and its composite
// figure in step with them, at the size the figure has been given.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BoxFigure.h"
#include "ContractStop.h"
#include "vessa/Component/LED/LEDCollector.h"

using figuretest::BoxLED;

namespace {

using Collector = vessa::BasicLED_Collector<vessa::ScalableLED_Collector, vessa::CompositeScalableFig>;

// A collector set up for a row of width x height.
struct Row {
    Row(int width, int height)
    {
        collector.SetWidth(width);
        collector.SetHeight(height);
    }
    Collector collector;
};

ZX_TEST_CHILD(collector_insert_past_end)
{
    Collector collector;
    BoxLED led(0, 0, 1, 1);
    collector.Insert(&led, 1);
    return 0;
}

ZX_TEST_CHILD(collector_remove_at_count)
{
    Row row(10, 10);
    BoxLED led(0, 0, 5, 5);
    row.collector.Add(&led);
    row.collector.RemoveAt(1);
    return 0;
}

ZX_TEST_CHILD(collector_led_index)
{
    Collector collector;
    collector.GetLED(0);
    return 0;
}

}  // namespace

TEST(LEDCollector, BrokenPreconditionsStopTheProgramNamingTheExpression)
{
    const std::pair<const char*, const char*> cases[] = {
        {"collector_insert_past_end", "index <= LEDCount()"},
        {"collector_remove_at_count", "index < LEDCount()"},
        {"collector_led_index", "indexOfLED < m_LEDs.size()"},
    };
    for (const auto& c : cases)
        zxtest::ExpectContractStop(c.first, std::string("Assertion failed: ") + c.second + ",");
}

TEST(LEDCollector, KeepsItsLEDsInOrder)
{
    Row row(3, 1);
    Collector& collector = row.collector;
    collector.GetFigure()->SetSize(3, 1);  // Insert does not open the box
    BoxLED a(0, 0, 1, 1), b(1, 0, 1, 1), c(2, 0, 1, 1);
    collector.Insert(&a, 0);
    collector.Insert(&c, 1);  // at the count: appended
    collector.Insert(&b, 1);
    EXPECT_EQ(collector.LEDs(), (std::vector<vessa::LED*>{&a, &b, &c}));
    EXPECT_EQ(collector.RemoveAt(1), &b);
    collector.Remove(&b);  // not there: nothing happens
    collector.Remove(&a);
    EXPECT_EQ(collector.LEDs(), (std::vector<vessa::LED*>{&c}));
    EXPECT_EQ(collector.GetLED(0), &c);
}

TEST(LEDCollector, AddFitsTheLEDInAtTheOriginalSizeAndKeepsThePresentSize)
{
    Row row(40, 20);
    BoxLED first(0, 0, 20, 20);
    BoxLED second(20, 0, 20, 20);
    row.collector.Add(&first);
    row.collector.Add(&second);
    vessa::CompositeScalableFig* figure = row.collector.GetFigure();
    EXPECT_EQ(row.collector.Width(), 40);
    EXPECT_EQ(row.collector.Height(), 20);

    figure->SetSize(20, 10);
    EXPECT_EQ(second.figure.Left(), 10);
    EXPECT_EQ(second.figure.Width(), 10);

    // A third LED at the original scale joins the row, and everything is
    // shown at the present size again.
    row.collector.SetWidth(60);
    BoxLED third(40, 0, 20, 20);
    row.collector.Add(&third);
    EXPECT_EQ(figure->Width(), 20);
    EXPECT_EQ(figure->Height(), 10);
    figure->SetSize(60, 20);
    EXPECT_EQ(third.figure.Left(), 40);
    EXPECT_EQ(third.figure.Width(), 20);
    EXPECT_EQ(second.figure.Left(), 20);

    row.collector.Remove(&first);
    EXPECT_EQ(figure->ChildCount(), 2u);
    EXPECT_EQ(figure->Width(), 60);
}

TEST(LEDCollector, PlacedFigureSitsAtTheCollectorsPositionHoweverOftenAsked)
{
    const std::pair<int, int> places[] = {{5, 7}, {0, 3}, {4, 0}, {0, 0}};
    for (const auto& place : places) {
        Row row(10, 10);
        BoxLED led(0, 0, 10, 10);
        row.collector.Add(&led);
        row.collector.left = place.first;
        row.collector.top = place.second;
        for (int call = 0; call < 2; ++call) {
            vessa::Figure* figure = row.collector.PlacedFigure();
            EXPECT_EQ(figure->Left(), place.first);
            EXPECT_EQ(figure->Top(), place.second);
            EXPECT_EQ(led.figure.Left(), place.first);
        }
    }
}

TEST(LEDCollector, UpdateAllUpdatesEveryLED)
{
    BoxLED a(0, 0, 1, 1), b(0, 0, 1, 1);
    vessa::UpdateAll(std::vector<vessa::LED*>{&a, &b, &a});
    EXPECT_EQ(a.updates, 2);
    EXPECT_EQ(b.updates, 1);
}
