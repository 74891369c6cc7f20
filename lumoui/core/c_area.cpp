#include "lumoui/core/c_area.h"

#include "lumoui/core/control_factory.h"
#include "lumoui/core/m_render.h"
#include "lumoui/gfx/graphics.h"

namespace LumoUI {

CArea::CArea(MObject* parent, UINT id, CRect rect, int visible, int enabled)
    : MControl(parent, id, rect, visible, enabled, 1) {}

void CArea::DrawControl(HDC& dc, CRect) {
    if (!GetUpdate() && BeginMemDC(dc)) {
        const int width = rect_.Width();
        const int height = rect_.Height();
        HDC& cache = MemDC();
        const CRect all(0, 0, width, height);
        if (startOpacity_ != 0 || endOpacity_ != 0) {
            Bitmap scratch(width, height);
            HDC fill(scratch);
            fill.FillSolidRect(all, fill_);
            if (vertical_) {
                MRender::DrawVerticalTransition(cache, fill, all, all, startOpacity_, endOpacity_);
            } else {
                MRender::DrawHorizontalTransition(cache, fill, all, all, startOpacity_,
                                                  endOpacity_);
            }
        } else if (frame_) {
            Graphics(cache).FillRectangle(frameColor_, all);
            cache.FillSolidRect(1, 1, width - 2, height - 2, fill_);
        } else {
            cache.FillSolidRect(all, fill_);
        }
    }
    CopyMemDC(dc);
}

void CArea::SetTransparent(int startOpacity, int endOpacity, COLORREF fill) {
    startOpacity_ = startOpacity;
    endOpacity_ = endOpacity;
    fill_ = fill;
    UpdateControl(1, 0);
}

void CArea::SetFrame(int on, Color frame, int) {
    frame_ = on;
    frameColor_ = frame;
    UpdateControl(1, 0);
}

LUMOUI_REGISTER_CONTROL(CArea)

}  // namespace LumoUI
