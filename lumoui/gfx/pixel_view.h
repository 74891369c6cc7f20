// A raw view of a bitmap's pixels: premultiplied ARGB32 in native byte order (0xAARRGGBB as a
// uint32_t, colour channels already multiplied by alpha), rows `stride` bytes apart, top row
// first. This is what a window system presents.
#pragma once

#include <cstdint>

namespace LumoUI {

struct PixelView {
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;  // bytes from one row to the next

    bool IsEmpty() const { return pixels == nullptr || width <= 0 || height <= 0; }
    uint32_t* Row(int y) const {
        return reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(pixels) +
                                           static_cast<intptr_t>(y) * stride);
    }
};

}  // namespace LumoUI
