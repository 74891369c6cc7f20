#include "lumoui/gfx/device_context.h"

#include <cmath>

#include "lumoui/gfx/graphics.h"
#include "lumoui/gfx/string_format.h"

namespace LumoUI {

namespace {

// The font text is drawn with before one is selected, as a context starts with the system's
// default font.
const Font& DefaultFont() {
    static const Font font(L"Sans", 12.0f);
    return font;
}

StringFormat FormatFor(unsigned dt) {
    StringFormat format(StringFormatFlagsMeasureTrailingSpaces);
    int flags = format.GetFormatFlags();
    const bool singleLine = (dt & DT_SINGLELINE) != 0;
    if (singleLine || (dt & DT_WORDBREAK) == 0) {
        flags |= StringFormatFlagsNoWrap;
    }
    if (!singleLine && (dt & DT_EDITCONTROL) != 0) {
        flags |= StringFormatFlagsLineLimit;
    }
    if ((dt & DT_NOCLIP) != 0) {
        flags |= StringFormatFlagsNoClip;
    }
    format.SetFormatFlags(flags);
    format.SetAlignment((dt & DT_CENTER) != 0  ? StringAlignmentCenter
                        : (dt & DT_RIGHT) != 0 ? StringAlignmentFar
                                               : StringAlignmentNear);
    if (singleLine) {
        format.SetLineAlignment((dt & DT_VCENTER) != 0  ? StringAlignmentCenter
                                : (dt & DT_BOTTOM) != 0 ? StringAlignmentFar
                                                        : StringAlignmentNear);
    }
    if ((dt & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS)) != 0) {
        format.SetTrimming(StringTrimmingEllipsisCharacter);
    } else if ((dt & DT_PATH_ELLIPSIS) != 0) {
        format.SetTrimming(StringTrimmingEllipsisPath);
    } else {
        format.SetTrimming(StringTrimmingNone);
    }
    return format;
}

}  // namespace

Bitmap* DeviceContext::SelectBitmap(Bitmap* bitmap) {
    Bitmap* previous = bitmap_;
    bitmap_ = bitmap;
    return previous;
}

void DeviceContext::IntersectClipRect(const CRect& rect) {
    CRect clip = rect;
    if (clip_) {
        clip.IntersectRect(*clip_, rect);
    }
    clip_ = clip;
}

void DeviceContext::SelectClipRect(const CRect& rect) {
    clip_ = rect;
}

int DeviceContext::SaveDC() {
    saved_.push_back({clip_, font_, textColor_, backColor_, backMode_});
    return static_cast<int>(saved_.size());
}

bool DeviceContext::RestoreDC(int level) {
    if (level <= 0 || static_cast<size_t>(level) > saved_.size()) {
        return false;
    }
    const State state = saved_[static_cast<size_t>(level) - 1];
    saved_.resize(static_cast<size_t>(level) - 1);
    clip_ = state.clip;
    font_ = state.font;
    textColor_ = state.textColor;
    backColor_ = state.backColor;
    backMode_ = state.backMode;
    return true;
}

bool DeviceContext::BitBlt(int x, int y, int w, int h, const DeviceContext& source, int sx,
                           int sy) {
    if (!IsValid() || !source.IsValid() || w < 0 || h < 0) {
        return false;
    }
    const CRect* clip = clip_ ? &*clip_ : nullptr;
    bitmap_->CopyFrom(*source.bitmap_, CRect(sx, sy, sx + w, sy + h), CPoint(x, y), clip);
    return true;
}

bool DeviceContext::StretchBlt(int x, int y, int w, int h, const DeviceContext& source, int sx,
                               int sy, int sw, int sh) {
    if (!IsValid() || !source.IsValid() || w < 0 || h < 0 || sw < 0 || sh < 0) {
        return false;
    }
    const CRect* clip = clip_ ? &*clip_ : nullptr;
    bitmap_->StretchFrom(*source.bitmap_, CRect(sx, sy, sx + sw, sy + sh),
                         CRect(x, y, x + w, y + h), InterpolationModeNearestNeighbor, clip);
    return true;
}

