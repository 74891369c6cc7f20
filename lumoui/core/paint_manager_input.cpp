// PaintManager: the window messages it handles, and the routing of mouse, wheel and keys to
// the top-level controls (hover control, held button, capture, window drag, Tab order).
#include <algorithm>
#include <cstdlib>

#include "lumoui/core/paint_manager.h"
#include "lumoui/core/tooltip_window.h"
#include "lumoui/win/win_api.h"

namespace LumoUI {

namespace {

constexpr UINT kHoverTimeMs = 400;
const CPoint kNowhere(-1, -1);

CPoint PointOf(LPARAM lparam) {
    return CPoint(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
}

bool KeyHeld(int vk) {
    return ::GetKeyState(vk) < 0;
}

}  // namespace

std::optional<LRESULT> PaintManager::OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam) {
    {
        // Indexes rather than iterators: a control may change the layer while it handles
        // the message.
        std::lock_guard guard(controlsLock_);
        for (size_t i = 0; i < controls_.size(); ++i) {
            if (controls_[i]->OnWindowMessage(msg, wparam, lparam) != 0) {
                return 0;
            }
        }
    }
    const auto flags = static_cast<UINT>(wparam);
    switch (msg) {
        case WM_PAINT:
            return OnPaint();
        case WM_NCACTIVATE:
            if (!wparam) {
                OnDeactivate();
            }
            return 1;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (OnKeyDown(flags)) {
                return 1;
            }
            return std::nullopt;
        case WM_MOUSEMOVE:
            OnMouseMove(flags, PointOf(lparam));
            return std::nullopt;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            OnButtonDown(flags, PointOf(lparam), msg == WM_LBUTTONDOWN);
            return std::nullopt;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            OnButtonUp(flags, PointOf(lparam), msg == WM_LBUTTONUP);
            return std::nullopt;
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
            OnButtonDblClk(flags, PointOf(lparam), msg == WM_LBUTTONDBLCLK);
            return std::nullopt;
        case WM_MOUSELEAVE:
            OnMouseLeave();
            return std::nullopt;
        case WM_MOUSEWHEEL:
            if (OnMouseWheel(wparam, lparam)) {
                return 1;
            }
            return std::nullopt;
        case WM_GETMINMAXINFO:
            FillMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lparam));
            return 1;
        case WM_WINDOWPOSCHANGING:
            LimitSize(reinterpret_cast<WINDOWPOS*>(lparam));
            return std::nullopt;
        case WM_CREATE:
        case WM_DESTROY:
        case WM_SIZE:
        case WM_CHAR:
        case WM_MOUSEHOVER:
            return 1;
        case WM_NCDESTROY:
            Release();
            return 1;
        case WM_COMMAND:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC: {
            // Reflected to the child window they concern (the toolkit's edit windows).
            const auto child = reinterpret_cast<HWND>(lparam);
            if (child != nullptr && ::IsWindow(child)) {
                return ::SendMessageW(child, msg + OCM__BASE, wparam, lparam);
            }
            return std::nullopt;
        }
        default:
            return std::nullopt;
    }
}

int PaintManager::PreTranslateMessage(MSG* msg) {
    if (msg == nullptr) {
        return 0;
    }
    switch (msg->message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (msg->wParam != VK_TAB || KeyHeld(VK_CONTROL) || KeyHeld(VK_MENU)) {
                return 0;
            }
            return MoveFocus(!KeyHeld(VK_SHIFT)) ? 1 : 0;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MOUSEWHEEL:
            if (tooltip_ != nullptr) {
                tooltip_->RelayEvent(*msg);
            }
            return 0;
        default:
            return 0;
    }
}

