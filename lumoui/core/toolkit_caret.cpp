#include "lumoui/core/toolkit_caret.h"

#include "lumoui/core/m_control_font.h"
#include "lumoui/core/paint_manager.h"
#include "lumoui/gfx/graphics.h"
#include "lumoui/win/win_api.h"

namespace LumoUI {

namespace {

constexpr int kCaretAlpha = 0xFE;

}  // namespace

void ToolkitCaret::Invalidate(CRect rect) {
    if (!rect.IsRectEmpty()) {
        manager_.InvalidateRect(rect, FALSE);
    }
}

void ToolkitCaret::Create(int width, int height) {
    const CRect old = rect_;
    rect_ = CRect(rect_.left, rect_.top, rect_.left + width, rect_.top + height);
    Invalidate(old);
    Invalidate(rect_);
}

void ToolkitCaret::SetPos(MControl* owner, int x, int y) {
    const CRect old = rect_;
    owner_ = owner;
    rect_ = CRect(x, y, x + rect_.Width(), y + rect_.Height());
    Invalidate(old);
    Invalidate(rect_);
}

void ToolkitCaret::Show(int show) {
    const HWND hwnd = manager_.GetPaintWnd();
    if (show) {
        shown_ = true;
        visiblePhase_ = true;
        if (hwnd != nullptr) {
            ::SetTimer(hwnd, kBlinkTimer, ::GetCaretBlinkTime(), nullptr);
        }
    } else {
        shown_ = false;
        visiblePhase_ = false;
        if (hwnd != nullptr) {
            ::KillTimer(hwnd, kBlinkTimer);
        }
    }
    Invalidate(rect_);
}

void ToolkitCaret::OnTimer() {
    visiblePhase_ = !visiblePhase_;
    Invalidate(rect_);
}

void ToolkitCaret::Forget(MControl* control) {
    if (owner_ == control) {
        owner_ = nullptr;
        if (shown_) {
            Show(0);
        }
    }
}

void ToolkitCaret::Draw(HDC& dc) {
    if (!shown_) {
        return;
    }
    const HWND hwnd = manager_.GetPaintWnd();
    const bool focused =
        owner_ != nullptr && owner_->IsFocused() && hwnd != nullptr && ::GetFocus() == hwnd;
    if (!focused) {
        Show(0);
        return;
    }
    if (!visiblePhase_) {
        return;
    }
    Color color(0xFFFFFFFF);
    if (const auto* font = dynamic_cast<const MControlFont*>(owner_)) {
        color = font->GetTextColor();
    }
    Graphics(dc).FillRectangle(Color(kCaretAlpha, color.GetR(), color.GetG(), color.GetB()), rect_);
}

}  // namespace LumoUI
