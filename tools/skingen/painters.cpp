#include "painters.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "canvas.h"
#include "glyphs.h"
#include "text.h"

namespace {

using namespace theme;

// State frames of the buttons: 0 normal, 1 hover, 2 pressed, 3 disabled.
enum ButtonState { kNormal = 0, kHover = 1, kPressed = 2, kDisabled = 3 };

Rgb GlyphColour(int state) {
    switch (state) {
        case kHover:
            return kText;
        case kPressed:
            return kAccent;
        case kDisabled:
            return kTextOff;
        default:
            return kTextDim;
    }
}

// A flat button: a body only under the mouse or pressed, the glyph centred.
void GlyphButton(cairo_t* cr, const Frame& f, double glyph_size, double radius, bool danger) {
    const int state = f.index;
    if (state == kHover || state == kPressed) {
        const Rgb fill = danger ? (state == kHover ? kDanger : kDangerLow)
                                : (state == kHover ? kSurfaceHigh : kAccentDeep);
        const Rgb border = danger ? fill : (state == kHover ? kLineHigh : kAccent);
        Box(cr, 0, 0, f.width, f.height, radius, fill, border);
    }
    const Rgb glyph =
        danger && (state == kHover || state == kPressed) ? kWhite : GlyphColour(state);
    DrawGlyph(cr, f.arg, (f.width - glyph_size) / 2, (f.height - glyph_size) / 2, glyph_size,
              glyph);
}

void CaptionButton(cairo_t* cr, const Frame& f) {
    cairo_save(cr);
    cairo_translate(cr, 2, 2);
    Frame inner = f;
    inner.width -= 4;
    inner.height -= 4;
    GlyphButton(cr, inner, 16, 6, f.arg == "close");
    cairo_restore(cr);
}

void ToolButton(cairo_t* cr, const Frame& f) {
    GlyphButton(cr, f, 20, 6, false);
}
void SmallButton(cairo_t* cr, const Frame& f) {
    GlyphButton(cr, f, 14, 4, false);
}

void SpinButton(cairo_t* cr, const Frame& f) {
    const Rgb fill = f.index == kHover      ? kSurfaceHigh
                     : f.index == kPressed  ? kAccentDeep
                     : f.index == kDisabled ? kSurfaceLow
                                            : kSurface;
    const Rgb border = f.index == kHover ? kLineHigh : f.index == kPressed ? kAccent : kLine;
    Box(cr, 0, 0, f.width, f.height, 3, fill, border);
    DrawGlyph(cr, f.arg, (f.width - 12) / 2.0, (f.height - 12) / 2.0, 12, GlyphColour(f.index));
}

// Tab icons: 0 normal, 1 hover, 2 selected (accent on a soft disc), 3 unused (disabled look).
void TabIcon(cairo_t* cr, const Frame& f) {
    const double size = f.width - 4;
    if (f.index == 2) {
        cairo_arc(cr, f.width / 2.0, f.height / 2.0, f.width / 2.0, 0, 2 * M_PI);
        SetColor(cr, kAccent, 0.16);
        cairo_fill(cr);
    }
    const Rgb colour = f.index == 0   ? kTextDim
                       : f.index == 1 ? kAccentHigh
                       : f.index == 2 ? kAccent
                                      : kTextOff;
    DrawGlyph(cr, f.arg, 2, 2, size, colour);
}

void Icon(cairo_t* cr, const Frame& f, Rgb colour) {
    const double size = std::min(f.width, f.height);
    DrawGlyph(cr, f.arg, (f.width - size) / 2, (f.height - size) / 2, size, colour);
}

// The list rows' mark: 0 a ring, 1 (selected row, drawn on the accent fill) a white dot.
void ListDot(cairo_t* cr, const Frame& f) {
    const double c = f.width / 2.0;
    if (f.index == 0) {
        cairo_arc(cr, c, c, 3.5, 0, 2 * M_PI);
        cairo_set_line_width(cr, kStroke);
        SetColor(cr, kTextDim);
        cairo_stroke(cr);
    } else {
        cairo_arc(cr, c, c, 4.5, 0, 2 * M_PI);
        SetColor(cr, kWhite);
        cairo_fill(cr);
    }
}

// Function picker buttons: 0 normal, 1 hover, 2 pressed or marked.
void KeyFace(cairo_t* cr, const Frame& f) {
    switch (f.index) {
        case 0:
            Box(cr, 0, 0, f.width, f.height, 4, kSurfaceHigh, kLine);
            break;
        case 1:
            Box(cr, 0, 0, f.width, f.height, 4, Mix(kSurfaceHigh, kAccent, 0.15), kAccent);
            break;
        default:
            Box(cr, 0, 0, f.width, f.height, 4, kAccent, kAccentHigh);
            break;
    }
}

// Device list rows: 0 listed but inactive, 1 connected.
void DeviceState(cairo_t* cr, const Frame& f) {
    if (f.index == 0) {
        Box(cr, 0, 0, f.width, f.height, 8, kSurface, kLine);
        return;
    }
    Box(cr, 0, 0, f.width, f.height, 8, kAccentDeep, kAccent);
    RoundedRect(cr, 5, 10, 3, f.height - 20, 1.5);
    SetColor(cr, kAccent);
    cairo_fill(cr);
}

// Input fields: 0 normal, 1 hover, 2 focused or pressed, 3 disabled.
void FieldBody(cairo_t* cr, const Frame& f, double radius, Rgb fill) {
    switch (f.index) {
        case kHover:
            Box(cr, 0, 0, f.width, f.height, radius, fill, Mix(kLineHigh, kAccent, 0.45));
            break;
        case kPressed:
            Box(cr, 0, 0, f.width, f.height, radius, fill, kAccent);
            break;
        case kDisabled:
            Box(cr, 0, 0, f.width, f.height, radius, kSurfaceLow, kLineLow);
            break;
        default:
            Box(cr, 0, 0, f.width, f.height, radius, fill, Mix(kLine, kLineHigh, 0.6));
            break;
    }
}

void Edit(cairo_t* cr, const Frame& f) {
    FieldBody(cr, f, 3, kSurfaceLow);
}

// The combo box's right 36 pixels hold its arrow; the toolkit keeps them unscaled.
void ComboBox(cairo_t* cr, const Frame& f) {
    FieldBody(cr, f, 4, kSurface);
    const int arrow_left = f.width - 36;
    cairo_move_to(cr, arrow_left + 0.5, 9);
    cairo_line_to(cr, arrow_left + 0.5, f.height - 9);
    cairo_set_line_width(cr, 1);
    SetColor(cr, f.index == kDisabled ? kLineLow : kLine);
    cairo_stroke(cr);
    DrawGlyph(cr, "down", arrow_left + 10, (f.height - 16) / 2.0, 16, GlyphColour(f.index));
}

void PushButton(cairo_t* cr, const Frame& f) {
    switch (f.index) {
        case kHover:
            Box(cr, 0, 0, f.width, f.height, 6, Mix(kSurface, kAccent, 0.34), kAccent);
            break;
        case kPressed:
            Box(cr, 0, 0, f.width, f.height, 6, kAccentLow, kAccent);
            break;
        case kDisabled:
            Box(cr, 0, 0, f.width, f.height, 6, kSurfaceLow, kLineLow);
            break;
        default:
            Box(cr, 0, 0, f.width, f.height, 6, Mix(kSurface, kAccent, 0.18),
                Mix(kLine, kAccent, 0.5));
            break;
    }
}

// Check and radio frames: 0-3 unchecked normal, hover, pressed, disabled; 4-7 the same checked.
struct CheckLook {
    Rgb fill;
    Rgb border;
    Rgb mark;
};

CheckLook CheckFrameLook(int index) {
    switch (index) {
        case 0:
            return {kSurfaceLow, kLineHigh, kWhite};
        case 1:
            return {kSurfaceLow, kAccent, kWhite};
        case 2:
            return {kAccentDeep, kAccent, kWhite};
        case 3:
            return {kSurfaceLow, kLineLow, kWhite};
        case 4:
            return {kAccent, kAccent, kWhite};
        case 5:
            return {kAccentHigh, kAccentHigh, kWhite};
        case 6:
            return {kAccentLow, kAccentLow, kWhite};
        default:
            return {kAccentOff, kAccentOff, kTextDim};
    }
}

void CheckBox(cairo_t* cr, const Frame& f) {
    const CheckLook look = CheckFrameLook(f.index);
    Box(cr, 0, 0, f.width, f.height, 3, look.fill, look.border);
    if (f.index >= 4) {
        DrawGlyph(cr, "tick", 0, 0, f.width, look.mark);
    }
}

void RadioBox(cairo_t* cr, const Frame& f) {
    const CheckLook look = CheckFrameLook(f.index);
    const double c = f.width / 2.0;
    cairo_arc(cr, c, c, c, 0, 2 * M_PI);
    SetColor(cr, look.fill);
    cairo_fill(cr);
    cairo_arc(cr, c, c, c - 0.5, 0, 2 * M_PI);
    cairo_set_line_width(cr, 1);
    SetColor(cr, look.border);
    cairo_stroke(cr);
    if (f.index >= 4) {
        cairo_arc(cr, c, c, 4, 0, 2 * M_PI);
        SetColor(cr, look.mark);
        cairo_fill(cr);
    }
}

// Direction buttons are radio buttons showing only their frame: a tile with an arrow.
void DirectionButton(cairo_t* cr, const Frame& f) {
    struct Look {
        Rgb fill, border, glyph;
    };
    static const Look looks[8] = {
        {kSurface, kLine, kTextDim},     {kSurfaceHigh, kLineHigh, kText},
        {kAccentDeep, kAccent, kAccent}, {kSurfaceLow, kLineLow, kTextOff},
        {kAccent, kAccent, kWhite},      {kAccentHigh, kAccentHigh, kWhite},
        {kAccentLow, kAccent, kWhite},   {kAccentOff, kAccentOff, kTextDim},
    };
    const Look& look = looks[f.index];
    Box(cr, 0, 0, f.width, f.height, 6, look.fill, look.border);
    DrawGlyph(cr, f.arg, (f.width - 20) / 2.0, (f.height - 20) / 2.0, 20, look.glyph);
}

// Hue h (degrees), saturation and value (0..1) as RGB.
Rgb Hsv(double h, double s, double v) {
    h = std::fmod(std::fmod(h, 360) + 360, 360) / 60;
    const int sector = static_cast<int>(h);
    const double f = h - sector;
    const double p = v * (1 - s);
    const double q = v * (1 - s * f);
    const double t = v * (1 - s * (1 - f));
    switch (sector) {
        case 0:
            return {v, t, p};
        case 1:
            return {q, v, p};
        case 2:
            return {p, v, t};
        case 3:
            return {p, q, v};
        case 4:
            return {t, p, v};
        default:
            return {v, p, q};
    }
}

// The colourful swatch is stretched whole over its button, so its frames together make one
// continuous rainbow.
void Colorful(cairo_t* cr, const Frame& f) {
    const double strip = f.width * f.frames;
    cairo_pattern_t* rainbow =
        cairo_pattern_create_linear(-f.index * f.width, 0, strip - f.index * f.width, 0);
    for (int i = 0; i <= 6; ++i) {
        const Rgb c = Hsv(i * 60, 1, 1);
        cairo_pattern_add_color_stop_rgb(rainbow, i / 6.0, c.r, c.g, c.b);
    }
    cairo_rectangle(cr, 0, 0, f.width, f.height);
    cairo_set_source(cr, rainbow);
    cairo_fill(cr);
    cairo_pattern_destroy(rainbow);
    cairo_pattern_t* sheen = cairo_pattern_create_linear(0, 0, 0, f.height);
    cairo_pattern_add_color_stop_rgba(sheen, 0, 1, 1, 1, 0.35);
    cairo_pattern_add_color_stop_rgba(sheen, 0.5, 1, 1, 1, 0);
    cairo_rectangle(cr, 0, 0, f.width, f.height);
    cairo_set_source(cr, sheen);
    cairo_fill(cr);
    cairo_pattern_destroy(sheen);
}

// The slider track: the filled band above the empty one, each half the height.
void SliderBack(cairo_t* cr, const Frame& f) {
    const double band = f.height / 2.0;
    RoundedRect(cr, 0, 0, f.width, band, band / 2);
    SetColor(cr, kAccent);
    cairo_fill(cr);
    RoundedRect(cr, 0, band, f.width, band, band / 2);
    SetColor(cr, Hex(0x243042));
    cairo_fill(cr);
}

// The slider thumb: 0 normal, 1 hovered or dragged (2 the same), 3 disabled. The knob's centre
// lies on the track's middle, 18 pixels down.
void Thumb(cairo_t* cr, const Frame& f) {
    const double cx = f.width / 2.0;
    const double cy = 18;
    if (f.index == 1 || f.index == 2) {
        cairo_arc(cr, cx, cy, 11, 0, 2 * M_PI);
        SetColor(cr, kAccent, 0.25);
        cairo_fill(cr);
    }
    cairo_arc(cr, cx, cy, 7, 0, 2 * M_PI);
    SetColor(cr, f.index == 3 ? Hex(0x5A6576) : Hex(0xEEF3F8));
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, kStroke);
    SetColor(cr, f.index == 3 ? kAccentOff : kAccent);
    cairo_stroke(cr);
}

