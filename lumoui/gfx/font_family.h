// A font family that text can be drawn with: a family of the installed fonts, or the family of
// a private font file registered for this process.
#pragma once

#include <optional>

#include "lumoui/base/cstring.h"
#include "lumoui/base/lumoui_export.h"

namespace LumoUI {

class LUMOUI_API FontFamily {
public:
    // Registers a font file (TrueType or OpenType) for this process and gives the family of
    // its first face; none when the file is missing or holds no font. Registering a file
    // again gives the same family without adding it twice. Text drawn afterwards, on any
    // thread, finds the family.
    static std::optional<FontFamily> FromFile(const CString& path);
    // An installed (or registered) family by name, compared without regard to case; none when
    // no font of that name exists.
    static std::optional<FontFamily> Installed(const CString& name);

    const CString& GetFamilyName() const { return name_; }
    bool operator==(const FontFamily&) const = default;

private:
    explicit FontFamily(CString name) : name_(std::move(name)) {}

    CString name_;
};

}  // namespace LumoUI
