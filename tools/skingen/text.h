// Text on the skin images (key legends, the logo, the review sheet), laid out with pango.
#pragma once

#include <cairo.h>

#include <string>

#include "theme.h"

struct TextStyle {
    std::string face = "Open Sans";
    double size = 12;  // pixels
    bool bold = false;
    double letter_spacing = 0;  // pixels
};

// The width and height `text` takes in `style`, in pixels.
void MeasureText(cairo_t* cr, const std::string& text, const TextStyle& style, double& width,
                 double& height);

// Draws `text` centred in the box (x, y, w, h).
void DrawCentredText(cairo_t* cr, const std::string& text, const TextStyle& style, Rgb color,
                     double x, double y, double w, double h, double alpha = 1.0);

// Draws `text` with its top-left corner at (x, y).
void DrawText(cairo_t* cr, const std::string& text, const TextStyle& style, Rgb color, double x,
              double y, double alpha = 1.0);
