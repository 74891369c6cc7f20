// Resources of a module (the program or the toolkit library), found by numeric identifier and
// type as a module's resource table is: each resource is the file "<id>.<type>" (type in
// lower case) of the module's resource folder.
//
// The toolkit's own resources (the scroll bar images PNG 101 and 102, the font TTF 106) ship
// in the folder "lumoui-resources/" beside liblumoui.so; the program's are in "resources/" of
// the application folder. A module handle without a folder has no resources.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "lumoui/base/cstring.h"
#include "lumoui/base/lumoui_export.h"
#include "lumoui/win/win_types.h"

namespace LumoUI {

// The toolkit library itself.
LUMOUI_API HINSTANCE GetToolkitModule();
// The running program, the module a program hands to Manager::SetInstance.
LUMOUI_API HINSTANCE GetProgramModule();

// The folder a module's resources are read from, ending with '/'; empty for an unknown module.
LUMOUI_API CString GetModuleResourceFolder(HINSTANCE module);
// Points a module's resources at another folder (empty: back to its own); for hosts that keep
// their files elsewhere, and for tests.
LUMOUI_API void SetModuleResourceFolder(HINSTANCE module, const CString& folder);

// The file holding the resource; empty when the module has no such resource. The type is
// matched without regard to case ("PNG", "png").
LUMOUI_API CString FindModuleResource(HINSTANCE module, UINT id, const CString& type);
// The resource's bytes; none when it is missing or cannot be read.
LUMOUI_API std::optional<std::vector<uint8_t>> LoadModuleResource(HINSTANCE module, UINT id,
                                                                  const CString& type);

}  // namespace LumoUI
