// Blending a 32-bit image onto a 24-bit bitmap: the pixel weights, and
// clipping to both bitmaps on every side (no write outside the destination,
// the right source columns after a left or top clip).

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "TestProcess.h"
#include "app/skin/image.h"
#include "vessa/System/VessaAssert.h"

namespace {

// A 24-bit destination whose pixel (x, y) holds B = x, G = y, R = 100, so a
// misplaced write shows where it came from.
std::unique_ptr<TBitmap> Destination(int width, int height)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(width, height);
    for (int y = 0; y < height; ++y) {
        auto* row = static_cast<BYTE*>(bitmap->ScanLine(y));
        for (int x = 0; x < width; ++x) {
            row[x * 3] = BYTE(x);
            row[x * 3 + 1] = BYTE(y);
            row[x * 3 + 2] = 100;
        }
    }
    return bitmap;
}

// A 32-bit opaque source whose pixel (x, y) holds B = 200 + x, G = 200 + y, R = 255.
std::unique_ptr<TBitmap> Source(int width, int height, BYTE alpha = 255)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf32bit);
    bitmap->SetSize(width, height);
    for (int y = 0; y < height; ++y) {
        auto* row = static_cast<BYTE*>(bitmap->ScanLine(y));
        for (int x = 0; x < width; ++x) {
            row[x * 4] = BYTE(200 + x);
            row[x * 4 + 1] = BYTE(200 + y);
            row[x * 4 + 2] = 255;
            row[x * 4 + 3] = alpha;
        }
    }
    return bitmap;
}

const BYTE* PixelAt(TBitmap& bitmap, int x, int y)
{
    return static_cast<const BYTE*>(bitmap.ScanLine(y)) + x * 3;
}

bool IsSourcePixel(TBitmap& destination, int x, int y, int sourceX, int sourceY)
{
    const BYTE* p = PixelAt(destination, x, y);
    return p[0] == 200 + sourceX && p[1] == 200 + sourceY && p[2] == 255;
}

bool IsUntouched(TBitmap& destination, int x, int y)
{
    const BYTE* p = PixelAt(destination, x, y);
    return p[0] == x && p[1] == y && p[2] == 100;
}

ZX_TEST_CHILD(blend_from_24_bit_source)
{
    TBitmap destination, source;
    source.SetPixelFormat(pf24bit);
    source.SetSize(2, 2);
    destination.SetSize(2, 2);
    AlphaBlendRect(&destination, RECT{0, 0, 2, 2}, &source, POINT{0, 0}, 255);
    return 0;
}

}  // namespace

