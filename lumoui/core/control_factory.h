// Making controls by class name, for the two factories: a window's (its paint manager) and a
// container's (MPanel). Each knows its own set of names; the class is matched exactly.
#pragma once

#include <memory>

#include "lumoui/core/m_control.h"

namespace LumoUI {

enum class ControlFactory { kWindow, kContainer };

struct ControlRequest {
    UINT kind = 1;  // 1: a control, 0: an area
    MObject* parent = nullptr;
    const wchar_t* className = nullptr;
    UINT id = 0;
    CRect rect;
    const wchar_t* text = nullptr;
    int visible = 1;  // the first of the two integers of the request
    int enabled = 1;  // the second
};

// The new control, not yet attached to a manager or a list; none for an empty class name or
// one that `factory` does not know.
std::unique_ptr<MControl> ConstructControl(ControlFactory factory, const ControlRequest& request);

}  // namespace LumoUI