bool DeviceContext::AlphaBlend(int x, int y, int w, int h, const DeviceContext& source, int sx,
                               int sy, int sw, int sh, BLENDFUNCTION blend) {
    if (!IsValid() || !source.IsValid() || w < 0 || h < 0 || sw < 0 || sh < 0 ||
        blend.BlendOp != AC_SRC_OVER) {
        return false;
    }
    const CRect* clip = clip_ ? &*clip_ : nullptr;
    bitmap_->BlendFrom(*source.bitmap_, CRect(sx, sy, sx + sw, sy + sh), CRect(x, y, x + w, y + h),
                       blend.SourceConstantAlpha, (blend.AlphaFormat & AC_SRC_ALPHA) != 0, clip);
    return true;
}

void DeviceContext::FillSolidRect(int x, int y, int w, int h, COLORREF color) {
    FillSolidRect(CRect(x, y, x + w, y + h), color);
}

void DeviceContext::FillSolidRect(const CRect& rect, COLORREF color) {
    if (!IsValid()) {
        return;
    }
    CRect area = rect;
    if (clip_ && !area.IntersectRect(rect, *clip_)) {
        return;
    }
    bitmap_->FillOpaque(area, color);
}

COLORREF DeviceContext::GetPixel(int x, int y) const {
    if (!IsValid() || !bitmap_->Bounds().PtInRect({x, y}) || (clip_ && !clip_->PtInRect({x, y}))) {
        return CLR_INVALID;
    }
    return ColorrefFromArgb(bitmap_->GetPixel(x, y));
}

Font DeviceContext::SelectFont(const Font& font) {
    Font previous = font_;
    font_ = font;
    return previous;
}

COLORREF DeviceContext::SetTextColor(COLORREF color) {
    const COLORREF previous = textColor_;
    textColor_ = color;
    return previous;
}

COLORREF DeviceContext::SetBkColor(COLORREF color) {
    const COLORREF previous = backColor_;
    backColor_ = color;
    return previous;
}

int DeviceContext::SetBkMode(int mode) {
    const int previous = backMode_;
    if (mode == TRANSPARENT || mode == OPAQUE) {
        backMode_ = mode;
    }
    return previous;
}

int DeviceContext::DrawText(const CString& text, const CRect& rect, unsigned format) {
    CRect copy = rect;
    return DrawText(text, copy, format & ~DT_CALCRECT);
}

int DeviceContext::DrawText(const CString& text, CRect& rect, unsigned format) {
    if (text.empty()) {
        return 0;
    }
    const Font& font = font_ ? font_ : DefaultFont();
    const StringFormat stringFormat = FormatFor(format);
    CString shown = text;
    if ((format & DT_SINGLELINE) != 0) {
        for (wchar_t& c : shown) {
            if (c == L'\r' || c == L'\n') {
                c = L' ';
            }
        }
    }
    Graphics graphics(*this);
    graphics.SetTextRenderingHint(TextRenderingHintAntiAliasGridFit);
    const RectF layout(rect);
    const RectF box = graphics.MeasureString(shown, font, layout, stringFormat);
    const int height = static_cast<int>(std::ceil(box.Height));
    if ((format & DT_CALCRECT) != 0) {
        rect.right = rect.left + static_cast<int>(std::ceil(box.Width));
        rect.bottom = rect.top + height;
        return height;
    }
    if (!graphics.IsValid()) {
        return 0;
    }
    if (backMode_ == OPAQUE) {
        const GraphicsState state = graphics.Save();
        if ((format & DT_NOCLIP) == 0) {
            graphics.IntersectClip(rect);
        }
        graphics.FillRectangle(Color::FromCOLORREF(backColor_), box);
        graphics.Restore(state);
    }
    graphics.DrawString(shown, font, layout, stringFormat, Color::FromCOLORREF(textColor_));
    return height;
}

}  // namespace LumoUI
