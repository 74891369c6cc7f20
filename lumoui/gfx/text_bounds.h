// The size a string's outline takes: its ink width rounded up to whole pixels, and a height
// from the font's line height (plus 1 when that is a whole number of pixels, plus 4
// otherwise, truncated).
#pragma once

#include "lumoui/base/cstring.h"
#include "lumoui/base/geometry.h"
#include "lumoui/base/lumoui_export.h"
#include "lumoui/gfx/font.h"
#include "lumoui/gfx/string_format.h"

namespace LumoUI {

// An invalid font measures (0, 0); an empty text has width 0 and the height of a line.
LUMOUI_API CSize MeasureTextBounds(const Font& font, const StringFormat& format,
                                   const CString& text);

}  // namespace LumoUI
