#include "lumoui/gfx/text_engine.h"

#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <string>

#include "lumoui/gfx/font_data.h"

namespace LumoUI::gfx {

namespace {

std::atomic<unsigned> g_fontGeneration{0};

constexpr double kUnit = PANGO_SCALE;

PangoAlignment PangoAlignmentFor(StringAlignment a) {
    switch (a) {
        case StringAlignmentCenter:
            return PANGO_ALIGN_CENTER;
        case StringAlignmentFar:
            return PANGO_ALIGN_RIGHT;
        default:
            return PANGO_ALIGN_LEFT;
    }
}

// Where a block of `size` starts in a span of `span` beginning at `start`.
double Align(StringAlignment a, double start, double span, double size) {
    switch (a) {
        case StringAlignmentCenter:
            return start + (span - size) / 2;
        case StringAlignmentFar:
            return start + span - size;
        default:
            return start;
    }
}

std::string TextForLayout(const CString& text, const StringFormat& format) {
    std::string utf8 = WideToUtf8(text);
    if (!format.HasFlag(StringFormatFlagsMeasureTrailingSpaces)) {
        // Trailing spaces take no room in alignment unless the format measures them.
        while (!utf8.empty() && utf8.back() == ' ') {
            utf8.pop_back();
        }
    }
    return utf8;
}

}  // namespace

void NoteFontsChanged() {
    g_fontGeneration.fetch_add(1, std::memory_order_acq_rel);
}

PangoFontMap* FontMapForThisThread() {
    thread_local unsigned seen = 0;
    PangoFontMap* map = pango_cairo_font_map_get_default();
    const unsigned now = g_fontGeneration.load(std::memory_order_acquire);
    if (seen != now) {
        seen = now;
        if (PANGO_IS_FC_FONT_MAP(map)) {
            pango_fc_font_map_config_changed(PANGO_FC_FONT_MAP(map));
        }
    }
    return map;
}

PangoContext* MeasuringContext() {
    thread_local PangoContextPtr context;
    PangoFontMap* map = FontMapForThisThread();
    if (!context || pango_context_get_font_map(context.get()) != map) {
        context.reset(pango_font_map_create_context(map));
        FontOptionsPtr options(cairo_font_options_create());
        cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
        pango_cairo_context_set_font_options(context.get(), options.get());
        pango_context_set_round_glyph_positions(context.get(), FALSE);
    }
    return context.get();
}

bool IsGridFit(TextRenderingHint hint) {
    return hint == TextRenderingHintSingleBitPerPixelGridFit ||
           hint == TextRenderingHintAntiAliasGridFit || hint == TextRenderingHintClearTypeGridFit;
}

void ApplyRenderingHint(PangoContext* context, TextRenderingHint hint) {
    FontOptionsPtr options(cairo_font_options_create());
    const bool singleBit = hint == TextRenderingHintSingleBitPerPixelGridFit ||
                           hint == TextRenderingHintSingleBitPerPixel;
    cairo_font_options_set_antialias(options.get(),
                                     singleBit ? CAIRO_ANTIALIAS_NONE : CAIRO_ANTIALIAS_GRAY);
    if (hint == TextRenderingHintSystemDefault) {
        cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_DEFAULT);
        cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_DEFAULT);
    } else if (IsGridFit(hint)) {
        cairo_font_options_set_hint_style(
            options.get(), singleBit ? CAIRO_HINT_STYLE_FULL : CAIRO_HINT_STYLE_SLIGHT);
        cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_ON);
    } else {
        cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
    }
    pango_cairo_context_set_font_options(context, options.get());
    pango_context_set_round_glyph_positions(context, IsGridFit(hint) ? TRUE : FALSE);
}

