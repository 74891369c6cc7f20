// A filled rectangle: opaque (optionally with a 1-pixel frame), or a transparency gradient of
// its fill colour over what lies beneath.
#pragma once

#include "lumoui/core/m_control.h"
#include "lumoui/gfx/color.h"

namespace LumoUI {

class LUMOUI_API CArea : public MControl {
public:
    CArea(MObject* parent, UINT id, CRect rect, int visible, int enabled);

    void DrawControl(HDC& dc, CRect clip) override;

    // Transparency in percent at the start and the end of the gradient (top to bottom, or
    // left to right); both 0 fills opaquely. With a repaint request when visible.
    void SetTransparent(int startOpacity, int endOpacity, COLORREF fill);
    // A 1-pixel frame of `frame` around an opaque fill; the third argument is not used.
    void SetFrame(int on, Color frame, int unused = 0);
    // 1: the gradient runs top to bottom, 0: left to right.
    void SetDirection(int vertical) { vertical_ = vertical; }

private:
    int vertical_ = 1;
    int startOpacity_ = 80;
    int endOpacity_ = 80;
    COLORREF fill_ = 0xFFFFFF;
    int frame_ = 0;
    Color frameColor_{0xFF050505};
};

}  // namespace LumoUI
