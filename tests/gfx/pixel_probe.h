// Pixel probes shared by the graphics tests.
#pragma once

#include <string>

#include "lumoui/base/geometry.h"
#include "lumoui/gfx/bitmap.h"
#include "lumoui/gfx/font_family.h"

namespace gfx_test {

// An open-licensed face installed with the build dependencies (fonts-dejavu-core).
inline const wchar_t* const kDejaVuSansPath = L"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

inline LumoUI::FontFamily DejaVuSans() {
    return LumoUI::FontFamily::FromFile(kDejaVuSansPath).value();
}

// The smallest rectangle holding every pixel whose alpha is above `threshold`; empty when
// there is none.
inline CRect InkBounds(const LumoUI::Bitmap& bitmap, int threshold = 0) {
    CRect ink;
    bool found = false;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            if (AlphaOf(bitmap.GetPixel(x, y)) <= threshold) {
                continue;
            }
            if (!found) {
                ink = CRect(x, y, x + 1, y + 1);
                found = true;
            } else {
                ink.UnionRect(ink, CRect(x, y, x + 1, y + 1));
            }
        }
    }
    return ink;
}

inline bool SamePixels(const LumoUI::Bitmap& a, const LumoUI::Bitmap& b) {
    if (a.Size() != b.Size()) {
        return false;
    }
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (a.GetPixel(x, y) != b.GetPixel(x, y)) {
                return false;
            }
        }
    }
    return true;
}

// Every pixel of `rect` has exactly `color`.
inline bool AllPixels(const LumoUI::Bitmap& bitmap, const CRect& rect, ARGB color) {
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            if (bitmap.GetPixel(x, y) != color) {
                return false;
            }
        }
    }
    return true;
}

// Some pixel is neither transparent nor opaque: edges were smoothed.
inline bool HasPartialAlpha(const LumoUI::Bitmap& bitmap) {
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            const int a = AlphaOf(bitmap.GetPixel(x, y));
            if (a != 0 && a != 255) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace gfx_test
