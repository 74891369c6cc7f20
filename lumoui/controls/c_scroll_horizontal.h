// The horizontal scroll bar of a container (identifier 2), laid out by MPanel along its
// bottom edge.
#pragma once

#include "lumoui/controls/m_scroll.h"

namespace LumoUI {

class LUMOUI_API CScrollHorizontal : public MScroll {
public:
    CScrollHorizontal(MObject* parent, UINT id, CRect rect, int visible)
        : MScroll(parent, id, rect, visible) {}
};

}  // namespace LumoUI
