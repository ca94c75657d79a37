// The bar's value model without controls: position <-> dot offset along
// the track, clamping, the range and when the change callback fires.

#include <gtest/gtest.h>

#include "app/bars/AdvBar.h"

namespace {

// A bar with a track of a given length and no children: it records the
// dot offset it is given.
class ProbeBar : public AdvBar {
public:
    explicit ProbeBar(int trackLength) : m_trackLength(trackLength)
    {
        SetOnChange(TNotifyEvent::FromFunction([this](TObject*) { ++changes; }));
    }

    void Refresh() override {}
    void LoadDefault() override {}
    void Build(BarHost&, int, int) override {}
    DWORD GetItemId() const override { return 0; }
    int GetTrackLength() const override { return m_trackLength; }
    int GetTrackStart() const override { return 0; }
    void UpdateValueText() override { ++textUpdates; }
    int GetDotOffset() const override { return dotOffset; }
    void SetDotOffset(int offset) override { dotOffset = offset; }

    int dotOffset = -1;
    int changes = 0;
    int textUpdates = 0;

private:
    int m_trackLength;
};

struct MappingCase {
    int trackLength;
    int max;  // min is 0
    int from;
    int to;
};

TEST(BarMapping, PositionsGiveDotOffsetsRoundedAndClampedToTheTrack)
{
    const MappingCase cases[] = {
        {300, 100, 0, 0},
        {300, 100, 1, 3},
        {300, 100, 50, 150},
        {300, 100, 100, 300},
        {300, 100, 101, 300},
        {300, 100, -1, 0},
        {131, 49, 1, 3},
        {131, 49, 25, 67},
        {131, 49, 48, 128},
        {131, 49, 49, 131},
        // one value: no range to spread over
        {300, 0, 0, 0},
        {131, 0, 5, 0},
        // a track without length (missing or too narrow picture)
        {0, 100, 50, 0},
        {-25, 100, 100, 0},
    };
    for (const MappingCase& c : cases) {
        ProbeBar bar(c.trackLength);
        bar.SetMax(c.max);
        EXPECT_EQ(c.to, bar.PositionToOffset(c.from))
            << "track " << c.trackLength << ", range 0.." << c.max << ", position " << c.from;
    }
}

TEST(BarMapping, DotOffsetsGiveTheNearestPositionWithinTheRange)
{
    const MappingCase cases[] = {
        {300, 100, 0, 0},     {300, 100, 1, 0},     {300, 100, 2, 1},  {300, 100, 150, 50}, {300, 100, 299, 100},
        {300, 100, 300, 100}, {300, 100, 400, 100}, {300, 100, -5, 0}, {131, 49, 65, 24},   {131, 49, 66, 25},
        {131, 49, 67, 25},    {131, 49, 131, 49},   {300, 0, 150, 0},  {0, 100, 10, 0},     {-25, 100, 10, 0},
    };
    for (const MappingCase& c : cases) {
        ProbeBar bar(c.trackLength);
        bar.SetMax(c.max);
        EXPECT_EQ(c.to, bar.OffsetToPosition(c.from))
            << "track " << c.trackLength << ", range 0.." << c.max << ", offset " << c.from;
    }
}

TEST(BarMapping, SetPositionClampsMovesTheDotAndNotifiesOnce)
{
    ProbeBar bar(300);
    bar.SetPosition(105);
    EXPECT_EQ(100, bar.GetPosition());
    EXPECT_EQ(300, bar.dotOffset);
    bar.SetPosition(-1);
    EXPECT_EQ(0, bar.GetPosition());
    EXPECT_EQ(0, bar.dotOffset);
    EXPECT_EQ(2, bar.changes);
    EXPECT_EQ(2, bar.textUpdates) << "the value text is updated before each callback";
}

TEST(BarMapping, OnlyARealChangeOfPositionOrRangeNotifies)
{
    struct Step {
        const char* what;
        void (*apply)(ProbeBar&);
        int position;
        int changes;
    };
    const Step steps[] = {
        {"same position", [](ProbeBar& b) { b.SetPositionIfChanged(0); }, 0, 0},
        {"step down at min", [](ProbeBar& b) { b.StepDown(); }, 0, 0},
        {"step up", [](ProbeBar& b) { b.StepUp(); }, 1, 1},
        {"to 60", [](ProbeBar& b) { b.SetPositionIfChanged(60); }, 60, 1},
        {"same max", [](ProbeBar& b) { b.SetMax(100); }, 60, 0},
        {"max below the position", [](ProbeBar& b) { b.SetMax(40); }, 40, 1},
        {"step up at max", [](ProbeBar& b) { b.StepUp(); }, 40, 0},
        {"out of range goes through", [](ProbeBar& b) { b.SetPositionIfChanged(41); }, 40, 1},
        // an item without values must not give the range 0..-1
        {"max below min", [](ProbeBar& b) { b.SetMax(-1); }, 0, 1},
        {"and again", [](ProbeBar& b) { b.SetMax(-1); }, 0, 0},
    };
    ProbeBar bar(300);
    for (const Step& step : steps) {
        bar.changes = 0;
        step.apply(bar);
        EXPECT_EQ(step.position, bar.GetPosition()) << step.what;
        EXPECT_EQ(step.changes, bar.changes) << step.what;
        EXPECT_LE(bar.GetMin(), bar.GetMax()) << step.what;
    }
}

TEST(BarMapping, ABarWithoutChildrenAnswersForNothingAndIsUnread)
{
    ProbeBar bar(300);
    EXPECT_EQ(0, bar.GetLeft());
    EXPECT_EQ(0, bar.GetTop());
    EXPECT_FALSE(bar.IsVisible());
    EXPECT_EQ(0, bar.GetHeight());
    EXPECT_FALSE(bar.IsRead());
    bar.SetVisible(true);
    bar.SetEnabled(false);
    EXPECT_FALSE(bar.IsEnabled());
}

}  // namespace
