// A drawing target in the manner of a GDI device context: it refers to a bitmap (a window's
// back buffer or a control's cached image) and carries a clip rectangle, a selected font and
// text colours. Copies between targets (BitBlt, StretchBlt, AlphaBlend), opaque fills, pixel
// reads and GDI-style text go through it; Graphics(dc) draws on it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "lumoui/base/colors.h"
#include "lumoui/base/cstring.h"
#include "lumoui/base/geometry.h"
#include "lumoui/base/lumoui_export.h"
#include "lumoui/gfx/bitmap.h"
#include "lumoui/gfx/font.h"

namespace LumoUI {

// Constant-alpha and per-pixel-alpha blending for AlphaBlend.
constexpr uint8_t AC_SRC_OVER = 0x00;
constexpr uint8_t AC_SRC_ALPHA = 0x01;

struct BLENDFUNCTION {
    uint8_t BlendOp = AC_SRC_OVER;
    uint8_t BlendFlags = 0;
    uint8_t SourceConstantAlpha = 255;
    uint8_t AlphaFormat = 0;  // AC_SRC_ALPHA: the source's own alpha counts too
};

// Text formats for DrawText.
constexpr unsigned DT_TOP = 0x00000000;
constexpr unsigned DT_LEFT = 0x00000000;
constexpr unsigned DT_CENTER = 0x00000001;
constexpr unsigned DT_RIGHT = 0x00000002;
constexpr unsigned DT_VCENTER = 0x00000004;  // with DT_SINGLELINE only
constexpr unsigned DT_BOTTOM = 0x00000008;   // with DT_SINGLELINE only
constexpr unsigned DT_WORDBREAK = 0x00000010;
constexpr unsigned DT_SINGLELINE = 0x00000020;
constexpr unsigned DT_EXPANDTABS = 0x00000040;
constexpr unsigned DT_NOCLIP = 0x00000100;
constexpr unsigned DT_CALCRECT = 0x00000400;
constexpr unsigned DT_NOPREFIX = 0x00000800;
constexpr unsigned DT_EDITCONTROL = 0x00002000;
constexpr unsigned DT_PATH_ELLIPSIS = 0x00004000;
constexpr unsigned DT_END_ELLIPSIS = 0x00008000;
constexpr unsigned DT_WORD_ELLIPSIS = 0x00040000;

// Background modes for text.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// GetPixel outside the target.
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

class LUMOUI_API DeviceContext {
public:
    // A context with no bitmap: every operation does nothing.
    DeviceContext() = default;
    explicit DeviceContext(Bitmap& bitmap) : bitmap_(&bitmap) {}

    // Selects the bitmap drawn on (none for no target) and gives the previous one.
    Bitmap* SelectBitmap(Bitmap* bitmap);
    Bitmap* GetBitmap() const { return bitmap_; }
    bool IsValid() const { return bitmap_ != nullptr && !bitmap_->IsEmpty(); }
    explicit operator bool() const { return IsValid(); }
    int Width() const { return IsValid() ? bitmap_->Width() : 0; }
    int Height() const { return IsValid() ? bitmap_->Height() : 0; }

    // The clip rectangle limits every operation and every Graphics made on the context.
    void IntersectClipRect(const CRect& rect);
    void SelectClipRect(const CRect& rect);
    void ResetClip() { clip_.reset(); }
    std::optional<CRect> GetClipRect() const { return clip_; }
    // SaveDC gives a level for RestoreDC, which brings back the clip, font and text settings
    // of that time; false for a level that was never saved.
    int SaveDC();
    bool RestoreDC(int level);

    // Copies w x h pixels from (sx, sy) of `source` to (x, y), replacing them.
    bool BitBlt(int x, int y, int w, int h, const DeviceContext& source, int sx, int sy);
    // Scales (sx, sy, sw, sh) of `source` into (x, y, w, h) by nearest pixels, replacing them.
    bool StretchBlt(int x, int y, int w, int h, const DeviceContext& source, int sx, int sy, int sw,
                    int sh);
    // Blends (sx, sy, sw, sh) of `source` into (x, y, w, h) (scaled when the sizes differ)
    // with the constant alpha of `blend`; see Bitmap::BlendFrom for the two alpha formats.
    bool AlphaBlend(int x, int y, int w, int h, const DeviceContext& source, int sx, int sy, int sw,
                    int sh, BLENDFUNCTION blend);

    // Opaque fill with a GDI colour.
    void FillSolidRect(int x, int y, int w, int h, COLORREF color);
    void FillSolidRect(const CRect& rect, COLORREF color);

    // The colour of a pixel; CLR_INVALID outside the target or the clip.
    COLORREF GetPixel(int x, int y) const;

    // GDI-style text: the selected font, the text colour, and with OPAQUE background mode the
    // text's box filled with the background colour first.
    Font SelectFont(const Font& font);
    const Font& GetFont() const { return font_; }
    COLORREF SetTextColor(COLORREF color);
    COLORREF SetBkColor(COLORREF color);
    int SetBkMode(int mode);

    // Draws `text` in `rect` by DT_ flags and gives the height of the text drawn (0 when
    // nothing is drawn). With DT_CALCRECT nothing is drawn and `rect` is set to the text's
    // box (its right and bottom edges moved). Ampersands are always shown as they are:
    // text of edit fields and titles is never turned into mnemonic underlines.
    int DrawText(const CString& text, CRect& rect, unsigned format);
    int DrawText(const CString& text, const CRect& rect, unsigned format);

private:
    struct State {
        std::optional<CRect> clip;
        Font font;
        COLORREF textColor;
        COLORREF backColor;
        int backMode;
    };

    Bitmap* bitmap_ = nullptr;
    std::optional<CRect> clip_;
    Font font_;
    COLORREF textColor_ = RGB(0, 0, 0);
    COLORREF backColor_ = RGB(255, 255, 255);
    int backMode_ = OPAQUE;
    std::vector<State> saved_;
};

// The names the toolkit's drawing code uses for a device context and a font handle.
using HDC = DeviceContext;
using HFONT = Font;

}  // namespace LumoUI
