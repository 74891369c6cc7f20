// A picture as the headless display keeps it: premultiplied ARGB32, the format windows
// present, with PNG reading and writing.
#pragma once

#include <cstdint>
#include <vector>

#include "lumoui/base/colors.h"
#include "lumoui/base/cstring.h"
#include "lumoui/base/geometry.h"
#include "lumoui/base/lumoui_export.h"
#include "lumoui/win/window_backend.h"

namespace LumoUI {

class LUMOUI_API HeadlessImage {
public:
    HeadlessImage() = default;
    HeadlessImage(int width, int height, uint32_t fill = 0);

    int Width() const { return width_; }
    int Height() const { return height_; }
    CSize Size() const { return CSize(width_, height_); }
    bool IsEmpty() const { return width_ == 0 || height_ == 0; }

    // The stored (premultiplied) pixel; 0 outside the picture.
    uint32_t Pixel(int x, int y) const;
    void SetPixel(int x, int y, uint32_t pixel);
    // The pixel as a plain (not premultiplied) colour.
    ARGB Color(int x, int y) const;
    uint32_t* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
    const uint32_t* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
    PixelView View() const;

    // False when the file cannot be written or read, or is not a PNG.
    bool SavePng(const CString& path) const;
    static bool LoadPng(const CString& path, HeadlessImage* image);

    bool operator==(const HeadlessImage&) const = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
};

}  // namespace LumoUI