// The colour wheel: hue around the centre, saturation growing outwards, full brightness. The
// wheel reports the colour under the mouse, so it has no rim of its own.
void ColourWheel(cairo_t* cr, const Frame& f) {
    cairo_surface_t* target = cairo_get_target(cr);
    cairo_surface_flush(target);
    unsigned char* data = cairo_image_surface_get_data(target);
    const int stride = cairo_image_surface_get_stride(target);
    double ox = 0;
    double oy = 0;
    cairo_user_to_device(cr, &ox, &oy);
    const double c = f.width / 2.0;
    for (int y = 0; y < f.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + (static_cast<int>(oy) + y) * stride);
        for (int x = 0; x < f.width; ++x) {
            const double dx = x + 0.5 - c;
            const double dy = y + 0.5 - c;
            const double r = std::sqrt(dx * dx + dy * dy);
            const double alpha = std::clamp(c - r + 0.5, 0.0, 1.0);
            if (alpha <= 0) {
                continue;
            }
            const Rgb col = Hsv(std::atan2(-dy, dx) * 180 / M_PI, std::min(1.0, r / c), 1);
            const auto channel = [&](double v) {
                return static_cast<uint32_t>(std::lround(v * alpha * 255));
            };
            row[static_cast<int>(ox) + x] =
                channel(1) << 24 | channel(col.r) << 16 | channel(col.g) << 8 | channel(col.b);
        }
    }
    cairo_surface_mark_dirty(target);
}

