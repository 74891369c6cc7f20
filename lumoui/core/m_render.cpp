#include "lumoui/core/m_render.h"

namespace LumoUI {

namespace {

int Opacity(int percent) {
    return 255 * (100 - percent) / 100;
}

// The constant alpha of step i of n, kept in 0-255 as an 8-bit value would.
BLENDFUNCTION StepBlend(int start, int end, int i, int n) {
    const int a = Opacity(start);
    const int b = Opacity(end);
    const int alpha = static_cast<int>(a + (b - a) * static_cast<double>(i) / n);
    BLENDFUNCTION blend;
    blend.SourceConstantAlpha = static_cast<uint8_t>(((alpha % 256) + 256) % 256);
    return blend;
}

}  // namespace

void MRender::DrawVerticalTransition(HDC& dst, HDC& src, CRect dstRect, CRect srcRect,
                                     int startPercent, int endPercent) {
    const int n = dstRect.Height();
    for (int i = 0; i < n; ++i) {
        dst.AlphaBlend(dstRect.left, dstRect.top + i, dstRect.Width(), 1, src, srcRect.left,
                       srcRect.top + i, srcRect.Width(), 1,
                       StepBlend(startPercent, endPercent, i, n));
    }
}

void MRender::DrawHorizontalTransition(HDC& dst, HDC& src, CRect dstRect, CRect srcRect,
                                       int startPercent, int endPercent) {
    const int n = dstRect.Width();
    for (int i = 0; i < n; ++i) {
        dst.AlphaBlend(dstRect.left + i, dstRect.top, 1, dstRect.Height(), src, srcRect.left + i,
                       srcRect.top, 1, srcRect.Height(), StepBlend(startPercent, endPercent, i, n));
    }
}

}  // namespace LumoUI
