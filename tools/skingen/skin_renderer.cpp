#include "skin_renderer.h"

#include <filesystem>
#include <fstream>
#include <iostream>

#include "gif_writer.h"
#include "ico_writer.h"
#include "painters.h"

namespace {

SurfacePtr RenderFrame(const ImageSpec& spec, int index, int width, int height) {
    SurfacePtr surface = NewImage(width, height);
    ContextPtr cr = NewContext(surface.get());
    Frame frame{index, spec.frames, width, height, spec.arg};
    cairo_rectangle(cr.get(), 0, 0, width, height);
    cairo_clip(cr.get());
    (*FindPainter(spec.painter))(cr.get(), frame);
    cairo_surface_flush(surface.get());
    return surface;
}

// The frames side by side (strip) or one below the other (stack) in one surface.
SurfacePtr JoinFrames(const RenderedImage& image) {
    const ImageSpec& spec = *image.spec;
    SurfacePtr joined = NewImage(spec.Width(), spec.Height());
    ContextPtr cr = NewContext(joined.get());
    for (size_t i = 0; i < image.frames.size(); ++i) {
        const bool stacked = spec.arrangement == Arrangement::kStack;
        const double x = stacked ? 0 : static_cast<double>(i) * spec.frame_width;
        const double y = stacked ? static_cast<double>(i) * spec.frame_height : 0;
        cairo_set_source_surface(cr.get(), image.frames[i].get(), x, y);
        cairo_paint(cr.get());
    }
    cairo_surface_flush(joined.get());
    return joined;
}

// Animation frames carry coverage only; the GIF shows it as a ramp from the wait dialog's
// background to the accent colour.
std::string EncodeAnimation(const RenderedImage& image) {
    const ImageSpec& spec = *image.spec;
    GifAnimation gif;
    gif.width = spec.frame_width;
    gif.height = spec.frame_height;
    for (int i = 0; i < 256; ++i) {
        const Rgb c = Mix(theme::kWaitBackground, theme::kAccent, i / 255.0);
        gif.palette[i] = {static_cast<uint8_t>(c.r * 255 + 0.5),
                          static_cast<uint8_t>(c.g * 255 + 0.5),
                          static_cast<uint8_t>(c.b * 255 + 0.5)};
    }
    for (const SurfacePtr& frame : image.frames) {
        const unsigned char* data = cairo_image_surface_get_data(frame.get());
        const int stride = cairo_image_surface_get_stride(frame.get());
        std::vector<uint8_t> pixels;
        pixels.reserve(static_cast<size_t>(gif.width) * gif.height);
        for (int y = 0; y < gif.height; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
            for (int x = 0; x < gif.width; ++x) {
                pixels.push_back(static_cast<uint8_t>(row[x] >> 24));
            }
        }
        gif.frames.push_back(std::move(pixels));
    }
    return EncodeGif(gif);
}

std::string EncodeIcon(const RenderedImage& image) {
    std::vector<IconImage> icons;
    for (const SurfacePtr& frame : image.frames) {
        icons.push_back({cairo_image_surface_get_width(frame.get()), PngBytes(frame.get())});
    }
    return EncodeIco(icons);
}

}  // namespace

RenderedImage RenderImage(const ImageSpec& spec) {
    RenderedImage image;
    image.spec = &spec;
    if (spec.arrangement == Arrangement::kIcon) {
        for (const int size : spec.IconSizes()) {
            image.frames.push_back(RenderFrame(spec, 0, size, size));
        }
        return image;
    }
    for (int i = 0; i < spec.frames; ++i) {
        image.frames.push_back(RenderFrame(spec, i, spec.frame_width, spec.frame_height));
    }
    return image;
}

namespace {

void MakeFolderOf(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
}

}  // namespace

bool WritePngFile(cairo_surface_t* surface, const std::string& path) {
    MakeFolderOf(path);
    return WritePng(surface, path);
}

bool WriteFile(const std::string& path, const std::string& bytes) {
    MakeFolderOf(path);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out.flush()) {
        std::cerr << path << ": cannot be written\n";
        return false;
    }
    return true;
}

bool WriteImage(const RenderedImage& image, const std::string& folder) {
    const std::string path = folder + "/" + image.spec->name;
    switch (image.spec->arrangement) {
        case Arrangement::kAnimation:
            return WriteFile(path, EncodeAnimation(image));
        case Arrangement::kIcon:
            return WriteFile(path, EncodeIcon(image));
        default:
            return WritePngFile(JoinFrames(image).get(), path);
    }
}
