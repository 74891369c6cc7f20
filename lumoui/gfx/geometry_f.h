// Points, sizes and rectangles in fractional pixels, for drawing calls that place text and
// shapes between pixel boundaries. A rectangle is (X, Y, Width, Height).
#pragma once

#include "lumoui/base/geometry.h"

namespace LumoUI {

struct PointF {
    float X = 0;
    float Y = 0;

    constexpr PointF() = default;
    constexpr PointF(float x, float y) : X(x), Y(y) {}
    constexpr bool operator==(const PointF&) const = default;
};

struct SizeF {
    float Width = 0;
    float Height = 0;

    constexpr SizeF() = default;
    constexpr SizeF(float width, float height) : Width(width), Height(height) {}
    constexpr bool operator==(const SizeF&) const = default;
};

struct RectF {
    float X = 0;
    float Y = 0;
    float Width = 0;
    float Height = 0;

    constexpr RectF() = default;
    constexpr RectF(float x, float y, float width, float height)
        : X(x), Y(y), Width(width), Height(height) {}
    constexpr RectF(const CRect& r)
        : X(static_cast<float>(r.left)),
          Y(static_cast<float>(r.top)),
          Width(static_cast<float>(r.Width())),
          Height(static_cast<float>(r.Height())) {}

    constexpr float GetLeft() const { return X; }
    constexpr float GetTop() const { return Y; }
    constexpr float GetRight() const { return X + Width; }
    constexpr float GetBottom() const { return Y + Height; }
    constexpr bool IsEmptyArea() const { return Width <= 0 || Height <= 0; }
    constexpr bool operator==(const RectF&) const = default;
};

}  // namespace LumoUI
