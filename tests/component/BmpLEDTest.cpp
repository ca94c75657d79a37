// The LED framework without a window: layers clear only the area they gain,
// the bitmap LED shows private copies of its state bitmaps, and broken
// preconditions stop the program naming the expression.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ContractStop.h"
#include "SolidBitmap.h"
#include "TestProcess.h"
#include "vessa/Component/LED/BmpLED.h"
#include "vessa/Graphics/Layer.h"
#include "vessa/Graphics/Painter.h"
#include "vessa/Graphics/ScreenFormat.h"
#include "vessa/System/VessaAssert.h"

namespace {

using zxtest::SolidBitmap;

using CanvasLayerT = vessa::CanvasLayer<vessa::NullSaver<TCanvas*>>;

// What the painter needs of a layer: its canvas layer.
struct BitmapLayer {
    explicit BitmapLayer(TBitmap* target)
        : canvasLayer(new CanvasLayerT(target->Canvas(), target->Width(), target->Height()))
    {
    }
    ~BitmapLayer() { delete canvasLayer; }
    CanvasLayerT* canvasLayer;
};
using Painter = vessa::SimplePainter<BitmapLayer>;
using LEDT = vessa::TBitmapLED<Painter>;

// The target as rows of 'w' (white) and '.' (anything else).
std::vector<std::string> WhiteMask(TBitmap* bitmap)
{
    std::vector<std::string> rows;
    for (int y = 0; y < bitmap->Height(); ++y) {
        std::string row;
        for (int x = 0; x < bitmap->Width(); ++x)
            row += bitmap->Canvas()->Pixel(x, y) == RGB(255, 255, 255) ? 'w' : '.';
        rows.push_back(row);
    }
    return rows;
}

struct LEDFixture {
    LEDFixture() : target(SolidBitmap(6, 4, clBlack)), layer(target.get()), painter(&layer) {}
    std::unique_ptr<LEDT> Make(const std::vector<TBitmap*>& sources, int left = 0, int top = 0)
    {
        return std::make_unique<LEDT>(left, top, sources.begin(), sources.end(), &painter);
    }
    std::unique_ptr<TBitmap> target;
    BitmapLayer layer;
    Painter painter;
};

ZX_TEST_CHILD(led_state_out_of_range)
{
    LEDFixture f;
    auto red = SolidBitmap(2, 2, clRed);
    auto led = f.Make({red.get()});
    led->SetState(1);
    return 0;
}

ZX_TEST_CHILD(led_bitmap_out_of_range)
{
    LEDFixture f;
    auto led = f.Make({nullptr, nullptr});
    led->Bitmap(2);
    return 0;
}

ZX_TEST_CHILD(figure_without_painter)
{
    vessa::TBitmapFigure<Painter> figure(nullptr);
    figure.Draw();
    return 0;
}

}  // namespace

TEST(ScreenFormat, FourBitScreensGetFourBitBitmapsAndDeeperOnesTwentyFour)
{
    const std::pair<int, TPixelFormat> cases[] = {{1, pf4bit},   {4, pf4bit},   {8, pf24bit},
                                                  {16, pf24bit}, {24, pf24bit}, {32, pf24bit}};
    for (const auto& c : cases)
        EXPECT_EQ(vessa::PixelFormatForDepth(c.first), c.second) << c.first << " bits";
}

TEST(CanvasLayer, GrowingClearsOnlyTheGainedAreaAndShrinkingNothing)
{
    auto target = SolidBitmap(20, 15, clBlack);
    CanvasLayerT layer(target->Canvas(), 10, 10);
    target->Canvas()->Brush()->SetColor(clRed);
    layer.Resize(20, 15);
    std::vector<std::string> expected;
    for (int y = 0; y < 15; ++y)
        expected.push_back(y < 10 ? std::string(10, '.') + std::string(10, 'w') : std::string(20, 'w'));
    EXPECT_EQ(WhiteMask(target.get()), expected);
    EXPECT_EQ(target->Canvas()->Brush()->Color(), clRed) << "the canvas keeps its brush";

    auto black = SolidBitmap(20, 15, clBlack);
    target->Assign(black.get());
    layer.Resize(5, 5);
    EXPECT_EQ(WhiteMask(target.get()), std::vector<std::string>(15, std::string(20, '.')));
    EXPECT_EQ(layer.width, 5);
    EXPECT_EQ(layer.height, 5);
}

