// Paints a rectangle of a bitmap, scaled or not, through a cairo context: shared by the bitmap
// copies and by Graphics. Used inside the graphics layer only.
#pragma once

#include <cairo.h>

#include "lumoui/gfx/bitmap.h"
#include "lumoui/gfx/drawing_modes.h"
#include "lumoui/gfx/geometry_f.h"

namespace LumoUI::gfx {

cairo_filter_t FilterFor(InterpolationMode mode);

// Draws `sourceRect` of `source` into `dest` (user space of `cr`) with the context's current
// operator and clip, multiplied by `opacity` (0..1). The part of `sourceRect` outside the
// bitmap is left out together with its share of `dest`. Edge pixels of the source rectangle
// are repeated rather than mixed with their neighbours outside it, so pieces of one image
// (nine-grid frames, strip frames) do not bleed into each other when scaled.
void PaintBitmapRect(cairo_t* cr, const Bitmap& source, const CRect& sourceRect, const RectF& dest,
                     cairo_filter_t filter, double opacity);

}  // namespace LumoUI::gfx
