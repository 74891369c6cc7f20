// A pen for outlines: colour, width in pixels and dash style.
#pragma once

#include "lumoui/gfx/color.h"

namespace LumoUI {

// Dash patterns, in multiples of the pen width: dash 3 on 1 off, dot 1 on 1 off.
enum DashStyle {
    DashStyleSolid = 0,
    DashStyleDash = 1,
    DashStyleDot = 2,
    DashStyleDashDot = 3,
    DashStyleDashDotDot = 4,
};

class Pen {
public:
    explicit Pen(Color color, float width = 1.0f) : color_(color), width_(width) {}

    Color GetColor() const { return color_; }
    void SetColor(Color color) { color_ = color; }
    // A width of 0 or less draws the thinnest line, one pixel wide.
    float GetWidth() const { return width_; }
    void SetWidth(float width) { width_ = width; }
    DashStyle GetDashStyle() const { return dashStyle_; }
    void SetDashStyle(DashStyle style) { dashStyle_ = style; }

private:
    Color color_;
    float width_;
    DashStyle dashStyle_ = DashStyleSolid;
};

}  // namespace LumoUI
