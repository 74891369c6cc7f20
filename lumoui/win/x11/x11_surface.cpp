#include "lumoui/win/x11/x11_surface.h"

#include <X11/Xutil.h>

#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

namespace LumoUI {

namespace {

int ImageOrderOfThisMachine() {
    return std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
}

void MaskLayout(unsigned long mask, int* shift, int* bits) {
    *shift = mask == 0 ? 0 : std::countr_zero(mask);
    *bits = std::popcount(mask);
}

// The top `bits` bits of an 8-bit channel, at `shift`.
unsigned long Channel(uint32_t value, int shift, int bits) {
    return bits >= 8 ? static_cast<unsigned long>(value) << (shift + bits - 8)
                     : static_cast<unsigned long>(value >> (8 - bits)) << shift;
}

}  // namespace

X11Surface::X11Surface(Display* display, Visual* visual, int depth)
    : display_(display), depth_(depth) {
    MaskLayout(visual->red_mask, &redShift_, &redBits_);
    MaskLayout(visual->green_mask, &greenShift_, &greenBits_);
    MaskLayout(visual->blue_mask, &blueShift_, &blueBits_);
}

std::unique_ptr<X11Surface> X11Surface::Create(Display* display, Visual* visual, int depth,
                                               CSize size, bool useShm) {
    std::unique_ptr<X11Surface> s(new X11Surface(display, visual, depth));
    const auto width = static_cast<unsigned>(std::max(1, size.cx));
    const auto height = static_cast<unsigned>(std::max(1, size.cy));
    // Shared images are in the server's byte order, which must be this machine's too.
    if (useShm && ImageByteOrder(display) == ImageOrderOfThisMachine()) {
        s->image_ = XShmCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, nullptr,
                                    &s->shm_, width, height);
        if (s->image_ != nullptr) {
            const size_t bytes = static_cast<size_t>(s->image_->bytes_per_line) * height;
            s->shm_.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
            void* address =
                s->shm_.shmid < 0 ? reinterpret_cast<void*>(-1) : shmat(s->shm_.shmid, nullptr, 0);
            if (address != reinterpret_cast<void*>(-1)) {
                s->shm_.shmaddr = static_cast<char*>(address);
                s->shm_.readOnly = False;
                s->image_->data = s->shm_.shmaddr;
                XShmAttach(display, &s->shm_);
                // Once the server holds it, the segment can be marked for removal: it goes
                // away when both sides have let go, also when the process dies.
                XSync(display, False);
            } else {
                s->image_->data = nullptr;
                XDestroyImage(s->image_);
                s->image_ = nullptr;
            }
            if (s->shm_.shmid >= 0) {
                shmctl(s->shm_.shmid, IPC_RMID, nullptr);
            }
        }
    }
    if (s->image_ == nullptr) {
        s->shm_ = {};
        const size_t bytes = static_cast<size_t>(width) * height * 4;
        char* data = static_cast<char*>(std::calloc(bytes, 1));
        if (data == nullptr) {
            return nullptr;
        }
        s->image_ = XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0, data,
                                 width, height, 32, 0);
        if (s->image_ == nullptr) {
            std::free(data);
            return nullptr;
        }
        // The pixels are written as this machine's words; Xlib swaps them if the server
        // wants the other order.
        s->image_->byte_order = ImageOrderOfThisMachine();
    }
    s->plainLayout_ = s->image_->bits_per_pixel == 32 && visual->red_mask == 0xFF0000 &&
                      visual->green_mask == 0xFF00 && visual->blue_mask == 0xFF;
    return s;
}

X11Surface::~X11Surface() {
    if (image_ == nullptr) {
        return;
    }
    if (UsesShm()) {
        XShmDetach(display_, &shm_);
        image_->data = nullptr;  // not Xlib's to free
        XDestroyImage(image_);
        shmdt(shm_.shmaddr);
    } else {
        XDestroyImage(image_);  // frees the pixels too
    }
}

unsigned long X11Surface::PixelOf(uint32_t argb) const {
    return Channel((argb >> 16) & 0xFF, redShift_, redBits_) |
           Channel((argb >> 8) & 0xFF, greenShift_, greenBits_) |
           Channel(argb & 0xFF, blueShift_, blueBits_);
}

void X11Surface::Store(int x, int y, const uint32_t* argb, int count) {
    if (y < 0 || y >= image_->height || x < 0 || x >= image_->width) {
        return;
    }
    count = std::min(count, image_->width - x);
    if (plainLayout_) {
        auto* row = reinterpret_cast<uint32_t*>(image_->data +
                                                static_cast<ptrdiff_t>(y) * image_->bytes_per_line);
        if (depth_ == 32) {
            std::memcpy(row + x, argb, static_cast<size_t>(count) * 4);
        } else {
            for (int i = 0; i < count; ++i) {
                row[x + i] = argb[i] & 0xFFFFFF;
            }
        }
        return;
    }
    for (int i = 0; i < count; ++i) {
        XPutPixel(image_, x + i, y, PixelOf(argb[i]));
    }
}

void X11Surface::Put(Drawable target, GC gc, const CRect& area) const {
    CRect part;
    if (!part.IntersectRect(area, CRect(0, 0, image_->width, image_->height))) {
        return;
    }
    const auto width = static_cast<unsigned>(part.Width());
    const auto height = static_cast<unsigned>(part.Height());
    if (UsesShm()) {
        XShmPutImage(display_, target, gc, image_, part.left, part.top, part.left, part.top, width,
                     height, False);
        XSync(display_, False);
    } else {
        XPutImage(display_, target, gc, image_, part.left, part.top, part.left, part.top, width,
                  height);
    }
}

}  // namespace LumoUI
