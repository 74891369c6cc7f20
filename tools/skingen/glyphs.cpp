#include "glyphs.h"

#include <cmath>
#include <functional>
#include <map>

#include "canvas.h"

namespace {

// Draws in design units: points are scaled from the 24-unit grid and rounded to whole pixels
// (2-pixel strokes centred on whole pixels cover whole pixels).
class Pen {
public:
    Pen(cairo_t* cr, double x, double y, double size) : cr_(cr), x_(x), y_(y), scale_(size / 24) {}

    double X(double u) const { return std::round(x_ + u * scale_); }
    double Y(double u) const { return std::round(y_ + u * scale_); }
    double R(double u) const { return u * scale_; }

    Pen& Move(double x, double y) {
        cairo_move_to(cr_, X(x), Y(y));
        return *this;
    }
    Pen& Line(double x, double y) {
        cairo_line_to(cr_, X(x), Y(y));
        return *this;
    }
    Pen& Close() {
        cairo_close_path(cr_);
        return *this;
    }
    // A polyline from (x0, y0) through the following points.
    Pen& Path(std::initializer_list<double> xy) {
        auto it = xy.begin();
        Move(it[0], it[1]);
        for (it += 2; it != xy.end(); it += 2) {
            Line(it[0], it[1]);
        }
        return *this;
    }
    Pen& Circle(double cx, double cy, double r) {
        cairo_new_sub_path(cr_);
        cairo_arc(cr_, x_ + cx * scale_, y_ + cy * scale_, R(r), 0, 2 * M_PI);
        return *this;
    }
    Pen& Arc(double cx, double cy, double r, double from_degrees, double to_degrees) {
        cairo_new_sub_path(cr_);
        cairo_arc(cr_, x_ + cx * scale_, y_ + cy * scale_, R(r), from_degrees * M_PI / 180,
                  to_degrees * M_PI / 180);
        return *this;
    }
    Pen& Ellipse(double cx, double cy, double rx, double ry) {
        cairo_save(cr_);
        cairo_new_sub_path(cr_);
        cairo_translate(cr_, x_ + cx * scale_, y_ + cy * scale_);
        cairo_scale(cr_, R(rx), R(ry));
        cairo_arc(cr_, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr_);
        return *this;
    }
    Pen& Box(double x0, double y0, double x1, double y1, double r) {
        RoundedRect(cr_, X(x0), Y(y0), X(x1) - X(x0), Y(y1) - Y(y0), R(r));
        return *this;
    }
    // A dot of the stroke's width.
    Pen& Dot(double x, double y) {
        cairo_new_sub_path(cr_);
        cairo_arc(cr_, X(x), Y(y), theme::kStroke / 2, 0, 2 * M_PI);
        cairo_fill(cr_);
        return *this;
    }
    // A closed polygon of n points alternating between two radii around (cx, cy).
    Pen& Star(double cx, double cy, int points, double outer, double inner, double start) {
        for (int i = 0; i < points * 2; ++i) {
            const double angle = (start + i * 180.0 / points) * M_PI / 180;
            const double r = R(i % 2 == 0 ? outer : inner);
            const double px = x_ + cx * scale_ + r * std::cos(angle);
            const double py = y_ + cy * scale_ + r * std::sin(angle);
            i == 0 ? cairo_move_to(cr_, px, py) : cairo_line_to(cr_, px, py);
        }
        cairo_close_path(cr_);
        return *this;
    }
    void Stroke() { cairo_stroke(cr_); }
    void Fill() { cairo_fill(cr_); }
    void FillAndStroke() {
        cairo_fill_preserve(cr_);
        cairo_stroke(cr_);
    }

private:
    cairo_t* cr_;
    double x_;
    double y_;
    double scale_;
};

void Speaker(Pen& p) {
    p.Path({4, 9, 8, 9, 13, 5, 13, 19, 8, 15, 4, 15}).Close().Stroke();
}

void Arrow(Pen& p, double angle_degrees) {
    // A right-pointing arrow turned about the centre.
    const double a = angle_degrees * M_PI / 180;
    const auto turn = [&](double x, double y, double& ox, double& oy) {
        ox = 12 + (x - 12) * std::cos(a) - (y - 12) * std::sin(a);
        oy = 12 + (x - 12) * std::sin(a) + (y - 12) * std::cos(a);
    };
    double x0, y0, x1, y1, x2, y2, x3, y3;
    turn(5, 12, x0, y0);
    turn(19, 12, x1, y1);
    turn(13, 6, x2, y2);
    turn(13, 18, x3, y3);
    p.Move(x0, y0).Line(x1, y1).Move(x2, y2).Line(x1, y1).Line(x3, y3).Stroke();
}

void Chevron(Pen& p, bool up) {
    up ? p.Path({6, 15, 12, 9, 18, 15}).Stroke() : p.Path({6, 9, 12, 15, 18, 9}).Stroke();
}

void Gear(Pen& p) {
    p.Star(12, 12, 8, 10, 7.5, -90 + 11.25).Stroke();
    p.Circle(12, 12, 3).Stroke();
}

const std::map<std::string, std::function<void(Pen&)>>& Glyphs() {
    static const std::map<std::string, std::function<void(Pen&)>> glyphs = {
        {"close",
         [](Pen& p) {
             p.Path({6, 6, 18, 18}).Path({18, 6, 6, 18}).Stroke();
         }},
        {"minimize",
         [](Pen& p) {
             p.Path({6, 12, 18, 12}).Stroke();
         }},
        {"globe",
         [](Pen& p) {
             p.Circle(12, 12, 9).Stroke();
             p.Ellipse(12, 12, 4, 9).Stroke();
             p.Path({3, 12, 21, 12}).Stroke();
         }},
        {"plus",
         [](Pen& p) {
             p.Path({12, 5, 12, 19}).Path({5, 12, 19, 12}).Stroke();
         }},
        {"trash",
         [](Pen& p) {
             p.Path({4, 7, 20, 7}).Path({9, 7, 9, 4, 15, 4, 15, 7}).Stroke();
             p.Path({6, 7, 7, 20, 17, 20, 18, 7}).Stroke();
             p.Path({10, 11, 10, 16}).Path({14, 11, 14, 16}).Stroke();
         }},
        {"pencil",
         [](Pen& p) {
             p.Path({4, 20, 5, 15, 15, 5, 19, 9, 9, 19}).Close().Stroke();
             p.Path({13, 7, 17, 11}).Stroke();
         }},
        {"import",
         [](Pen& p) {
             p.Path({12, 3, 12, 14}).Path({7, 9, 12, 14, 17, 9}).Stroke();
             p.Path({4, 14, 4, 20, 20, 20, 20, 14}).Stroke();
         }},
        {"export",
         [](Pen& p) {
             p.Path({12, 14, 12, 3}).Path({7, 8, 12, 3, 17, 8}).Stroke();
             p.Path({4, 14, 4, 20, 20, 20, 20, 14}).Stroke();
         }},
        {"up", [](Pen& p) { Chevron(p, true); }},
        {"down", [](Pen& p) { Chevron(p, false); }},
        {"arrow_left", [](Pen& p) { Arrow(p, 180); }},
        {"arrow_right", [](Pen& p) { Arrow(p, 0); }},
        {"arrow_up", [](Pen& p) { Arrow(p, 270); }},
        {"arrow_down", [](Pen& p) { Arrow(p, 90); }},
        {"clock",
         [](Pen& p) {
             p.Circle(12, 12, 9).Stroke();
             p.Path({12, 7, 12, 12, 16, 14}).Stroke();
         }},
        {"folder",
         [](Pen& p) {
             p.Path({3, 5, 10, 5, 12, 8, 21, 8, 21, 19, 3, 19}).Close().Stroke();
         }},
        {"home",
         [](Pen& p) {
             p.Path({3, 11, 12, 3, 21, 11}).Stroke();
             p.Path({5, 9, 5, 20, 19, 20, 19, 9}).Stroke();
             p.Path({10, 20, 10, 14, 14, 14, 14, 20}).Stroke();
         }},
        {"keycap",
         [](Pen& p) {
             p.Box(3, 3, 21, 21, 4).Stroke();
             p.Box(7, 6, 17, 15, 2).Stroke();
         }},
        {"keyboard",
         [](Pen& p) {
             p.Box(2, 5, 22, 19, 2).Stroke();
             for (const double x : {6.0, 10.0, 14.0, 18.0}) {
                 p.Dot(x, 9).Dot(x, 12);
             }
             p.Path({8, 15, 16, 15}).Stroke();
         }},
        {"macro",
         [](Pen& p) {
             p.Path({4, 6, 15, 6}).Path({4, 11, 12, 11}).Path({4, 16, 9, 16}).Stroke();
             p.Path({14, 13, 14, 21, 20, 17}).Close().Stroke();
         }},
        {"light",
         [](Pen& p) {
             p.Circle(12, 12, 4).Stroke();
             for (int i = 0; i < 8; ++i) {
                 const double a = i * M_PI / 4;
                 p.Move(12 + 7 * std::cos(a), 12 + 7 * std::sin(a))
                     .Line(12 + 9.5 * std::cos(a), 12 + 9.5 * std::sin(a));
             }
             p.Stroke();
         }},
        {"gear", Gear},
        {"monitor",
         [](Pen& p) {
             p.Box(3, 4, 21, 16, 1).Stroke();
             p.Path({12, 16, 12, 20}).Path({8, 20, 16, 20}).Stroke();
         }},
        {"calculator",
         [](Pen& p) {
             p.Box(5, 2, 19, 22, 2).Stroke();
             p.Path({8, 6, 16, 6}).Stroke();
             for (const double y : {11.0, 14.5, 18.0}) {
                 p.Dot(9, y).Dot(12, y).Dot(15, y);
             }
         }},
        {"mail",
         [](Pen& p) {
             p.Box(3, 6, 21, 18, 1).Stroke();
             p.Path({4, 7, 12, 13, 20, 7}).Stroke();
         }},
        {"note",
         [](Pen& p) {
             p.Circle(7.5, 18, 2.5).Circle(17.5, 16, 2.5).Stroke();
             p.Path({10, 18, 10, 5, 20, 3, 20, 16}).Stroke();
         }},
        {"playpause",
         [](Pen& p) {
             p.Path({4, 6, 4, 18, 11, 12}).Close().Stroke();
             p.Path({15, 6, 15, 18}).Path({19, 6, 19, 18}).Stroke();
         }},
        {"stop", [](Pen& p) { p.Box(6, 6, 18, 18, 1).Stroke(); }},
        {"previous",
         [](Pen& p) {
             p.Path({6, 6, 6, 18}).Stroke();
             p.Path({18, 6, 9, 12, 18, 18}).Close().Stroke();
         }},
        {"next",
         [](Pen& p) {
             p.Path({18, 6, 18, 18}).Stroke();
             p.Path({6, 6, 15, 12, 6, 18}).Close().Stroke();
         }},
        {"volume_down",
         [](Pen& p) {
             Speaker(p);
             p.Path({16, 12, 21, 12}).Stroke();
         }},
        {"volume_up",
         [](Pen& p) {
             Speaker(p);
             p.Path({16, 12, 21, 12}).Path({18.5, 9.5, 18.5, 14.5}).Stroke();
         }},
        {"mute",
         [](Pen& p) {
             Speaker(p);
             p.Path({16, 9.5, 21, 14.5}).Path({21, 9.5, 16, 14.5}).Stroke();
         }},
        {"refresh",
         [](Pen& p) {
             p.Arc(12, 12, 8, -60, 220).Stroke();
             p.Path({16, 1.5, 16, 5.5, 20, 5.5}).Stroke();
         }},
        {"halt",
         [](Pen& p) {
             p.Circle(12, 12, 9).Stroke();
             p.Path({9, 9, 15, 15}).Path({15, 9, 9, 15}).Stroke();
         }},
        {"star", [](Pen& p) { p.Star(12, 12.5, 5, 9.5, 4.2, -90).Stroke(); }},
        {"search",
         [](Pen& p) {
             p.Circle(10.5, 10.5, 6.5).Stroke();
             p.Path({15.5, 15.5, 20, 20}).Stroke();
         }},
        {"usb",
         [](Pen& p) {
             p.Path({12, 3, 12, 18})
                 .Path({12, 14, 7, 10, 7, 8})
                 .Path({12, 12, 17, 8, 17, 6})
                 .Stroke();
             p.Circle(12, 19.5, 1.5).Circle(7, 7, 1.2).Stroke();
             p.Box(15.5, 3.5, 18.5, 6.5, 0).Stroke();
         }},
        {"bolt",
         [](Pen& p) {
             p.Path({13, 2, 6, 13, 11, 13, 10, 22, 18, 10, 13, 10}).Close().Stroke();
         }},
        {"tick",
         [](Pen& p) {
             p.Path({5, 12, 10, 17, 19, 7}).Stroke();
         }},
    };
    return glyphs;
}

}  // namespace

bool HasGlyph(const std::string& name) {
    return Glyphs().count(name) != 0;
}

bool DrawGlyph(cairo_t* cr, const std::string& name, double x, double y, double size, Rgb color,
               double alpha) {
    const auto it = Glyphs().find(name);
    if (it == Glyphs().end()) {
        return false;
    }
    cairo_save(cr);
    SetColor(cr, color, alpha);
    cairo_set_line_width(cr, theme::kStroke);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_new_path(cr);
    Pen pen(cr, x, y, size);
    it->second(pen);
    cairo_restore(cr);
    return true;
}
