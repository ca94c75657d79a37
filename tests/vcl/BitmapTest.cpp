// DIB-section bitmaps: scan lines, formats, resizing, transparency, copies.

#include <gtest/gtest.h>

#include <cstring>

#include "TestPaths.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Picture.h"

namespace {

unsigned char* Pixel(TBitmap& bitmap, int x, int y)
{
    int bytes = bitmap.PixelFormat() == pf32bit ? 4 : 3;
    return static_cast<unsigned char*>(bitmap.ScanLine(y)) + x * bytes;
}

void Put32(TBitmap& bitmap, int x, int y, unsigned char b, unsigned char g, unsigned char r, unsigned char a)
{
    unsigned char* p = Pixel(bitmap, x, y);
    p[0] = b, p[1] = g, p[2] = r, p[3] = a;
}

}  // namespace

TEST(VclBitmap, ScanLineZeroIsTheTopRow)
{
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(4, 3);
    bitmap.Canvas()->SetPixel(0, 0, clRed);
    bitmap.Canvas()->SetPixel(3, 2, clBlue);
    const unsigned char* top = Pixel(bitmap, 0, 0);
    EXPECT_EQ(top[0], 0);
    EXPECT_EQ(top[2], 255);
    const unsigned char* bottomRight = Pixel(bitmap, 3, 2);
    EXPECT_EQ(bottomRight[0], 255);
    EXPECT_EQ(bottomRight[2], 0);
    EXPECT_GE(bitmap.BytesPerLine(), 12);
    EXPECT_EQ(bitmap.ScanLine(3), nullptr);
}

TEST(VclBitmap, ResizeKeepsContentTopLeftAlphaIncludedAndFillsWithTheBrushColour)
{
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf32bit);
    bitmap.SetSize(2, 2);
    Put32(bitmap, 1, 1, 10, 20, 30, 0x80);
    bitmap.Canvas()->Brush()->SetColor(RGB(0, 255, 0));
    bitmap.SetSize(4, 3);
    ASSERT_EQ(bitmap.Width(), 4);
    const unsigned char* kept = Pixel(bitmap, 1, 1);
    EXPECT_EQ(kept[0], 10);
    EXPECT_EQ(kept[1], 20);
    EXPECT_EQ(kept[2], 30);
    EXPECT_EQ(kept[3], 0x80);
    // New pixels, also those beside the kept ones, as the system fills
    // them: the brush colour, alpha 0.
    for (POINT at : {POINT{3, 2}, POINT{2, 1}, POINT{0, 2}}) {
        const unsigned char* fresh = Pixel(bitmap, at.x, at.y);
        EXPECT_EQ(fresh[0], 0);
        EXPECT_EQ(fresh[1], 255);
        EXPECT_EQ(fresh[2], 0);
        EXPECT_EQ(fresh[3], 0);
    }

    // A 24-bit picture and a system colour alike.
    TBitmap plain;
    plain.SetPixelFormat(pf24bit);
    plain.Canvas()->Brush()->SetColor(clBtnFace);
    plain.SetSize(5, 2);
    const COLORREF face = ColorToRGB(clBtnFace);
    const unsigned char* last = static_cast<const unsigned char*>(plain.ScanLine(1)) + 4 * 3;
    EXPECT_EQ(last[0], GetBValue(face));
    EXPECT_EQ(last[1], GetGValue(face));
    EXPECT_EQ(last[2], GetRValue(face));
}

TEST(VclBitmap, PixelFormatSwitchConvertsThePixels)
{
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf32bit);
    bitmap.SetSize(3, 1);
    Put32(bitmap, 2, 0, 1, 2, 3, 200);
    bitmap.SetPixelFormat(pf24bit);
    ASSERT_EQ(bitmap.PixelFormat(), pf24bit);
    const unsigned char* p = Pixel(bitmap, 2, 0);
    EXPECT_EQ(p[0], 1);
    EXPECT_EQ(p[1], 2);
    EXPECT_EQ(p[2], 3);
    bitmap.SetPixelFormat(pf32bit);
    p = Pixel(bitmap, 2, 0);
    EXPECT_EQ(p[2], 3);
    EXPECT_EQ(p[3], 0);  // 24-bit pixels had no alpha to keep
    Put32(bitmap, 0, 0, 0, 0, 255, 255);
    bitmap.SetPixelFormat(pf8bit);
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.Canvas()->Pixel(0, 0), RGB(255, 0, 0));
}

