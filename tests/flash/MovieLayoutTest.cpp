// The monitor movie's per-core read-outs: each stays apart from its
// neighbours and inside the movie for 2 to 8 cores and the widest figure
// ("88.8"), measured with the font the movie draws in.

#include <gtest/gtest.h>

#include <windows.h>

#include "platform/flashobj/Movie.h"

namespace {

bool Overlap(const RECT& a, const RECT& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST(MonitorReadouts, EveryCoresFigureHasItsOwnPlaceInsideTheMovie)
{
    const RECT area{0, 0, 121, 120};  // the monitor's movie
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = flashobj::CreateReadoutFont();
    const SIZE text = flashobj::WidestReadout(dc, font);
    DeleteObject(font);
    DeleteDC(dc);
    ASSERT_GT(text.cx, 0);
    ASSERT_GT(text.cy, 0);

    for (int cores = 2; cores <= 8; ++cores) {
        SCOPED_TRACE(cores);
        const flashobj::ReadoutLayout layout = flashobj::LayOutReadouts(area, cores, text);
        ASSERT_EQ(static_cast<size_t>(cores), layout.boxes.size());
        EXPECT_LE(layout.rows, 2);  // the bars keep most of the height
        EXPECT_GT(layout.top, area.top + 60);
        const int column = (area.right - area.left) / cores;
        for (int i = 0; i < cores; ++i) {
            const RECT& box = layout.boxes[static_cast<size_t>(i)];
            EXPECT_EQ(text.cx, box.right - box.left);
            EXPECT_GE(box.left, area.left);
            EXPECT_LE(box.right, area.right);
            EXPECT_GE(box.top, layout.top);
            EXPECT_LE(box.bottom, area.bottom);
            // Under its own column: the figure's middle lies within it.
            const int middle = (box.left + box.right) / 2;
            EXPECT_GE(middle, area.left + i * column - 1);
            EXPECT_LE(middle, area.left + (i + 1) * column + 1);
            for (int j = 0; j < i; ++j)
                EXPECT_FALSE(Overlap(box, layout.boxes[static_cast<size_t>(j)])) << "cores " << j << " and " << i;
        }
    }
}

}  // namespace
