// A path of figures made of lines and elliptical arcs, filled or outlined by Graphics.
// Consecutive pieces of one figure are joined by straight lines; angles are in degrees,
// clockwise from the positive x axis (y grows downwards).
#pragma once

#include <vector>

#include "lumoui/base/lumoui_export.h"
#include "lumoui/gfx/geometry_f.h"

struct _cairo;

namespace LumoUI {

class LUMOUI_API Path {
public:
    void AddLine(float x1, float y1, float x2, float y2);
    // The arc of the ellipse inscribed in (x, y, width, height) from `startAngle` over
    // `sweepAngle` (negative sweeps run anticlockwise).
    void AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle);
    void AddArc(const RectF& r, float startAngle, float sweepAngle) {
        AddArc(r.X, r.Y, r.Width, r.Height, startAngle, sweepAngle);
    }
    // Closed figures of their own.
    void AddRectangle(const RectF& r);
    void AddEllipse(const RectF& r);
    // Four lines and four quarter arcs with corner radii rx and ry (each limited to half the
    // side), as one closed figure.
    void AddRoundedRectangle(const RectF& r, float rx, float ry);

    // Ends the current figure (the next piece starts a new one), with or without a line back
    // to its first point.
    void StartFigure();
    void CloseFigure();
    void Reset() { elements_.clear(); }

    bool IsEmpty() const { return elements_.empty(); }
    // The smallest rectangle holding every piece (empty for an empty path).
    RectF GetBounds() const;

    // Replays the path into a cairo context as its current path.
    void AppendTo(_cairo* cr) const;

private:
    enum class Kind { Line, Arc, Close, Start };
    struct Element {
        Kind kind;
        float a, b, c, d;  // line: x1 y1 x2 y2; arc: the ellipse's rectangle
        float start = 0, sweep = 0;
    };

    std::vector<Element> elements_;
};

}  // namespace LumoUI
