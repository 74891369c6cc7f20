// Showing, hiding, enabling, moving and stacking windows, and their rectangles.
#include <algorithm>

#include "lumoui/win/window_system.h"

using namespace LumoUI;
using namespace LumoUI::detail;

namespace {

NativeShowState ShowStateOf(const WindowRecord& w) {
    if ((w.style & WS_VISIBLE) == 0) {
        return NativeShowState::kHidden;
    }
    if (w.iconic) {
        return NativeShowState::kMinimized;
    }
    return w.zoomed ? NativeShowState::kMaximized : NativeShowState::kNormal;
}

// What SetWindowPosNow changed.
struct PosChange {
    bool found = false;
    bool moved = false;
    bool sized = false;
    bool restacked = false;
    bool shown = false;
    bool hidden = false;
};

PosChange ApplyWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags,
                         bool fromBackend) {
    WindowSystem& ws = WindowSystem::Get();
    PosChange change;
    WINDOWPOS pos;
    {
        std::lock_guard guard(ws.lock);
        const WindowRecord* w = ws.Find(hwnd);
        if (w == nullptr) {
            return change;
        }
        pos = WINDOWPOS{hwnd, insertAfter, x, y, cx, cy, flags};
        if (flags & SWP_NOMOVE) {
            pos.x = w->rect.left;
            pos.y = w->rect.top;
        }
        if (flags & SWP_NOSIZE) {
            pos.cx = w->rect.Width();
            pos.cy = w->rect.Height();
        }
    }
    if ((flags & SWP_NOSENDCHANGING) == 0) {
        CallProc(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    }
    flags = pos.flags;
    CRect rect;
    HWND parent = nullptr;
    std::vector<HWND> stack;
    NativeShowState state = NativeShowState::kHidden;
    bool topLevel = false;
    bool activatable = false;
    bool focusInTree = false;
    bool wasActive = false;
    {
        std::lock_guard guard(ws.lock);
        WindowRecord* w = ws.Find(hwnd);
        if (w == nullptr) {
            return change;
        }
        change.found = true;
        CRect next = w->rect;
        if ((flags & SWP_NOMOVE) == 0) {
            next.MoveToXY(pos.x, pos.y);
        }
        if ((flags & SWP_NOSIZE) == 0) {
            next.right = next.left + std::max(0, pos.cx);
            next.bottom = next.top + std::max(0, pos.cy);
        }
        change.moved = next.TopLeft() != w->rect.TopLeft();
        change.sized = next.Size() != w->rect.Size();
        w->rect = next;
        if (!w->zoomed) {
            w->normalRect = next;
        }
        if ((flags & SWP_NOZORDER) == 0) {
            change.restacked = ws.RestackLocked(*w, pos.hwndInsertAfter);
        }
        if ((flags & SWP_SHOWWINDOW) && (w->style & WS_VISIBLE) == 0) {
            w->style |= WS_VISIBLE;
            change.shown = true;
        } else if ((flags & SWP_HIDEWINDOW) && (w->style & WS_VISIBLE) != 0) {
            w->style &= ~WS_VISIBLE;
            change.hidden = true;
        }
        if (change.shown || (change.sized && (flags & SWP_NOREDRAW) == 0)) {
            w->update = w->ClientRect();
            ws.MarkDirtyLocked(*w, change.shown);
        }
        if (change.hidden) {
            ws.ClearDirtyLocked(*w, true);
            focusInTree = ws.focus != nullptr && ws.InTree(hwnd, ws.focus);
            wasActive = ws.active == hwnd;
        }
        rect = w->rect;
        parent = w->IsChild() ? w->parent : nullptr;
        stack = ws.StackOf(parent);
        state = ShowStateOf(*w);
        topLevel = !w->IsChild();
        activatable = topLevel && (w->style & WS_VISIBLE) && !w->iconic &&
                      (w->exStyle & WS_EX_NOACTIVATE) == 0 && (flags & SWP_NOACTIVATE) == 0;
        pos.x = rect.left;
        pos.y = rect.top;
        pos.cx = rect.Width();
        pos.cy = rect.Height();
    }
    WindowBackend& backend = ws.Backend();
    if (!fromBackend && (change.moved || change.sized)) {
        backend.MoveNativeWindow(hwnd, rect);
    }
    if (change.restacked) {
        backend.RestackNativeWindows(parent, stack);
    }
    if (change.shown || change.hidden) {
        backend.ShowNativeWindow(hwnd, state, change.shown && activatable);
    }
    if (wasActive) {
        ActivateNextAfter(hwnd);
    } else if (focusInTree) {
        SetFocusNow(nullptr);
    }
    pos.flags = flags | (change.moved ? 0 : SWP_NOMOVE) | (change.sized ? 0 : SWP_NOSIZE) |
                (change.restacked ? 0 : SWP_NOZORDER);
    if (change.moved || change.sized || change.restacked || change.shown || change.hidden ||
        (flags & SWP_FRAMECHANGED)) {
        CallProc(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    }
    if (activatable) {
        ActivateNow(hwnd, WA_ACTIVE);
    }
    return change;
}

bool IsVisibleNow(HWND hwnd) {
    WindowSystem& ws = WindowSystem::Get();
    std::lock_guard guard(ws.lock);
    const WindowRecord* w = ws.Find(hwnd);
    return w != nullptr && (w->style & WS_VISIBLE) != 0;
}

void ShowPlain(HWND hwnd, bool activate) {
    if (!IsVisibleNow(hwnd)) {
        CallProc(hwnd, WM_SHOWWINDOW, TRUE, 0);
        SetWindowPosNow(hwnd, HWND_TOP, 0, 0, 0, 0,
                        SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE |
                            (activate ? 0 : SWP_NOACTIVATE | SWP_NOZORDER));
    } else if (activate) {
        SetWindowPosNow(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
}

void Minimize(HWND hwnd) {
    WindowSystem& ws = WindowSystem::Get();
    bool wasVisible = false;
    bool wasActive = false;
    bool focusInTree = false;
    {
        std::lock_guard guard(ws.lock);
        WindowRecord* w = ws.Find(hwnd);
        if (w == nullptr || w->iconic || w->IsChild()) {
            return;
        }
        w->iconic = true;
        wasVisible = (w->style & WS_VISIBLE) != 0;
        w->style |= WS_VISIBLE;
        ws.ClearDirtyLocked(*w, true);
        wasActive = ws.active == hwnd;
        focusInTree = ws.focus != nullptr && ws.InTree(hwnd, ws.focus);
    }
    if (!wasVisible) {
        CallProc(hwnd, WM_SHOWWINDOW, TRUE, 0);
    }
    ws.Backend().ShowNativeWindow(hwnd, NativeShowState::kMinimized, false);
    CallProc(hwnd, WM_SIZE, SIZE_MINIMIZED, 0);
    if (wasActive) {
        ActivateNextAfter(hwnd);
    } else if (focusInTree) {
        SetFocusNow(nullptr);
    }
}

// Leaves the minimised or maximised state.
void Restore(HWND hwnd) {
    WindowSystem& ws = WindowSystem::Get();
    bool wasIconic = false;
    bool unzoom = false;
    CRect target;
    NativeShowState state = NativeShowState::kNormal;
    {
        std::lock_guard guard(ws.lock);
        WindowRecord* w = ws.Find(hwnd);
        if (w == nullptr) {
            return;
        }
        if (w->iconic) {
            w->iconic = false;
            wasIconic = true;
            w->update = w->ClientRect();
            ws.MarkDirtyLocked(*w, true);
            target = w->rect;
            state = ShowStateOf(*w);
        } else if (w->zoomed) {
            w->zoomed = false;
            unzoom = true;
            target = w->normalRect;
        }
    }
    if (wasIconic) {
        ws.Backend().ShowNativeWindow(hwnd, state, false);
        CallProc(hwnd, WM_SIZE,
                 state == NativeShowState::kMaximized ? SIZE_MAXIMIZED : SIZE_RESTORED,
                 MAKELPARAM(target.Width(), target.Height()));
    } else if (unzoom) {
        if (IsVisibleNow(hwnd)) {
            ws.Backend().ShowNativeWindow(hwnd, NativeShowState::kNormal, false);
        }
        SetWindowPosNow(hwnd, nullptr, target.left, target.top, target.Width(), target.Height(),
                        SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Maximize(HWND hwnd) {
    WindowSystem& ws = WindowSystem::Get();
    const CRect work = ws.Backend().WorkArea();
    bool visible = false;
    {
        std::lock_guard guard(ws.lock);
        WindowRecord* w = ws.Find(hwnd);
        if (w == nullptr || w->IsChild()) {
            return;
        }
        if (!w->zoomed) {
            w->normalRect = w->rect;
            w->zoomed = true;
        }
        w->iconic = false;
        visible = (w->style & WS_VISIBLE) != 0;
    }
    if (visible) {
        ws.Backend().ShowNativeWindow(hwnd, NativeShowState::kMaximized, false);
    }
    const PosChange change = ApplyWindowPos(hwnd, nullptr, work.left, work.top, work.Width(),
                                            work.Height(), SWP_NOZORDER | SWP_NOACTIVATE, false);
    if (change.found && !change.sized) {
        CallProc(hwnd, WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(work.Width(), work.Height()));
    }
}

}  // namespace

namespace LumoUI::detail {

void SetWindowPosNow(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags,
                     bool fromBackend) {
    ApplyWindowPos(hwnd, insertAfter, x, y, cx, cy, flags, fromBackend);
}

void ShowWindowNow(HWND hwnd, int cmdShow) {
    switch (cmdShow) {
        case SW_HIDE:
            if (IsVisibleNow(hwnd)) {
                CallProc(hwnd, WM_SHOWWINDOW, FALSE, 0);
                SetWindowPosNow(
                    hwnd, nullptr, 0, 0, 0, 0,
                    SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            break;
        case SW_MINIMIZE:
        case SW_SHOWMINIMIZED:
        case SW_SHOWMINNOACTIVE:
            Minimize(hwnd);
            break;
        case SW_SHOWMAXIMIZED:
            Maximize(hwnd);
            ShowPlain(hwnd, true);
            break;
        case SW_SHOWNORMAL:
        case SW_RESTORE:
        case SW_SHOWDEFAULT:
            Restore(hwnd);
            ShowPlain(hwnd, true);
            break;
        case SW_SHOWNOACTIVATE:
            Restore(hwnd);
            ShowPlain(hwnd, false);
            break;
        case SW_SHOW:
            ShowPlain(hwnd, true);
            break;
        case SW_SHOWNA:
            ShowPlain(hwnd, false);
            break;
        default:
            break;
    }
}

}  // namespace LumoUI::detail

BOOL ShowWindow(HWND hwnd, int cmdShow) {
    WindowSystem& ws = WindowSystem::Get();
    bool wasVisible = false;
    {
        std::lock_guard guard(ws.lock);
        const WindowRecord* w = ws.Find(hwnd);
        if (w == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        wasVisible = (w->style & WS_VISIBLE) != 0;
    }
    RunOnOwnerThread(hwnd, [hwnd, cmdShow] { ShowWindowNow(hwnd, cmdShow); });
    return wasVisible ? TRUE : FALSE;
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    if (!IsWindow(hwnd) || hwnd == GetDesktopWindow()) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    RunOnOwnerThread(hwnd, [=] { SetWindowPosNow(hwnd, insertAfter, x, y, cx, cy, flags); });
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hwnd) {
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    WindowSystem& ws = WindowSystem::Get();
    bool wasDisabled = false;
    HWND lostCapture = nullptr;
    HWND lostFocus = nullptr;
    {
        std::lock_guard guard(ws.lock);
        WindowRecord* w = ws.Find(hwnd);
        if (w == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        wasDisabled = (w->style & WS_DISABLED) != 0;
        if (wasDisabled == !enable) {
            return wasDisabled ? TRUE : FALSE;
        }
        if (enable) {
            w->style &= ~WS_DISABLED;
        } else {
            // A disabled window takes no input at once, so it also loses capture and focus.
            w->style |= WS_DISABLED;
            if (ws.capture != nullptr && ws.InTree(hwnd, ws.capture)) {
                lostCapture = ws.capture;
                ws.capture = nullptr;
            }
            if (ws.focus != nullptr && ws.InTree(hwnd, ws.focus)) {
                lostFocus = ws.focus;
                ws.focus = nullptr;
            }
        }
    }
    RunOnOwnerThread(hwnd, [=] {
        if (lostCapture != nullptr) {
            WindowSystem::Get().Backend().SetPointerCapture(nullptr);
            Deliver(lostCapture, WM_CAPTURECHANGED, 0, 0);
        }
        if (lostFocus != nullptr) {
            Deliver(lostFocus, WM_KILLFOCUS, 0, 0);
        }
        CallProc(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    });
    return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
    return WithWindow(hwnd, FALSE, [](WindowSystem&, const WindowRecord& w) {
        return (w.style & WS_DISABLED) == 0 ? TRUE : FALSE;
    });
}

BOOL IsWindowVisible(HWND hwnd) {
    return WithWindow(hwnd, FALSE, [](WindowSystem& ws, const WindowRecord& w) {
        for (const WindowRecord* p = &w; p != nullptr;
             p = p->IsChild() ? ws.Find(p->parent) : nullptr) {
            if ((p->style & WS_VISIBLE) == 0) {
                return FALSE;
            }
        }
        return TRUE;
    });
}

BOOL IsIconic(HWND hwnd) {
    return WithWindow(hwnd, FALSE,
                      [](WindowSystem&, const WindowRecord& w) { return w.iconic ? TRUE : FALSE; });
}

BOOL IsZoomed(HWND hwnd) {
    return WithWindow(hwnd, FALSE, [](WindowSystem&, const WindowRecord& w) {
        return w.zoomed && !w.iconic ? TRUE : FALSE;
    });
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
    if (rect == nullptr) {
        return FALSE;
    }
    if (hwnd == GetDesktopWindow()) {
        *rect = GetWindowBackend().ScreenRect();
        return TRUE;
    }
    return WithWindow(hwnd, FALSE, [rect](WindowSystem& ws, const WindowRecord& w) {
        *rect = ws.ScreenRect(w);
        return TRUE;
    });
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
    if (rect == nullptr) {
        return FALSE;
    }
    if (hwnd == GetDesktopWindow()) {
        *rect = CRect(CPoint(), GetWindowBackend().ScreenRect().Size());
        return TRUE;
    }
    return WithWindow(hwnd, FALSE, [rect](WindowSystem&, const WindowRecord& w) {
        *rect = w.ClientRect();
        return TRUE;
    });
}

namespace {

// The screen position of a window's client origin; the desktop and none are the screen.
bool ClientOrigin(HWND hwnd, CPoint* origin) {
    if (hwnd == nullptr || hwnd == GetDesktopWindow()) {
        *origin = CPoint();
        return true;
    }
    return WithWindow(hwnd, false, [origin](WindowSystem& ws, const WindowRecord& w) {
        *origin = ws.ScreenOrigin(w);
        return true;
    });
}

}  // namespace

BOOL ClientToScreen(HWND hwnd, POINT* point) {
    CPoint origin;
    if (point == nullptr || hwnd == nullptr || !ClientOrigin(hwnd, &origin)) {
        return FALSE;
    }
    point->Offset(origin.x, origin.y);
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* point) {
    CPoint origin;
    if (point == nullptr || hwnd == nullptr || !ClientOrigin(hwnd, &origin)) {
        return FALSE;
    }
    point->Offset(-origin.x, -origin.y);
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
    CPoint a;
    CPoint b;
    if (!ClientOrigin(from, &a) || !ClientOrigin(to, &b)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    const int dx = a.x - b.x;
    const int dy = a.y - b.y;
    for (UINT i = 0; points != nullptr && i < count; ++i) {
        points[i].Offset(dx, dy);
    }
    return MAKELPARAM(dx, dy);
}

namespace LumoUI {

void NativeWindowMoved(HWND hwnd, const CRect& rect) {
    RunOnOwnerThread(hwnd, [hwnd, rect] {
        SetWindowPosNow(hwnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                        SWP_NOZORDER | SWP_NOACTIVATE, true);
    });
}

}  // namespace LumoUI
