#include "lumoui/gfx/font.h"

#include <pango/pango.h>

#include <cmath>

#include "lumoui/gfx/font_data.h"
#include "lumoui/gfx/text_engine.h"

namespace LumoUI {

namespace {

std::shared_ptr<const FontData> MakeFontData(const CString& face, float size, int style) {
    if (face.empty() || !std::isfinite(size) || size <= 0) {
        return nullptr;
    }
    auto data = std::make_shared<FontData>();
    data->face = face;
    data->size = size;
    data->style = style;
    data->description.reset(pango_font_description_new());
    PangoFontDescription* d = data->description.get();
    pango_font_description_set_family(d, WideToUtf8(face).c_str());
    pango_font_description_set_absolute_size(d, size * PANGO_SCALE);
    pango_font_description_set_weight(
        d, (style & FontStyleBold) != 0 ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(
        d, (style & FontStyleItalic) != 0 ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    if ((style & (FontStyleUnderline | FontStyleStrikeout)) != 0) {
        data->attributes.reset(pango_attr_list_new());
        if ((style & FontStyleUnderline) != 0) {
            pango_attr_list_insert(data->attributes.get(),
                                   pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
        }
        if ((style & FontStyleStrikeout) != 0) {
            pango_attr_list_insert(data->attributes.get(), pango_attr_strikethrough_new(TRUE));
        }
    }
    return data;
}

float LineHeight(const FontData& data) {
    PangoContext* context = gfx::MeasuringContext();
    const gfx::PangoFontPtr font(pango_context_load_font(context, data.description.get()));
    if (!font) {
        return 0;
    }
    const gfx::FontMetricsPtr metrics(pango_font_get_metrics(font.get(), nullptr));
    int height = pango_font_metrics_get_height(metrics.get());
    if (height <= 0) {
        height = pango_font_metrics_get_ascent(metrics.get()) +
                 pango_font_metrics_get_descent(metrics.get());
    }
    return static_cast<float>(height) / PANGO_SCALE;
}

}  // namespace

Font::Font(const FontFamily& family, float size, int style)
    : data_(MakeFontData(family.GetFamilyName(), size, style)) {}

Font::Font(const CString& faceName, float size, int style)
    : data_(MakeFontData(faceName, size, style)) {}

CString Font::GetFaceName() const {
    return data_ ? data_->face : CString();
}

float Font::GetSize() const {
    return data_ ? data_->size : 0.0f;
}

int Font::GetStyle() const {
    return data_ ? data_->style : 0;
}

float Font::GetHeight() const {
    if (!data_) {
        return 0;
    }
    std::call_once(data_->heightOnce, [this] { data_->height = LineHeight(*data_); });
    return data_->height;
}

}  // namespace LumoUI
