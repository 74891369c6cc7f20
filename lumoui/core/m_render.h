// Drawing functions shared by the controls and the paint pass: image loading, nine-grid
// frames, transparency gradients, text bounds, fills and rounded rectangles.
#pragma once

#include <memory>

#include "lumoui/base/cstring.h"
#include "lumoui/base/geometry.h"
#include "lumoui/base/lumoui_export.h"
#include "lumoui/gfx/bitmap.h"
#include "lumoui/gfx/color.h"
#include "lumoui/gfx/device_context.h"
#include "lumoui/gfx/font.h"
#include "lumoui/gfx/graphics.h"
#include "lumoui/gfx/image.h"
#include "lumoui/gfx/string_format.h"
#include "lumoui/win/win_types.h"

namespace LumoUI {

class LUMOUI_API MRender {
public:
    // --- images ---
    // None when the file cannot be read or decoded.
    static std::unique_ptr<Image> LoadImageFromFile(const CString& fullPath);
    // An image resource of `module` (see module_resources.h); none when it is missing.
    static std::unique_ptr<Image> LoadImageFromIDResource(UINT id, const CString& type,
                                                          HINSTANCE module);
    // The picture of an icon file (its largest PNG entry) or of any other image file; none
    // when the file has none that can be decoded.
    static std::unique_ptr<Image> LoadIconFromFile(const CString& path);
    // A transparent width x height 32-bit bitmap (empty when a size is not positive).
    static Bitmap CreateARGB32Bitmap(int width, int height);

    // --- nine-grid frames ---
    // The source rectangle (srcX, srcY, srcW, srcH) of `image` cut by `corner` pixels on every
    // side: corners unscaled, edges stretched along their length, the centre both ways, in
    // the order top-left, left, bottom-left, top, top-right, right, bottom-right, bottom,
    // centre. An absent image draws nothing.
    static void DrawImageFrame(Graphics& graphics, const Image* image, CRect dst, int srcX,
                               int srcY, int srcW, int srcH, int corner);
    // The same with a margin of its own for each side.
    static void DrawImageFrameMID(Graphics& graphics, const Image* image, CRect dst, int srcX,
                                  int srcY, int srcW, int srcH, int left, int top, int right,
                                  int bottom);

    // --- transparency gradients ---
    // Blends `srcRect` of `src` into `dstRect` of `dst`, row by row from the top, with a
    // constant alpha that runs linearly from the start transparency to the end one (percent:
    // 0 opaque, 100 invisible). Row i of n gets alpha a + (b - a) * i / n, where a and b are
    // 255 * (100 - percent) / 100.
    static void DrawVerticalTransition(HDC& dst, HDC& src, CRect dstRect, CRect srcRect,
                                       int startPercent, int endPercent);
    // The same column by column from the left.
    static void DrawHorizontalTransition(HDC& dst, HDC& src, CRect dstRect, CRect srcRect,
                                         int startPercent, int endPercent);

    // --- text and fills ---
    // The outline's width rounded up to whole pixels; the font's line height plus 1 when it
    // is a whole number of pixels, plus 4 otherwise.
    static CSize GetTextBounds(const Font& font, const StringFormat& format, const CString& text);
    // Opaque fill with a GDI colour.
    static void FillSolidRect(HDC& dc, int x, int y, int width, int height, COLORREF color);
    // A blended fill; nothing when the colour's alpha is 0.
    static void DrawColor(HDC& dc, const RECT& rect, ARGB color);
    // A rounded rectangle: corner radii width / (2 * radius) across and height / (2 * radius)
    // down, both the smaller one when they differ by more than 10 (square corners for a
    // radius below 1); filled with `fillColor` first when `fill` is set, then outlined.
    static void DrawRoundRectange(Graphics& graphics, int x, int y, int width, int height,
                                  int radius, Color pen, float penWidth, bool fill,
                                  Color fillColor);
};

}  // namespace LumoUI
