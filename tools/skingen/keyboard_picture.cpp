#include "keyboard_picture.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "glyphs.h"
#include "text.h"

namespace {

constexpr int kFnKey = 0xAF;

const Rgb kCaseTop = Hex(0x18212E);
const Rgb kCaseBottom = Hex(0x10161F);
const Rgb kCaseBorder = Hex(0x2C3849);
const Rgb kSkirt = Hex(0x1A2331);
const Rgb kFaceTop = Hex(0x2C3748);
const Rgb kFaceBottom = Hex(0x232E3D);
const Rgb kLegend = Hex(0xD6DEE8);

// The symbol printed above the main legend of the keys that carry two.
const std::map<int, std::string>& ShiftedSymbols() {
    static const std::map<int, std::string> symbols = {
        {0x1E, "!"}, {0x1F, "@"}, {0x20, "#"},  {0x21, "$"}, {0x22, "%"}, {0x23, "^"}, {0x24, "&"},
        {0x25, "*"}, {0x26, "("}, {0x27, ")"},  {0x2D, "_"}, {0x2E, "+"}, {0x2F, "{"}, {0x30, "}"},
        {0x31, "|"}, {0x33, ":"}, {0x34, "\""}, {0x35, "~"}, {0x36, "<"}, {0x37, ">"}, {0x38, "?"}};
    return symbols;
}

// The arrow keys show arrows instead of their names.
const std::map<int, std::string>& ArrowGlyphs() {
    static const std::map<int, std::string> glyphs = {
        {0x4F, "arrow_right"}, {0x50, "arrow_left"}, {0x51, "arrow_down"}, {0x52, "arrow_up"}};
    return glyphs;
}

void FillVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom) {
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgb(gradient, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(gradient, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, gradient);
    cairo_fill(cr);
    cairo_pattern_destroy(gradient);
}

// A legend at the largest size up to `style.size` that fits `width`.
void DrawLegend(cairo_t* cr, const std::string& text, TextStyle style, Rgb colour, double x,
                double y, double w, double h) {
    double tw = 0;
    double th = 0;
    for (MeasureText(cr, text, style, tw, th); tw > w && style.size > 8;
         MeasureText(cr, text, style, tw, th)) {
        style.size -= 0.5;
    }
    DrawCentredText(cr, text, style, colour, x, y, w, h);
}

void DrawKey(cairo_t* cr, const LayoutKey& key, const TextStyle& legend) {
    const double x = key.x;
    const double y = key.y;
    const double w = key.width;
    const double h = key.height;
    RoundedRect(cr, x, y, w, h, 6);
    SetColor(cr, kSkirt);
    cairo_fill(cr);
    RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, 5.5);
    cairo_set_line_width(cr, 1);
    SetColor(cr, Hex(0x070A0F), 0.8);
    cairo_stroke(cr);
    // The cap's top face, set back from the bottom edge like a sculpted key.
    const double fx = x + 3;
    const double fy = y + 2;
    const double fw = w - 6;
    const double fh = h - 7;
    RoundedRect(cr, fx, fy, fw, fh, 5);
    FillVertical(cr, fy, fy + fh, kFaceTop, kFaceBottom);
    RoundedRect(cr, fx + 0.5, fy + 0.5, fw - 1, fh - 1, 4.5);
    SetColor(cr, theme::kWhite, 0.06);
    cairo_stroke(cr);

    const Rgb colour = key.code == kFnKey ? theme::kAccent : kLegend;
    if (const auto arrow = ArrowGlyphs().find(key.code); arrow != ArrowGlyphs().end()) {
        const double size = std::round(std::min(fw, fh) * 0.5);
        DrawGlyph(cr, arrow->second, std::round(fx + (fw - size) / 2),
                  std::round(fy + (fh - size) / 2), size, colour);
        return;
    }
    if (const auto shifted = ShiftedSymbols().find(key.code); shifted != ShiftedSymbols().end()) {
        TextStyle small = legend;
        small.size = legend.size * 0.9;
        DrawLegend(cr, shifted->second, small, Mix(colour, kFaceBottom, 0.35), fx, fy + 1, fw,
                   fh / 2);
        DrawLegend(cr, key.name, small, colour, fx, fy + fh / 2 - 1, fw, fh / 2);
        return;
    }
    DrawLegend(cr, key.name, legend, colour, fx + 2, fy, fw - 4, fh);
}

// Full-size boards leave room above the numeric keypad: three status lights and the name.
void DrawBadge(cairo_t* cr, const KeyboardLayout& layout) {
    int top = layout.height;
    int top_row_right = 0;
    int top_row_height = 0;
    for (const LayoutKey& key : layout.keys) {
        top = std::min(top, key.y);
    }
    for (const LayoutKey& key : layout.keys) {
        if (key.y == top) {
            top_row_right = std::max(top_row_right, key.x + key.width);
            top_row_height = key.height;
        }
    }
    const double left = top_row_right + 24;
    const double right = layout.width - 16;
    if (right - left < 120) {
        return;
    }
    const double middle = top + top_row_height / 2.0;
    for (int i = 0; i < 3; ++i) {
        cairo_arc(cr, left + 6 + i * 18, middle, 2.5, 0, 2 * M_PI);
        SetColor(cr, theme::kAccent, i == 0 ? 0.9 : 0.3);
        cairo_fill(cr);
    }
    TextStyle name;
    name.size = 11;
    name.bold = true;
    name.letter_spacing = 3;
    double tw = 0;
    double th = 0;
    MeasureText(cr, "BRIMLOW", name, tw, th);
    DrawCentredText(cr, "BRIMLOW", name, theme::kTextDim, right - tw, top, tw, top_row_height);
}

}  // namespace

SurfacePtr DrawKeyboardPicture(const KeyboardLayout& layout) {
    SurfacePtr surface = NewImage(layout.width, layout.height);
    ContextPtr context = NewContext(surface.get());
    cairo_t* cr = context.get();
    RoundedRect(cr, 0, 0, layout.width, layout.height, 14);
    FillVertical(cr, 0, layout.height, kCaseTop, kCaseBottom);
    RoundedRect(cr, 0.5, 0.5, layout.width - 1, layout.height - 1, 13.5);
    cairo_set_line_width(cr, 1);
    SetColor(cr, kCaseBorder);
    cairo_stroke(cr);

    int smallest = layout.height;
    for (const LayoutKey& key : layout.keys) {
        smallest = std::min(smallest, key.height);
    }
    TextStyle legend;
    legend.size = std::clamp(std::round(smallest * 0.33), 10.0, 14.0);
    for (const LayoutKey& key : layout.keys) {
        DrawKey(cr, key, legend);
    }
    DrawBadge(cr, layout);
    cairo_surface_flush(surface.get());
    return surface;
}