void PaletteThumb(cairo_t* cr, const Frame& f) {
    const double c = f.width / 2.0;
    cairo_arc(cr, c, c, c - 0.5, 0, 2 * M_PI);
    cairo_set_line_width(cr, 1);
    SetColor(cr, kBackground, 0.7);
    cairo_stroke(cr);
    cairo_arc(cr, c, c, c - 2, 0, 2 * M_PI);
    cairo_set_line_width(cr, kStroke);
    SetColor(cr, kWhite);
    cairo_stroke(cr);
}

// Vertical scroll bar frames side by side: 0 track, 1 thumb hovered, 2 thumb, 3 track.
void ScrollVertical(cairo_t* cr, const Frame& f) {
    if (f.index == 0 || f.index == 3) {
        RoundedRect(cr, 0, 0, f.width, f.height, f.width / 2.0);
        SetColor(cr, Hex(0x141C28));
    } else {
        RoundedRect(cr, 1, 0, f.width - 2, f.height, (f.width - 2) / 2.0);
        SetColor(cr, f.index == 1 ? kAccent : Mix(kAccent, kBackground, 0.4));
    }
    cairo_fill(cr);
}

// Horizontal scroll bar frames stacked: 0 track (the bar draws a line instead), 1 thumb,
// 2 thumb hovered, 3 thumb dragged.
void ScrollHorizontal(cairo_t* cr, const Frame& f) {
    const Rgb colours[4] = {Hex(0x141C28), Mix(kAccent, kBackground, 0.4), kAccent, kAccentHigh};
    const double inset = f.index == 0 ? 0 : 1;
    RoundedRect(cr, 0, inset, f.width, f.height - 2 * inset, (f.height - 2 * inset) / 2);
    SetColor(cr, colours[f.index]);
    cairo_fill(cr);
}

