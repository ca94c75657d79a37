// Canvas capture and the 32-bit alpha blend: weights, truncation, formats,
// clipping, and the contract on the source's size.

#include <gtest/gtest.h>

#include "BitmapPixels.h"
#include "ContractStop.h"
#include "vessa/widget/layout/Source/BitmapBlend.h"

using zxtest::Bgra;
using zxtest::Fill;
using zxtest::Get;
using zxtest::Put;

namespace {

const Bgra kBeneath{10, 20, 30, 77};
const Bgra kSkin{200, 100, 50, 128};

}  // namespace

TEST(BitmapBlend, BlendsEachPixelByItsAlphaTimesTheConstantAlphaAndTruncates)
{
    struct Case {
        Bgra source;
        BYTE alpha;
        Bgra expected;  // B, G, R over kBeneath
    } cases[] = {
        // 10 × (1 − 128/255) + 200 × 128/255 = 105.37, ...
        {kSkin, 255, {105, 60, 40}},
        // weight 128/255 × 128/255
        {kSkin, 128, {57, 40, 35}},
        {{200, 100, 50, 0}, 255, {10, 20, 30}},
        {{200, 100, 50, 255}, 255, {200, 100, 50}},
        {{200, 100, 50, 255}, 0, {10, 20, 30}},
    };
    for (TPixelFormat format : {pf24bit, pf32bit}) {
        for (const Case& c : cases) {
            TBitmap src, dst;
            Fill(src, pf32bit, 2, 2, c.source);
            Fill(dst, format, 2, 2, kBeneath);
            vessa::AlphaBlendBitmap(&src, &dst, c.alpha);
            Bgra got = Get(dst, 1, 1);
            SCOPED_TRACE(testing::Message()
                         << "format " << format << " alpha " << int(c.source.a) << "/" << int(c.alpha));
            EXPECT_EQ(dst.PixelFormat(), format);
            EXPECT_EQ(got.b, c.expected.b);
            EXPECT_EQ(got.g, c.expected.g);
            EXPECT_EQ(got.r, c.expected.r);
            if (format == pf32bit) {
                EXPECT_EQ(got.a, kBeneath.a);  // the destination keeps its alpha
            }
        }
    }
}

TEST(BitmapBlend, DestinationOfAnotherFormatBecomes24Bit)
{
    TBitmap src, dst;
    Fill(src, pf32bit, 3, 3, Bgra{1, 2, 3, 255});
    dst.SetPixelFormat(pf16bit);
    dst.SetSize(3, 3);
    vessa::AlphaBlendBitmap(&src, &dst, 255);
    EXPECT_EQ(dst.PixelFormat(), pf24bit);
    EXPECT_EQ(Get(dst, 2, 2), (Bgra{1, 2, 3, 0}));
}

TEST(BitmapBlend, AreaIsClippedToTheDestinationOnEverySide)
{
    struct Case {
        POINT origin;
        POINT probe;        // a destination pixel
        bool covered;       // receives a source pixel
        POINT sourcePixel;  // which one
    } cases[] = {
        {{1, 1}, {0, 0}, false, {}},      {{1, 1}, {1, 1}, true, {0, 0}},
        {{1, 1}, {3, 3}, true, {2, 2}},  // the last source row and column fall off
        {{-1, -2}, {0, 0}, true, {1, 2}}, {{-1, -2}, {2, 1}, true, {3, 3}},
        {{-1, -2}, {3, 3}, false, {}},
    };
    for (const Case& c : cases) {
        TBitmap src, dst;
        zxtest::FillPattern(src, pf32bit, 4, 4);
        Fill(dst, pf24bit, 4, 4, Bgra{0, 0, 0, 0});
        vessa::AlphaBlendBitmapRect(&src, RECT{0, 0, 4, 4}, &dst, c.origin, 255);
        SCOPED_TRACE(testing::Message() << "origin " << c.origin.x << "," << c.origin.y << " probe " << c.probe.x << ","
                                        << c.probe.y);
        Bgra expected{};
        if (c.covered) {
            expected = Get(src, c.sourcePixel.x, c.sourcePixel.y);
            expected.a = 0;
        }
        EXPECT_EQ(Get(dst, c.probe.x, c.probe.y), expected);
    }
}

TEST(BitmapBlend, SourceRectangleStartsWhereItSays)
{
    TBitmap src, dst;
    zxtest::FillPattern(src, pf32bit, 5, 5);
    Fill(dst, pf32bit, 2, 2, Bgra{0, 0, 0, 9});
    vessa::AlphaBlendBitmapRect(&src, RECT{2, 3, 4, 5}, &dst, POINT{0, 0}, 255);
    Bgra expected = Get(src, 3, 4);
    expected.a = 9;
    EXPECT_EQ(Get(dst, 1, 1), expected);
}

TEST(BitmapBlend, SourceWithoutAlphaChannelIsBlendedOpaque)
{
    TBitmap src, dst;
    Fill(src, pf24bit, 3, 2, Bgra{40, 50, 60, 0});
    Fill(dst, pf24bit, 3, 2, kBeneath);
    vessa::AlphaBlendBitmap(&src, &dst, 255);
    EXPECT_EQ(Get(dst, 2, 1), (Bgra{40, 50, 60, 0}));
    EXPECT_EQ(src.PixelFormat(), pf24bit);  // the source itself is left alone
}

TEST(BitmapBlend, CaptureCopiesTheCanvasRectangleInto24BitPlainly)
{
    TBitmap canvasBitmap;
    zxtest::FillPattern(canvasBitmap, pf32bit, 6, 6);
    TBitmap capture;
    capture.SetPixelFormat(pf32bit);
    capture.Canvas()->SetCopyMode(SRCINVERT);
    vessa::CaptureCanvasRect(canvasBitmap.Canvas(), &capture, RECT{1, 2, 4, 6});
    ASSERT_EQ(capture.Width(), 3);
    ASSERT_EQ(capture.Height(), 4);
    EXPECT_EQ(capture.PixelFormat(), pf24bit);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 3; ++x) {
            Bgra expected = Get(canvasBitmap, x + 1, y + 2);
            expected.a = 0;
            EXPECT_EQ(Get(capture, x, y), expected) << x << "," << y;
        }
    }
}

ZX_TEST_CHILD(BlendFromTooSmallSource)
{
    TBitmap src, dst;
    Fill(src, pf32bit, 2, 2, kSkin);
    Fill(dst, pf24bit, 4, 4, kBeneath);
    vessa::AlphaBlendBitmapRect(&src, RECT{0, 0, 4, 4}, &dst, POINT{0, 0}, 255);
    return 0;
}

TEST(BitmapBlend, SourceSmallerThanTheAreaStopsTheProgram)
{
    zxtest::ExpectContractStop("BlendFromTooSmallSource", "maxRow <= src->Height && maxCol <= src->Width");
}
