#include "text_fit.h"

#include <pango/pangocairo.h>

namespace {

template <typename T>
struct GObjectDeleter {
    void operator()(T* object) const { g_object_unref(object); }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectDeleter<T>>;

struct FontDescriptionDeleter {
    void operator()(PangoFontDescription* description) const {
        pango_font_description_free(description);
    }
};

}  // namespace

TextFit::TextFit(const std::string& face)
    : face_(face),
      context_(pango_font_map_create_context(pango_cairo_font_map_get_default()), g_object_unref) {}

TextFit::~TextFit() = default;

int TextFit::Measure(const std::string& text, const TextRoom& room) const {
    if (room.kind == TextRoom::Kind::kNone) {
        return 0;
    }
    GObjectPtr<PangoLayout> layout(pango_layout_new(context_.get()));
    std::unique_ptr<PangoFontDescription, FontDescriptionDeleter> font(
        pango_font_description_from_string(face_.c_str()));
    pango_font_description_set_absolute_size(font.get(), room.size * PANGO_SCALE);
    pango_layout_set_font_description(layout.get(), font.get());
    if (room.kind == TextRoom::Kind::kBlock) {
        pango_layout_set_width(layout.get(), room.width * PANGO_SCALE);
        pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD);
    }
    pango_layout_set_text(layout.get(), text.c_str(), static_cast<int>(text.size()));
    int width = 0;
    int height = 0;
    pango_layout_get_pixel_size(layout.get(), &width, &height);
    return room.kind == TextRoom::Kind::kLine ? width : height;
}

bool TextFit::Fits(const std::string& text, const TextRoom& room) const {
    const int size = Measure(text, room);
    return room.kind == TextRoom::Kind::kLine ? size <= room.width : size <= room.height;
}
