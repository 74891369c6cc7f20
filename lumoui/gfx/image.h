// A decoded image (PNG, GIF with all its frames, JPEG, BMP): its frames as bitmaps, the frame
// delays of an animation and the active frame that drawing uses.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "lumoui/base/cstring.h"
#include "lumoui/base/lumoui_export.h"
#include "lumoui/gfx/bitmap.h"

namespace LumoUI {

class LUMOUI_API Image {
public:
    // None when the file is missing, unreadable, not an image or too large to decode.
    static std::unique_ptr<Image> FromFile(const CString& path);
    static std::unique_ptr<Image> FromMemory(const void* data, size_t size);

    // A still image made of one bitmap (none when the bitmap is empty).
    static std::unique_ptr<Image> FromBitmap(Bitmap bitmap);

    int GetWidth() const { return frames_.front().Width(); }
    int GetHeight() const { return frames_.front().Height(); }

    // Frames in the time dimension: the frames of an animated GIF, 1 for any other image.
    int GetFrameCount() const { return static_cast<int>(frames_.size()); }
    // Delay of a frame in milliseconds as the file gives it (0 for still images and for
    // indexes out of range).
    int GetFrameDelay(int index) const;

    int GetActiveFrame() const { return active_; }
    // Makes `index` the frame that drawing uses; false (and no change) when out of range.
    bool SelectActiveFrame(int index);

    // A frame's pixels; the index is clamped to the frames there are.
    const Bitmap& GetFrame(int index) const;
    const Bitmap& GetActiveBitmap() const { return frames_[static_cast<size_t>(active_)]; }

private:
    struct Frames {
        std::vector<Bitmap> bitmaps;
        std::vector<int> delays;
    };

public:
    // Made by the functions above only (Frames is private).
    explicit Image(Frames frames);

private:
    std::vector<Bitmap> frames_;  // never empty
    std::vector<int> delays_;
    int active_ = 0;
};

}  // namespace LumoUI
