// A font: face name, size in pixels and style bits. It serves both for the toolkit's text
// drawing and where a GDI font handle is kept (a default-made Font is the null handle).
#pragma once

#include <memory>

#include "lumoui/base/cstring.h"
#include "lumoui/base/lumoui_export.h"
#include "lumoui/gfx/font_family.h"

namespace LumoUI {

enum FontStyle {
    FontStyleRegular = 0,
    FontStyleBold = 1,
    FontStyleItalic = 2,
    FontStyleBoldItalic = 3,
    FontStyleUnderline = 4,
    FontStyleStrikeout = 8,
};

struct FontData;

class LUMOUI_API Font {
public:
    // No font: text drawn with it is not drawn.
    Font() = default;
    // The family at `size` pixels (em height) in `style` (FontStyle bits).
    Font(const FontFamily& family, float size, int style = FontStyleRegular);
    // By face name: a face that is neither installed nor registered falls back to the
    // default sans-serif face, as a GDI font does.
    Font(const CString& faceName, float size, int style = FontStyleRegular);

    bool IsValid() const { return data_ != nullptr; }
    explicit operator bool() const { return IsValid(); }

    CString GetFaceName() const;
    float GetSize() const;
    int GetStyle() const;

    // Distance between the baselines of two lines in pixels (ascent + descent + line gap of
    // the face at this size, not rounded); 0 for no font.
    float GetHeight() const;

    const FontData* Data() const { return data_.get(); }

private:
    std::shared_ptr<const FontData> data_;
};

}  // namespace LumoUI
