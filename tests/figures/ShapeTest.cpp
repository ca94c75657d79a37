// Shapes stretch to a new box keeping their top-left corner; shape figures
// draw a stretched copy filled in one colour and framed in another.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PaintTarget.h"
#include "ContractStop.h"
#include "vessa/Graphics/Shape/Shape.h"
#include "vessa/Graphics/Shape/ShapeFigure.h"

using figuretest::Painter;
using figuretest::PaintTarget;

namespace {

std::vector<vessa::Point> PointsOf(const vessa::BasicPolygon<int>& polygon)
{
    return polygon.Points();
}

vessa::BasicPolygon<int> Polygon(const std::vector<vessa::Point>& points)
{
    vessa::BasicPolygon<int> polygon;
    for (const vessa::Point& p : points)
        polygon.InsertControlPoint(p, polygon.ControlPointCount());
    return polygon;
}

ZX_TEST_CHILD(square_corner_unsquare)
{
    vessa::BasicSquare<int> square;
    square.SetBox(0, 0, 10);
    square.SetControlPoint(10, 8, 1);
    return 0;
}

ZX_TEST_CHILD(square_resize_unsquare)
{
    vessa::BasicCircle<int> circle;
    circle.Resize(4, 5);
    return 0;
}

ZX_TEST_CHILD(rectangle_third_corner)
{
    vessa::BasicRectangle<int> rectangle;
    rectangle.GetControlPoint(2);
    return 0;
}

ZX_TEST_CHILD(polygon_point_past_end)
{
    auto polygon = Polygon({{0, 0}});
    polygon.SetControlPoint(1, 1, 1);
    return 0;
}

ZX_TEST_CHILD(polygon_insert_past_end)
{
    vessa::BasicPolygon<int> polygon;
    polygon.InsertControlPoint(vessa::Point{1, 1}, 1);
    return 0;
}

}  // namespace

TEST(Shape, BrokenPreconditionsStopTheProgramNamingTheExpression)
{
    const std::pair<const char*, const char*> cases[] = {
        {"square_corner_unsquare", "m_data.Width() == m_data.Height()"},
        {"square_resize_unsquare", "width == height"},
        {"rectangle_third_corner", "index < CONTROL_POINT_COUNT"},
        {"polygon_point_past_end", "index < ControlPointCount()"},
        {"polygon_insert_past_end", "index <= m_controlPoints.size()"},
    };
    for (const auto& c : cases)
        zxtest::ExpectContractStop(c.first, std::string("Assertion failed: ") + c.second + ",");
}

TEST(Shape, PolygonStretchesToTheNewBoxRoundingHalfUp)
{
    struct Case {
        std::vector<vessa::Point> points;
        int width, height;
        std::vector<vessa::Point> expected;
    };
    const Case cases[] = {
        {{{0, 0}, {10, 0}, {10, 10}}, 5, 5, {{0, 0}, {5, 0}, {5, 5}}},
        {{{2, 3}, {5, 3}, {5, 7}}, 6, 2, {{2, 3}, {8, 3}, {8, 5}}},
        {{{0, 0}, {3, 0}, {3, 2}}, 5, 1, {{0, 0}, {5, 0}, {5, 1}}},
        {{{1, 0}, {2, 0}, {3, 0}}, 4, 4, {{1, 4}, {3, 0}, {5, 0}}},  // flat in y: the first point opens it
        {{{4, 4}, {4, 4}}, 3, 3, {{7, 7}, {4, 4}}},                  // a single spot opens to the box
    };
    for (const Case& c : cases) {
        auto polygon = Polygon(c.points);
        polygon.Resize(c.width, c.height);
        EXPECT_EQ(PointsOf(polygon), c.expected) << c.width << "x" << c.height;
    }
}