// Tip windows: a nine-grid panel and the arrows of the speech bubble.
constexpr double kTipBorderAlpha = 0.55;
const Rgb kTipFill = Hex(0x0F1620);

void TipBack(cairo_t* cr, const Frame& f) {
    Box(cr, 0, 0, f.width, f.height, 6, kTipFill, kAccent, 0.96, kTipBorderAlpha);
}

void TipArrow(cairo_t* cr, const Frame& f) {
    const double w = f.width;
    const double h = f.height;
    double points[3][2];
    if (f.arg == "left") {  // pointing left, the panel on its right
        points[0][0] = w, points[0][1] = 0, points[1][0] = 0.5, points[1][1] = h / 2;
        points[2][0] = w, points[2][1] = h;
    } else if (f.arg == "right") {
        points[0][0] = 0, points[0][1] = 0, points[1][0] = w - 0.5, points[1][1] = h / 2;
        points[2][0] = 0, points[2][1] = h;
    } else {  // "top": pointing up, the panel below
        points[0][0] = 0, points[0][1] = h, points[1][0] = w / 2, points[1][1] = 0.5;
        points[2][0] = w, points[2][1] = h;
    }
    cairo_move_to(cr, points[0][0], points[0][1]);
    cairo_line_to(cr, points[1][0], points[1][1]);
    cairo_line_to(cr, points[2][0], points[2][1]);
    cairo_close_path(cr);
    SetColor(cr, kTipFill, 0.96);
    cairo_fill(cr);
    cairo_move_to(cr, points[0][0], points[0][1]);
    cairo_line_to(cr, points[1][0], points[1][1]);
    cairo_line_to(cr, points[2][0], points[2][1]);
    cairo_set_line_width(cr, 1);
    SetColor(cr, kAccent, kTipBorderAlpha);
    cairo_stroke(cr);
}

