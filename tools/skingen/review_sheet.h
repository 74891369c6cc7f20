// The review sheet: every skin image with its frames side by side, and the keyboard pictures,
// on one page for a person to look over.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "canvas.h"
#include "skin_renderer.h"

struct NamedPicture {
    std::string name;
    cairo_surface_t* surface = nullptr;
};

SurfacePtr DrawReviewSheet(const std::vector<RenderedImage>& images,
                           const std::vector<NamedPicture>& pictures);
