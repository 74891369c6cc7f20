#include "lumoui/gfx/bitmap.h"

#include <cairo.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "lumoui/gfx/cairo_handles.h"
#include "lumoui/gfx/pixel_format.h"
#include "lumoui/gfx/surface_painter.h"

namespace LumoUI {

namespace {

// cairo's image surfaces address at most 32767 pixels in each direction.
constexpr int kMaxSide = 32767;

cairo_surface_t* NewSurface(int width, int height) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
        return nullptr;
    }
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    return surface;
}

// A context drawing into `target`, limited to `clip` when one is given.
gfx::CairoPtr ContextFor(const Bitmap& target, const CRect* clip) {
    gfx::CairoPtr cr(cairo_create(target.Surface()));
    if (clip != nullptr) {
        cairo_rectangle(cr.get(), clip->left, clip->top, clip->Width(), clip->Height());
        cairo_clip(cr.get());
    }
    return cr;
}

// The rectangle of `target` that a drawing limited to `rect` and `clip` may change.
CRect Limit(const Bitmap& target, const CRect& rect, const CRect* clip) {
    CRect limited;
    limited.IntersectRect(rect, target.Bounds());
    if (clip != nullptr) {
        limited.IntersectRect(limited, *clip);
    }
    return limited;
}

}  // namespace

Bitmap::Bitmap(int width, int height) {
    Create(width, height);
}

Bitmap::~Bitmap() {
    Reset();
}

Bitmap::Bitmap(Bitmap&& other) noexcept
    : surface_(std::exchange(other.surface_, nullptr)),
      width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)) {}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
    if (this != &other) {
        Reset();
        surface_ = std::exchange(other.surface_, nullptr);
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
    }
    return *this;
}

void Bitmap::Adopt(_cairo_surface* surface) {
    Reset();
    if (surface != nullptr) {
        surface_ = surface;
        width_ = cairo_image_surface_get_width(surface);
        height_ = cairo_image_surface_get_height(surface);
    }
}

void Bitmap::Reset() {
    if (surface_ != nullptr) {
        cairo_surface_destroy(surface_);
    }
    surface_ = nullptr;
    width_ = 0;
    height_ = 0;
}

Bitmap Bitmap::Clone() const {
    Bitmap copy;
    if (!IsEmpty() && copy.Create(width_, height_)) {
        copy.CopyFrom(*this, Bounds(), CPoint(0, 0));
    }
    return copy;
}

bool Bitmap::Create(int width, int height) {
    Adopt(NewSurface(width, height));
    return !IsEmpty();
}

bool Bitmap::Resize(int width, int height) {
    if (!IsEmpty() && width == width_ && height == height_) {
        return true;
    }
    Bitmap resized(width, height);
    if (resized.IsEmpty()) {
        Reset();
        return false;
    }
    if (!IsEmpty()) {
        resized.CopyFrom(*this, Bounds(), CPoint(0, 0));
    }
    *this = std::move(resized);
    return true;
}

PixelView Bitmap::View() const {
    if (IsEmpty()) {
        return {};
    }
    cairo_surface_flush(surface_);
    return {reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface_)), width_, height_,
            cairo_image_surface_get_stride(surface_)};
}

void Bitmap::MarkDirty() {
    if (!IsEmpty()) {
        cairo_surface_mark_dirty(surface_);
    }
}

ARGB Bitmap::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return 0;
    }
    return gfx::Unpremultiply(View().Row(y)[x]);
}

void Bitmap::SetPixel(int x, int y, ARGB color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return;
    }
    View().Row(y)[x] = gfx::Premultiply(color);
    MarkDirty();
}

void Bitmap::Clear(ARGB color) {
    Fill(Bounds(), color);
}

void Bitmap::Fill(const CRect& rect, ARGB color) {
    const CRect area = Limit(*this, rect, nullptr);
    if (area.IsRectEmpty()) {
        return;
    }
    const PixelView view = View();
    const uint32_t pixel = gfx::Premultiply(color);
    for (int y = area.top; y < area.bottom; ++y) {
        std::fill_n(view.Row(y) + area.left, area.Width(), pixel);
    }
    MarkDirty();
}

