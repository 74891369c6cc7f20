// A window's pixels on the client side in the format of its visual, as an XImage that is
// shared with the server (MIT-SHM) where possible, and the request that copies a part of it
// into the window.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <cstdint>
#include <memory>

#include "lumoui/base/geometry.h"

namespace LumoUI {

class X11Surface {
public:
    // None when the image cannot be made.
    static std::unique_ptr<X11Surface> Create(Display* display, Visual* visual, int depth,
                                              CSize size, bool useShm);
    ~X11Surface();
    X11Surface(const X11Surface&) = delete;
    X11Surface& operator=(const X11Surface&) = delete;

    CSize Size() const { return CSize(image_->width, image_->height); }
    bool UsesShm() const { return shm_.shmaddr != nullptr; }

    // Stores `count` premultiplied ARGB pixels at (x, y) in the visual's format. With an alpha
    // channel (depth 32) it is kept; otherwise the colour is what the pixel shows over black.
    void Store(int x, int y, const uint32_t* argb, int count);
    // Copies `area` of the image to the same place in `target`. A shared image is read by the
    // server later, so this waits until it was read and the next Store cannot tear it.
    void Put(Drawable target, GC gc, const CRect& area) const;

private:
    X11Surface(Display* display, Visual* visual, int depth);
    unsigned long PixelOf(uint32_t argb) const;

    Display* display_;
    int depth_;
    XImage* image_ = nullptr;
    XShmSegmentInfo shm_{};
    bool plainLayout_ = false;  // 32 bits per pixel with 8-bit red, green and blue in place
    int redShift_ = 0, greenShift_ = 0, blueShift_ = 0;
    int redBits_ = 0, greenBits_ = 0, blueBits_ = 0;
};

}  // namespace LumoUI
