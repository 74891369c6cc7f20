#include "lumoui/gfx/text_bounds.h"

#include <pango/pango.h>

#include <cmath>

#include "lumoui/gfx/text_engine.h"

namespace LumoUI {

CSize MeasureTextBounds(const Font& font, const StringFormat& format, const CString& text) {
    if (!font.IsValid()) {
        return {};
    }
    int width = 0;
    if (!text.empty()) {
        // Laid out from a point, as a path of the text is: no wrapping, no clipping.
        const gfx::LaidOutText laidOut =
            gfx::LayOutText(gfx::MeasuringContext(), text, font, RectF(), format, false);
        if (laidOut.layout) {
            PangoRectangle ink;
            pango_layout_get_extents(laidOut.layout.get(), &ink, nullptr);
            width = static_cast<int>(std::ceil(static_cast<double>(ink.width) / PANGO_SCALE));
        }
    }
    const float lineHeight = font.GetHeight();
    const float extra = lineHeight == std::floor(lineHeight) ? 1.0f : 4.0f;
    return {width, static_cast<int>(lineHeight + extra)};
}

}  // namespace LumoUI
