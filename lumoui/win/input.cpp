// Pointer and key input from the display, and the state it leaves: key state, cursor
// position and shape, mouse tracking and caption drags.
#include <algorithm>
#include <cstdlib>

#include "lumoui/win/window_system.h"

using namespace LumoUI;
using namespace LumoUI::detail;

namespace {

constexpr UINT kHoverTimeMs = 400;
constexpr int kHoverWidth = 4;
constexpr int kHoverHeight = 4;
constexpr UINT kDoubleClickTimeMs = 500;
constexpr int kDoubleClickWidth = 4;
constexpr int kDoubleClickHeight = 4;

UINT ButtonDownMessage(MouseButton button) {
    switch (button) {
        case MouseButton::kRight:
            return WM_RBUTTONDOWN;
        case MouseButton::kMiddle:
            return WM_MBUTTONDOWN;
        default:
            return WM_LBUTTONDOWN;
    }
}

UINT ButtonKey(MouseButton button) {
    switch (button) {
        case MouseButton::kRight:
            return VK_RBUTTON;
        case MouseButton::kMiddle:
            return VK_MBUTTON;
        default:
            return VK_LBUTTON;
    }
}

void SetAsyncKey(WindowSystem& ws, UINT vk, bool down) {
    BYTE& state = ws.asyncKeys[vk & 0xFF];
    if (down) {
        if ((state & 0x80) == 0) {
            state ^= 0x01;
        }
        state |= 0x80;
    } else {
        state &= static_cast<BYTE>(~0x80);
    }
}

// The key messages name the key without its side; the state keeps both.
UINT GenericKey(UINT vk) {
    switch (vk) {
        case VK_LSHIFT:
        case VK_RSHIFT:
            return VK_SHIFT;
        case VK_LCONTROL:
        case VK_RCONTROL:
            return VK_CONTROL;
        case VK_LMENU:
        case VK_RMENU:
            return VK_MENU;
        default:
            return vk;
    }
}

LPARAM ClientPointLocked(const WindowSystem& ws, const WindowRecord& w, CPoint screen) {
    const CPoint origin = ws.ScreenOrigin(w);
    return MAKELPARAM(screen.x - origin.x, screen.y - origin.y);
}

// Leave and hover bookkeeping for a pointer now over `under`.
void TrackPointerLocked(WindowSystem& ws, HWND under, CPoint point) {
    MouseTracking& track = ws.tracking;
    WindowRecord* tracked = ws.Find(track.hwnd);
    if (tracked == nullptr) {
        track = {};
        return;
    }
    if (under != track.hwnd) {
        if (track.flags & TME_LEAVE) {
            QueuedMessage m;
            m.msg.message = WM_MOUSELEAVE;
            PostLocked(ws, *tracked, std::move(m));
        }
        track = {};
        return;
    }
    if ((track.flags & TME_HOVER) && (std::abs(point.x - track.anchor.x) > kHoverWidth / 2 ||
                                      std::abs(point.y - track.anchor.y) > kHoverHeight / 2)) {
        track.anchor = point;
        track.hoverDue = ws.NowMs() + track.hoverTime;
        tracked->queue->Wake();  // its wait may end at the new hover time
    }
}

}  // namespace

