// Drawing on a bitmap: images (whole, by source rectangle, scaled), filled and outlined
// shapes and paths, text in a rectangle by a StringFormat, with clipping, translation and
// saved states. Settings start as smoothing none, bilinear interpolation, the system text
// hint and source-over compositing.
#pragma once

#include <memory>
#include <optional>

#include "lumoui/base/cstring.h"
#include "lumoui/base/geometry.h"
#include "lumoui/base/lumoui_export.h"
#include "lumoui/gfx/bitmap.h"
#include "lumoui/gfx/color.h"
#include "lumoui/gfx/drawing_modes.h"
#include "lumoui/gfx/font.h"
#include "lumoui/gfx/geometry_f.h"
#include "lumoui/gfx/image.h"
#include "lumoui/gfx/path.h"
#include "lumoui/gfx/pen.h"
#include "lumoui/gfx/string_format.h"

namespace LumoUI {

class DeviceContext;
struct GraphicsData;

using GraphicsState = int;

class LUMOUI_API Graphics {
public:
    explicit Graphics(Bitmap& target);
    // Draws on the context's bitmap, limited to the context's clip rectangle.
    explicit Graphics(const DeviceContext& dc);
    ~Graphics();
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    // False when there is nothing to draw on; every drawing call then does nothing.
    bool IsValid() const;

    void SetSmoothingMode(SmoothingMode mode);
    SmoothingMode GetSmoothingMode() const;
    void SetInterpolationMode(InterpolationMode mode);
    InterpolationMode GetInterpolationMode() const;
    void SetTextRenderingHint(TextRenderingHint hint);
    TextRenderingHint GetTextRenderingHint() const;
    void SetCompositingMode(CompositingMode mode);
    CompositingMode GetCompositingMode() const;

    // Save gives a state that Restore returns to: the settings, clip and transform at the
    // time of the Save. States saved after it are dropped too.
    GraphicsState Save();
    void Restore(GraphicsState state);

    void TranslateTransform(float dx, float dy);
    void ResetTransform();

    // Clip rectangles are in the current (translated) coordinates. SetClip replaces the clip,
    // IntersectClip narrows it, ResetClip removes it (back to the target's own limit).
    void SetClip(const CRect& rect);
    void IntersectClip(const CRect& rect);
    void ResetClip();

    // Sets every pixel inside the clip to `color`.
    void Clear(Color color);

    void FillRectangle(Color color, const RectF& rect);
    void FillRectangle(Color color, const CRect& rect) { FillRectangle(color, RectF(rect)); }
    void FillEllipse(Color color, const RectF& rect);
    void FillPath(Color color, const Path& path);
    void DrawRectangle(const Pen& pen, const RectF& rect);
    void DrawEllipse(const Pen& pen, const RectF& rect);
    void DrawLine(const Pen& pen, float x1, float y1, float x2, float y2);
    void DrawPath(const Pen& pen, const Path& path);

    // Images draw their active frame; an absent image draws nothing. Natural size at (x, y);
    // the whole image stretched over `dest`; or the source rectangle `source` (pixels of the
    // image) scaled into `dest`.
    void DrawImage(const Image* image, int x, int y);
    void DrawImage(const Image* image, const CRect& dest);
    void DrawImage(const Image* image, const CRect& dest, const CRect& source);
    void DrawImage(const Bitmap& bitmap, int x, int y);
    void DrawImage(const Bitmap& bitmap, const CRect& dest);
    void DrawImage(const Bitmap& bitmap, const CRect& dest, const CRect& source);
    // The same with a constant opacity (0-255) applied on top of the image's own alpha.
    void DrawImage(const Bitmap& bitmap, const CRect& dest, const CRect& source, int opacity);

    // Text in `layout` by `format`: aligned horizontally (near, centre, far) and vertically
    // (line alignment); wrapped at word boundaries unless the format says no-wrap; with a
    // line limit only whole lines are shown; clipped to `layout` unless the format says
    // no-clip; shortened with "…" by the ellipsis trimmings. A layout width or height of 0
    // leaves that direction unbounded and aligns around the layout's position. An invalid
    // font or an empty text draws nothing.
    void DrawString(const CString& text, const Font& font, const RectF& layout,
                    const StringFormat& format, Color color);
    void DrawString(const CString& text, const Font& font, PointF origin, Color color);
    // The box the text takes when drawn so: its lines' extents (line height each), placed as
    // drawn. Empty for an invalid font or an empty text.
    RectF MeasureString(const CString& text, const Font& font, const RectF& layout,
                        const StringFormat& format) const;

private:
    Graphics(Bitmap* target, std::optional<CRect> clip);

    std::unique_ptr<GraphicsData> data_;
};

}  // namespace LumoUI
