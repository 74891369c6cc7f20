#include "lumoui/gfx/surface_painter.h"

#include <cmath>

#include "lumoui/gfx/cairo_handles.h"

namespace LumoUI::gfx {

cairo_filter_t FilterFor(InterpolationMode mode) {
    switch (mode) {
        case InterpolationModeNearestNeighbor:
            return CAIRO_FILTER_NEAREST;
        case InterpolationModeHighQuality:
        case InterpolationModeHighQualityBilinear:
            return CAIRO_FILTER_GOOD;
        case InterpolationModeBicubic:
        case InterpolationModeHighQualityBicubic:
            return CAIRO_FILTER_BEST;
        default:
            return CAIRO_FILTER_BILINEAR;
    }
}

namespace {

// True when user space maps to device space by a whole-pixel translation only, so that an
// unscaled copy lands exactly on pixels.
bool IsPixelAligned(cairo_t* cr, const RectF& dest) {
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    if (m.xx != 1.0 || m.yy != 1.0 || m.xy != 0.0 || m.yx != 0.0) {
        return false;
    }
    double x = dest.X;
    double y = dest.Y;
    cairo_user_to_device(cr, &x, &y);
    return x == std::floor(x) && y == std::floor(y);
}

}  // namespace

void PaintBitmapRect(cairo_t* cr, const Bitmap& source, const CRect& sourceRect, const RectF& dest,
                     cairo_filter_t filter, double opacity) {
    if (source.IsEmpty() || sourceRect.IsRectEmpty() || dest.IsEmptyArea() || opacity <= 0) {
        return;
    }
    CRect visible;
    if (!visible.IntersectRect(sourceRect, source.Bounds())) {
        return;
    }
    const double scaleX = dest.Width / sourceRect.Width();
    const double scaleY = dest.Height / sourceRect.Height();
    const double x = dest.X + (visible.left - sourceRect.left) * scaleX;
    const double y = dest.Y + (visible.top - sourceRect.top) * scaleY;
    const double w = visible.Width() * scaleX;
    const double h = visible.Height() * scaleY;

    cairo_save(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, x, y, w, h);
    const RectF placed(static_cast<float>(x), static_cast<float>(y), static_cast<float>(w),
                       static_cast<float>(h));
    if (scaleX == 1.0 && scaleY == 1.0 && IsPixelAligned(cr, placed)) {
        cairo_set_source_surface(cr, source.Surface(), x - visible.left, y - visible.top);
    } else {
        SurfacePtr part(cairo_surface_create_for_rectangle(
            source.Surface(), visible.left, visible.top, visible.Width(), visible.Height()));
        PatternPtr pattern(cairo_pattern_create_for_surface(part.get()));
        cairo_matrix_t m;
        cairo_matrix_init(&m, 1.0 / scaleX, 0, 0, 1.0 / scaleY, -x / scaleX, -y / scaleY);
        cairo_pattern_set_matrix(pattern.get(), &m);
        cairo_pattern_set_extend(pattern.get(), CAIRO_EXTEND_PAD);
        cairo_pattern_set_filter(pattern.get(), filter);
        cairo_set_source(cr, pattern.get());
    }
    if (opacity >= 1.0) {
        cairo_fill(cr);
    } else {
        cairo_clip(cr);
        cairo_paint_with_alpha(cr, opacity);
    }
    cairo_restore(cr);
}

}  // namespace LumoUI::gfx
