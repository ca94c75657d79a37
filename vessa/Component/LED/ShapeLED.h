#pragma once
// Solid shape LEDs, whose one shape is filled and framed in the colour of
// the current state, and the factory that reads them and whole composite
// LEDs from compact tables of integers.
//
// Table format, 32-bit words read in order:
//   composite: n, left, top, right, bottom, then n shape records; the shapes
//              lie in the box (0, 0)-(right - left, bottom - top);
//   shape:     type code, then 0 polygon: k, k pairs x, y;
//                              1 rectangle, 2 ellipse: x0, y0, x1, y1;
//                              3 rounded rectangle: x0, y0, x1, y1, corner w, corner h;
//                              4 circle, 5 square: x, y, diameter or side.

#include <memory>
#include <utility>

#include "platform/vcl/Colors.h"
#include "vessa/Component/LED/ScalableLED.h"
#include "vessa/Graphics/Shape/ShapeFigure.h"
#include "vessa/System/VessaAssert.h"

namespace vessa {

template <class FigureType>
class SolidShapeLED : public ScalableLED {
public:
    // `colorsIn` holds one colour per state and stays the caller's.
    SolidShapeLED(int leftIn, int topIn, const FigureType& figure, const TColor* colorsIn, int stateCount)
        : ScalableLED(leftIn, topIn), colors(colorsIn), m_stateCount(stateCount), m_figure(figure)
    {
        SetState(0);
    }

    int StateCount() const override { return m_stateCount; }
    int State() const override { return m_state; }
    bool SetState(int state) override
    {
        if (SelectState(m_state, state))
            return true;
        Update();
        return false;
    }
    void Update() override { m_figure.frameColor = m_figure.fillColor = colors[m_state]; }
    FigureType* GetFigure() override { return &m_figure; }

    const TColor* colors;

private:
    int m_stateCount;
    int m_state = -1;
    FigureType m_figure;
};

template <class Painter>
class ShapeLedFactory {
public:
    virtual ~ShapeLedFactory() = default;

    template <class LEDType>
    struct Built {
        std::unique_ptr<LEDType> led;
        const int* next;  // the word after the description
    };

    // A composite LED with the given state table; it owns the shape LEDs
    // read for it, added in table order.
    Built<CompositeScalableLED> BuildComposite(const int* table, const LED_Director* states, Painter* painter,
                                               const TColor* colors, int stateCount) const
    {
        int count = *table++;
        int left = *table++;
        int top = *table++;
        int right = *table++;
        int bottom = *table++;
        auto composite = std::make_unique<CompositeScalableLED>(left, top, right, bottom, states);
        for (int i = 0; i < count; ++i) {
            Built<ScalableLED> shape = BuildShape(table, painter, colors, stateCount);
            table = shape.next;
            composite->AdoptLED(std::move(shape.led));
        }
        return {std::move(composite), table};
    }

    // One shape LED at its shape's place, in state 0.
    Built<ScalableLED> BuildShape(const int* table, Painter* painter, const TColor* colors, int stateCount) const
    {
        int type = *table++;
        switch (type) {
        case 0:
            return Make<PolygonFigure<Painter>>(table, painter, colors, stateCount, ReadPolygon);
        case 1:
            return Make<RectangleFigure<Painter>>(table, painter, colors, stateCount, ReadCorners<BasicRectangle<int>>);
        case 2:
            return Make<EllipseFigure<Painter>>(table, painter, colors, stateCount, ReadCorners<BasicEllipse<int>>);
        case 3:
            return Make<RoundRectFigure<Painter>>(table, painter, colors, stateCount, ReadRoundRect);
        case 4:
            return Make<CircleFigure<Painter>>(table, painter, colors, stateCount, ReadBox<BasicCircle<int>>);
        case 5:
            return Make<SquareFigure<Painter>>(table, painter, colors, stateCount, ReadBox<BasicSquare<int>>);
        default:
            VESSA_ASSERT(false);
            return {nullptr, table};
        }
    }

private:
    template <class FigureType, class Read>
    static Built<ScalableLED> Make(const int* table, Painter* painter, const TColor* colors, int stateCount, Read read)
    {
        FigureType figure(painter);
        table = read(table, figure.GetShape());
        figure.SetSize(figure.OriginalWidth(), figure.OriginalHeight());
        auto led = std::make_unique<SolidShapeLED<FigureType>>(0, 0, figure, colors, stateCount);
        led->left = figure.Left();
        led->top = figure.Top();
        return {std::move(led), table};
    }

    // The first points replace the polygon's own, the rest are appended.
    static const int* ReadPolygon(const int* table, BasicPolygon<int>& shape)
    {
        int count = *table++;
        for (int i = 0; i < count; ++i, table += 2) {
            std::size_t index = static_cast<std::size_t>(i);
            if (index < shape.ControlPointCount())
                shape.SetControlPoint(table[0], table[1], index);
            else
                shape.InsertControlPoint(Point{table[0], table[1]}, shape.ControlPointCount());
        }
        return table;
    }

    template <class Shape>
    static const int* ReadCorners(const int* table, Shape& shape)
    {
        shape.SetControlPoint(table[0], table[1], 0);
        shape.SetControlPoint(table[2], table[3], 1);
        return table + 4;
    }

    static const int* ReadRoundRect(const int* table, BasicRoundRect<int>& shape)
    {
        table = ReadCorners(table, shape);
        shape.cornerWidth = table[0];
        shape.cornerHeight = table[1];
        return table + 2;
    }

    template <class Shape>
    static const int* ReadBox(const int* table, Shape& shape)
    {
        shape.SetBox(table[0], table[1], table[2]);
        return table + 3;
    }
};

}  // namespace vessa
