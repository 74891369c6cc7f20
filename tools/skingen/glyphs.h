// The line icons of the skin, drawn on a 24-unit design grid at any pixel size with the one
// stroke weight of the theme. Straight strokes are snapped to the pixel grid so they stay crisp.
#pragma once

#include <cairo.h>

#include <string>

#include "theme.h"

// Draws glyph `name` into the square (x, y, size, size); false for an unknown name.
bool DrawGlyph(cairo_t* cr, const std::string& name, double x, double y, double size, Rgb color,
               double alpha = 1.0);

// Whether `name` is a glyph DrawGlyph() knows.
bool HasGlyph(const std::string& name);
