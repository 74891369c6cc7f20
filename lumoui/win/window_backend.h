// The seam between the window system's core (lumoui/win) and a display backend (headless/,
// x11/). The core owns every window's state and all message traffic; a backend shows windows,
// presents their pixels (a PixelView: premultiplied ARGB32, as a bitmap of the graphics layer
// hands it out) and feeds user input back through the Input* functions below.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "lumoui/base/colors.h"
#include "lumoui/base/cstring.h"
#include "lumoui/base/geometry.h"
#include "lumoui/base/lumoui_export.h"
#include "lumoui/gfx/pixel_view.h"
#include "lumoui/win/win_types.h"
#include "lumoui/win/window_clock.h"

namespace LumoUI {

// Whether a pixel view can be presented: pixels, a size and rows of at least its width.
inline bool IsPresentable(const PixelView& pixels) {
    return !pixels.IsEmpty() && pixels.stride >= pixels.width * 4;
}

// What a backend learns about a window when it is made. Rectangles of top-level windows are
// in screen pixels; those of child windows (WS_CHILD) in the parent's client pixels.
struct NativeWindowInfo {
    HWND hwnd = nullptr;
    HWND parent = nullptr;  // child windows only
    HWND owner = nullptr;   // top-level windows only
    DWORD style = 0;
    DWORD exStyle = 0;
    CRect rect;
    CString className;
    CString title;
};

enum class NativeShowState { kHidden, kNormal, kMinimized, kMaximized };

// A display backend. Every call is made on the thread that owns the window concerned (its
// creating thread) and never while the core holds its own lock, so a backend may call back
// into the window functions and the Input* functions from inside a call.
class LUMOUI_API WindowBackend {
public:
    virtual ~WindowBackend() = default;

    virtual const char* Name() const = 0;
    virtual CRect ScreenRect() const = 0;
    virtual CRect WorkArea() const = 0;
    // The backend's own clock (virtual time), or none for the monotonic clock.
    virtual WindowClock* Clock() { return nullptr; }

    virtual void CreateNativeWindow(const NativeWindowInfo& info) = 0;
    // Children are destroyed before their parent.
    virtual void DestroyNativeWindow(HWND hwnd) = 0;
    virtual void ShowNativeWindow(HWND hwnd, NativeShowState state, bool activate) = 0;
    virtual void MoveNativeWindow(HWND hwnd, const CRect& rect) = 0;
    // The stacking order of the top-level windows (parent none) or of one window's children,
    // top first, after any change of it.
    virtual void RestackNativeWindows(HWND parent, const std::vector<HWND>& topFirst) = 0;
    virtual void SetNativeTitle(HWND hwnd, const CString& title) = 0;
    virtual void SetNativeStyle(HWND hwnd, DWORD style, DWORD exStyle) = 0;
    // SetLayeredWindowAttributes: constant alpha and colour key (LWA_* flags).
    virtual void SetNativeLayeredAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags) {
        (void)hwnd, (void)key, (void)alpha, (void)flags;
    }
    // The window became the active one (none: no window of ours is active).
    virtual void ActivateNativeWindow(HWND hwnd) { (void)hwnd; }

    // New pixels for a window. Opaque: only `update` (client pixels) changed and the alpha
    // channel is ignored. Per-pixel alpha (layered windows): the whole buffer replaces the
    // window's contents and is blended with what lies beneath.
    virtual void Present(HWND hwnd, const PixelView& pixels, const CRect& update,
                         bool perPixelAlpha) = 0;

    // Mouse capture started (hwnd) or ended (none): a backend may grab the pointer.
    virtual void SetPointerCapture(HWND hwnd) { (void)hwnd; }
    // The user pressed the left button on a window's caption area (WM_NCLBUTTONDOWN with
    // HTCAPTION). True when the backend moves the window itself (a window manager drag) and
    // reports the new place with NativeWindowMoved; false lets the core move it with the
    // following pointer moves.
    virtual bool BeginCaptionDrag(HWND hwnd, CPoint screenPoint) {
        (void)hwnd, (void)screenPoint;
        return false;
    }
    virtual void SetCursorShape(HCURSOR cursor) { (void)cursor; }
    // SetCursorPos: the backend moves the pointer, which reports a move as usual.
    virtual void WarpPointer(CPoint screenPoint) { (void)screenPoint; }
};

// Chooses the backend: "headless" (default) or "x11", by the name it was registered with.
// Only while no window exists and no periodic timer runs; false otherwise, or when the name is
// unknown or the backend cannot start (no display).
LUMOUI_API bool SelectWindowBackend(const char* name);
// The backend for a program run: "x11" when DISPLAY names a display that answers, unless
// `forceHeadless`; "headless" on real time otherwise. False only when neither can start.
LUMOUI_API bool SelectDefaultWindowBackend(bool forceHeadless);
// Installs a backend made by the caller (tests, or a registered factory).
LUMOUI_API bool SetWindowBackend(std::unique_ptr<WindowBackend> backend);
// The backend in use; the headless backend with virtual time when none was chosen.
LUMOUI_API WindowBackend& GetWindowBackend();
LUMOUI_API WindowClock& GetWindowClock();

// A backend that can be chosen by name. Returns none when it cannot start.
using WindowBackendFactory = std::unique_ptr<WindowBackend> (*)();
LUMOUI_API void RegisterWindowBackend(const char* name, WindowBackendFactory factory);

// Input from the backend, from any thread. `target` is the window under the pointer as the
// display sees it (none: outside every window of ours); the core applies capture, enabled
// state, double clicks, hover and leave, click activation and caption drags, and queues the
// messages to the owner thread of the window that gets them.
enum class MouseButton { kLeft, kRight, kMiddle };
LUMOUI_API void InputMouseMove(HWND target, CPoint screenPoint);
LUMOUI_API void InputMouseButton(HWND target, MouseButton button, bool down, CPoint screenPoint);
LUMOUI_API void InputMouseWheel(HWND target, int delta, CPoint screenPoint);
// Keys go to the focus window (the active window when none has the focus). `character` is the
// character the key produces with the current modifiers (0 for none); TranslateMessage turns
// it into WM_CHAR.
LUMOUI_API void InputKey(UINT vk, bool down, UINT scanCode = 0, wchar_t character = 0,
                         bool extended = false);
// The display moved or resized a window itself (window manager).
LUMOUI_API void NativeWindowMoved(HWND hwnd, const CRect& rect);
// The display changed the active window itself (none: another program's window).
LUMOUI_API void NativeActivationChanged(HWND hwnd);

namespace detail {
// Periodic timers hold on to the clock; the backend cannot change while one runs.
void PeriodicTimerStarted();
void PeriodicTimerEnded();
}  // namespace detail

}  // namespace LumoUI
