// Painting: windowless children drawn by their parent in z-order, the image's
// opaque bitmap copy, label sizing, and canvases outside WM_PAINT.

#include <gtest/gtest.h>

#include <memory>

#include "OffscreenPaint.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"
#include "platform/vcl/GraphicControl.h"
#include "platform/vcl/Image.h"
#include "platform/vcl/Label.h"

namespace {

using zxtest::OffscreenPaint;

void FillBitmap(TBitmap* bitmap, TPixelFormat format, int width, int height, BYTE r, BYTE g, BYTE b, BYTE a)
{
    bitmap->SetPixelFormat(format);
    bitmap->SetSize(width, height);
    int bytes = format == pf32bit ? 4 : 3;
    for (int y = 0; y < height; ++y) {
        auto* row = static_cast<BYTE*>(bitmap->ScanLine(y));
        for (int x = 0; x < width; ++x) {
            row[x * bytes] = b;
            row[x * bytes + 1] = g;
            row[x * bytes + 2] = r;
            if (bytes == 4)
                row[x * 4 + 3] = a;
        }
    }
}

class Painting : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TForm>(Application);
        form->SetBorderStyle(bsNone);
        form->SetColor(clWhite);
        form->SetBounds(0, 0, 120, 80);
    }
    TImage* AddImage(int left, int top, BYTE r, BYTE g, BYTE b, BYTE alpha)
    {
        auto* image = new TImage(form.get());
        image->SetParent(form.get());
        image->SetAutoSize(true);
        image->SetLeft(left);
        image->SetTop(top);
        FillBitmap(image->Picture()->Bitmap(), pf32bit, 20, 10, r, g, b, alpha);
        return image;
    }
    std::unique_ptr<TForm> form;
};

}  // namespace

TEST_F(Painting, ImageCopiesABitmapWithAlphaZeroOpaquely)
{
    TImage* image = AddImage(10, 10, 255, 0, 0, 0);
    EXPECT_EQ(image->Width(), 20);  // AutoSize followed the picture
    EXPECT_EQ(image->Height(), 10);
    OffscreenPaint paint(form.get());
    EXPECT_EQ(paint.At(15, 15), RGB(255, 0, 0));
    EXPECT_EQ(paint.At(5, 5), RGB(255, 255, 255));  // the form's own colour
}

TEST_F(Painting, ChildrenArePaintedInZOrderAndBringToFrontChangesIt)
{
    TImage* red = AddImage(10, 10, 255, 0, 0, 255);
    AddImage(15, 12, 0, 0, 255, 255);
    {
        OffscreenPaint paint(form.get());
        EXPECT_EQ(paint.At(17, 14), RGB(0, 0, 255));
    }
    red->BringToFront();
    OffscreenPaint paint(form.get());
    EXPECT_EQ(paint.At(17, 14), RGB(255, 0, 0));
}

TEST_F(Painting, TransparentImageLeavesItsTransparentColourOut)
{
    TImage* image = AddImage(10, 10, 0, 255, 0, 255);
    image->Picture()->Bitmap()->SetTransparentColor(RGB(0, 255, 0));
    image->SetTransparent(true);
    OffscreenPaint paint(form.get());
    EXPECT_EQ(paint.At(15, 15), RGB(255, 255, 255));
}

TEST_F(Painting, LabelAutoSizeFollowsCaptionAndFontAtOnce)
{
    auto* label = new TLabel(form.get());
    label->SetParent(form.get());
    label->SetCaption("W");
    int narrow = label->Width();
    int lineHeight = label->Height();
    label->SetCaption("WWWWWWWW");
    EXPECT_GT(label->Width(), narrow * 4);
    label->Font()->SetSize(24);
    EXPECT_GT(label->Height(), lineHeight);
    label->SetAutoSize(false);
    int fixed = label->Width();
    label->SetCaption("W");
    EXPECT_EQ(label->Width(), fixed);
}

TEST_F(Painting, LabelDrawsItsCaptionInTheFontColour)
{
    auto* label = new TLabel(form.get());
    label->SetParent(form.get());
    label->SetLeft(5);
    label->SetTop(5);
    label->Font()->SetColor(clRed);
    label->Font()->SetSize(20);
    label->SetCaption("|||||");
    label->SetTransparent(true);
    OffscreenPaint paint(form.get());
    int red = 0;
    for (int y = 5; y < 5 + label->Height(); ++y)
        for (int x = 5; x < 5 + label->Width(); ++x)
            if (paint.At(x, y) == RGB(255, 0, 0))
                ++red;
    EXPECT_GT(red, 10);
}

TEST_F(Painting, GraphicControlCanvasWorksOutsidePainting)
{
    auto* image = AddImage(10, 10, 0, 0, 0, 255);
    form->Show();
    TCanvas* canvas = static_cast<TGraphicControl*>(image)->Canvas();
    ASSERT_NE(canvas->Handle(), nullptr);
    canvas->Brush()->SetColor(clLime);
    canvas->FillRect(RECT{0, 0, 4, 4});
    // The context is the parent's, moved to the control's corner.
    POINT origin;
    GetViewportOrgEx(canvas->Handle(), &origin);
    EXPECT_EQ(origin.x, 10);
    EXPECT_EQ(origin.y, 10);
}

TEST_F(Painting, ImageCanvasIsThePictureBitmapsCanvas)
{
    auto* image = new TImage(form.get());
    image->SetBounds(0, 0, 8, 6);
    TCanvas* canvas = image->Canvas();
    EXPECT_EQ(image->Picture()->Width(), 8);
    canvas->SetPixel(1, 1, clBlue);
    EXPECT_EQ(image->Picture()->Bitmap()->Canvas()->Pixel(1, 1), RGB(0, 0, 255));
}

// A control that changes while its form is hidden marks nothing (the form is
// painted whole when it shows); on a shown form it marks its own rectangle.
TEST_F(Painting, ChangesOfAHiddenFormAreCoveredByItsFirstShowing)
{
    auto* image = AddImage(10, 10, 255, 0, 0, 255);
    auto* child = new TCustomControl(form.get());  // a windowed child of the form
    child->SetParent(form.get());
    child->SetBounds(60, 10, 20, 20);
    HWND window = form->Handle();
    ValidateRect(child->Handle(), nullptr);
    RECT marked{};
    image->Invalidate();
    child->Invalidate();
    EXPECT_FALSE(GetUpdateRect(window, &marked, FALSE));
    EXPECT_FALSE(GetUpdateRect(child->Handle(), &marked, FALSE));

    ShowWindow(window, SW_SHOWNOACTIVATE);
    ASSERT_TRUE(GetUpdateRect(window, &marked, FALSE));
    EXPECT_EQ(marked.right - marked.left, form->ClientWidth());
    EXPECT_EQ(marked.bottom - marked.top, form->ClientHeight());
    EXPECT_TRUE(GetUpdateRect(child->Handle(), &marked, FALSE));

    ValidateRect(window, nullptr);
    ValidateRect(child->Handle(), nullptr);
    image->Invalidate();
    ASSERT_TRUE(GetUpdateRect(window, &marked, FALSE));
    EXPECT_EQ(marked.left, 10);
    EXPECT_EQ(marked.top, 10);
    EXPECT_EQ(marked.right, 30);
    EXPECT_EQ(marked.bottom, 20);
    child->Invalidate();
    EXPECT_TRUE(GetUpdateRect(child->Handle(), &marked, FALSE));
}
