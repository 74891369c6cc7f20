// Process-wide settings of the toolkit: the program's name, the default text face and size,
// the selection colour and the theme.
#pragma once

#include "lumoui/base/colors.h"
#include "lumoui/base/cstring.h"
#include "lumoui/base/lumoui_export.h"

namespace LumoUI {

class LUMOUI_API Manager {
public:
    // The program name; "Brimlow" until the program sets its own at start-up.
    static void SetDeviceName(const CString& name);
    static CString GetDeviceName();

    static void SetFont(const CString& face, int size);
    static void SetFontName(const CString& face);
    static CString GetFontName();
    static int GetFontWidth();

    static ARGB GetSelectColor();

    // The theme folder inside the skins folder; fixed.
    static CString GetTheme();
};

}  // namespace LumoUI
