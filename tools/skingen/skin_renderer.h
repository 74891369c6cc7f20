// Drawing the images of the image table and writing them in their file formats.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"
#include "image_table.h"

// One image drawn: a surface per frame (strips, stacks, animations) or per size (icons).
struct RenderedImage {
    const ImageSpec* spec = nullptr;
    std::vector<SurfacePtr> frames;
};

RenderedImage RenderImage(const ImageSpec& spec);

// Writes the image below `folder` under its table name (PNG strip or stack, GIF, ICO), making
// the subfolders it needs; false with a message on stderr when it cannot.
bool WriteImage(const RenderedImage& image, const std::string& folder);

// Write a file, creating its folder first; false with a message on stderr when they cannot.
bool WriteFile(const std::string& path, const std::string& bytes);
bool WritePngFile(cairo_surface_t* surface, const std::string& path);
