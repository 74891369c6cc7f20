// The folders the toolkit reads beside the program: the application folder (the running
// executable's), its skin folder for the theme and its font folder. Each ends with '/'.
#pragma once

#include "lumoui/base/cstring.h"
#include "lumoui/base/lumoui_export.h"

namespace LumoUI {

LUMOUI_API CString GetApplicationFolder();
LUMOUI_API CString GetSkinFolder();  // application folder + "skins/" + theme
LUMOUI_API CString GetFontFolder();  // application folder + "font/"

}  // namespace LumoUI