LaidOutText LayOutText(PangoContext* context, const CString& text, const Font& font,
                       const RectF& rect, const StringFormat& format, bool roundOrigin) {
    LaidOutText result;
    const FontData* data = font.Data();
    const std::string utf8 = TextForLayout(text, format);
    if (data == nullptr || utf8.empty()) {
        return result;
    }
    result.layout.reset(pango_layout_new(context));
    PangoLayout* layout = result.layout.get();
    pango_layout_set_font_description(layout, data->description.get());
    if (data->attributes) {
        pango_layout_set_attributes(layout, data->attributes.get());
    }
    pango_layout_set_text(layout, utf8.data(), static_cast<int>(utf8.size()));

    const bool boundedWidth = rect.Width > 0;
    const bool boundedHeight = rect.Height > 0;
    const bool wrap = boundedWidth && !format.HasFlag(StringFormatFlagsNoWrap);
    const StringTrimming trimming = format.GetTrimming();
    const bool ellipsize = boundedWidth && (trimming == StringTrimmingEllipsisCharacter ||
                                            trimming == StringTrimmingEllipsisWord ||
                                            trimming == StringTrimmingEllipsisPath);
    // With a width the lines are aligned inside it; without one, relative to the widest
    // line, and the block is placed below.
    const bool widthSet = wrap || ellipsize;
    if (widthSet) {
        pango_layout_set_width(layout, static_cast<int>(rect.Width * kUnit));
    }
    if (wrap) {
        pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    }
    if (ellipsize) {
        pango_layout_set_ellipsize(layout, trimming == StringTrimmingEllipsisPath
                                               ? PANGO_ELLIPSIZE_MIDDLE
                                               : PANGO_ELLIPSIZE_END);
        if (wrap && boundedHeight) {
            pango_layout_set_height(layout, static_cast<int>(rect.Height * kUnit));
        }
    }
    pango_layout_set_alignment(layout, PangoAlignmentFor(format.GetAlignment()));

    // The lines to show: all of them, or with a line limit those that fit entirely.
    const bool lineLimit = boundedHeight && format.HasFlag(StringFormatFlagsLineLimit);
    PangoRectangle box{0, 0, 0, 0};
    bool any = false;
    PangoLayoutIter* iter = pango_layout_get_iter(layout);
    do {
        PangoRectangle logical;
        pango_layout_iter_get_line_extents(iter, nullptr, &logical);
        if (lineLimit && logical.y + logical.height > rect.Height * kUnit + 0.5) {
            break;
        }
        PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
        PangoRectangle own;
        pango_layout_line_get_extents(line, nullptr, &own);
        result.lines.push_back(
            {line, (logical.x - own.x) / kUnit, pango_layout_iter_get_baseline(iter) / kUnit});
        if (!any) {
            box = logical;
            any = true;
        } else {
            const int right = std::max(box.x + box.width, logical.x + logical.width);
            const int bottom = std::max(box.y + box.height, logical.y + logical.height);
            box.x = std::min(box.x, logical.x);
            box.y = std::min(box.y, logical.y);
            box.width = right - box.x;
            box.height = bottom - box.y;
        }
    } while (pango_layout_iter_next_line(iter));
    pango_layout_iter_free(iter);
    if (!any) {
        return result;
    }

    const double boxX = box.x / kUnit;
    const double boxY = box.y / kUnit;
    const double boxW = box.width / kUnit;
    const double boxH = box.height / kUnit;
    double left =
        widthSet ? rect.X
                 : Align(format.GetAlignment(), rect.X, std::max(0.0f, rect.Width), boxW) - boxX;
    double top = Align(format.GetLineAlignment(), rect.Y, std::max(0.0f, rect.Height), boxH) - boxY;
    if (roundOrigin) {
        left = std::round(left);
        top = std::round(top);
    }
    for (TextLine& line : result.lines) {
        line.x += left;
        line.baseline += top;
    }
    result.box = RectF(static_cast<float>(left + boxX), static_cast<float>(top + boxY),
                       static_cast<float>(boxW), static_cast<float>(boxH));
    result.clip = boundedWidth && boundedHeight && !format.HasFlag(StringFormatFlagsNoClip);
    return result;
}

}  // namespace LumoUI::gfx