TEST(Shape, TwoCornerShapesKeepCornerZeroAndOffsetMovesEveryPoint)
{
    vessa::BasicRoundRect<int> box;
    box.SetControlPoint(2, 3, 0);
    box.SetControlPoint(12, 9, 1);
    EXPECT_EQ(box.Width(), 10);
    EXPECT_EQ(box.Height(), 6);
    box.Resize(4, 5);
    EXPECT_EQ(box.GetControlPoint(1), (vessa::Point{6, 8}));
    box.Offset(-2, 1);
    RECT bounds = box.Bounds();
    EXPECT_EQ(bounds.left, 0);
    EXPECT_EQ(bounds.top, 4);
    EXPECT_EQ(bounds.right, 4);
    EXPECT_EQ(bounds.bottom, 9);

    auto polygon = Polygon({{3, 9}, {-1, 2}, {5, 4}});
    bounds = polygon.Bounds();
    EXPECT_EQ(bounds.left, -1);
    EXPECT_EQ(bounds.top, 2);
    EXPECT_EQ(bounds.right, 5);
    EXPECT_EQ(bounds.bottom, 9);
}

TEST(ShapeFigure, SquaresAndCirclesKeepSquareWhenSized)
{
    PaintTarget target(1, 1);
    vessa::SquareFigure<Painter> square(&target.painter);
    vessa::CircleFigure<Painter> circle(&target.painter);
    vessa::RectangleFigure<Painter> rectangle(&target.painter);
    vessa::PolygonFigure<Painter> polygon(&target.painter);
    vessa::ShapeFigure* figures[] = {&square, &circle, &rectangle, &polygon};
    const std::pair<int, int> expected[] = {{20, 20}, {20, 20}, {30, 20}, {30, 20}};
    for (int i = 0; i < 4; ++i) {
        figures[i]->SetSize(30, 20);
        EXPECT_EQ(figures[i]->Width(), expected[i].first) << i;
        EXPECT_EQ(figures[i]->Height(), expected[i].second) << i;
        EXPECT_EQ(figures[i]->KeepsSquare(), i < 2) << i;
    }
    EXPECT_EQ(polygon.ControlPointCount(), 0u);
    EXPECT_EQ(square.ControlPointCount(), 2u);
    EXPECT_EQ(square.frameColor, static_cast<TColor>(0xFF000000));
    EXPECT_EQ(square.fillColor, -1);
}

TEST(ShapeFigure, ScalingDrawsAStretchedCopyAndResetOriginalKeepsIt)
{
    PaintTarget target(1, 1);
    vessa::PolygonFigure<Painter> figure(&target.painter);
    figure.GetShape() = Polygon({{2, 2}, {12, 2}, {12, 12}});
    figure.SetSize(figure.OriginalWidth(), figure.OriginalHeight());
    figure.SetSize(5, 5);
    EXPECT_EQ(figure.OriginalWidth(), 10) << "the shape itself is not changed";
    figure.MoveBy(1, 0);
    EXPECT_EQ(figure.Left(), 3);
    figure.ResetOriginal();
    EXPECT_EQ(figure.OriginalWidth(), 5);
    EXPECT_EQ(figure.GetControlPoint(2), (vessa::Point{8, 7}));

    // A point set on the figure is set on the shape as it is drawn now.
    figure.SetSize(10, 10);
    figure.SetControlPoint(3, 12, 1);
    EXPECT_EQ(figure.GetControlPoint(2), (vessa::Point{13, 12}));
    EXPECT_EQ(figure.Width(), 10);
    EXPECT_EQ(figure.Height(), 10);
}

