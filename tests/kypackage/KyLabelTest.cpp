// KyLabel: the caption over its soft shadow, the base class's drawing when
// disabled or unshaded, the extra format flags and the size with shadow.

#include <gtest/gtest.h>

#include <algorithm>

#include "BitmapPixels.h"
#include "KyPackage/Source/KyLabel.h"
#include "OffscreenPaint.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Form.h"

using zxtest::Bgra;

namespace {

constexpr int kLeft = 10;
constexpr int kTop = 8;

// What a painted label area holds.
struct Ink {
    int text = 0;    // the caption's own colour
    int shadow = 0;  // grey below white
    int darkestShadow = 255;
    int firstTextColumn = -1;
    int lastTextColumn = -1;
};

class KyLabelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = NewForm();
        label = Dress(new KyLabel(form));
    }
    void TearDown() override
    {
        delete other;
        delete form;
    }
    static TForm* NewForm()
    {
        auto* f = new TForm(Application);
        f->SetBorderStyle(bsNone);
        f->SetColor(clWhite);
        f->SetBounds(0, 0, 160, 50);
        return f;
    }
    template <class Label>
    static Label* Dress(Label* l)
    {
        l->SetParent(static_cast<TWinControl*>(l->Owner()));
        l->SetTransparent(true);
        l->Font()->SetName("Arial");
        l->Font()->SetHeight(-16);
        l->Font()->SetStyle(fsBold);
        l->Font()->SetColor(clRed);
        l->SetLeft(kLeft);
        l->SetTop(kTop);
        l->SetCaption("CPU Core:");
        return l;
    }
    static Ink Look(zxtest::OffscreenPaint& paint)
    {
        Ink ink;
        TBitmap& b = paint.Bitmap();
        for (int x = 0; x < b.Width(); ++x) {
            for (int y = 0; y < b.Height(); ++y) {
                Bgra p = zxtest::Get(b, x, y);
                if (p.r == 255 && p.g == 0 && p.b == 0) {
                    ++ink.text;
                    if (ink.firstTextColumn < 0)
                        ink.firstTextColumn = x;
                    ink.lastTextColumn = x;
                } else if (p.Grey() && p.r < 255) {
                    ++ink.shadow;
                    ink.darkestShadow = std::min<int>(ink.darkestShadow, p.r);
                }
            }
        }
        return ink;
    }

    TForm* form = nullptr;
    TForm* other = nullptr;
    KyLabel* label = nullptr;
};

}  // namespace

TEST_F(KyLabelTest, StartsShadedAutoSizedWithNoExtraFormat)
{
    EXPECT_TRUE(label->Shaded());
    EXPECT_EQ(label->ShadeAlphaValue(), 120);
    EXPECT_EQ(label->TextFormat(), 0);
    EXPECT_TRUE(label->AutoSize());
}

TEST_F(KyLabelTest, ShadowOpacityFollowsShadeAlphaValue)
{
    for (BYTE alpha : {60, 120, 255}) {
        label->SetShadeAlphaValue(alpha);
        zxtest::OffscreenPaint paint(form);
        Ink ink = Look(paint);
        SCOPED_TRACE(int(alpha));
        EXPECT_GT(ink.text, 20);
        EXPECT_GT(ink.shadow, 20);
        EXPECT_GE(ink.darkestShadow, 255 - alpha);
        EXPECT_LT(ink.darkestShadow, 255 - alpha / 3);
    }
}

TEST_F(KyLabelTest, AutoSizeLeavesRoomForTheInsetAndTheShadow)
{
    label->SetShaded(false);
    int plainWidth = label->Width(), plainHeight = label->Height();
    label->SetShaded(true);
    EXPECT_EQ(label->Width(), plainWidth + 6);
    EXPECT_EQ(label->Height(), plainHeight + 6);
    label->SetCaption("CPU Core: 4");
    EXPECT_GT(label->Width(), plainWidth + 6);

    // Everything it draws lies inside it.
    zxtest::OffscreenPaint paint(form);
    Ink ink = Look(paint);
    EXPECT_GE(ink.firstTextColumn, kLeft + 2);
    EXPECT_LT(ink.lastTextColumn, kLeft + label->Width() - 2);
}

TEST_F(KyLabelTest, DisabledOrUnshadedLabelIsDrawnByTheBaseClassWithoutShadow)
{
    for (bool enabled : {false, true}) {
        delete other;
        other = NewForm();
        auto* plain = Dress(new TLabel(other));
        label->SetShaded(!enabled);  // disabled and shaded, or enabled and unshaded
        label->SetEnabled(enabled);
        plain->SetEnabled(enabled);
        label->SetAutoSize(false);
        label->SetBounds(kLeft, kTop, plain->Width(), plain->Height());
        zxtest::OffscreenPaint ky(form), base(other);
        EXPECT_TRUE(zxtest::SamePixels(ky.Bitmap(), base.Bitmap())) << "enabled " << enabled;
        EXPECT_EQ(Look(ky).shadow, enabled ? 0 : Look(base).shadow);
    }
}

TEST_F(KyLabelTest, TextFormatCentresTheShadedCaptionEvenWhenAlignedLeft)
{
    label->SetAutoSize(false);
    label->SetBounds(kLeft, kTop, 140, 30);
    label->SetAlignment(taLeftJustify);
    label->SetTextFormat(DT_CENTER);
    zxtest::OffscreenPaint paint(form);
    Ink ink = Look(paint);
    int middle = (ink.firstTextColumn + ink.lastTextColumn) / 2;
    EXPECT_NEAR(middle, kLeft + 70, 2);
}

TEST_F(KyLabelTest, VerticalLayoutPlacesTheShadedCaptionInTheWholeLabel)
{
    label->SetAutoSize(false);
    label->SetBounds(kLeft, 0, 140, 50);
    struct Case {
        TTextLayout layout;
        int textTopAtLeast;
        int textBottomAtMost;
    } cases[] = {{tlTop, 2, 24}, {tlCenter, 12, 38}, {tlBottom, 26, 48}};
    for (const Case& c : cases) {
        label->SetLayout(c.layout);
        zxtest::OffscreenPaint paint(form);
        int top = -1, bottom = -1;
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 160; ++x)
                if (zxtest::Get(paint.Bitmap(), x, y) == Bgra{0, 0, 255, 0}) {
                    if (top < 0)
                        top = y;
                    bottom = y;
                }
        SCOPED_TRACE(c.layout);
        EXPECT_GE(top, c.textTopAtLeast);
        EXPECT_LE(bottom, c.textBottomAtMost);
    }
}
