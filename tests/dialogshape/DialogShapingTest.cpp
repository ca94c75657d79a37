// A dialog's window region follows its background picture, placed where the
// image sits; the canvas routines draw their shape and leave the canvas as
// they found it.

#include <gtest/gtest.h>

#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/Image.h"
#include "profiledialog/IrregularWindowMaker.h"
#include "vessa/Graphics/Graphicutility.h"

namespace {

constexpr TColor kKey = 0xFF00FF;  // magenta

// A 40 x 30 picture: a 10 x 10 magenta notch in its top-left corner when
// `notched`.
void FillPicture(TImage* image, bool notched)
{
    TBitmap* bitmap = image->Picture()->Bitmap();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(40, 30);
    bitmap->Canvas()->Brush()->SetColor(0x202020);
    bitmap->Canvas()->FillRect(RECT{0, 0, 40, 30});
    if (notched) {
        bitmap->Canvas()->Brush()->SetColor(kKey);
        bitmap->Canvas()->FillRect(RECT{0, 0, 10, 10});
    }
}

struct Dialog {
    TForm* form;
    TImage* image;
};

Dialog MakeDialog(int imageLeft, int imageTop, bool notched)
{
    auto* form = new TForm(Application);
    form->SetBorderStyle(bsNone);
    form->SetBounds(200, 150, 80, 70);
    auto* image = new TImage(form);
    image->SetParent(form);
    image->SetBounds(imageLeft, imageTop, 40, 30);
    FillPicture(image, notched);
    form->Show();
    return {form, image};
}

RECT RegionBox(HWND window, int* kind)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    *kind = GetWindowRgn(window, region);
    RECT box{};
    GetRgnBox(region, &box);
    DeleteObject(region);
    return box;
}

bool InRegion(HWND window, int x, int y)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(window, region);
    bool inside = PtInRegion(region, x, y) != 0;
    DeleteObject(region);
    return inside;
}

}  // namespace

TEST(DialogShaping, TheRegionIsThePictureWhereTheImageSits)
{
    struct Case {
        const char* what;
        int left, top;
        bool notched;
        RECT box;
    };
    const Case cases[] = {
        {"no transparent pixel: the whole picture", 0, 0, false, RECT{0, 0, 40, 30}},
        {"image at (10, 20): shifted by (10, 20)", 10, 20, false, RECT{10, 20, 50, 50}},
        {"a notch is cut out", 10, 20, true, RECT{10, 20, 50, 50}},
    };
    for (const auto& c : cases) {
        Dialog dialog = MakeDialog(c.left, c.top, c.notched);
        IrregularWindowMaker maker(dialog.form, dialog.image);
        maker.ApplyWithColor(kKey);
        int kind = 0;
        RECT box = RegionBox(dialog.form->Handle(), &kind);
        EXPECT_NE(kind, ERROR) << c.what;
        EXPECT_TRUE(EqualRect(&box, &c.box))
            << c.what << ": " << box.left << "," << box.top << "," << box.right << "," << box.bottom;
        EXPECT_EQ(InRegion(dialog.form->Handle(), c.left + 2, c.top + 2), !c.notched) << c.what;
        EXPECT_TRUE(InRegion(dialog.form->Handle(), c.left + 20, c.top + 20)) << c.what;
        delete dialog.form;
    }
}

TEST(DialogShaping, AppliedOnceAndTheImagesOwnHandlerStillRuns)
{
    Dialog dialog = MakeDialog(0, 0, false);
    std::vector<TMouseButton> seen;
    dialog.image->OnMouseDown = TMouseEvent::FromFunction(
        [&](TObject*, TMouseButton button, TShiftState, int, int) { seen.push_back(button); });
    IrregularWindowMaker maker(dialog.form, dialog.image);
    dialog.image->Picture()->Bitmap()->SetTransparentColor(kKey);
    maker.Apply();
    EXPECT_TRUE(maker.IsApplied());

    // A later picture (with a notch) does not reshape the window.
    FillPicture(dialog.image, true);
    maker.Apply();
    EXPECT_TRUE(InRegion(dialog.form->Handle(), 2, 2));

    dialog.image->OnMouseDown(dialog.image, mbRight, 0, 3, 3);
    EXPECT_EQ(seen, std::vector<TMouseButton>{mbRight});
    delete dialog.form;
}

TEST(CanvasRoutines, ShapesAreDrawnAndTheCanvasIsLeftAsItWas)
{
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(40, 40);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Brush()->SetColor(0xFFFFFF);
    canvas->FillRect(RECT{0, 0, 40, 40});
    canvas->Pen()->SetColor(0x0000FF);    // red
    canvas->Brush()->SetColor(0x00FF00);  // green

    vessa::DrawRectFilled(canvas, RECT{2, 2, 12, 12});
    EXPECT_EQ(canvas->Pixel(2, 2), 0x00FF00) << "the outline takes the brush colour";
    EXPECT_EQ(canvas->Pixel(6, 6), 0x00FF00);
    EXPECT_EQ(canvas->Pen()->Color(), 0x0000FF);

    const POINT triangle[] = {{20, 2}, {38, 2}, {20, 20}, {38, 20}};  // the fourth point is left out
    vessa::DrawPolygonFrame(canvas, triangle, 3);
    EXPECT_EQ(canvas->Pixel(30, 2), 0x0000FF) << "first side";
    EXPECT_EQ(canvas->Pixel(20, 10), 0x0000FF) << "closing side";
    EXPECT_EQ(canvas->Pixel(24, 6), 0xFFFFFF) << "a frame is not filled";
    EXPECT_EQ(canvas->Pixel(37, 19), 0xFFFFFF) << "the fourth point is not used";
    EXPECT_EQ(canvas->Brush()->Style(), bsSolid);
    EXPECT_EQ(canvas->Brush()->Color(), 0x00FF00);

    vessa::DrawEllipseFilled(canvas, RECT{2, 22, 18, 38});
    EXPECT_EQ(canvas->Pixel(10, 30), 0x00FF00);
    EXPECT_EQ(canvas->Pixel(2, 22), 0xFFFFFF) << "outside the ellipse";
    EXPECT_EQ(canvas->Pen()->Color(), 0x0000FF);
}