// The next (or previous) visible, enabled tab stop of the control layer after the focus
// control's place, wrapping around; the first (last) one without a focus control.
bool PaintManager::MoveFocus(bool forward) {
    MControl* next = nullptr;
    {
        std::lock_guard guard(controlsLock_);
        const int count = static_cast<int>(controls_.size());
        int at = -1;
        if (MControl* top = TopLevelOf(focus_)) {
            for (int i = 0; i < count; ++i) {
                if (controls_[static_cast<size_t>(i)].get() == top) {
                    at = i;
                }
            }
        }
        for (int step = 1; step <= count && next == nullptr; ++step) {
            int i = 0;
            if (at < 0) {
                i = forward ? step - 1 : count - step;
            } else {
                i = ((at + (forward ? step : -step)) % count + count) % count;
            }
            MControl* candidate = controls_[static_cast<size_t>(i)].get();
            if (candidate->IsVisible() && candidate->IsEnabled() && candidate->IsTabStop()) {
                next = candidate;
            }
        }
    }
    if (next == nullptr || next == focus_) {
        return false;
    }
    SetFocusControl(next);
    return true;
}

void PaintManager::OnMouseMove(UINT flags, CPoint pt) {
    if (!tracking_) {
        TRACKMOUSEEVENT track;
        track.dwFlags = TME_LEAVE | TME_HOVER;
        track.hwndTrack = hwnd_;
        track.dwHoverTime = kHoverTimeMs;
        tracking_ = ::TrackMouseEvent(&track) != 0;
    }
    // While a drag is armed, the moves with the left button held belong to the drag source.
    if (MControl* hover = hover_) {
        if (tracking_ && hover->PtInRect(pt) && hover->OnCheckMouseResponse(flags, pt)) {
            hover->OnMouseMove(flags, pt);
            return;
        }
    }
    ClearTooltip();
    if (buttonHeld_) {
        return;
    }
    if (!tracking_) {
        hover_ = nullptr;
        return;
    }
    // Every control sees the move, so the one the mouse left can drop its hover look.
    MControl* found = nullptr;
    std::lock_guard guard(controlsLock_);
    for (size_t i = 0; i < controls_.size(); ++i) {
        MControl* control = controls_[i].get();
        const bool inside = control->PtInRect(pt) && control->GetRresponse();
        control->OnMouseMove(flags, pt);
        if (inside) {
            found = control;
        }
    }
    hover_ = found;
}

void PaintManager::OnButtonDown(UINT flags, CPoint pt, bool left) {
    if (focus_ != hover_ && focus_ != nullptr) {
        MControl* old = focus_;
        focus_ = nullptr;
        old->SetControlFocus(0);
    }
    MControl* hover = hover_;
    if (hover != nullptr && hover->IsVisible() && hover->GetRresponse() && hover->PtInRect(pt) &&
        hover->OnCheckMouseResponse(flags, pt)) {
        if (left && hover->IsDragDrop() && hover->IsEnabled()) {
            dragArmed_ = true;
        }
        buttonHeld_ = true;
        SetFocusControl(hover);
        if (left) {
            hover->OnLButtonDown(flags, pt);
        } else {
            hover->OnRButtonDown(flags, pt);
        }
        if (!captured_ && ::IsWindow(hwnd_)) {
            ::SetCapture(hwnd_);
            captured_ = true;
        }
        return;
    }
    if (left && wndDrag_) {
        // Free space: the whole window is dragged, as by a caption.
        ReleaseMouse();
        POINT screen = pt;
        ::ClientToScreen(hwnd_, &screen);
        ::SendMessageW(hwnd_, WM_NCLBUTTONDOWN, static_cast<WPARAM>(HTCAPTION),
                       MAKELPARAM(screen.x, screen.y));
    }
}

void PaintManager::OnButtonUp(UINT flags, CPoint pt, bool left) {
    ReleaseMouse();
    buttonHeld_ = false;
    if (left) {
        dragArmed_ = false;
    }
    if (hover_ != nullptr && hover_->IsVisible() && hover_->GetRresponse()) {
        RouteToHover(flags, pt, left ? &MControl::OnLButtonUp : &MControl::OnRButtonUp);
    }
}

void PaintManager::OnButtonDblClk(UINT flags, CPoint pt, bool left) {
    RouteToHover(flags, pt, left ? &MControl::OnLButtonDblClk : &MControl::OnRButtonDblClk);
}

void PaintManager::RouteToHover(UINT flags, CPoint pt, int (MControl::*router)(UINT, CPoint)) {
    MControl* hover = hover_;
    if (hover == nullptr) {
        return;
    }
    const bool outside = !hover->GetRect().PtInRect(pt);  // taken before the control moves
    (hover->*router)(flags, pt);
    if (outside && hover_ == hover) {
        hover_ = nullptr;
    }
}

