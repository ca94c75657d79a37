// Text layouts drawn into bitmaps: the plain and the shaded layout, the
// owner-draw colours and the shared frame layout.

#include <gtest/gtest.h>

#include "BitmapPixels.h"
#include "vessa/widget/layout/Source/OwnerDrawLayout.h"
#include "vessa/widget/layout/Source/TextLayout.h"

using zxtest::Bgra;
using zxtest::Get;

namespace {

constexpr int kWidth = 100;
constexpr int kHeight = 20;
const Bgra kWhite{255, 255, 255, 0};

// A white 24-bit canvas with a bold red font.
class TextCanvas {
public:
    TextCanvas(int width = kWidth, int height = kHeight)
    {
        zxtest::Fill(bitmap, pf24bit, width, height, kWhite);
        TFont* font = bitmap.Canvas()->Font();
        font->SetName("Arial");
        font->SetHeight(-14);
        font->SetStyle(fsBold);
        font->SetColor(clRed);
    }
    TCanvas* Canvas() { return bitmap.Canvas(); }
    // Text pixels: red stands out from white and from the grey shadow.
    bool IsText(int x, int y)
    {
        Bgra p = Get(bitmap, x, y);
        return p.r > p.g + 40;
    }
    // The text's own colour, not an antialiased edge.
    bool IsSolidText(int x, int y) { return Get(bitmap, x, y) == Bgra{0, 0, 255, 0}; }
    TBitmap bitmap;
};

RECT Whole()
{
    return RECT{0, 0, kWidth, kHeight};
}

}  // namespace

TEST(ShadedTextLayout, StartsShadedWithASoftBlackShadowOffsetByOne)
{
    vessa::TShadedTextLayout* layout = new vessa::TShadedTextLayout;
    EXPECT_TRUE(layout->Shaded());
    EXPECT_EQ(layout->ShadeAlpha(), 120);
    EXPECT_EQ(layout->ShadowColor(), clBlack);
    EXPECT_EQ(layout->BlurRadius(), 2u);
    EXPECT_EQ(layout->ShadowOffset().x, 1);
    EXPECT_EQ(layout->ShadowOffset().y, 1);
    layout->Release();
}

TEST(ShadedTextLayout, DrawsTheTextInsetByTheRadiusOverAShadowThatKeepsOffTheEdges)
{
    TextCanvas shaded;
    vessa::TShadedTextLayout* layout = new vessa::TShadedTextLayout;
    layout->DrawText(shaded.Canvas(), "Apply 1.25V", Whole(), DT_SINGLELINE);
    layout->Release();

    TextCanvas plain;
    vessa::TTextLayout().DrawText(plain.Canvas(), "Apply 1.25V", RECT{2, 2, kWidth - 2, kHeight - 2}, DT_SINGLELINE);

    int textPixels = 0, shadowPixels = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            SCOPED_TRACE(testing::Message() << x << "," << y);
            // The same glyphs in the same place; where the plain draw left
            // the background, the shaded one shows at most shadow.
            Bgra p = Get(shaded.bitmap, x, y);
            EXPECT_EQ(shaded.IsSolidText(x, y), plain.IsSolidText(x, y));
            if (Get(plain.bitmap, x, y) == kWhite) {
                EXPECT_TRUE(p.Grey());
            }
            bool edge = x < 2 || y < 2 || x >= kWidth - 1 || y >= kHeight - 1;
            if (edge) {
                EXPECT_EQ(p, kWhite);
            }
            textPixels += shaded.IsSolidText(x, y);
            if (p.Grey() && p.r < 255) {
                ++shadowPixels;
                EXPECT_GE(p.r, 255 - 120);  // at most 120/255 of black
            }
        }
    }
    EXPECT_GT(textPixels, 20);
    EXPECT_GT(shadowPixels, 20);
}

TEST(ShadedTextLayout, EmptyTextOrNoShadeLeavesNoShadow)
{
    struct Case {
        const char* text;
        bool shaded;
    } cases[] = {{"", true}, {"", false}};
    for (const Case& c : cases) {
        TBitmap before, after;
        zxtest::FillPattern(before, pf24bit, kWidth, kHeight);
        after.Assign(&before);
        vessa::TShadedTextLayout* layout = new vessa::TShadedTextLayout;
        layout->SetShaded(c.shaded);
        layout->DrawText(after.Canvas(), c.text, Whole(), DT_SINGLELINE);
        layout->Release();
        EXPECT_TRUE(zxtest::SamePixels(before, after)) << "shaded " << c.shaded;
    }
}

TEST(ShadedTextLayout, UnshadedDrawIsPlainTextInTheInsetRectangle)
{
    TextCanvas unshaded, plain;
    vessa::TShadedTextLayout* layout = new vessa::TShadedTextLayout;
    layout->SetShaded(false);
    layout->DrawText(unshaded.Canvas(), L"Wide \x00e9t\x00e9", Whole(), DT_SINGLELINE | DT_CENTER);
    layout->Release();
    vessa::TTextLayout().DrawText(plain.Canvas(), L"Wide \x00e9t\x00e9", RECT{2, 2, kWidth - 2, kHeight - 2},
                                  DT_SINGLELINE | DT_CENTER);
    EXPECT_TRUE(zxtest::SamePixels(unshaded.bitmap, plain.bitmap));
}

