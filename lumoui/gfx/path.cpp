#include "lumoui/gfx/path.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "lumoui/gfx/cairo_handles.h"

namespace LumoUI {

namespace {

// The parameter of the ellipse point that lies at geometric angle `degrees` from the centre.
double EllipseParameter(double rx, double ry, double degrees) {
    const double radians = degrees * std::numbers::pi / 180.0;
    return std::atan2(rx * std::sin(radians), ry * std::cos(radians));
}

// Unwraps the end parameter so that it lies `sweep`'s way from the start, a full turn at most.
double EndParameter(double rx, double ry, double start, double sweep) {
    const double t0 = EllipseParameter(rx, ry, start);
    if (std::abs(sweep) >= 360.0) {
        return t0 + std::copysign(2 * std::numbers::pi, sweep);
    }
    double t1 = EllipseParameter(rx, ry, start + sweep);
    if (sweep > 0) {
        while (t1 < t0) {
            t1 += 2 * std::numbers::pi;
        }
    } else {
        while (t1 > t0) {
            t1 -= 2 * std::numbers::pi;
        }
    }
    return t1;
}

}  // namespace

void Path::AddLine(float x1, float y1, float x2, float y2) {
    elements_.push_back({Kind::Line, x1, y1, x2, y2});
}

void Path::AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle) {
    elements_.push_back({Kind::Arc, x, y, width, height, startAngle, sweepAngle});
}

void Path::AddRectangle(const RectF& r) {
    StartFigure();
    AddLine(r.X, r.Y, r.GetRight(), r.Y);
    AddLine(r.GetRight(), r.GetBottom(), r.X, r.GetBottom());
    CloseFigure();
}

void Path::AddEllipse(const RectF& r) {
    StartFigure();
    AddArc(r, 0, 360);
    CloseFigure();
}

void Path::AddRoundedRectangle(const RectF& r, float rx, float ry) {
    rx = std::clamp(rx, 0.0f, r.Width / 2);
    ry = std::clamp(ry, 0.0f, r.Height / 2);
    const float dx = 2 * rx;
    const float dy = 2 * ry;
    StartFigure();
    AddLine(r.X + rx, r.Y, r.GetRight() - rx, r.Y);
    AddArc(r.GetRight() - dx, r.Y, dx, dy, 270, 90);
    AddLine(r.GetRight(), r.Y + ry, r.GetRight(), r.GetBottom() - ry);
    AddArc(r.GetRight() - dx, r.GetBottom() - dy, dx, dy, 0, 90);
    AddLine(r.GetRight() - rx, r.GetBottom(), r.X + rx, r.GetBottom());
    AddArc(r.X, r.GetBottom() - dy, dx, dy, 90, 90);
    AddLine(r.X, r.GetBottom() - ry, r.X, r.Y + ry);
    AddArc(r.X, r.Y, dx, dy, 180, 90);
    CloseFigure();
}

void Path::StartFigure() {
    elements_.push_back({Kind::Start, 0, 0, 0, 0});
}

void Path::CloseFigure() {
    elements_.push_back({Kind::Close, 0, 0, 0, 0});
}

void Path::AppendTo(_cairo* cr) const {
    cairo_new_path(cr);
    bool open = false;
    auto reach = [&](double x, double y) {
        if (open) {
            cairo_line_to(cr, x, y);
        } else {
            cairo_move_to(cr, x, y);
            open = true;
        }
    };
    for (const Element& e : elements_) {
        switch (e.kind) {
            case Kind::Line:
                reach(e.a, e.b);
                cairo_line_to(cr, e.c, e.d);
                break;
            case Kind::Arc: {
                const double rx = e.c / 2.0;
                const double ry = e.d / 2.0;
                const double cx = e.a + rx;
                const double cy = e.b + ry;
                const double t0 = EllipseParameter(rx, ry, e.start);
                const double t1 = EndParameter(rx, ry, e.start, e.sweep);
                reach(cx + rx * std::cos(t0), cy + ry * std::sin(t0));
                if (rx <= 0 || ry <= 0) {
                    // A flat ellipse is a line to the arc's end.
                    cairo_line_to(cr, cx + rx * std::cos(t1), cy + ry * std::sin(t1));
                    break;
                }
                cairo_save(cr);
                cairo_translate(cr, cx, cy);
                cairo_scale(cr, rx, ry);
                if (t1 >= t0) {
                    cairo_arc(cr, 0, 0, 1, t0, t1);
                } else {
                    cairo_arc_negative(cr, 0, 0, 1, t0, t1);
                }
                cairo_restore(cr);
                break;
            }
            case Kind::Close:
                if (open) {
                    cairo_close_path(cr);
                }
                open = false;
                break;
            case Kind::Start:
                open = false;
                break;
        }
    }
}

RectF Path::GetBounds() const {
    if (elements_.empty()) {
        return {};
    }
    gfx::SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1));
    gfx::CairoPtr cr(cairo_create(surface.get()));
    AppendTo(cr.get());
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
    cairo_path_extents(cr.get(), &x1, &y1, &x2, &y2);
    return RectF(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2 - x1),
                 static_cast<float>(y2 - y1));
}

}  // namespace LumoUI
