// The vertical scroll bar of a container (identifier 1), laid out by MPanel along its
// right edge.
#pragma once

#include "lumoui/controls/m_scroll.h"

namespace LumoUI {

class LUMOUI_API CScrollVertical : public MScroll {
public:
    CScrollVertical(MObject* parent, UINT id, CRect rect, int visible)
        : MScroll(parent, id, rect, visible) {}
};

}  // namespace LumoUI