TEST(VclBitmap, CopyInAnotherFormatMatchesACopyThenASwitch)
{
    TBitmap deep;
    deep.SetPixelFormat(pf32bit);
    deep.SetSize(3, 2);
    Put32(deep, 1, 1, 10, 20, 30, 40);
    deep.SetTransparentColor(clBlue);
    TBitmap flat;
    flat.SetPixelFormat(pf24bit);
    flat.SetSize(2, 2);
    Pixel(flat, 1, 0)[1] = 99;

    const std::pair<TBitmap*, TPixelFormat> cases[] = {
        {&deep, pf24bit}, {&deep, pf32bit}, {&flat, pf32bit}, {&flat, pf24bit}, {&flat, pf8bit}};
    for (const auto& c : cases) {
        TBitmap expected;
        expected.Assign(c.first);
        expected.SetPixelFormat(c.second);
        TBitmap copy;
        copy.SetSize(7, 7);
        copy.AssignAs(c.first, c.second);
        ASSERT_EQ(copy.PixelFormat(), c.second);
        ASSERT_EQ(copy.Width(), expected.Width());
        ASSERT_EQ(copy.Height(), expected.Height());
        EXPECT_EQ(copy.TransparentColor(), expected.TransparentColor());
        const int rowBytes = copy.Width() * BitsPerPixel(c.second) / 8;
        for (int y = 0; y < copy.Height(); ++y)
            EXPECT_EQ(std::memcmp(copy.ScanLine(y), expected.ScanLine(y), rowBytes), 0) << c.second << " row " << y;
    }
}

TEST(VclBitmap, AutomaticTransparentColourIsTheBottomLeftPixelWithTheFlag)
{
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(2, 2);
    bitmap.Canvas()->SetPixel(0, 1, RGB(1, 2, 3));
    EXPECT_EQ(bitmap.TransparentMode(), tmAuto);
    EXPECT_EQ(bitmap.TransparentColor(), static_cast<TColor>(RGB(1, 2, 3)) | kAutoTransparentFlag);

    bitmap.SetTransparentColor(clFuchsia);
    EXPECT_EQ(bitmap.TransparentMode(), tmFixed);
    EXPECT_EQ(bitmap.TransparentColor(), clFuchsia);
    bitmap.SetTransparentColor(clDefault);
    EXPECT_EQ(bitmap.TransparentMode(), tmAuto);

    // Fixed before any colour was set: still the automatic colour.
    bitmap.SetTransparentMode(tmFixed);
    EXPECT_EQ(bitmap.TransparentColor(), static_cast<TColor>(RGB(1, 2, 3)) | kAutoTransparentFlag);
}

TEST(VclBitmap, AssignIsADeepCopyAndNullEmpties)
{
    TBitmap original;
    original.SetPixelFormat(pf32bit);
    original.SetSize(2, 2);
    Put32(original, 0, 0, 9, 9, 9, 9);
    original.SetTransparentColor(clRed);

    TBitmap copy;
    copy.Assign(&original);
    EXPECT_EQ(copy.PixelFormat(), pf32bit);
    EXPECT_EQ(copy.Width(), 2);
    EXPECT_EQ(copy.TransparentColor(), clRed);
    EXPECT_NE(copy.Handle(), original.Handle());
    Pixel(copy, 0, 0)[0] = 77;
    EXPECT_EQ(Pixel(original, 0, 0)[0], 9);

    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
}

TEST(VclBitmap, TakenImageMovesWithoutACopyAndLeavesTheSourceEmpty)
{
    TBitmap source;
    source.SetPixelFormat(pf32bit);
    source.SetSize(3, 2);
    Put32(source, 2, 1, 1, 2, 3, 4);
    source.SetTransparentColor(clRed);
    source.Canvas()->Handle();  // the image selected into the source's context
    const HBITMAP handle = source.Handle();

    TBitmap taker;
    taker.SetSize(5, 5);
    int takerChanges = 0, sourceChanges = 0;
    taker.OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++takerChanges; });
    source.OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++sourceChanges; });
    taker.TakeImage(&source);

    EXPECT_EQ(taker.Handle(), handle);
    EXPECT_EQ(taker.PixelFormat(), pf32bit);
    EXPECT_EQ(taker.Width(), 3);
    EXPECT_EQ(taker.Height(), 2);
    EXPECT_EQ(Pixel(taker, 2, 1)[3], 4);
    EXPECT_EQ(taker.TransparentColor(), clRed);
    EXPECT_TRUE(source.Empty());
    EXPECT_FALSE(source.HandleAllocated());
    EXPECT_EQ(takerChanges, 1);
    EXPECT_EQ(sourceChanges, 1);
    // The taker draws on the image it took.
    taker.Canvas()->SetPixel(0, 0, RGB(10, 20, 30));
    EXPECT_EQ(Pixel(taker, 0, 0)[2], 10);
}

TEST(VclBitmap, EveryChangeThroughTheLibraryFiresOnChange)
{
    TBitmap bitmap;
    int changes = 0;
    bitmap.OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++changes; });
    bitmap.SetSize(3, 3);
    EXPECT_EQ(changes, 1);
    bitmap.SetPixelFormat(pf32bit);
    EXPECT_EQ(changes, 2);
    bitmap.Canvas()->FillRect(RECT{0, 0, 2, 2});
    EXPECT_EQ(changes, 3);
    bitmap.SetTransparentColor(clBlack);
    EXPECT_EQ(changes, 4);
    TBitmap other;
    other.SetSize(1, 1);
    bitmap.Assign(&other);
    EXPECT_EQ(changes, 5);
    bitmap.SetSize(1, 1);  // no change, no event
    EXPECT_EQ(changes, 5);
}

