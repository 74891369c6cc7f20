// The painters of the skin images: each draws one frame of an image of the image table.
#pragma once

#include <cairo.h>

#include <functional>
#include <string>

// What a painter is asked to draw: frame `index` of `frames`, `width` × `height` pixels, with the
// table's argument (a glyph name, a direction...). The context's origin is the frame's corner and
// drawing is clipped to the frame.
struct Frame {
    int index = 0;
    int frames = 1;
    int width = 0;
    int height = 0;
    std::string arg;
};

using Painter = std::function<void(cairo_t*, const Frame&)>;

// The painter called `name`, or none.
const Painter* FindPainter(const std::string& name);

// Whether the painter accepts `arg` (for example a glyph it knows); the table is checked with it.
bool PainterTakesArg(const std::string& name, const std::string& arg);
