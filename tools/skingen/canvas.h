// Cairo objects with their owners, and the drawing helpers every painter uses.
#pragma once

#include <cairo.h>

#include <memory>
#include <string>

#include "theme.h"

struct SurfaceDeleter {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct ContextDeleter {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using ContextPtr = std::unique_ptr<cairo_t, ContextDeleter>;

// A transparent ARGB32 image of the given size, and a context drawing on it.
SurfacePtr NewImage(int width, int height);
ContextPtr NewContext(cairo_surface_t* surface);

// Writes `surface` as a PNG file; false (with a message on stderr) when it cannot.
bool WritePng(cairo_surface_t* surface, const std::string& path);
// The PNG file's bytes, for containers such as the program icon.
std::string PngBytes(cairo_surface_t* surface);

void SetColor(cairo_t* cr, Rgb color, double alpha = 1.0);
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);

// A box with a one-pixel border on the pixel grid: (x, y, w, h) in whole pixels, the border
// drawn inside it. A negative border alpha leaves the border out.
void Box(cairo_t* cr, int x, int y, int w, int h, double radius, Rgb fill, Rgb border,
         double fill_alpha = 1.0, double border_alpha = 1.0);
