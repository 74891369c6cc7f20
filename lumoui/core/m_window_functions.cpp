// MWindow: the window functions on its own window, and its placement on the screen.
#include <algorithm>

#include "lumoui/core/m_window.h"
#include "lumoui/win/win_api.h"

namespace LumoUI {

namespace {

// The work area of the monitor that holds the window.
CRect WorkAreaOf(HWND hwnd) {
    MONITORINFO info;
    if (::GetMonitorInfoW(::MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &info)) {
        return info.rcWork;
    }
    RECT work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

// The top-left corner that centres `size` over `center`, moved back inside `area`: first
// off its right and bottom edges, then off its left and top ones.
CPoint CenteredInside(CPoint center, CSize size, const CRect& area) {
    CPoint p(center.x - size.cx / 2, center.y - size.cy / 2);
    p.x = std::min(p.x, area.right - size.cx);
    p.y = std::min(p.y, area.bottom - size.cy);
    p.x = std::max(p.x, area.left);
    p.y = std::max(p.y, area.top);
    return p;
}

}  // namespace

void MWindow::CenterWindow(MWindow* relativeTo) {
    if (hwnd_ == nullptr || !::IsWindow(hwnd_)) {
        return;
    }
    RECT own;
    ::GetWindowRect(hwnd_, &own);
    const CSize size = own.Size();
    CRect area;
    CPoint center;
    if ((GetStyle() & WS_CHILD) != 0) {
        // Inside the parent's client area, over the reference's client rectangle.
        const HWND parent = ::GetParent(hwnd_);
        ::GetClientRect(parent, &area);
        const HWND reference =
            relativeTo != nullptr && relativeTo->hwnd_ != nullptr ? relativeTo->hwnd_ : parent;
        RECT r;
        ::GetClientRect(reference, &r);
        ::MapWindowPoints(reference, parent, reinterpret_cast<POINT*>(&r), 2);
        center = CRect(r).CenterPoint();
    } else {
        HWND reference = relativeTo != nullptr ? relativeTo->hwnd_ : ::GetParent(hwnd_);
        if (reference != nullptr &&
            (!::IsWindow(reference) || !::IsWindowVisible(reference) || ::IsIconic(reference))) {
            reference = nullptr;
        }
        area = WorkAreaOf(hwnd_);
        if (reference != nullptr) {
            RECT r;
            ::GetWindowRect(reference, &r);
            center = CRect(r).CenterPoint();
        } else {
            center = area.CenterPoint();
        }
    }
    const CPoint topLeft = CenteredInside(center, size, area);
    ::SetWindowPos(hwnd_, nullptr, topLeft.x, topLeft.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MWindow::BringToTop() {
    if (hwnd_ == nullptr || !::IsWindow(hwnd_)) {
        return;
    }
    ::SetForegroundWindow(hwnd_);
    ::ShowWindow(hwnd_, ::IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
}

// The window system shows no window icons, so there is nothing to set.
void MWindow::SetIcon(UINT) {}

BOOL MWindow::DestroyWindow() {
    return hwnd_ != nullptr ? ::DestroyWindow(hwnd_) : FALSE;
}

LRESULT MWindow::SendMessageW(UINT msg, WPARAM wparam, LPARAM lparam) {
    return hwnd_ != nullptr ? ::SendMessageW(hwnd_, msg, wparam, lparam) : 0;
}

BOOL MWindow::PostMessageW(UINT msg, WPARAM wparam, LPARAM lparam) {
    return hwnd_ != nullptr ? ::PostMessageW(hwnd_, msg, wparam, lparam) : FALSE;
}

DWORD MWindow::GetStyle() const {
    return hwnd_ != nullptr ? static_cast<DWORD>(::GetWindowLongW(hwnd_, GWL_STYLE)) : 0;
}

DWORD MWindow::GetExStyle() const {
    return hwnd_ != nullptr ? static_cast<DWORD>(::GetWindowLongW(hwnd_, GWL_EXSTYLE)) : 0;
}

BOOL MWindow::ChangeStyle(int index, DWORD remove, DWORD add, UINT swpFlags) {
    if (hwnd_ == nullptr || !::IsWindow(hwnd_)) {
        return FALSE;
    }
    const DWORD old = static_cast<DWORD>(::GetWindowLongW(hwnd_, index));
    const DWORD changed = (old & ~remove) | add;
    if (changed == old) {
        return FALSE;
    }
    ::SetWindowLongW(hwnd_, index, static_cast<LONG>(changed));
    if (swpFlags != 0) {
        ::SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                       swpFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

BOOL MWindow::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) {
    return ChangeStyle(GWL_STYLE, remove, add, swpFlags);
}

BOOL MWindow::ModifyExStyle(DWORD remove, DWORD add, UINT swpFlags) {
    return ChangeStyle(GWL_EXSTYLE, remove, add, swpFlags);
}

BOOL MWindow::GetClientRect(RECT* rect) const {
    return hwnd_ != nullptr ? ::GetClientRect(hwnd_, rect) : FALSE;
}

BOOL MWindow::GetWindowRect(RECT* rect) const {
    return hwnd_ != nullptr ? ::GetWindowRect(hwnd_, rect) : FALSE;
}

BOOL MWindow::SetWindowTextW(const wchar_t* text) {
    return hwnd_ != nullptr ? ::SetWindowTextW(hwnd_, text) : FALSE;
}

int MWindow::GetWindowTextW(CString& text) const {
    if (hwnd_ == nullptr) {
        return 0;
    }
    const int length = ::GetWindowTextLengthW(hwnd_);
    CString buffer(static_cast<size_t>(std::max(0, length)) + 1, L'\0');
    const int copied = ::GetWindowTextW(hwnd_, buffer.data(), static_cast<int>(buffer.size()));
    buffer.resize(static_cast<size_t>(std::max(0, copied)));
    text = buffer;
    return copied;
}

int MWindow::GetWindowTextLengthW() const {
    return hwnd_ != nullptr ? ::GetWindowTextLengthW(hwnd_) : -1;
}

BOOL MWindow::EnableWindow(BOOL enable) {
    return hwnd_ != nullptr ? ::EnableWindow(hwnd_, enable) : FALSE;
}

BOOL MWindow::IsWindowEnabled() const {
    return hwnd_ != nullptr ? ::IsWindowEnabled(hwnd_) : FALSE;
}

BOOL MWindow::IsWindowVisible() const {
    return hwnd_ != nullptr ? ::IsWindowVisible(hwnd_) : FALSE;
}

BOOL MWindow::IsIconic() const {
    return hwnd_ != nullptr ? ::IsIconic(hwnd_) : FALSE;
}

BOOL MWindow::InvalidateRect(CRect rect, int erase) {
    return hwnd_ != nullptr ? ::InvalidateRect(hwnd_, &rect, erase) : FALSE;
}

HWND MWindow::SetCapture() {
    return hwnd_ != nullptr ? ::SetCapture(hwnd_) : nullptr;
}

BOOL MWindow::ReleaseCapture() {
    return hwnd_ != nullptr && ::GetCapture() == hwnd_ ? ::ReleaseCapture() : FALSE;
}

HWND MWindow::SetFocus() {
    return hwnd_ != nullptr ? ::SetFocus(hwnd_) : nullptr;
}

UINT_PTR MWindow::SetTimer(UINT id, UINT elapseMs, TIMERPROC callback) {
    return hwnd_ != nullptr ? ::SetTimer(hwnd_, id, elapseMs, callback) : 0;
}

BOOL MWindow::KillTimer(UINT id) {
    return hwnd_ != nullptr ? ::KillTimer(hwnd_, id) : FALSE;
}

BOOL MWindow::ClientToScreen(POINT* point) const {
    return hwnd_ != nullptr ? ::ClientToScreen(hwnd_, point) : FALSE;
}

BOOL MWindow::ScreenToClient(POINT* point) const {
    return hwnd_ != nullptr ? ::ScreenToClient(hwnd_, point) : FALSE;
}

BOOL MWindow::MapRect(RECT* rect, bool toScreen) const {
    if (hwnd_ == nullptr || rect == nullptr) {
        return FALSE;
    }
    POINT corners[2] = {rect->TopLeft(), rect->BottomRight()};
    ::MapWindowPoints(toScreen ? hwnd_ : nullptr, toScreen ? nullptr : hwnd_, corners, 2);
    *rect = CRect(corners[0].x, corners[0].y, corners[1].x, corners[1].y);
    return TRUE;
}

BOOL MWindow::ClientToScreen(RECT* rect) const {
    return MapRect(rect, true);
}

BOOL MWindow::ScreenToClient(RECT* rect) const {
    return MapRect(rect, false);
}

BOOL MWindow::SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    return hwnd_ != nullptr ? ::SetWindowPos(hwnd_, insertAfter, x, y, cx, cy, flags) : FALSE;
}

BOOL MWindow::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
    return hwnd_ != nullptr ? ::MoveWindow(hwnd_, x, y, width, height, repaint) : FALSE;
}

BOOL MWindow::MoveWindow(const CRect& rect, BOOL repaint) {
    return MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), repaint);
}

}  // namespace LumoUI
