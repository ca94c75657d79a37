// The rectangle helpers and the plain bitmap copy.

#include <gtest/gtest.h>

#include "vessa/Graphics/Graphicutility.h"

TEST(Graphicutility, RectangleHelpers)
{
    RECT rect{};
    int left = -3, top = 2, right = 7, bottom = 12;
    vessa::SetRectFromRefs(rect, left, top, right, bottom);
    EXPECT_EQ(rect.left, -3);
    EXPECT_EQ(rect.bottom, 12);
    EXPECT_EQ(vessa::RectWidth(rect), 10);
    EXPECT_EQ(vessa::RectHeight(rect), 10);
    EXPECT_EQ(vessa::RectWidth(RECT{5, 0, 2, 0}), -3);
}

TEST(Graphicutility, ColorRGBDropsTheFlagByte)
{
    const std::pair<TColor, TColor> cases[] = {
        {0x00123456, 0x123456}, {0x02FF00FF, 0xFF00FF}, {clDefault, 0}, {-1, 0xFFFFFF}};
    for (const auto& c : cases)
        EXPECT_EQ(vessa::ColorRGB(c.first), c.second) << std::hex << c.first;
}

TEST(Graphicutility, CopyBitmapRectCopiesPlainlyAndKeepsTheCopyMode)
{
    TBitmap source;
    source.SetPixelFormat(pf24bit);
    source.SetSize(4, 4);
    source.Canvas()->Brush()->SetColor(clBlue);
    source.Canvas()->FillRect(RECT{0, 0, 4, 4});
    source.Canvas()->SetPixel(2, 1, clRed);

    TBitmap target;
    target.SetPixelFormat(pf24bit);
    target.SetSize(5, 5);
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(RECT{0, 0, 5, 5});
    target.Canvas()->SetCopyMode(SRCINVERT);

    vessa::CopyBitmapRect(target.Canvas(), 3, 3, &source, RECT{2, 1, 4, 3});
    EXPECT_EQ(target.Canvas()->CopyMode(), static_cast<DWORD>(SRCINVERT));
    EXPECT_EQ(target.Canvas()->Pixel(3, 3), static_cast<COLORREF>(clRed));
    EXPECT_EQ(target.Canvas()->Pixel(4, 4), static_cast<COLORREF>(clBlue));
    EXPECT_EQ(target.Canvas()->Pixel(2, 2), static_cast<COLORREF>(clWhite));
}
