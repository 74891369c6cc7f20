// Conversions between the drawing colour (ARGB, straight alpha) and the stored pixel
// (premultiplied ARGB32). Used inside the graphics layer only.
#pragma once

#include <cstdint>

#include "lumoui/base/colors.h"

namespace LumoUI::gfx {

constexpr uint32_t MultiplyChannel(uint32_t channel, uint32_t alpha) {
    // Rounded channel * alpha / 255, exact for all byte values.
    const uint32_t t = channel * alpha + 128;
    return (t + (t >> 8)) >> 8;
}

constexpr uint32_t Premultiply(ARGB color) {
    const uint32_t a = color >> 24;
    if (a == 255) {
        return color;
    }
    return (a << 24) | (MultiplyChannel((color >> 16) & 0xFF, a) << 16) |
           (MultiplyChannel((color >> 8) & 0xFF, a) << 8) | MultiplyChannel(color & 0xFF, a);
}

constexpr ARGB Unpremultiply(uint32_t pixel) {
    const uint32_t a = pixel >> 24;
    if (a == 255) {
        return pixel;
    }
    if (a == 0) {
        return 0;
    }
    auto channel = [a](uint32_t c) {
        const uint32_t v = (c * 255 + a / 2) / a;
        return v > 255 ? 255u : v;
    };
    return (a << 24) | (channel((pixel >> 16) & 0xFF) << 16) | (channel((pixel >> 8) & 0xFF) << 8) |
           channel(pixel & 0xFF);
}

}  // namespace LumoUI::gfx
