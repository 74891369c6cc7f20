#include "lumoui/core/m_control_font.h"

#include "lumoui/core/manager.h"
#include "lumoui/core/paint_manager.h"

namespace LumoUI {

MControlFont::MControlFont(MObject* parent, UINT id, CRect rect, const wchar_t* title, int visible,
                           int enabled, int response)
    : MControl(parent, id, rect, visible, enabled, response),
      title_(title != nullptr ? title : L""),
      fontFace_(Manager::GetFontName()),
      fontSize_(Manager::GetFontWidth()) {}

void MControlFont::SetTextFont(const CString& face) {
    fontFace_ = face;
}

void MControlFont::SetTextColor(Color color) {
    textColor_ = color;
}

int MControlFont::SetImage(const wchar_t* path, int count) {
    if (manager_ == nullptr || path == nullptr) {
        return 0;
    }
    const ImgResInfo* info = manager_->AddImgResInfo(path, count);
    if (info == nullptr) {
        return 0;
    }
    image_ = info->image.get();
    imageWidth_ = info->frameWidth;
    imageHeight_ = info->height;
    imageCount_ = count;
    imagePath_ = path;
    UpdateControl(1, 0);
    return 1;
}

void MControlFont::SetControlTitle(const wchar_t* title) {
    title_ = title != nullptr ? title : L"";
}

CString MControlFont::GetControlTitle() const {
    return title_;
}

void MControlFont::SetTitle(const wchar_t* title) {
    ClearGDIFont();
    SetControlTitle(title);
    UpdateControl(1, 0);
}

void MControlFont::SetAlignment(UINT horizontal) {
    SetAlignment(horizontal, vAlign_);
}

void MControlFont::SetVAlignment(UINT vertical) {
    SetAlignment(hAlign_, vertical);
}

void MControlFont::SetAlignment(UINT horizontal, UINT vertical) {
    if (horizontal == hAlign_ && vertical == vAlign_) {
        return;
    }
    hAlign_ = horizontal;
    vAlign_ = vertical;
    UpdateControl(1, 0);
}

void MControlFont::GetAlignment(UINT& horizontal, UINT& vertical) const {
    horizontal = hAlign_;
    vertical = vAlign_;
}

void MControlFont::SetFont(const wchar_t* face, int size, int style) {
    fontFace_ = face != nullptr ? face : L"";
    fontSize_ = size;
    fontStyle_ = style;
}

const FontFamily* MControlFont::GetFontFamily(const wchar_t* face) {
    fontFamily_ = manager_ != nullptr ? manager_->FindTempFont(face) : std::nullopt;
    return fontFamily_ ? &*fontFamily_ : nullptr;
}

const Font& MControlFont::GetGDIFont() {
    if (!gdiFont_) {
        const int style = fontStyle_ & (FontStyleBold | FontStyleItalic | FontStyleUnderline);
        gdiFont_ = Font(Manager::GetFontName(), static_cast<float>(fontSize_), style);
    }
    return gdiFont_;
}

}  // namespace LumoUI
