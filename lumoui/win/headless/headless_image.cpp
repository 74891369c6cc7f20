#include "lumoui/win/headless/headless_image.h"

#include <cairo.h>

#include <algorithm>
#include <memory>

#include "lumoui/gfx/pixel_format.h"

namespace LumoUI {

namespace {

struct SurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

}  // namespace

HeadlessImage::HeadlessImage(int width, int height, uint32_t fill)
    : width_(std::max(0, width)),
      height_(std::max(0, height)),
      pixels_(static_cast<size_t>(width_) * height_, fill) {
    if (width_ == 0 || height_ == 0) {
        width_ = height_ = 0;
        pixels_.clear();
    }
}

uint32_t HeadlessImage::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return 0;
    }
    return Row(y)[x];
}

void HeadlessImage::SetPixel(int x, int y, uint32_t pixel) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) {
        Row(y)[x] = pixel;
    }
}

ARGB HeadlessImage::Color(int x, int y) const {
    return gfx::Unpremultiply(Pixel(x, y));
}

PixelView HeadlessImage::View() const {
    // Views are only read from (presented, compared); the pixels stay this image's.
    return PixelView{const_cast<uint32_t*>(pixels_.data()), width_, height_, width_ * 4};
}

bool HeadlessImage::SavePng(const CString& path) const {
    if (IsEmpty()) {
        return false;
    }
    // cairo's ARGB32 rows need no padding, so the pixels can be handed over as they are.
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, width_);
    if (stride != width_ * 4) {
        return false;
    }
    SurfacePtr surface(cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(pixels_.data())),
        CAIRO_FORMAT_ARGB32, width_, height_, stride));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        return false;
    }
    return cairo_surface_write_to_png(surface.get(), WideToUtf8(path).c_str()) ==
           CAIRO_STATUS_SUCCESS;
}

bool HeadlessImage::LoadPng(const CString& path, HeadlessImage* image) {
    if (image == nullptr) {
        return false;
    }
    SurfacePtr surface(cairo_image_surface_create_from_png(WideToUtf8(path).c_str()));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
        return false;
    }
    cairo_surface_flush(surface.get());
    const cairo_format_t format = cairo_image_surface_get_format(surface.get());
    if (format != CAIRO_FORMAT_ARGB32 && format != CAIRO_FORMAT_RGB24) {
        return false;
    }
    const int width = cairo_image_surface_get_width(surface.get());
    const int height = cairo_image_surface_get_height(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    HeadlessImage loaded(width, height);
    for (int y = 0; y < loaded.Height(); ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < loaded.Width(); ++x) {
            // RGB24 leaves the alpha byte undefined: such a picture is opaque.
            loaded.Row(y)[x] = format == CAIRO_FORMAT_RGB24 ? (row[x] | 0xFF000000) : row[x];
        }
    }
    *image = std::move(loaded);
    return true;
}

}  // namespace LumoUI