TEST(BitmapLED, StatesAreCopiesAndStateZeroStartsCurrent)
{
    LEDFixture f;
    auto red = SolidBitmap(3, 2, clRed);
    auto led = f.Make({red.get(), nullptr});
    EXPECT_EQ(led->StateCount(), 2);
    EXPECT_EQ(led->State(), 0);
    EXPECT_NE(led->Bitmap(0), red.get());
    EXPECT_EQ(led->Bitmap(0)->Canvas()->Pixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(led->Bitmap(1)->Width(), 0) << "a null source gives an empty bitmap";
    EXPECT_EQ(led->Width(), 3);
    EXPECT_EQ(led->Height(), 2);

    // Changing the state bitmap reaches the figure only through Update.
    led->Bitmap(0)->Assign(SolidBitmap(4, 4, clBlue).get());
    EXPECT_EQ(led->Width(), 3);
    led->Update();
    EXPECT_EQ(led->Width(), 4);
}

TEST(BitmapLED, SetStateReportsWhetherTheStateWasCurrent)
{
    LEDFixture f;
    auto red = SolidBitmap(2, 2, clRed);
    auto blue = SolidBitmap(2, 2, clBlue);
    auto led = f.Make({red.get(), blue.get()});
    vessa::Figure* figure = led->GetFigure();

    EXPECT_TRUE(led->SetState(0));
    EXPECT_EQ(figure->unchanged, 1);
    EXPECT_FALSE(led->SetState(1));
    EXPECT_EQ(figure->unchanged, 0);
    EXPECT_EQ(led->State(), 1);
}

TEST(BitmapLED, PlacedFigureDrawsAtTheLEDsPositionAndEraseFillsTheBackground)
{
    LEDFixture f;
    auto red = SolidBitmap(2, 2, clRed);
    auto led = f.Make({red.get()}, 3, 1);
    vessa::Figure* figure = led->PlacedFigure();
    EXPECT_EQ(figure->Left(), 3);
    EXPECT_EQ(figure->Top(), 1);
    figure->Draw();
    TCanvas* canvas = f.target->Canvas();
    EXPECT_EQ(canvas->Pixel(3, 1), RGB(255, 0, 0));
    EXPECT_EQ(canvas->Pixel(4, 2), RGB(255, 0, 0));
    EXPECT_EQ(canvas->Pixel(2, 1), RGB(0, 0, 0));
    EXPECT_EQ(canvas->Pixel(5, 3), RGB(0, 0, 0));
    EXPECT_EQ(canvas->CopyMode(), static_cast<DWORD>(SRCCOPY));

    figure->Erase();
    EXPECT_EQ(canvas->Pixel(3, 1), RGB(255, 255, 255));
    EXPECT_EQ(canvas->Pixel(4, 2), RGB(255, 255, 255));
    // The figure keeps its bitmap after drawing through the painter.
    EXPECT_EQ(figure->Width(), 2);
    figure->Draw();
    EXPECT_EQ(canvas->Pixel(4, 2), RGB(255, 0, 0));
}

TEST(BitmapLED, EmptyStateDrawsNothing)
{
    LEDFixture f;
    auto led = f.Make({nullptr});
    led->PlacedFigure()->Draw();
    led->PlacedFigure()->Erase();
    EXPECT_EQ(WhiteMask(f.target.get()), std::vector<std::string>(4, std::string(6, '.')));
}

TEST(BitmapLED, BrokenPreconditionsStopTheProgramNamingTheExpression)
{
    struct Case {
        const char* child;
        const char* expression;
    };
    const Case cases[] = {
        {"led_state_out_of_range", "state >= 0 && state < StateCount()"},
        {"led_bitmap_out_of_range", "index < (int)m_bitmaps.size()"},
        {"figure_without_painter", "m_painterPtr"},
    };
    for (const Case& c : cases)
        zxtest::ExpectContractStop(c.child, std::string("Assertion failed: ") + c.expression + ",");
}