// The message box background, drawn as a nine-grid with 30-pixel corners.
void Prompt(cairo_t* cr, const Frame& f) {
    Box(cr, 0, 0, f.width, f.height, 10, Hex(0x0F1620), kAccent, 1.0, 0.45);
}

// The main window: a deep vertical gradient with a faint accent glow at the top right.
void MainBackground(cairo_t* cr, const Frame& f) {
    cairo_pattern_t* base = cairo_pattern_create_linear(0, 0, 0, f.height);
    const Rgb top = Hex(0x0C121B);
    const Rgb bottom = Hex(0x080B10);
    cairo_pattern_add_color_stop_rgb(base, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(base, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, base);
    cairo_paint(cr);
    cairo_pattern_destroy(base);
    cairo_pattern_t* glow = cairo_pattern_create_radial(
        f.width * 0.75, -f.height * 0.2, 0, f.width * 0.75, -f.height * 0.2, f.width * 0.7);
    cairo_pattern_add_color_stop_rgba(glow, 0, kAccent.r, kAccent.g, kAccent.b, 0.08);
    cairo_pattern_add_color_stop_rgba(glow, 1, kAccent.r, kAccent.g, kAccent.b, 0);
    cairo_set_source(cr, glow);
    cairo_paint(cr);
    cairo_pattern_destroy(glow);
}

void Caption(cairo_t* cr, const Frame& f) {
    cairo_pattern_t* band = cairo_pattern_create_linear(0, 0, 0, f.height);
    const Rgb top = Hex(0x111925);
    const Rgb bottom = Hex(0x0D131C);
    cairo_pattern_add_color_stop_rgb(band, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(band, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, band);
    cairo_paint(cr);
    cairo_pattern_destroy(band);
    cairo_move_to(cr, 0, f.height - 0.5);
    cairo_line_to(cr, f.width, f.height - 0.5);
    cairo_set_line_width(cr, 1);
    SetColor(cr, kLine);
    cairo_stroke(cr);
    DrawGlyph(cr, "keycap", 24, (f.height - 24) / 2.0, 24, kAccent);
}

void Logo(cairo_t* cr, const Frame& f) {
    DrawGlyph(cr, "keycap", 0, (f.height - 24) / 2.0, 24, kAccent);
    TextStyle style;
    style.size = 17;
    style.bold = true;
    style.letter_spacing = 3;
    DrawCentredText(cr, "BRIMLOW", style, kText, 32, 0, f.width - 32, f.height);
}

void Battery(cairo_t* cr, const Frame& f) {
    cairo_set_line_width(cr, kStroke);
    RoundedRect(cr, 1, 1, f.width - 6, f.height - 2, 3);
    SetColor(cr, kIcon);
    cairo_stroke(cr);
    RoundedRect(cr, f.width - 4, f.height / 2.0 - 3, 3, 6, 1);
    cairo_fill(cr);
}

// The battery level bar, drawn over the outline from its left edge; same size as the outline.
void BatteryLevel(cairo_t* cr, const Frame& f) {
    RoundedRect(cr, 4, 4, f.width - 12, f.height - 8, 1);
    SetColor(cr, kAccent);
    cairo_fill(cr);
}

// The wait dialog's animation: a ring of twelve segments whose brightness runs round. Frames
// are coverage only; the animation file maps it onto a ramp from the dialog's background to
// the accent.
void Loading(cairo_t* cr, const Frame& f) {
    const double c = f.width / 2.0;
    cairo_set_line_width(cr, 6);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int k = 0; k < 12; ++k) {
        const double age = ((k - f.index) % 12 + 12) % 12;  // 0 = head
        const double start = (k * 30 - 90 + 5) * M_PI / 180;
        const double end = (k * 30 - 90 + 25) * M_PI / 180;
        cairo_new_sub_path(cr);
        cairo_arc(cr, c, c, 28, start, end);
        cairo_set_source_rgba(cr, 0, 0, 0, std::max(0.12, std::pow(1 - age / 12, 2)));
        cairo_stroke(cr);
    }
}

// The program icon: a white key cap on an accent tile.
void AppIcon(cairo_t* cr, const Frame& f) {
    const double s = f.width;
    cairo_pattern_t* tile = cairo_pattern_create_linear(0, 0, 0, s);
    const Rgb top = Hex(0x2BB8FF);
    const Rgb bottom = Hex(0x0A6FB8);
    cairo_pattern_add_color_stop_rgb(tile, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(tile, 1, bottom.r, bottom.g, bottom.b);
    RoundedRect(cr, 0, 0, s, s, s * 0.22);
    cairo_set_source(cr, tile);
    cairo_fill(cr);
    cairo_pattern_destroy(tile);
    const double line = std::max(1.5, s * 0.07);
    cairo_set_line_width(cr, line);
    SetColor(cr, kWhite);
    RoundedRect(cr, s * 0.22, s * 0.22, s * 0.56, s * 0.56, s * 0.1);
    cairo_stroke(cr);
    RoundedRect(cr, s * 0.34, s * 0.3, s * 0.32, s * 0.28, s * 0.05);
    cairo_fill(cr);
}

struct PainterEntry {
    Painter paint;
    // The arguments it takes: glyph names, or a fixed list.
    enum class Args { kNone, kGlyph, kList } args = Args::kNone;
    std::vector<std::string> list = {};
};

const std::map<std::string, PainterEntry>& Painters() {
    using A = PainterEntry::Args;
    static const std::map<std::string, PainterEntry> painters = {
        {"background", {MainBackground}},
        {"caption", {Caption}},
        {"logo", {Logo}},
        {"caption_button", {CaptionButton, A::kGlyph}},
        {"tool_button", {ToolButton, A::kGlyph}},
        {"small_button", {SmallButton, A::kGlyph}},
        {"spin_button", {SpinButton, A::kList, {"up", "down"}}},
        {"tab", {TabIcon, A::kGlyph}},
        {"icon", {[](cairo_t* cr, const Frame& f) { Icon(cr, f, kIcon); }, A::kGlyph}},
        {"accent_icon", {[](cairo_t* cr, const Frame& f) { Icon(cr, f, kAccent); }, A::kGlyph}},
        {"list_dot", {ListDot}},
        {"key_face", {KeyFace}},
        {"device_state", {DeviceState}},
        {"edit", {Edit}},
        {"combobox", {ComboBox}},
        {"button", {PushButton}},
        {"checkbox", {CheckBox}},
        {"radiobox", {RadioBox}},
        {"direction",
         {DirectionButton, A::kList, {"arrow_left", "arrow_right", "arrow_up", "arrow_down"}}},
        {"colorful", {Colorful}},
        {"slider_back", {SliderBack}},
        {"thumb", {Thumb}},
        {"colour_wheel", {ColourWheel}},
        {"palette_thumb", {PaletteThumb}},
        {"scroll_vertical", {ScrollVertical}},
        {"scroll_horizontal", {ScrollHorizontal}},
        {"tip_back", {TipBack}},
        {"tip_arrow", {TipArrow, A::kList, {"left", "right", "top"}}},
        {"prompt", {Prompt}},
        {"battery", {Battery}},
        {"battery_level", {BatteryLevel}},
        {"loading", {Loading}},
        {"app_icon", {AppIcon}},
    };
    return painters;
}

}  // namespace

const Painter* FindPainter(const std::string& name) {
    const auto it = Painters().find(name);
    return it == Painters().end() ? nullptr : &it->second.paint;
}

bool PainterTakesArg(const std::string& name, const std::string& arg) {
    const auto it = Painters().find(name);
    if (it == Painters().end()) {
        return false;
    }
    switch (it->second.args) {
        case PainterEntry::Args::kGlyph:
            return HasGlyph(arg);
        case PainterEntry::Args::kList:
            return std::find(it->second.list.begin(), it->second.list.end(), arg) !=
                   it->second.list.end();
        default:
            return arg.empty() || arg == "-";
    }
}
