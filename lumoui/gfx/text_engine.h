// Text layout on pango: the font map of the calling thread (kept up to date with registered
// font files), rendering hints, and laying a string out in a rectangle by a StringFormat.
// Used inside the graphics layer only.
#pragma once

#include <pango/pango.h>

#include <vector>

#include "lumoui/base/cstring.h"
#include "lumoui/gfx/cairo_handles.h"
#include "lumoui/gfx/drawing_modes.h"
#include "lumoui/gfx/font.h"
#include "lumoui/gfx/geometry_f.h"
#include "lumoui/gfx/string_format.h"

namespace LumoUI::gfx {

// Tells every thread's font map that the set of fonts changed (a file was registered).
void NoteFontsChanged();

// The calling thread's font map, refreshed when fonts were registered since its last use.
PangoFontMap* FontMapForThisThread();

// A context of the calling thread for measuring without hinting, as outlines measure.
PangoContext* MeasuringContext();

// Sets antialiasing, hinting and glyph position rounding for a rendering hint.
void ApplyRenderingHint(PangoContext* context, TextRenderingHint hint);
bool IsGridFit(TextRenderingHint hint);

struct TextLine {
    PangoLayoutLine* line;  // owned by the layout
    double x;               // origin of the line (left end of its baseline), in pixels
    double baseline;
};

// A string laid out in its rectangle: the lines to draw with their origins, and the box they
// take (logical extents), both in the coordinates of the rectangle.
struct LaidOutText {
    PangoLayoutPtr layout;
    std::vector<TextLine> lines;
    RectF box;
    bool clip = false;  // drawing is limited to the rectangle
};

// Lays `text` out in `rect` by `format`. A width or height of 0 or less leaves that direction
// unbounded: alignment is then around rect's position. Gives no lines for an invalid font or
// an empty text.
LaidOutText LayOutText(PangoContext* context, const CString& text, const Font& font,
                       const RectF& rect, const StringFormat& format, bool roundOrigin);

}  // namespace LumoUI::gfx