TEST(VclBitmap, ReleasedHandleStaysValidAndTheBitmapIsEmpty)
{
    TBitmap bitmap;
    bitmap.SetSize(5, 4);
    HBITMAP handle = bitmap.ReleaseHandle();
    ASSERT_NE(handle, nullptr);
    EXPECT_TRUE(bitmap.Empty());
    BITMAP info{};
    ASSERT_EQ(GetObjectA(handle, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 5);

    TBitmap wrapper;
    wrapper.SetHandle(handle);
    EXPECT_EQ(wrapper.Width(), 5);
    EXPECT_EQ(wrapper.Height(), 4);
}

TEST(VclBitmap, SavedFileLoadsBackTopDownAndMissingFileRaises)
{
    zxtest::TempFolder folder;
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(3, 2);
    bitmap.Canvas()->SetPixel(0, 0, RGB(200, 100, 50));
    bitmap.SaveToFile(folder.File("pic.bmp"));

    TBitmap loaded;
    loaded.LoadFromFile(folder.File("pic.bmp"));
    EXPECT_EQ(loaded.Width(), 3);
    EXPECT_EQ(loaded.PixelFormat(), pf24bit);
    const unsigned char* top = Pixel(loaded, 0, 0);
    EXPECT_EQ(top[2], 200);
    EXPECT_EQ(top[1], 100);
    EXPECT_EQ(top[0], 50);

    EXPECT_THROW(loaded.LoadFromFile(folder.File("missing.bmp")), EFOpenError);
    zxtest::TempFolder other;
    FILE* junk = fopen(other.File("junk.bmp").c_str(), "wb");
    fputs("not a bitmap", junk);
    fclose(junk);
    EXPECT_THROW(loaded.LoadFromFile(other.File("junk.bmp")), EInvalidGraphic);
    EXPECT_EQ(loaded.Width(), 3);  // a failed load leaves the bitmap as it was
}

TEST(VclPicture, BitmapIsMadeOnDemandAndAssignCopies)
{
    TPicture picture;
    int changes = 0;
    picture.OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++changes; });
    picture.Bitmap()->SetSize(4, 2);
    EXPECT_EQ(picture.Width(), 4);
    EXPECT_GE(changes, 2);  // the new graphic, then its resize

    TPicture copy;
    copy.Assign(&picture);
    ASSERT_NE(copy.Graphic(), nullptr);
    EXPECT_NE(copy.Graphic(), picture.Graphic());
    EXPECT_EQ(copy.Height(), 2);
    EXPECT_THROW(copy.LoadFromFile("C:\\nowhere\\x.gif"), EInvalidGraphic);
}

TEST(VclPicture, ABitmapGoesIntoTheBitmapHeldKeepingItsBufferWhenTheShapeMatches)
{
    TPicture picture;
    picture.Bitmap()->SetPixelFormat(pf32bit);
    picture.Bitmap()->SetSize(2, 2);
    TGraphic* held = picture.Graphic();
    const HBITMAP handle = picture.Bitmap()->Handle();
    int changes = 0;
    picture.OnChange = TNotifyEvent::FromFunction([&](TObject*) { ++changes; });

    TBitmap same;
    same.SetPixelFormat(pf32bit);
    same.SetSize(2, 2);
    Put32(same, 1, 1, 5, 6, 7, 8);
    picture.SetBitmap(&same);
    EXPECT_EQ(picture.Graphic(), held);
    EXPECT_EQ(picture.Bitmap()->Handle(), handle);
    EXPECT_EQ(Pixel(*picture.Bitmap(), 1, 1)[3], 8);
    EXPECT_EQ(changes, 1);

    TBitmap larger;
    larger.SetPixelFormat(pf24bit);
    larger.SetSize(4, 3);
    picture.SetBitmap(&larger);
    EXPECT_EQ(picture.Width(), 4);
    EXPECT_EQ(picture.Bitmap()->PixelFormat(), pf24bit);
    EXPECT_EQ(changes, 2);

    const HBITMAP largerHandle = larger.Handle();
    TPicture taker;
    taker.TakeBitmap(&larger);
    EXPECT_EQ(taker.Bitmap()->Handle(), largerHandle);
    EXPECT_TRUE(larger.Empty());

    // Exchanged, the spare holds the bitmap shown before, ready to be drawn
    // into again without a new image.
    TBitmap spare;
    spare.SetPixelFormat(pf32bit);
    spare.SetSize(4, 3);
    spare.SetTransparentColor(clLime);
    const HBITMAP spareHandle = spare.Handle();
    changes = 0;
    picture.ExchangeBitmap(&spare);
    EXPECT_EQ(picture.Bitmap()->Handle(), spareHandle);
    EXPECT_EQ(picture.Bitmap()->PixelFormat(), pf32bit);
    EXPECT_EQ(picture.Bitmap()->TransparentColor(), clLime);
    EXPECT_EQ(spare.Width(), 4);
    EXPECT_EQ(spare.PixelFormat(), pf24bit);
    EXPECT_EQ(spare.TransparentMode(), tmAuto);
    EXPECT_EQ(changes, 1);
}
