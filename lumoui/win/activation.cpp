// The active window, the keyboard focus and the mouse capture.
#include "lumoui/win/window_system.h"

using namespace LumoUI;
using namespace LumoUI::detail;

namespace LumoUI::detail {

void ActivateNow(HWND hwnd, WPARAM how, bool fromBackend) {
    WindowSystem& ws = WindowSystem::Get();
    HWND root = nullptr;
    HWND previous = nullptr;
    HWND lostCapture = nullptr;
    bool restacked = false;
    std::vector<HWND> stack;
    {
        std::lock_guard guard(ws.lock);
        if (hwnd != nullptr) {
            root = ws.RootOf(hwnd);
            if (root == nullptr) {
                return;
            }
        }
        previous = ws.active;
        if (previous == root) {
            return;
        }
        ws.active = root;
        if (ws.capture != nullptr && ws.RootOf(ws.capture) != root) {
            lostCapture = ws.capture;
            ws.capture = nullptr;
        }
        if (WindowRecord* w = ws.Find(root)) {
            restacked = ws.RestackLocked(*w, HWND_TOP);
            stack = ws.topLevels;
            // The thread that now has the active window sees the keys as they are.
            std::copy(std::begin(ws.asyncKeys), std::end(ws.asyncKeys), w->queue->keys);
        }
    }
    WindowBackend& backend = ws.Backend();
    if (restacked) {
        backend.RestackNativeWindows(nullptr, stack);
    }
    if (!fromBackend) {
        backend.ActivateNativeWindow(root);
    }
    if (lostCapture != nullptr) {
        backend.SetPointerCapture(nullptr);
        Deliver(lostCapture, WM_CAPTURECHANGED, 0, 0);
    }
    if (previous != nullptr) {
        Deliver(previous, WM_NCACTIVATE, FALSE, reinterpret_cast<LPARAM>(root));
        Deliver(previous, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(root));
    }
    if (root != nullptr) {
        Deliver(root, WM_NCACTIVATE, TRUE, reinterpret_cast<LPARAM>(previous));
        Deliver(root, WM_ACTIVATE, how, reinterpret_cast<LPARAM>(previous));
    }
    // DefWindowProcW gives the newly active window the focus; whatever kept it in the window
    // that lost activation loses it now.
    HWND focus = nullptr;
    {
        std::lock_guard guard(ws.lock);
        focus = ws.focus;
        if (focus != nullptr && (root == nullptr || !ws.InTree(root, focus))) {
            ws.focus = nullptr;
        } else {
            focus = nullptr;
        }
    }
    if (focus != nullptr) {
        Deliver(focus, WM_KILLFOCUS, 0, 0);
    }
}

void ActivateNextAfter(HWND gone) {
    WindowSystem& ws = WindowSystem::Get();
    HWND next = nullptr;
    {
        std::lock_guard guard(ws.lock);
        if (ws.active != gone) {
            return;
        }
        const auto usable = [&](HWND h) {
            const WindowRecord* w = ws.Find(h);
            return w != nullptr && h != gone && !w->destroying && (w->style & WS_VISIBLE) &&
                   (w->style & WS_DISABLED) == 0 && !w->iconic &&
                   (w->exStyle & WS_EX_NOACTIVATE) == 0;
        };
        const WindowRecord* g = ws.Find(gone);
        if (g != nullptr && usable(g->owner)) {
            next = g->owner;
        } else {
            for (HWND top : ws.topLevels) {
                const WindowRecord* w = ws.Find(top);
                if (usable(top) && (w->exStyle & WS_EX_TOOLWINDOW) == 0) {
                    next = top;
                    break;
                }
            }
        }
    }
    if (next == nullptr) {
        ActivateNow(nullptr, WA_INACTIVE);
    } else {
        RunOnOwnerThread(next, [next] { ActivateNow(next, WA_ACTIVE); });
    }
}

HWND SetFocusNow(HWND hwnd) {
    WindowSystem& ws = WindowSystem::Get();
    HWND root = nullptr;
    bool activate = false;
    {
        std::lock_guard guard(ws.lock);
        if (hwnd != nullptr) {
            root = ws.RootOf(hwnd);
            if (root == nullptr) {
                return nullptr;
            }
            activate = ws.active != root;
        }
    }
    if (activate) {
        ActivateNow(root, WA_ACTIVE);
    }
    HWND previous = nullptr;
    {
        std::lock_guard guard(ws.lock);
        if (hwnd != nullptr && ws.Find(hwnd) == nullptr) {
            return nullptr;
        }
        previous = ws.focus;
        if (previous == hwnd) {
            return previous;
        }
        ws.focus = hwnd;
    }
    if (previous != nullptr) {
        Deliver(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    }
    if (hwnd != nullptr) {
        Deliver(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    }
    return previous;
}

void ReleaseCaptureOf(HWND hwnd) {
    WindowSystem& ws = WindowSystem::Get();
    {
        std::lock_guard guard(ws.lock);
        if (ws.capture == nullptr || (hwnd != nullptr && ws.capture != hwnd)) {
            return;
        }
        hwnd = ws.capture;
        ws.capture = nullptr;
    }
    ws.Backend().SetPointerCapture(nullptr);
    Deliver(hwnd, WM_CAPTURECHANGED, 0, 0);
}

}  // namespace LumoUI::detail

HWND SetCapture(HWND hwnd) {
    if (!IsOwnerThread(hwnd)) {
        return nullptr;
    }
    WindowSystem& ws = WindowSystem::Get();
    HWND previous = nullptr;
    {
        std::lock_guard guard(ws.lock);
        previous = ws.capture;
        ws.capture = hwnd;
    }
    ws.Backend().SetPointerCapture(hwnd);
    if (previous != nullptr && previous != hwnd) {
        Deliver(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    }
    return previous;
}

BOOL ReleaseCapture() {
    ReleaseCaptureOf(nullptr);
    return TRUE;
}

HWND GetCapture() {
    return ReadWindowField(&WindowSystem::capture);
}

HWND SetFocus(HWND hwnd) {
    if (hwnd != nullptr && !IsOwnerThread(hwnd)) {
        return nullptr;
    }
    return SetFocusNow(hwnd);
}

HWND GetFocus() {
    return ReadWindowField(&WindowSystem::focus);
}

HWND SetActiveWindow(HWND hwnd) {
    const HWND previous = GetActiveWindow();
    if (hwnd != nullptr && !IsOwnerThread(hwnd)) {
        return nullptr;
    }
    ActivateNow(hwnd, hwnd != nullptr ? WA_ACTIVE : WA_INACTIVE);
    return previous;
}

HWND GetActiveWindow() {
    return ReadWindowField(&WindowSystem::active);
}

BOOL SetForegroundWindow(HWND hwnd) {
    if (!IsWindow(hwnd) || hwnd == GetDesktopWindow()) {
        return FALSE;
    }
    RunOnOwnerThread(hwnd, [hwnd] { ActivateNow(hwnd, WA_ACTIVE); });
    return TRUE;
}

HWND GetForegroundWindow() {
    return GetActiveWindow();
}

namespace LumoUI {

void NativeActivationChanged(HWND hwnd) {
    if (hwnd != nullptr) {
        RunOnOwnerThread(hwnd, [hwnd] { ActivateNow(hwnd, WA_ACTIVE, true); });
        return;
    }
    const HWND active = GetActiveWindow();
    if (active != nullptr) {
        RunOnOwnerThread(active, [] { ActivateNow(nullptr, WA_INACTIVE, true); });
    }
}

}  // namespace LumoUI