TEST(ShadedTextLayout, AnsiAndWideTextDrawAlike)
{
    TextCanvas ansi, wide;
    vessa::TShadedTextLayout* layout = new vessa::TShadedTextLayout;
    layout->DrawText(ansi.Canvas(), "Turbo 36X", Whole(), DT_SINGLELINE | DT_VCENTER);
    layout->DrawText(wide.Canvas(), L"Turbo 36X", Whole(), DT_SINGLELINE | DT_VCENTER);
    layout->Release();
    EXPECT_TRUE(zxtest::SamePixels(ansi.bitmap, wide.bitmap));
}

TEST(ShadedTextLayout, RenderShadowFillsWithTheShadowColourAndBlursTheShapeIntoAlpha)
{
    TBitmap shape;
    zxtest::Fill(shape, pf32bit, 20, 20, Bgra{0, 0, 0, 0});
    for (int y = 6; y < 14; ++y)
        for (int x = 6; x < 14; ++x)
            zxtest::Put(shape, x, y, Bgra{255, 255, 255, 0});
    vessa::TShadedTextLayout* layout = new vessa::TShadedTextLayout;
    layout->RenderShadow(&shape);
    layout->Release();
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            Bgra p = Get(shape, x, y);
            EXPECT_EQ(p.b + p.g + p.r, 0);
            bool nearEdge = x < 2 || y < 2 || x >= 18 || y >= 18;
            if (nearEdge) {
                EXPECT_EQ(p.a, 0) << x << "," << y;
            }
            EXPECT_LE(p.a, 120);
        }
    }
    EXPECT_EQ(Get(shape, 10, 10).a, 120);  // wholly inside the shape
    EXPECT_EQ(Get(shape, 3, 3).a, 0);      // beyond the blur
    EXPECT_GT(Get(shape, 5, 10).a, 0);     // blurred past the shape's edge
    EXPECT_LT(Get(shape, 6, 10).a, 120);
}

TEST(ShadedTextLayout, CalcRectLeavesRoomForTheInsetAndTheShadow)
{
    TextCanvas canvas;
    RECT plain{0, 0, 0, 0};
    vessa::TTextLayout().CalcRect(canvas.Canvas(), "Save Profile", plain, DT_SINGLELINE);
    int textWidth = plain.right, textHeight = plain.bottom;
    ASSERT_GT(textWidth, 0);

    struct Case {
        bool shaded;
        int extra;  // beyond the text, from the rectangle's left and top
    } cases[] = {{true, 2 + 3 + 1}, {false, 2 + 2}};
    for (const Case& c : cases) {
        vessa::TShadedTextLayout* layout = new vessa::TShadedTextLayout;
        layout->SetShaded(c.shaded);
        RECT rect{10, 5, 300, 100};
        layout->CalcRect(canvas.Canvas(), "Save Profile", rect, DT_SINGLELINE);
        std::wstring wide = L"Save Profile";
        RECT wideRect{10, 5, 300, 100};
        layout->CalcRect(canvas.Canvas(), wide.c_str(), wideRect, DT_SINGLELINE);
        layout->Release();
        SCOPED_TRACE(c.shaded);
        EXPECT_EQ(rect.left, 10);
        EXPECT_EQ(rect.top, 5);
        EXPECT_EQ(rect.right, 10 + textWidth + c.extra);
        EXPECT_EQ(rect.bottom, 5 + textHeight + c.extra);
        EXPECT_TRUE(EqualRect(&rect, &wideRect));
    }
}

TEST(OwnerDrawTextLayout, ColoursTheFontByTheItemState)
{
    struct Case {
        TOwnerDrawState state;
        TColor expected;
    } cases[] = {
        {0, clRed},
        {odFocused, clRed},
        {odSelected, clHighlightText},
        {odGrayed, clGrayText},
        {odDisabled, clGrayText},
        {odSelected | odDisabled, clGrayText},
    };
    vessa::TOwnerDrawTextLayout* layout = vessa::TOwnerDrawTextLayout::Instance();
    for (const Case& c : cases) {
        TextCanvas canvas;
        layout->DrawText(canvas.Canvas(), "x", Whole(), DT_SINGLELINE, c.state);
        EXPECT_EQ(canvas.Canvas()->Font()->Color(), c.expected) << "state " << c.state;
    }
}

TEST(OwnerDrawTextLayout, SharedLayoutsOutliveRelease)
{
    vessa::TOwnerDrawTextLayout* text = vessa::TOwnerDrawTextLayout::Instance();
    vessa::TFrameLayout* frame = vessa::TFrameLayout::Instance();
    text->Release();
    frame->Release();
    EXPECT_EQ(vessa::TOwnerDrawTextLayout::Instance(), text);
    EXPECT_EQ(vessa::TFrameLayout::Instance(), frame);

    TextCanvas canvas;
    canvas.Canvas()->Brush()->SetColor(clBlue);
    RECT item{3, 4, 40, 12};
    RECT content = frame->GetContentRect(item);
    EXPECT_TRUE(EqualRect(&item, &content));
    frame->DrawBackground(canvas.Canvas(), item);
    EXPECT_EQ(Get(canvas.bitmap, 3, 4), (Bgra{255, 0, 0, 0}));
    EXPECT_EQ(Get(canvas.bitmap, 39, 11), (Bgra{255, 0, 0, 0}));
    EXPECT_EQ(Get(canvas.bitmap, 40, 11), kWhite);
    text->DrawText(canvas.Canvas(), "ok", RECT{50, 0, kWidth, kHeight}, DT_SINGLELINE, 0);
    bool drawn = false;
    for (int x = 50; x < kWidth; ++x)
        drawn = drawn || canvas.IsText(x, 10);
    EXPECT_TRUE(drawn);
}
