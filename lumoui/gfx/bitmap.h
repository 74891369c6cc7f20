// A 32-bit ARGB bitmap: a window's presentation buffer, a back buffer, a control's cached
// image or a decoded image frame. Pixels are stored premultiplied (see PixelView); the colour
// functions take and return straight ARGB.
#pragma once

#include "lumoui/base/colors.h"
#include "lumoui/base/cstring.h"
#include "lumoui/base/geometry.h"
#include "lumoui/base/lumoui_export.h"
#include "lumoui/gfx/drawing_modes.h"
#include "lumoui/gfx/pixel_view.h"

struct _cairo_surface;

namespace LumoUI {

class LUMOUI_API Bitmap {
public:
    Bitmap() = default;
    // A transparent bitmap; empty when a size is not positive or memory runs out.
    Bitmap(int width, int height);
    ~Bitmap();
    Bitmap(Bitmap&& other) noexcept;
    Bitmap& operator=(Bitmap&& other) noexcept;
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    // A copy of the whole bitmap, pixels and size.
    Bitmap Clone() const;

    // Replaces the pixels with a transparent width x height bitmap; false (and empty) when
    // that cannot be made.
    bool Create(int width, int height);
    // Changes the size and keeps the pixels that still fit, top-left aligned; new pixels are
    // transparent. Does nothing when the size is unchanged.
    bool Resize(int width, int height);
    void Reset();

    bool IsEmpty() const { return surface_ == nullptr; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    CRect Bounds() const { return {0, 0, width_, height_}; }
    CSize Size() const { return {width_, height_}; }

    // The pixels for direct access; call MarkDirty after writing through the view.
    PixelView View() const;
    void MarkDirty();

    // Straight ARGB of one pixel; 0 outside the bitmap.
    ARGB GetPixel(int x, int y) const;
    // Stores one pixel (nothing outside the bitmap).
    void SetPixel(int x, int y, ARGB color);

    // Sets every pixel (or those of `rect`) to `color`, replacing what was there.
    void Clear(ARGB color = 0);
    void Fill(const CRect& rect, ARGB color);
    // An opaque fill with a GDI colour.
    void FillOpaque(const CRect& rect, COLORREF color) { Fill(rect, ArgbFromColorref(color)); }

    // Each of these copies pixels of `source` (which may be this bitmap) into this one and
    // does nothing where the rectangles leave either bitmap or `clip` (when given).
    // Copy: the pixels of `sourceRect` replace those at `destination`, unscaled.
    void CopyFrom(const Bitmap& source, const CRect& sourceRect, CPoint destination,
                  const CRect* clip = nullptr);
    // Stretch: `sourceRect` scaled into `destRect`, replacing its pixels.
    void StretchFrom(const Bitmap& source, const CRect& sourceRect, const CRect& destRect,
                     InterpolationMode mode = InterpolationModeNearestNeighbor,
                     const CRect* clip = nullptr);
    // Blend: `sourceRect` (scaled into `destRect` when their sizes differ) blended with the
    // constant opacity `constantAlpha` (0-255). With `sourceAlpha` the source's own alpha
    // counts as well (source over); without it every channel is mixed linearly,
    // dest = source * k + dest * (1 - k).
    void BlendFrom(const Bitmap& source, const CRect& sourceRect, const CRect& destRect,
                   int constantAlpha, bool sourceAlpha, const CRect* clip = nullptr);

    // Writes the bitmap as a PNG file; false when it cannot be written.
    bool SavePng(const CString& path) const;

    // The cairo image surface behind the bitmap (none when empty), for the graphics layer.
    _cairo_surface* Surface() const { return surface_; }

private:
    void Adopt(_cairo_surface* surface);

    _cairo_surface* surface_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace LumoUI