namespace LumoUI {

void InputMouseMove(HWND target, CPoint point) {
    WindowSystem& ws = WindowSystem::Get();
    HWND dragged = nullptr;
    CPoint to;
    {
        std::lock_guard guard(ws.lock);
        ws.cursor = point;
        if (ws.drag.hwnd != nullptr) {
            if (ws.asyncKeys[VK_LBUTTON] & 0x80) {
                dragged = ws.drag.hwnd;
                to = CPoint(point.x - ws.drag.grab.x, point.y - ws.drag.grab.y);
            } else {
                ws.drag = {};
            }
        }
        if (dragged == nullptr) {
            const HWND under = ws.Find(target) != nullptr ? target : nullptr;
            ws.pointerWindow = under;
            TrackPointerLocked(ws, under, point);
            const HWND dest = ws.capture != nullptr ? ws.InputTargetLocked(ws.capture, false)
                                                    : ws.InputTargetLocked(under, true);
            if (const WindowRecord* w = ws.Find(dest)) {
                QueuedMessage m;
                m.input = true;
                m.msg.message = WM_MOUSEMOVE;
                m.msg.wParam = ws.MouseKeyFlagsLocked();
                m.msg.lParam = ClientPointLocked(ws, *w, point);
                PostLocked(ws, *w, std::move(m));
            }
        }
    }
    if (dragged != nullptr) {
        RunOnOwnerThread(dragged, [dragged, to] {
            SetWindowPosNow(dragged, nullptr, to.x, to.y, 0, 0,
                            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        });
    }
}

void InputMouseButton(HWND target, MouseButton button, bool down, CPoint point) {
    WindowSystem& ws = WindowSystem::Get();
    HWND deactivate = nullptr;
    {
        std::lock_guard guard(ws.lock);
        ws.cursor = point;
        SetAsyncKey(ws, ButtonKey(button), down);
        if (ws.drag.hwnd != nullptr) {
            // The caption drag takes the button until it is released.
            if (!down && button == MouseButton::kLeft) {
                ws.drag = {};
            }
            return;
        }
        const HWND under = ws.Find(target) != nullptr ? target : nullptr;
        const bool captured = ws.capture != nullptr;
        const HWND dest =
            captured ? ws.InputTargetLocked(ws.capture, false) : ws.InputTargetLocked(under, true);
        const WindowRecord* w = ws.Find(dest);
        if (w == nullptr) {
            // A press outside every window of ours (on the desktop or another program)
            // takes the activation away.
            if (down && !captured && under == nullptr) {
                deactivate = ws.active;
            }
        } else {
            const UINT downMessage = ButtonDownMessage(button);
            UINT message = down ? downMessage : downMessage + 1;
            const uint64_t now = ws.NowMs();
            if (down) {
                LastPress& last = ws.lastPress;
                const bool isDouble = (w->classStyle & CS_DBLCLKS) != 0 && last.hwnd == dest &&
                                      last.message == downMessage && !last.wasDouble &&
                                      now - last.time <= kDoubleClickTimeMs &&
                                      std::abs(point.x - last.point.x) <= kDoubleClickWidth / 2 &&
                                      std::abs(point.y - last.point.y) <= kDoubleClickHeight / 2;
                if (isDouble) {
                    message = downMessage + 2;
                }
                last = LastPress{dest, downMessage, now, point, isDouble};
            }
            QueuedMessage m;
            m.input = true;
            m.msg.message = message;
            m.msg.wParam = ws.MouseKeyFlagsLocked();
            m.msg.lParam = ClientPointLocked(ws, *w, point);
            if (down && !captured) {
                const HWND root = ws.RootOf(dest);
                const WindowRecord* r = ws.Find(root);
                if (r != nullptr && (r->exStyle & WS_EX_NOACTIVATE) == 0) {
                    m.activate = root;
                }
            }
            PostLocked(ws, *w, std::move(m));
        }
    }
    if (deactivate != nullptr) {
        RunOnOwnerThread(deactivate, [] { ActivateNow(nullptr, WA_INACTIVE); });
    }
}

void InputMouseWheel(HWND target, int delta, CPoint point) {
    WindowSystem& ws = WindowSystem::Get();
    std::lock_guard guard(ws.lock);
    ws.cursor = point;
    const HWND under = ws.Find(target) != nullptr ? target : nullptr;
    const HWND dest = ws.capture != nullptr ? ws.InputTargetLocked(ws.capture, false)
                                            : ws.InputTargetLocked(under, true);
    const WindowRecord* w = ws.Find(dest);
    if (w == nullptr) {
        return;
    }
    QueuedMessage m;
    m.input = true;
    m.msg.message = WM_MOUSEWHEEL;
    m.msg.wParam =
        MAKEWPARAM(static_cast<int>(ws.MouseKeyFlagsLocked()), std::clamp(delta, -32768, 32767));
    m.msg.lParam = MAKELPARAM(point.x, point.y);  // screen pixels, as Win32 has them
    PostLocked(ws, *w, std::move(m));
}

void InputKey(UINT vk, bool down, UINT scanCode, wchar_t character, bool extended) {
    if (vk == 0 || vk > 0xFF) {
        return;
    }
    WindowSystem& ws = WindowSystem::Get();
    std::lock_guard guard(ws.lock);
    const UINT key = GenericKey(vk);
    const bool wasDown = (ws.asyncKeys[key] & 0x80) != 0;
    SetAsyncKey(ws, key, down);
    if (key != vk) {
        SetAsyncKey(ws, vk, down);
    }
    const bool alt = (ws.asyncKeys[VK_MENU] & 0x80) != 0;
    const bool ctrl = (ws.asyncKeys[VK_CONTROL] & 0x80) != 0;
    const HWND dest = ws.focus != nullptr ? ws.focus : ws.active;
    const WindowRecord* w = ws.Find(ws.InputTargetLocked(dest, false));
    if (w == nullptr) {
        return;
    }
    // Keys with Alt (but not AltGr, Ctrl+Alt), F10 and keys without a focus window are
    // system keys.
    const bool system = key == VK_MENU || key == VK_F10 || (alt && !ctrl) || ws.focus == nullptr;
    QueuedMessage m;
    m.input = true;
    m.rawVk = vk;
    m.msg.message =
        down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    m.msg.wParam = key;
    const DWORD bits = 1u | ((scanCode & 0xFF) << 16) | (extended ? 1u << 24 : 0) |
                       (alt ? 1u << 29 : 0) | (wasDown ? 1u << 30 : 0) | (down ? 0 : 1u << 31);
    m.msg.lParam = static_cast<LPARAM>(bits);
    m.msg.lPrivate = down ? static_cast<DWORD>(character) : 0;
    PostLocked(ws, *w, std::move(m));
}

}  // namespace LumoUI

namespace LumoUI::detail {

void BeginCaptionDrag(HWND hwnd) {
    WindowSystem& ws = WindowSystem::Get();
    HWND root = nullptr;
    CPoint cursor;
    {
        std::lock_guard guard(ws.lock);
        root = ws.RootOf(hwnd);
        if (root == nullptr || (ws.asyncKeys[VK_LBUTTON] & 0x80) == 0) {
            return;  // the button was released before the drag could begin
        }
        cursor = ws.cursor;
    }
    ReleaseCaptureOf(nullptr);
    if (ws.Backend().BeginCaptionDrag(root, cursor)) {
        return;
    }
    std::lock_guard guard(ws.lock);
    if (const WindowRecord* w = ws.Find(root)) {
        ws.drag = CaptionDrag{root, CPoint(cursor.x - w->rect.left, cursor.y - w->rect.top)};
    }
}

}  // namespace LumoUI::detail

BOOL TrackMouseEvent(TRACKMOUSEEVENT* track) {
    if (track == nullptr || track->cbSize != sizeof(TRACKMOUSEEVENT)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    WindowSystem& ws = WindowSystem::Get();
    if (track->dwFlags & TME_QUERY) {
        std::lock_guard guard(ws.lock);
        const WindowRecord* w = ws.Find(ws.tracking.hwnd);
        const bool mine = w != nullptr && w->queue.get() == ThreadQueue::CurrentIfAny();
        track->hwndTrack = mine ? ws.tracking.hwnd : nullptr;
        track->dwFlags = mine ? ws.tracking.flags : 0;
        track->dwHoverTime = mine ? ws.tracking.hoverTime : 0;
        return TRUE;
    }
    const HWND hwnd = track->hwndTrack;
    if (!IsOwnerThread(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    const DWORD wanted = track->dwFlags & (TME_HOVER | TME_LEAVE);
    std::lock_guard guard(ws.lock);
    MouseTracking& t = ws.tracking;
    if (track->dwFlags & TME_CANCEL) {
        if (t.hwnd == hwnd) {
            t.flags &= ~wanted;
            if ((t.flags & TME_HOVER) == 0) {
                t.hoverDue = ThreadQueue::kNever;
            }
            if (t.flags == 0) {
                t = {};
            }
        }
        return TRUE;
    }
    WindowRecord* w = ws.Find(hwnd);
    if (ws.pointerWindow != hwnd) {
        // The pointer is not over the window: a leave request is answered at once.
        if (wanted & TME_LEAVE) {
            QueuedMessage m;
            m.msg.message = WM_MOUSELEAVE;
            PostLocked(ws, *w, std::move(m));
        }
        return TRUE;
    }
    if (t.hwnd != hwnd) {
        t = MouseTracking{};
        t.hwnd = hwnd;
    }
    t.flags |= wanted;
    if (wanted & TME_HOVER) {
        t.hoverTime = track->dwHoverTime == HOVER_DEFAULT || track->dwHoverTime == 0
                          ? kHoverTimeMs
                          : track->dwHoverTime;
        t.hoverDue = ws.NowMs() + t.hoverTime;
        t.anchor = ws.cursor;
    }
    return TRUE;
}

SHORT GetKeyState(int vk) {
    if (vk <= 0 || vk > 0xFF) {
        return 0;
    }
    ThreadQueue* q = ThreadQueue::CurrentIfAny();
    BYTE state = 0;
    if (q != nullptr) {
        state = q->keys[vk];
    } else {
        WindowSystem& ws = WindowSystem::Get();
        std::lock_guard guard(ws.lock);
        state = ws.asyncKeys[vk];
    }
    return static_cast<SHORT>(((state & 0x80) ? 0x8000 : 0) | (state & 0x01));
}

SHORT GetAsyncKeyState(int vk) {
    if (vk <= 0 || vk > 0xFF) {
        return 0;
    }
    WindowSystem& ws = WindowSystem::Get();
    std::lock_guard guard(ws.lock);
    return static_cast<SHORT>((ws.asyncKeys[vk] & 0x80) ? 0x8000 : 0);
}

BOOL GetCursorPos(POINT* point) {
    if (point == nullptr) {
        return FALSE;
    }
    WindowSystem& ws = WindowSystem::Get();
    std::lock_guard guard(ws.lock);
    *point = ws.cursor;
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    GetWindowBackend().WarpPointer(CPoint(x, y));
    return TRUE;
}

HCURSOR LoadCursorW(HINSTANCE instance, const wchar_t* name) {
    // Only the standard cursors exist; their handle carries their number.
    if (instance != nullptr || name == nullptr || !IS_INTRESOURCE(name)) {
        return nullptr;
    }
    const uintptr_t id = reinterpret_cast<uintptr_t>(name);
    if (id < 32512 || id > 32650) {
        return nullptr;
    }
    return reinterpret_cast<HCURSOR>(id);
}

HCURSOR SetCursor(HCURSOR cursor) {
    WindowSystem& ws = WindowSystem::Get();
    HCURSOR previous = nullptr;
    {
        std::lock_guard guard(ws.lock);
        previous = ws.cursorShape;
        ws.cursorShape = cursor;
    }
    if (previous != cursor) {
        ws.Backend().SetCursorShape(cursor);
    }
    return previous;
}

HCURSOR GetCursor() {
    WindowSystem& ws = WindowSystem::Get();
    std::lock_guard guard(ws.lock);
    return ws.cursorShape;
}
