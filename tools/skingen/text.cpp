#include "text.h"

#include <pango/pangocairo.h>

#include <cmath>
#include <memory>

#include "canvas.h"

namespace {

// Height of the capitals as a share of the font size (Open Sans).
constexpr double kCapHeight = 0.714;

struct LayoutDeleter {
    void operator()(PangoLayout* layout) const { g_object_unref(layout); }
};
struct FontDeleter {
    void operator()(PangoFontDescription* font) const { pango_font_description_free(font); }
};
struct AttributesDeleter {
    void operator()(PangoAttrList* list) const { pango_attr_list_unref(list); }
};

std::unique_ptr<PangoLayout, LayoutDeleter> MakeLayout(cairo_t* cr, const std::string& text,
                                                       const TextStyle& style) {
    std::unique_ptr<PangoLayout, LayoutDeleter> layout(pango_cairo_create_layout(cr));
    std::unique_ptr<PangoFontDescription, FontDeleter> font(pango_font_description_new());
    pango_font_description_set_family(font.get(), style.face.c_str());
    pango_font_description_set_weight(font.get(),
                                      style.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_absolute_size(font.get(), style.size * PANGO_SCALE);
    pango_layout_set_font_description(layout.get(), font.get());
    if (style.letter_spacing != 0) {
        std::unique_ptr<PangoAttrList, AttributesDeleter> list(pango_attr_list_new());
        pango_attr_list_insert(
            list.get(),
            pango_attr_letter_spacing_new(static_cast<int>(style.letter_spacing * PANGO_SCALE)));
        pango_layout_set_attributes(layout.get(), list.get());
    }
    pango_layout_set_text(layout.get(), text.c_str(), static_cast<int>(text.size()));
    return layout;
}

}  // namespace

void MeasureText(cairo_t* cr, const std::string& text, const TextStyle& style, double& width,
                 double& height) {
    const auto layout = MakeLayout(cr, text, style);
    PangoRectangle ink;
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout.get(), &ink, &logical);
    width = logical.width;
    height = logical.height;
}

void DrawCentredText(cairo_t* cr, const std::string& text, const TextStyle& style, Rgb color,
                     double x, double y, double w, double h, double alpha) {
    const auto layout = MakeLayout(cr, text, style);
    PangoRectangle ink;
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout.get(), &ink, &logical);
    // Horizontally by the advance; vertically the capitals' height is centred, so every legend
    // shares one baseline whatever its letters.
    const double baseline =
        pango_layout_get_baseline(layout.get()) / static_cast<double>(PANGO_SCALE);
    const double left = std::round(x + (w - logical.width) / 2.0 - logical.x);
    const double top = std::round(y + (h + style.size * kCapHeight) / 2.0 - baseline);
    cairo_save(cr);
    SetColor(cr, color, alpha);
    cairo_move_to(cr, left, top);
    pango_cairo_show_layout(cr, layout.get());
    cairo_restore(cr);
}

void DrawText(cairo_t* cr, const std::string& text, const TextStyle& style, Rgb color, double x,
              double y, double alpha) {
    const auto layout = MakeLayout(cr, text, style);
    cairo_save(cr);
    SetColor(cr, color, alpha);
    cairo_move_to(cr, x, y);
    pango_cairo_show_layout(cr, layout.get());
    cairo_restore(cr);
}