// Each figure is drawn filled red and framed blue on white, 12 x 12 at
// (1, 1). Rows: 'w' white, 'r' red (fill), 'b' blue (frame).
TEST(ShapeFigure, DrawFillsThenFramesAndEraseClearsToTheBackground)
{
    const std::map<COLORREF, char> legend = {{RGB(255, 255, 255), 'w'}, {RGB(255, 0, 0), 'r'}, {RGB(0, 0, 255), 'b'}};
    struct Case {
        const char* name;
        vessa::ShapeFigure* (*make)(Painter*);
        // (x, y) -> expected character
        std::vector<std::pair<std::pair<int, int>, char>> probes;
    };
    const Case cases[] = {
        {"rectangle",
         [](Painter* p) -> vessa::ShapeFigure* {
             auto* f = new vessa::RectangleFigure<Painter>(p);
             f->GetShape().SetControlPoint(1, 1, 0);
             f->GetShape().SetControlPoint(13, 13, 1);
             return f;
         },
         {{{0, 0}, 'w'}, {{1, 1}, 'b'}, {{12, 6}, 'b'}, {{6, 12}, 'b'}, {{6, 6}, 'r'}, {{13, 13}, 'w'}}},
        {"ellipse",
         [](Painter* p) -> vessa::ShapeFigure* {
             auto* f = new vessa::EllipseFigure<Painter>(p);
             f->GetShape().SetControlPoint(1, 1, 0);
             f->GetShape().SetControlPoint(13, 13, 1);
             return f;
         },
         {{{1, 1}, 'w'}, {{12, 12}, 'w'}, {{1, 7}, 'b'}, {{7, 7}, 'r'}}},
        {"circle",
         [](Painter* p) -> vessa::ShapeFigure* {
             auto* f = new vessa::CircleFigure<Painter>(p);
             f->GetShape().SetBox(1, 1, 12);
             return f;
         },
         {{{1, 1}, 'w'}, {{7, 1}, 'b'}, {{7, 7}, 'r'}}},
        {"square",
         [](Painter* p) -> vessa::ShapeFigure* {
             auto* f = new vessa::SquareFigure<Painter>(p);
             f->GetShape().SetBox(1, 1, 12);
             return f;
         },
         {{{1, 1}, 'b'}, {{12, 12}, 'b'}, {{7, 7}, 'r'}, {{13, 7}, 'w'}}},
        {"rounded rectangle keeps its fill inside the frame",
         [](Painter* p) -> vessa::ShapeFigure* {
             auto* f = new vessa::RoundRectFigure<Painter>(p);
             f->GetShape().SetControlPoint(1, 1, 0);
             f->GetShape().SetControlPoint(13, 13, 1);
             f->GetShape().cornerWidth = 6;
             f->GetShape().cornerHeight = 6;
             return f;
         },
         {{{1, 1}, 'w'}, {{7, 1}, 'b'}, {{1, 7}, 'b'}, {{7, 7}, 'r'}, {{3, 3}, 'r'}}},
        {"polygon",
         [](Painter* p) -> vessa::ShapeFigure* {
             auto* f = new vessa::PolygonFigure<Painter>(p);
             f->GetShape() = Polygon({{1, 1}, {12, 1}, {1, 12}});
             return f;
         },
         {{{1, 1}, 'b'}, {{6, 1}, 'b'}, {{3, 3}, 'r'}, {{11, 11}, 'w'}}},
    };
    for (const Case& c : cases) {
        PaintTarget target(14, 14);
        std::unique_ptr<vessa::ShapeFigure> figure(c.make(&target.painter));
        figure->SetSize(figure->OriginalWidth(), figure->OriginalHeight());
        figure->fillColor = 0x010000FF;  // the top byte does not reach the canvas
        figure->frameColor = static_cast<TColor>(0xFFFF0000);
        figure->Draw();
        std::vector<std::string> rows = target.Rows(legend);
        for (const auto& probe : c.probes)
            EXPECT_EQ(rows[probe.first.second][probe.first.first], probe.second)
                << c.name << " at (" << probe.first.first << ", " << probe.first.second << ")";

        figure->Erase();
        EXPECT_EQ(target.Rows(legend), std::vector<std::string>(14, std::string(14, 'w'))) << c.name;
    }
}

TEST(ShapeFigure, DrawsAtTheSizeItWasGiven)
{
    // Every kind is drawn at its current size, so a composite can shrink it.
    const std::map<COLORREF, char> legend = {{RGB(255, 255, 255), 'w'}, {RGB(0, 0, 0), 'k'}};
    PaintTarget target(12, 12);
    vessa::RectangleFigure<Painter> rectangle(&target.painter);
    rectangle.GetShape().SetControlPoint(0, 0, 0);
    rectangle.GetShape().SetControlPoint(10, 10, 1);
    rectangle.SetSize(4, 3);
    rectangle.fillColor = rectangle.frameColor = clBlack;
    rectangle.Draw();
    std::vector<std::string> expected(12, std::string(12, 'w'));
    for (int y = 0; y < 3; ++y)
        expected[y] = "kkkk" + std::string(8, 'w');
    EXPECT_EQ(target.Rows(legend), expected);
}
