#pragma once
// Shape geometry: points, shapes given by two corners (rectangle, ellipse,
// square, circle, rounded rectangle) and polygons. Every shape is a set of
// control points that can be moved, offset and stretched to a new size.

#include <windows.h>

#include <cmath>
#include <cstddef>
#include <vector>

#include "vessa/System/VessaAssert.h"

namespace vessa {

template <class T>
struct BasicPoint {
    T x;
    T y;
    bool operator==(const BasicPoint& other) const { return x == other.x && y == other.y; }
    bool operator!=(const BasicPoint& other) const { return !(*this == other); }
};

using Point = BasicPoint<int>;

// The box of a two-corner shape: corner 0 (left, top), corner 1 (right, bottom).
template <class T>
class BasicTwoCorners {
public:
    static constexpr std::size_t CONTROL_POINT_COUNT = 2;

    std::size_t ControlPointCount() const { return CONTROL_POINT_COUNT; }
    void SetControlPoint(T x, T y, std::size_t index)
    {
        VESSA_ASSERT(index < CONTROL_POINT_COUNT);
        m_corners[index] = BasicPoint<T>{x, y};
    }
    BasicPoint<T> GetControlPoint(std::size_t index) const
    {
        VESSA_ASSERT(index < CONTROL_POINT_COUNT);
        return m_corners[index];
    }
    void Offset(T dx, T dy)
    {
        for (auto& corner : m_corners) {
            corner.x += dx;
            corner.y += dy;
        }
    }
    RECT Bounds() const { return RECT{m_corners[0].x, m_corners[0].y, m_corners[1].x, m_corners[1].y}; }
    T Left() const { return m_corners[0].x; }
    T Top() const { return m_corners[0].y; }
    T Width() const { return m_corners[1].x - m_corners[0].x; }
    T Height() const { return m_corners[1].y - m_corners[0].y; }
    // Keeps corner 0 and moves corner 1.
    void Resize(T width, T height) { m_corners[1] = BasicPoint<T>{m_corners[0].x + width, m_corners[0].y + height}; }

private:
    BasicPoint<T> m_corners[CONTROL_POINT_COUNT] = {{0, 0}, {0, 0}};
};

template <class T>
class BasicRectangle : public BasicTwoCorners<T> {
};

// The ellipse inscribed in the box.
template <class T>
class BasicEllipse : public BasicTwoCorners<T> {
};

// A two-corner shape whose box stays square.
template <class T>
class BasicSquareBox {
public:
    static constexpr std::size_t CONTROL_POINT_COUNT = 2;

    std::size_t ControlPointCount() const { return CONTROL_POINT_COUNT; }
    void SetControlPoint(T x, T y, std::size_t index)
    {
        m_data.SetControlPoint(x, y, index);
        VESSA_ASSERT(m_data.Width() == m_data.Height());
    }
    BasicPoint<T> GetControlPoint(std::size_t index) const { return m_data.GetControlPoint(index); }
    void Offset(T dx, T dy) { m_data.Offset(dx, dy); }
    RECT Bounds() const { return m_data.Bounds(); }
    T Left() const { return m_data.Left(); }
    T Top() const { return m_data.Top(); }
    T Width() const { return m_data.Width(); }
    T Height() const { return m_data.Height(); }
    void Resize(T width, T height)
    {
        VESSA_ASSERT(width == height);
        m_data.Resize(width, height);
    }

    // Sets both corners at once: the box (x, y)-(x + side, y + side).
    void SetBox(T x, T y, T side)
    {
        m_data.SetControlPoint(x, y, 0);
        m_data.SetControlPoint(x + side, y + side, 1);
    }

private:
    BasicTwoCorners<T> m_data;
};

template <class T>
class BasicSquare : public BasicSquareBox<T> {
};

// The circle inscribed in the square box.
template <class T>
class BasicCircle : public BasicSquareBox<T> {
};

// The box plus the width and height of the ellipse that rounds its corners.
template <class T>
class BasicRoundRect : public BasicTwoCorners<T> {
public:
    T cornerWidth = 0;
    T cornerHeight = 0;
};

template <class T>
class BasicPolygon {
public:
    std::size_t ControlPointCount() const { return m_controlPoints.size(); }
    void SetControlPoint(T x, T y, std::size_t index)
    {
        VESSA_ASSERT(index < ControlPointCount());
        m_controlPoints[index] = BasicPoint<T>{x, y};
    }
    BasicPoint<T> GetControlPoint(std::size_t index) const
    {
        VESSA_ASSERT(index < ControlPointCount());
        return m_controlPoints[index];
    }
    void InsertControlPoint(const BasicPoint<T>& point, std::size_t index)
    {
        VESSA_ASSERT(index <= m_controlPoints.size());
        m_controlPoints.insert(m_controlPoints.begin() + static_cast<std::ptrdiff_t>(index), point);
    }
    void Offset(T dx, T dy)
    {
        for (auto& point : m_controlPoints) {
            point.x += dx;
            point.y += dy;
        }
    }
    // The smallest box around the points; empty at (0, 0) without points.
    RECT Bounds() const
    {
        if (m_controlPoints.empty())
            return RECT{0, 0, 0, 0};
        RECT box{m_controlPoints[0].x, m_controlPoints[0].y, m_controlPoints[0].x, m_controlPoints[0].y};
        for (const auto& point : m_controlPoints) {
            box.left = point.x < box.left ? point.x : box.left;
            box.top = point.y < box.top ? point.y : box.top;
            box.right = point.x > box.right ? point.x : box.right;
            box.bottom = point.y > box.bottom ? point.y : box.bottom;
        }
        return box;
    }
    T Left() const { return Bounds().left; }
    T Top() const { return Bounds().top; }
    T Width() const
    {
        RECT box = Bounds();
        return box.right - box.left;
    }
    T Height() const
    {
        RECT box = Bounds();
        return box.bottom - box.top;
    }

    // Stretches the points to a (width, height) box with the same top-left
    // corner, rounding half up.
    void Resize(T width, T height)
    {
        if (m_controlPoints.empty())
            return;
        RECT box = Bounds();
        double fx = ScaleFactor(box.left, box.right, width, &BasicPoint<T>::x);
        double fy = ScaleFactor(box.top, box.bottom, height, &BasicPoint<T>::y);
        for (auto& point : m_controlPoints) {
            point.x = box.left + static_cast<T>(std::floor((point.x - box.left) * fx + 0.5));
            point.y = box.top + static_cast<T>(std::floor((point.y - box.top) * fy + 0.5));
        }
    }

    const std::vector<BasicPoint<T>>& Points() const { return m_controlPoints; }

private:
    // A flat extent is opened by one unit at the first point, so that the
    // stretch has something to scale.
    double ScaleFactor(T low, T high, T size, T BasicPoint<T>::*axis)
    {
        if (high == low) {
            m_controlPoints[0].*axis = low + 1;
            return size;
        }
        return static_cast<double>(size) / (high - low);
    }

    std::vector<BasicPoint<T>> m_controlPoints;
};

}  // namespace vessa
