// What a Font holds: its pango description and style attributes. Used inside the graphics
// layer only.
#pragma once

#include <mutex>

#include "lumoui/base/cstring.h"
#include "lumoui/gfx/cairo_handles.h"

namespace LumoUI {

struct FontData {
    CString face;
    float size = 0;
    int style = 0;
    gfx::FontDescriptionPtr description;
    gfx::AttrListPtr attributes;  // underline and strikeout; none without them

    mutable std::once_flag heightOnce;
    mutable float height = 0;
};

}  // namespace LumoUI
