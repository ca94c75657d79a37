// Regions cut from bitmaps by a transparent colour: run by run, in the
// bitmap's own pixel format (a 32-bit bitmap keeps its alpha), and handed to
// windows as copies.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "vessa/Graphics/WinRegion.h"

namespace {

constexpr TColor kKey = 0xFF00FF;  // magenta
constexpr TColor kOther = 0x102030;

// Rows of 'k' (key colour) and 'o' (another colour), all of one length.
std::unique_ptr<TBitmap> Picture(const std::vector<std::string>& rows, TPixelFormat format)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(format);
    bitmap->SetSize(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (int y = 0; y < bitmap->Height(); ++y)
        for (int x = 0; x < bitmap->Width(); ++x)
            bitmap->Canvas()->SetPixel(x, y, rows[y][x] == 'k' ? kKey : kOther);
    return bitmap;
}

// The region as rows of 'X' (inside) and '.' (outside) over width × height.
std::vector<std::string> Mask(HRGN region, int width, int height)
{
    std::vector<std::string> rows;
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x)
            row += PtInRegion(region, x, y) ? 'X' : '.';
        rows.push_back(row);
    }
    return rows;
}

std::vector<RECT> Rectangles(HRGN region)
{
    DWORD size = GetRegionData(region, 0, nullptr);
    std::vector<char> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    GetRegionData(region, size, data);
    const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
    return std::vector<RECT>(rects, rects + data->rdh.nCount);
}

}  // namespace

TEST(WinRegion, StartsEmpty)
{
    vessa::WinRegion region;
    RECT box;
    EXPECT_EQ(GetRgnBox(region.Handle(), &box), NULLREGION);
}

TEST(WinRegion, FromBitmapCutsOutTheTransparentColour)
{
    struct Case {
        const char* name;
        std::vector<std::string> picture;
        TPixelFormat format;
        TColor key;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"3x1 with a transparent middle", {"oko"}, pf24bit, kKey, {"X.X"}},
        {"no transparent pixel", {"ooo", "ooo"}, pf24bit, kKey, {"XXX", "XXX"}},
        {"all transparent", {"kk", "kk"}, pf24bit, kKey, {"..", ".."}},
        {"runs at both ends of a row", {"kkook", "okkko"}, pf24bit, kKey, {"..XX.", "X...X"}},
        {"flag byte of the key plays no part", {"oko"}, pf24bit, kKey | 0x02000000, {"X.X"}},
        {"32-bit bitmap", {"kok", "ooo"}, pf32bit, kKey, {".X.", "XXX"}},
        {"device format", {"ok"}, pfDevice, kKey, {"X."}},
        {"8-bit palette bitmap", {"kok"}, pf8bit, kKey, {".X."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto bitmap = Picture(c.picture, c.format);
        vessa::WinRegion region;
        region.FromBitmap(bitmap.get(), c.key);
        std::vector<std::string> mask = Mask(region.Handle(), bitmap->Width(), bitmap->Height());
        EXPECT_EQ(mask, c.expected);
        EXPECT_EQ(bitmap->PixelFormat(), c.format);
        // Nothing outside the bitmap.
        RECT box{};
        GetRgnBox(region.Handle(), &box);
        EXPECT_LE(box.right, bitmap->Width());
        EXPECT_LE(box.bottom, bitmap->Height());
    }
}

TEST(WinRegion, ThreeByOneGivesTwoOnePixelRectangles)
{
    auto bitmap = Picture({"oko"}, pf24bit);
    vessa::WinRegion region;
    region.FromBitmap(bitmap.get(), kKey);
    std::vector<RECT> rects = Rectangles(region.Handle());
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].left, 0);
    EXPECT_EQ(rects[0].right, 1);
    EXPECT_EQ(rects[1].left, 2);
    EXPECT_EQ(rects[1].right, 3);
}

TEST(WinRegion, FromBitmapKeepsTheAlphaOfA32BitBitmap)
{
    auto bitmap = Picture({"ok"}, pf32bit);
    for (int x = 0; x < 2; ++x)
        static_cast<BYTE*>(bitmap->ScanLine(0))[x * 4 + 3] = BYTE(90 + x);
    vessa::WinRegion region;
    region.FromBitmap(bitmap.get(), kKey);
    const auto* row = static_cast<const BYTE*>(bitmap->ScanLine(0));
    EXPECT_EQ(row[3], 90);
    EXPECT_EQ(row[7], 91);
}

TEST(WinRegion, FromBitmapOfNothingIsEmpty)
{
    vessa::WinRegion region;
    region.SetRect(0, 0, 5, 5);
    region.FromBitmap(nullptr, kKey);
    RECT box;
    EXPECT_EQ(GetRgnBox(region.Handle(), &box), NULLREGION);
    TBitmap empty;
    region.SetRect(0, 0, 5, 5);
    region.FromBitmap(&empty, kKey);
    EXPECT_EQ(GetRgnBox(region.Handle(), &box), NULLREGION);
}

TEST(WinRegion, SubtractAndCopy)
{
    vessa::WinRegion region, hole;
    region.SetRect(0, 0, 4, 1);
    hole.SetRect(1, 0, 3, 1);
    region.Subtract(hole.Handle());
    HRGN copy = region.Copy();
    EXPECT_NE(copy, region.Handle());
    EXPECT_TRUE(EqualRgn(copy, region.Handle()));
    EXPECT_EQ(Mask(copy, 4, 1), std::vector<std::string>{"X..X"});
    DeleteObject(copy);
}

TEST(WinRegion, ApplyToWindowGivesTheWindowACopy)
{
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    auto bitmap = Picture({"kooo", "okko"}, pf24bit);
    vessa::WinRegion region;
    region.FromBitmap(bitmap.get(), kKey);
    EXPECT_NE(region.ApplyToWindow(window, false), 0);

    HRGN windowRegion = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(window, windowRegion), ERROR);
    EXPECT_TRUE(EqualRgn(windowRegion, region.Handle()));
    // The object keeps its own region, usable after the window took a copy.
    region.SetRect(0, 0, 1, 1);
    GetWindowRgn(window, windowRegion);
    EXPECT_EQ(Mask(windowRegion, 4, 2), (std::vector<std::string>{".XXX", "X..X"}));
    DeleteObject(windowRegion);
    DestroyWindow(window);
}

TEST(WinRegion, AFailedApplyDeletesTheCopy)
{
    vessa::WinRegion region;
    region.SetRect(0, 0, 3, 3);
    EXPECT_EQ(region.ApplyToWindow(nullptr, false), 0);

    HRGN orphan = CreateRectRgn(0, 0, 2, 2);
    EXPECT_EQ(vessa::SetWindowRegion(nullptr, orphan, false), 0);
    RECT box;
    EXPECT_EQ(GetRgnBox(orphan, &box), ERROR);  // deleted: no longer a region
}
