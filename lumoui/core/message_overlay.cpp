#include "lumoui/core/message_overlay.h"

#include "lumoui/core/manager.h"
#include "lumoui/core/paint_manager.h"
#include "lumoui/gfx/graphics.h"
#include "lumoui/gfx/pen.h"
#include "lumoui/win/win_api.h"

namespace LumoUI {

namespace {

constexpr int kFadeStep = 10;
constexpr int kFadeEnd = 20;
constexpr int kProgressStep = 2;
constexpr int kJumpBelow = 6;
constexpr float kTextSize = 12;
constexpr ARGB kLineColor = 0xC8C8C8C8;
constexpr ARGB kBarColor = 0xFEFFE100;

ARGB WithAlpha(int alpha, ARGB rgb) {
    return (static_cast<ARGB>(alpha & 0xFF) << 24) | (rgb & 0xFFFFFF);
}

}  // namespace

MessageOverlay::MessageOverlay(PaintManager& manager)
    : manager_(manager), faceName_(Manager::GetFontName()) {}

void MessageOverlay::StartTimer(UINT id, UINT ms) {
    if (manager_.GetPaintWnd() != nullptr) {
        ::SetTimer(manager_.GetPaintWnd(), id, ms, nullptr);
    }
}

void MessageOverlay::StopTimer(UINT id) {
    if (manager_.GetPaintWnd() != nullptr) {
        ::KillTimer(manager_.GetPaintWnd(), id);
    }
}

void MessageOverlay::Invalidate() {
    manager_.InvalidateRect(rect_, FALSE);
}

void MessageOverlay::StartFade() {
    StartTimer(kFadeTimer, kFadeMs);
}

void MessageOverlay::SetMessage(const CString& text, CRect rect, MsgLevel level) {
    StopTimer(kHoldTimer);
    StopTimer(kFadeTimer);
    opacity_ = 255;
    text_ = text;
    level_ = level;
    rect_ = rect;
    progress_ = 0;
    withProgress_ = false;
    Invalidate();
    StartTimer(kHoldTimer, kHoldMs);
}

void MessageOverlay::SetProgress(int percent, const CString& text, CRect rect, CRect client) {
    if (percent == target_) {
        return;
    }
    if (percent < 5) {
        StopTimer(kFadeTimer);
    }
    opacity_ = 255;
    text_ = text;
    target_ = percent;
    withProgress_ = true;
    rect_ = !rect.IsRectEmpty()
                ? rect
                : CRect(client.left, client.bottom - 60, client.right, client.bottom - 2);
    if (target_ - progress_ < kJumpBelow) {
        StopTimer(kProgressTimer);
        progress_ = target_;
        Invalidate();
        if (progress_ >= 100) {
            StartFade();
        }
        return;
    }
    StartTimer(kProgressTimer, kProgressMs);
}

bool MessageOverlay::OnTimer(UINT id) {
    switch (id) {
        case kHoldTimer:
            StopTimer(kHoldTimer);
            StartFade();
            return true;
        case kFadeTimer:
            opacity_ -= kFadeStep;
            if (opacity_ < kFadeEnd) {
                // Faded out: the next progress run starts from nothing again.
                opacity_ = 0;
                progress_ = 0;
                target_ = 0;
                StopTimer(kFadeTimer);
            }
            Invalidate();
            return true;
        case kProgressTimer:
            progress_ += kProgressStep;
            if (progress_ >= target_) {
                progress_ = target_;
                StopTimer(kProgressTimer);
                if (progress_ >= 100) {
                    StartFade();
                }
            }
            Invalidate();
            return true;
        default:
            return false;
    }
}

void MessageOverlay::Stop() {
    StopTimer(kHoldTimer);
    StopTimer(kFadeTimer);
    StopTimer(kProgressTimer);
}

void MessageOverlay::Draw(HDC& dc, const std::optional<FontFamily>& family) const {
    Graphics graphics(dc);
    const int a = opacity_;
    graphics.FillRectangle(Color(WithAlpha(a, 0xE6E6E6)), rect_);
    CRect inner = rect_;
    inner.DeflateRect(2, 2);
    graphics.FillRectangle(Color(WithAlpha(a, 0xFEFEFE)), inner);

    graphics.SetTextRenderingHint(TextRenderingHintClearTypeGridFit);
    const Font font = family ? Font(*family, kTextSize, FontStyleRegular) : Font();
    const Color textColor(WithAlpha(a, 0x050505));
    const auto left = static_cast<float>(rect_.left + 5);
    const auto top = static_cast<float>(rect_.top + 5);
    StringFormat format;
    format.SetLineAlignment(StringAlignmentCenter);
    if (!withProgress_) {
        format.SetAlignment(StringAlignmentNear);
        graphics.DrawString(text_, font, RectF(left, top, 190, 50), format, textColor);
        return;
    }
    format.SetAlignment(StringAlignmentCenter);
    graphics.DrawString(text_, font, RectF(left, top, static_cast<float>(rect_.Width() - 10), 30),
                        format, textColor);
    const auto lineY = static_cast<float>(rect_.bottom - 15);
    graphics.DrawLine(Pen(Color(kLineColor), 1), static_cast<float>(rect_.left + 10), lineY,
                      static_cast<float>(rect_.right - 20), lineY);
    const int barWidth = progress_ * (rect_.Width() - 20) / 100;
    graphics.FillRectangle(Color(kBarColor), RectF(static_cast<float>(rect_.left + 10),
                                                   static_cast<float>(rect_.bottom - 16),
                                                   static_cast<float>(barWidth), 3));
}

}  // namespace LumoUI
