// PaintManager: the paint pass (background, areas, controls, caret, message overlay, output
// for opaque and per-pixel-alpha windows), the pause between passes, and the painting
// settings.
#include "lumoui/core/control_list.h"
#include "lumoui/core/m_render.h"
#include "lumoui/core/manager.h"
#include "lumoui/core/paint_manager.h"
#include "lumoui/core/toolkit_folders.h"
#include "lumoui/win/win_api.h"

namespace LumoUI {

namespace {

constexpr int kBackgroundAlpha = 0xFE;

// Drawing that left a pixel's alpha at 0 while giving it a colour meant it opaque: such pixels
// become opaque. Black pixels with alpha 0 stay transparent.
void MakeColouredPixelsOpaque(Bitmap& bitmap, CRect rect) {
    rect.IntersectRect(rect, bitmap.Bounds());
    const PixelView view = bitmap.View();
    for (int y = rect.top; y < rect.bottom; ++y) {
        uint32_t* row = view.Row(y);
        for (int x = rect.left; x < rect.right; ++x) {
            if ((row[x] & 0xFF000000) == 0 && (row[x] & 0x00FFFFFF) != 0) {
                row[x] |= 0xFF000000;
            }
        }
    }
    bitmap.MarkDirty();
}

}  // namespace

// --- the paint pass ---

LRESULT PaintManager::OnPaint() {
    RunPendingUpdates();
    if (::IsIconic(hwnd_)) {
        ::ValidateRect(hwnd_, nullptr);
        return 1;
    }
    RECT update;
    if (!::GetUpdateRect(hwnd_, &update, FALSE)) {
        return 0;
    }
    if (DeferPaint()) {
        return 0;
    }
    PAINTSTRUCT paint;
    if (!::BeginPaint(hwnd_, &paint)) {
        return 0;
    }
    RECT clientRect;
    ::GetClientRect(hwnd_, &clientRect);
    const CRect client = clientRect;
    // One buffer per window, drawn anew on every pass where the pass reads or shows it, with
    // the same pixels a fresh buffer would get there.
    if (backBuffer_.Size() != client.Size()) {
        backBuffer_.Create(client.Width(), client.Height());
    }
    if (!backBuffer_.IsEmpty()) {
        HDC dc(backBuffer_);
        const int saved = dc.SaveDC();
        const CRect clip = layered_ ? client : CRect(paint.rcPaint);
        DrawBackground(dc, client, layered_ ? client : PaintBounds(clip));
        DrawControls(dc, clip);
        caret_.Draw(dc);
        if (layered_) {
            MakeColouredPixelsOpaque(backBuffer_, client);
        }
        if (overlay_.IsShown()) {
            overlay_.Draw(dc, fonts_.Find(overlay_.GetFaceName()));
        }
        dc.RestoreDC(saved);
        if (layered_) {
            const DWORD exStyle = static_cast<DWORD>(::GetWindowLongW(hwnd_, GWL_EXSTYLE));
            if ((exStyle & WS_EX_LAYERED) == 0) {
                ::SetWindowLongW(hwnd_, GWL_EXSTYLE, static_cast<LONG>(exStyle | WS_EX_LAYERED));
            }
            ::UpdateLayeredWindow(hwnd_, backBuffer_.View());
        } else {
            ::PresentWindow(hwnd_, backBuffer_.View(), paint.rcPaint);
        }
    }
    ::EndPaint(hwnd_, &paint);
    lastPaintEnd_ = ::GetTickCount64();
    return 0;
}

bool PaintManager::DeferPaint() {
    if (repaintPauseMs_ == 0 || lastPaintEnd_ == 0) {
        return false;
    }
    const uint64_t now = ::GetTickCount64();
    const uint64_t resume = lastPaintEnd_ + repaintPauseMs_;
    if (now >= resume && !repaintHeld_) {
        return false;
    }
    // The region is taken over, so the window does not ask again before the timer ends
    // the pause.
    RECT update;
    ::GetUpdateRect(hwnd_, &update, FALSE);
    heldRect_.UnionRect(heldRect_, update);
    ::ValidateRect(hwnd_, nullptr);
    if (!repaintHeld_) {
        repaintHeld_ = true;
        ::SetTimer(hwnd_, kRepaintTimer, static_cast<UINT>(resume > now ? resume - now : 1),
                   nullptr);
    }
    return true;
}

void PaintManager::OnRepaintTimer() {
    ::KillTimer(hwnd_, kRepaintTimer);
    repaintHeld_ = false;
    const CRect held = heldRect_;
    heldRect_.SetRectEmpty();
    if (!held.IsRectEmpty()) {
        ::InvalidateRect(hwnd_, &held, FALSE);
    }
}

CRect PaintManager::PaintBounds(CRect clip) const {
    CRect bounds = clip;
    // The same walk as drawing: visible controls that meet the clip, their area children
    // that meet them, and their visible children.
    std::vector<const MControl*> pending;
    {
        std::lock_guard areas(areasLock_);
        std::lock_guard controls(controlsLock_);
        for (const auto* list : {&areas_, &controls_}) {
            for (const auto& c : *list) {
                pending.push_back(c.get());
            }
        }
    }
    while (!pending.empty()) {
        const MControl* c = pending.back();
        pending.pop_back();
        if (!c->IsVisible() || !RectsOverlap(c->GetRect(), clip)) {
            continue;
        }
        bounds.UnionRect(bounds, c->GetRect());
        {
            MControl::ListLock lock = c->LockAreaControls();
            for (const auto& area : c->GetAreaControls()) {
                if (RectsOverlap(area->GetRect(), c->GetRect())) {
                    pending.push_back(area.get());
                }
            }
        }
        MControl::ListLock lock = c->LockControls();
        for (const auto& child : c->GetControls()) {
            pending.push_back(child.get());
        }
    }
    return bounds;
}

void PaintManager::DrawBackground(HDC& dc, CRect client, CRect bounds) {
    Bitmap* target = dc.GetBitmap();
    bounds.IntersectRect(bounds, client);
    if (backImage_ == nullptr) {
        target->Fill(bounds, ArgbFromColorref(frameColor_, kBackgroundAlpha));
        CRect inner = client;
        inner.DeflateRect(1, 1);
        inner.IntersectRect(inner, bounds);
        target->Fill(inner, ArgbFromColorref(backColor_, kBackgroundAlpha));
        return;
    }
    target->Fill(bounds, 0);
    Graphics graphics(dc);
    graphics.SetClip(bounds);
    if (backMode_ == BackModeFrame) {
        MRender::DrawImageFrame(graphics, backImage_.get(), client, 0, 0, backImage_->GetWidth(),
                                backImage_->GetHeight(), backCorner_);
    } else {
        graphics.DrawImage(backImage_.get(), 0, 0);
    }
}

void PaintManager::DrawControls(HDC& dc, CRect clip) {
    {
        std::lock_guard guard(areasLock_);
        for (const auto& area : areas_) {
            area->Draw(dc, clip);
        }
    }
    std::lock_guard guard(controlsLock_);
    for (const auto& control : controls_) {
        control->Draw(dc, clip);
    }
}

// --- painting settings ---

int PaintManager::LoadBKImage(const CString& relativePath) {
    backImage_ = MRender::LoadImageFromFile(GetSkinFolder() + relativePath);
    Invalidate();
    return backImage_ != nullptr ? 1 : 0;
}

int PaintManager::LoadBKImage(UINT resourceId, const CString& resourceType) {
    backImage_ = MRender::LoadImageFromIDResource(resourceId, resourceType, Manager::GetInstance());
    Invalidate();
    return backImage_ != nullptr ? 1 : 0;
}

void PaintManager::SetBackMode(enumBackMode mode, int corner) {
    if (mode == backMode_ && corner == backCorner_) {
        return;
    }
    backMode_ = mode;
    backCorner_ = corner;
    Invalidate();
}

void PaintManager::SetScrollResID(UINT vertical, UINT horizontal) {
    scrollVertical_ = vertical;
    scrollHorizontal_ = horizontal;
}

// --- overlay and caret ---

void PaintManager::SetMessage(const CString& text, CRect rect, MsgLevel level) {
    overlay_.SetMessage(text, rect, level);
}

void PaintManager::SetProgress(int percent, const CString& text, CRect rect) {
    RECT client{};
    if (hwnd_ != nullptr) {
        ::GetClientRect(hwnd_, &client);
    }
    overlay_.SetProgress(percent, text, rect, client);
}

void PaintManager::CreateCaret(int width, int height) {
    caret_.Create(width, height);
}

void PaintManager::SetCaretPos(MControl* owner, int x, int y) {
    caret_.SetPos(owner, x, y);
}

void PaintManager::ShowCaret(int show) {
    caret_.Show(show);
}

}  // namespace LumoUI
