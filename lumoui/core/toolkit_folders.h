// The folders the toolkit reads beside the program: the application folder (the running
// executable's), its skin folder for the theme and its font folder. Each ends with '/'.
#pragma once

#include "lumoui/base/cstring.h"
#include "lumoui/base/lumoui_export.h"

namespace LumoUI {

LUMOUI_API CString GetApplicationFolder();
LUMOUI_API CString GetSkinFolder();  // application folder + "skins/" + theme
LUMOUI_API CString GetFontFolder();  // application folder + "font/"

// Makes `folder` the application folder instead of the executable's (empty: the executable's
// again); for hosts whose program files live elsewhere, and for tests.
LUMOUI_API void SetApplicationFolder(const CString& folder);

}  // namespace LumoUI