void PaintManager::OnMouseLeave() {
    ClearTooltip();
    tracking_ = false;
    if (buttonHeld_) {
        return;
    }
    if (MControl* hover = hover_) {
        hover->OnMouseMove(0, kNowhere);  // drops its hover look
    }
    hover_ = nullptr;
}

void PaintManager::OnDeactivate() {
    tracking_ = false;
    ReleaseMouse();
    const bool held = buttonHeld_;
    buttonHeld_ = false;
    dragArmed_ = false;
    if (MControl* hover = hover_) {
        if (held) {
            hover->OnLButtonUp(0, kNowhere);
        } else {
            hover->OnMouseMove(0, kNowhere);
        }
    }
    hover_ = nullptr;
    ClearTooltip();
    Invalidate();
}

void PaintManager::ReleaseMouse() {
    if (hwnd_ != nullptr && ::GetCapture() == hwnd_) {
        ::ReleaseCapture();
    }
    captured_ = false;
}

LRESULT PaintManager::OnMouseWheel(WPARAM wparam, LPARAM lparam) {
    POINT pt = PointOf(lparam);
    ::ScreenToClient(hwnd_, &pt);
    const int delta = GET_WHEEL_DELTA_WPARAM(wparam);
    const int steps = std::abs(delta) / WHEEL_DELTA;  // partial notches scroll nothing
    const UINT direction = delta < 0 ? 1 : 0;         // towards the user: down
    bool any = false;
    for (int step = 0; step < steps; ++step) {
        MControl* hover = hover_;
        bool handled = hover != nullptr && hover->OnScroll(1, direction, pt);
        std::lock_guard guard(controlsLock_);
        for (size_t i = 0; i < controls_.size() && !handled; ++i) {
            MControl* control = controls_[i].get();
            handled = control != hover && control->OnScroll(1, direction, pt);
        }
        any = any || handled;
    }
    return any ? 1 : 0;
}

LRESULT PaintManager::OnKeyDown(UINT vk) {
    UINT modifier = KeyHeld(VK_MENU) ? 18 : (KeyHeld(VK_SHIFT) ? 16 : 0);
    if (KeyHeld(VK_CONTROL)) {
        modifier |= 17;
    }
    MControl* hover = hover_;
    if (hover != nullptr && hover->OnKeyDown(vk, 1, modifier)) {
        return 1;
    }
    std::lock_guard guard(controlsLock_);
    for (size_t i = 0; i < controls_.size(); ++i) {
        MControl* control = controls_[i].get();
        if (control != hover && control->OnKeyDown(vk, 1, modifier)) {
            return 1;
        }
    }
    return 0;
}

void PaintManager::FillMinMaxInfo(MINMAXINFO* info) const {
    if (info == nullptr) {
        return;
    }
    if (minSize_.cx > 0) {
        info->ptMinTrackSize.x = minSize_.cx;
    }
    if (minSize_.cy > 0) {
        info->ptMinTrackSize.y = minSize_.cy;
    }
    if (maxSize_.cx > 0) {
        info->ptMaxTrackSize.x = maxSize_.cx;
        info->ptMaxSize.x = maxSize_.cx;
    }
    if (maxSize_.cy > 0) {
        info->ptMaxTrackSize.y = maxSize_.cy;
        info->ptMaxSize.y = maxSize_.cy;
    }
}

// The window system leaves size limits to the window: every resize is kept inside them.
void PaintManager::LimitSize(WINDOWPOS* pos) const {
    if (pos == nullptr || (pos->flags & SWP_NOSIZE) != 0) {
        return;
    }
    if (minSize_.cx > 0) {
        pos->cx = std::max(pos->cx, minSize_.cx);
    }
    if (minSize_.cy > 0) {
        pos->cy = std::max(pos->cy, minSize_.cy);
    }
    if (maxSize_.cx > 0) {
        pos->cx = std::min(pos->cx, maxSize_.cx);
    }
    if (maxSize_.cy > 0) {
        pos->cy = std::min(pos->cy, maxSize_.cy);
    }
}

}  // namespace LumoUI
