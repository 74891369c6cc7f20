#include "canvas.h"

#include <cmath>
#include <iostream>

SurfacePtr NewImage(int width, int height) {
    return SurfacePtr(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
}

ContextPtr NewContext(cairo_surface_t* surface) {
    return ContextPtr(cairo_create(surface));
}

bool WritePng(cairo_surface_t* surface, const std::string& path) {
    cairo_surface_flush(surface);
    const cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
    if (status != CAIRO_STATUS_SUCCESS) {
        std::cerr << path << ": " << cairo_status_to_string(status) << "\n";
        return false;
    }
    return true;
}

std::string PngBytes(cairo_surface_t* surface) {
    std::string bytes;
    cairo_surface_flush(surface);
    cairo_surface_write_to_png_stream(
        surface,
        [](void* closure, const unsigned char* data, unsigned int length) {
            static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
            return CAIRO_STATUS_SUCCESS;
        },
        &bytes);
    return bytes;
}

void SetColor(cairo_t* cr, Rgb color, double alpha) {
    cairo_set_source_rgba(cr, color.r, color.g, color.b, alpha);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius) {
    const double r = std::min(radius, std::min(w, h) / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void Box(cairo_t* cr, int x, int y, int w, int h, double radius, Rgb fill, Rgb border,
         double fill_alpha, double border_alpha) {
    RoundedRect(cr, x, y, w, h, radius);
    SetColor(cr, fill, fill_alpha);
    cairo_fill(cr);
    if (border_alpha >= 0) {
        RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, std::max(0.0, radius - 0.5));
        cairo_set_line_width(cr, 1);
        SetColor(cr, border, border_alpha);
        cairo_stroke(cr);
    }
}