void Bitmap::CopyFrom(const Bitmap& source, const CRect& sourceRect, CPoint destination,
                      const CRect* clip) {
    if (IsEmpty() || source.IsEmpty()) {
        return;
    }
    // Limit the source to the source bitmap, then the destination to this one and the clip,
    // keeping the two rectangles in step.
    CRect from;
    if (!from.IntersectRect(sourceRect, source.Bounds())) {
        return;
    }
    CRect to(CPoint(destination.x + from.left - sourceRect.left,
                    destination.y + from.top - sourceRect.top),
             from.Size());
    const CRect limited = Limit(*this, to, clip);
    if (limited.IsRectEmpty()) {
        return;
    }
    from.OffsetRect(limited.left - to.left, limited.top - to.top);
    from.right = from.left + limited.Width();
    from.bottom = from.top + limited.Height();

    const PixelView in = source.View();
    const PixelView out = View();
    const size_t rowBytes = static_cast<size_t>(limited.Width()) * sizeof(uint32_t);
    if (&source == this) {
        // Overlapping copies within one bitmap go through a copy of the source rows.
        std::vector<uint32_t> rows(static_cast<size_t>(limited.Width()) * limited.Height());
        for (int y = 0; y < limited.Height(); ++y) {
            std::memcpy(&rows[static_cast<size_t>(y) * limited.Width()],
                        in.Row(from.top + y) + from.left, rowBytes);
        }
        for (int y = 0; y < limited.Height(); ++y) {
            std::memcpy(out.Row(limited.top + y) + limited.left,
                        &rows[static_cast<size_t>(y) * limited.Width()], rowBytes);
        }
    } else {
        for (int y = 0; y < limited.Height(); ++y) {
            std::memcpy(out.Row(limited.top + y) + limited.left, in.Row(from.top + y) + from.left,
                        rowBytes);
        }
    }
    MarkDirty();
}

namespace {

// Draws `sourceRect` of `source` into `destRect` of `target` with the given operator. A
// source that is the target itself is copied first, since cairo does not read and write one
// surface in a single operation.
void PaintInto(Bitmap& target, const Bitmap& source, const CRect& sourceRect, const CRect& destRect,
               cairo_operator_t op, cairo_filter_t filter, double opacity, const CRect* clip) {
    if (target.IsEmpty() || source.IsEmpty() || Limit(target, destRect, clip).IsRectEmpty()) {
        return;
    }
    Bitmap snapshot;
    const Bitmap* from = &source;
    CRect fromRect = sourceRect;
    if (&source == &target) {
        // The snapshot holds the visible part of the source; the source rectangle is moved
        // with it, so the part outside is still left out.
        CRect visible;
        if (!visible.IntersectRect(sourceRect, source.Bounds()) ||
            !snapshot.Create(visible.Width(), visible.Height())) {
            return;
        }
        snapshot.CopyFrom(source, visible, CPoint(0, 0));
        from = &snapshot;
        fromRect.OffsetRect(-visible.left, -visible.top);
    }
    gfx::CairoPtr cr = ContextFor(target, clip);
    cairo_set_operator(cr.get(), op);
    gfx::PaintBitmapRect(cr.get(), *from, fromRect, RectF(destRect), filter, opacity);
    target.MarkDirty();
}

}  // namespace

void Bitmap::StretchFrom(const Bitmap& source, const CRect& sourceRect, const CRect& destRect,
                         InterpolationMode mode, const CRect* clip) {
    PaintInto(*this, source, sourceRect, destRect, CAIRO_OPERATOR_SOURCE, gfx::FilterFor(mode), 1.0,
              clip);
}

void Bitmap::BlendFrom(const Bitmap& source, const CRect& sourceRect, const CRect& destRect,
                       int constantAlpha, bool sourceAlpha, const CRect* clip) {
    const int alpha = std::clamp(constantAlpha, 0, 255);
    if (alpha == 0) {
        return;
    }
    PaintInto(*this, source, sourceRect, destRect,
              sourceAlpha ? CAIRO_OPERATOR_OVER : CAIRO_OPERATOR_SOURCE, CAIRO_FILTER_NEAREST,
              alpha / 255.0, clip);
}

bool Bitmap::SavePng(const CString& path) const {
    if (IsEmpty()) {
        return false;
    }
    cairo_surface_flush(surface_);
    return cairo_surface_write_to_png(surface_, WideToUtf8(path).c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace LumoUI
