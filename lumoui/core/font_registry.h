// A window's text faces: private font files registered under a name, and families of the
// installed fonts remembered once they were looked up. Guarded by its own lock, because
// controls ask for fonts while animation ticks run on the timer thread.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "lumoui/base/cstring.h"
#include "lumoui/base/lumoui_export.h"
#include "lumoui/gfx/font_family.h"
#include "lumoui/win/win_types.h"

namespace LumoUI {

class LUMOUI_API FontRegistry {
public:
    // Registers the font file and keeps the family of its first face under `name` (replacing
    // what was there); none, and nothing kept, when the file holds no font.
    std::optional<FontFamily> AddFile(const CString& name, const CString& path);
    // The same for a font resource of the toolkit (type "ttf").
    std::optional<FontFamily> AddResource(const CString& name, UINT resourceId);
    // Makes a font resource of the toolkit usable by its face name; false when it is missing
    // or holds no font.
    bool AddFaceResource(UINT resourceId);
    // The family kept under `name`, else the installed family of that name (then kept too);
    // none when neither exists.
    std::optional<FontFamily> Find(const CString& name);
    // Forgets every family. Registered files stay known to the process: registering one
    // again costs nothing.
    void Clear();

    size_t FaceResourceCount() const;

private:
    mutable std::mutex lock_;
    std::map<CString, FontFamily> families_;
    std::vector<CString> faceResources_;  // files of the resources added by AddFaceResource
};

}  // namespace LumoUI