TEST(AlphaBlendRect, PixelWeights)
{
    struct Case {
        const char* name;
        BYTE alpha, sourceAlpha, source, destination, expected;
    };
    const Case cases[] = {
        {"full alpha copies the source", 255, 255, 77, 10, 77},
        {"transparent source keeps the destination", 255, 0, 77, 10, 10},
        {"faded opaque source loses the background", 128, 255, 200, 90, BYTE(200 * 128 / 255.0)},
        {"half source alpha mixes", 255, 128, 200, 100, BYTE(200 * (128 / 255.0) + 100 * (1 - 128 / 255.0))},
        {"fade and source alpha: weights k and 1 - a", 100, 50, 240, 60,
         BYTE(240 * (100 / 255.0) * (50 / 255.0) + 60 * (1 - 50 / 255.0))},
        {"alpha 0 over opaque source leaves black", 0, 255, 200, 90, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TBitmap destination;
        destination.SetPixelFormat(pf24bit);
        destination.SetSize(1, 1);
        std::memset(destination.ScanLine(0), c.destination, 3);
        TBitmap source;
        source.SetPixelFormat(pf32bit);
        source.SetSize(1, 1);
        auto* s = static_cast<BYTE*>(source.ScanLine(0));
        s[0] = s[1] = s[2] = c.source;
        s[3] = c.sourceAlpha;
        EXPECT_EQ(AlphaBlendRect(&destination, RECT{0, 0, 1, 1}, &source, POINT{0, 0}, c.alpha), 1);
        const BYTE* d = PixelAt(destination, 0, 0);
        EXPECT_EQ(d[0], c.expected);
        EXPECT_EQ(d[1], c.expected);
        EXPECT_EQ(d[2], c.expected);
    }
}

TEST(AlphaBlendRect, ClipsToBothBitmapsOnEverySide)
{
    struct Case {
        const char* name;
        RECT rect;
        POINT origin;
        int rows;
        RECT covered;           // destination pixels that receive the source
        POINT sourceAtCovered;  // the source pixel landing on covered's top-left
    };
    // Destination 8 × 6, source 4 × 3.
    const Case cases[] = {
        {"inside", {2, 1, 6, 4}, {0, 0}, 3, {2, 1, 6, 4}, {0, 0}},
        {"left clip takes later source columns", {-2, 0, 4, 3}, {0, 0}, 3, {0, 0, 2, 3}, {2, 0}},
        {"top clip takes later source rows", {0, -1, 4, 5}, {0, 0}, 2, {0, 0, 4, 2}, {0, 1}},
        {"right edge of the destination", {6, 0, 12, 3}, {0, 0}, 3, {6, 0, 8, 3}, {0, 0}},
        {"bottom edge of the destination", {0, 4, 4, 10}, {0, 0}, 2, {0, 4, 4, 6}, {0, 0}},
        {"rectangle larger than the source", {1, 1, 8, 6}, {0, 0}, 3, {1, 1, 5, 4}, {0, 0}},
        {"source origin inside", {0, 0, 8, 6}, {1, 2}, 1, {0, 0, 3, 1}, {1, 2}},
        {"negative source origin", {0, 0, 8, 6}, {-2, -1}, 3, {2, 1, 6, 4}, {0, 0}},
        {"left clip and source origin", {-1, 0, 8, 6}, {1, 0}, 3, {0, 0, 2, 3}, {2, 0}},
        {"entirely left of the destination", {-10, 0, -6, 3}, {0, 0}, 0, {0, 0, 0, 0}, {0, 0}},
        {"entirely below the destination", {0, 6, 4, 9}, {0, 0}, 0, {0, 0, 0, 0}, {0, 0}},
        {"source origin past the source", {0, 0, 4, 3}, {4, 0}, 0, {0, 0, 0, 0}, {0, 0}},
        {"empty rectangle", {3, 3, 3, 3}, {0, 0}, 0, {0, 0, 0, 0}, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto destination = Destination(8, 6);
        auto source = Source(4, 3);
        EXPECT_EQ(AlphaBlendRect(destination.get(), c.rect, source.get(), c.origin, 255), c.rows);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x) {
                bool covered = x >= c.covered.left && x < c.covered.right && y >= c.covered.top && y < c.covered.bottom;
                if (covered)
                    EXPECT_TRUE(IsSourcePixel(*destination, x, y, c.sourceAtCovered.x + x - c.covered.left,
                                              c.sourceAtCovered.y + y - c.covered.top))
                        << x << "," << y;
                else
                    EXPECT_TRUE(IsUntouched(*destination, x, y)) << x << "," << y;
            }
    }
}

TEST(AlphaBlendRect, DestinationBecomes24Bit)
{
    TBitmap destination;
    destination.SetPixelFormat(pf32bit);
    destination.SetSize(2, 2);
    auto source = Source(2, 2);
    EXPECT_EQ(AlphaBlendRect(&destination, RECT{0, 0, 2, 2}, source.get(), POINT{0, 0}, 255), 2);
    EXPECT_EQ(destination.PixelFormat(), pf24bit);
    EXPECT_EQ(PixelAt(destination, 1, 1)[0], 201);
}

TEST(AlphaBlendRect, MissingBitmapsBlendNothing)
{
    auto destination = Destination(2, 2);
    auto source = Source(2, 2);
    EXPECT_EQ(AlphaBlendRect(nullptr, RECT{0, 0, 2, 2}, source.get(), POINT{0, 0}, 255), 0);
    EXPECT_EQ(AlphaBlendRect(destination.get(), RECT{0, 0, 2, 2}, nullptr, POINT{0, 0}, 255), 0);
    EXPECT_TRUE(IsUntouched(*destination, 1, 1));
}

TEST(AlphaBlendRect, A24BitSourceIsAContractViolation)
{
    zxtest::ProcessResult result = zxtest::RunChild("blend_from_24_bit_source", {{"VESSA_ASSERT_SILENT", "1"}});
    EXPECT_EQ(result.exitCode, vessa::kAssertExitCode);
    EXPECT_NE(result.output.find("Assertion failed: src->PixelFormat == pf32bit"), std::string::npos) << result.output;
}
