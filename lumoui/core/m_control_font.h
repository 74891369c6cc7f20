// A control with a title, a text face, size, style, colour and alignment, and a skin image:
// the base of nearly every concrete control.
//
// A skin image is a state strip: `count` frames of equal width side by side (frame width =
// image width / count). It comes from the window's image cache, so SetImage works only once
// the control has its paint manager (after the factory made it).
#pragma once

#include <optional>

#include "lumoui/core/m_control.h"
#include "lumoui/gfx/color.h"
#include "lumoui/gfx/drawing_modes.h"
#include "lumoui/gfx/font.h"
#include "lumoui/gfx/font_family.h"
#include "lumoui/gfx/image.h"

namespace LumoUI {

class LUMOUI_API MControlFont : public MControl {
public:
    MControlFont(MObject* parent, UINT id, CRect rect, const wchar_t* title, int visible,
                 int enabled, int response);

    // --- hooks ---
    virtual void SetTextFont(const CString& face);
    virtual void SetTextColor(Color color);
    // The skin image at `path` (relative to the skin folder) with `count` frames; with a
    // repaint request when visible. 0, and nothing changed, without a paint manager or when
    // the image cannot be loaded.
    virtual int SetImage(const wchar_t* path, int count);
    virtual void SetControlTitle(const wchar_t* title);
    virtual CString GetControlTitle() const;

    // Sets the title and repaints (rebuilding the cache) when visible.
    void SetTitle(const wchar_t* title);
    CString GetTitle() const { return GetControlTitle(); }

    // Horizontal: 0 left, 1 centre, 2 right; vertical: 0 top, 4 centre, 8 bottom. A change
    // repaints when visible.
    void SetAlignment(UINT horizontal);
    void SetVAlignment(UINT vertical);
    void SetAlignment(UINT horizontal, UINT vertical);
    void GetAlignment(UINT& horizontal, UINT& vertical) const;

    // Plain settings, no repaint. Style bits: 1 bold, 2 italic, 4 underline, 8 strikeout.
    void SetFont(const wchar_t* face, int size, int style);
    void SetFontStyle(int style) { fontStyle_ = style; }
    int GetFontStyle() const { return fontStyle_; }
    void SetFontWidth(int size) { fontSize_ = size; }
    int GetFontWidth() const { return fontSize_; }
    CString GetTextFont() const { return fontFace_; }
    Color GetTextColor() const { return textColor_; }
    void SetTextRenderingHint(TextRenderingHint hint) { renderingHint_ = hint; }
    TextRenderingHint GetTextRenderingHint() const { return renderingHint_; }

    // The family for the control's text (the toolkit-wide face, from the paint manager),
    // kept by the control; none without a manager or when the face is not found.
    const FontFamily* GetFontFamily(const wchar_t* face);
    // The GDI-style font: made once, with the toolkit-wide face at the control's size, bold,
    // italic and underline from its style. ClearGDIFont drops it.
    const Font& GetGDIFont();
    void ClearGDIFont() { gdiFont_ = Font(); }

    const Image* GetImage() const { return image_; }
    CSize GetImageSize() const { return CSize(imageWidth_, imageHeight_); }  // one frame
    int GetImageCount() const { return imageCount_; }
    void SetImageCount(int count) { imageCount_ = count; }
    const CString& GetImagePath() const { return imagePath_; }

protected:
    CString title_;
    CString fontFace_;
    CString imagePath_;
    int fontSize_;
    Color textColor_{0xFFFFFFFF};
    int fontStyle_ = 0;
    std::optional<FontFamily> fontFamily_;
    UINT hAlign_ = 0;
    UINT vAlign_ = 4;
    TextRenderingHint renderingHint_ = TextRenderingHintClearTypeGridFit;
    Font gdiFont_;
    const Image* image_ = nullptr;  // owned by the window's image cache
    int imageWidth_ = 0;
    int imageHeight_ = 0;
    int imageCount_ = 4;
};

}  // namespace LumoUI
