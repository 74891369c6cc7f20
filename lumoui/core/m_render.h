// Drawing functions shared by the controls.
#pragma once

#include "lumoui/base/geometry.h"
#include "lumoui/base/lumoui_export.h"
#include "lumoui/gfx/device_context.h"

namespace LumoUI {

class LUMOUI_API MRender {
public:
    // Blends `srcRect` of `src` into `dstRect` of `dst`, row by row from the top, with a
    // constant alpha that runs linearly from the start transparency to the end one (percent:
    // 0 opaque, 100 invisible). Row i of n gets alpha a + (b - a) * i / n, where a and b are
    // 255 * (100 - percent) / 100.
    static void DrawVerticalTransition(HDC& dst, HDC& src, CRect dstRect, CRect srcRect,
                                       int startPercent, int endPercent);
    // The same column by column from the left.
    static void DrawHorizontalTransition(HDC& dst, HDC& src, CRect dstRect, CRect srcRect,
                                         int startPercent, int endPercent);
};

}  // namespace LumoUI
