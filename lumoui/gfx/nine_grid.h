// Nine-grid drawing: a source rectangle cut by four margins into corners, edges and centre,
// drawn over a destination rectangle with the corners unscaled, the edges stretched along
// their length and the centre stretched both ways.
#pragma once

#include "lumoui/base/geometry.h"
#include "lumoui/base/lumoui_export.h"
#include "lumoui/gfx/bitmap.h"
#include "lumoui/gfx/graphics.h"
#include "lumoui/gfx/image.h"

namespace LumoUI {

struct NineGridMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static constexpr NineGridMargins Uniform(int corner) {
        return {corner, corner, corner, corner};
    }
};

// Pieces are drawn in this order: top-left corner, left edge, bottom-left corner, top edge,
// top-right corner, right edge, bottom-right corner, bottom edge, centre. Pieces without
// area are left out. An absent image draws nothing.
LUMOUI_API void DrawNineGrid(Graphics& graphics, const Bitmap& bitmap, const CRect& dest,
                             const CRect& source, const NineGridMargins& margins);
LUMOUI_API void DrawNineGrid(Graphics& graphics, const Image* image, const CRect& dest,
                             const CRect& source, const NineGridMargins& margins);

}  // namespace LumoUI
