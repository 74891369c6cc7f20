// The X11 display: each window of the window system is an X window. Top-level windows are
// managed by the window manager without decorations, except pop-ups (windows of classes with
// CS_DROPSHADOW or CS_SAVEBITS, as menus, drop-down lists and tips register theirs), which are
// override-redirect windows whose activation the backend emulates: while one is active it
// grabs the pointer, so a press outside reaches the window system as a press outside all its
// windows and takes the activation away, and keys reach it through the focus of its owner (or a
// keyboard grab when no window of ours has the focus). Layered windows get a 32-bit ARGB visual
// where the server has one. A reader thread sleeps on the connection and turns X events into
// the window system's input.
#pragma once

#include <X11/Xlib.h>

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "lumoui/base/lumoui_export.h"
#include "lumoui/win/win_api.h"
#include "lumoui/win/window_backend.h"
#include "lumoui/win/x11/x11_connection.h"
#include "lumoui/win/x11/x11_event_reader.h"
#include "lumoui/win/x11/x11_surface.h"
#include "lumoui/win/x11/x11_window_hints.h"

namespace LumoUI {

struct X11Options {
    bool useShm = true;         // present through shared memory where the server allows it
    bool useArgbVisual = true;  // per-pixel alpha for layered windows where the server has it
};

class LUMOUI_API X11Backend final : public WindowBackend {
public:
    // Connects to the display that DISPLAY names; none when there is none.
    static std::unique_ptr<X11Backend> Open(const X11Options& options = {});
    ~X11Backend() override;

    // --- for tests and diagnostics ---
    Window NativeWindowOf(HWND hwnd) const;  // 0 when the window has none
    // How often the event reader woke from its wait (input, replies, requests to wake).
    uint64_t EventLoopWakeups() const { return reader_->Wakeups(); }
    bool HasArgbVisual() const { return connection_->argbVisual() != nullptr; }
    bool UsesShm() const { return connection_->HasShm(); }

    // --- WindowBackend ---
    const char* Name() const override { return "x11"; }
    CRect ScreenRect() const override;
    CRect WorkArea() const override;
    void CreateNativeWindow(const NativeWindowInfo& info) override;
    void DestroyNativeWindow(HWND hwnd) override;
    void ShowNativeWindow(HWND hwnd, NativeShowState state, bool activate) override;
    void MoveNativeWindow(HWND hwnd, const CRect& rect) override;
    void RestackNativeWindows(HWND parent, const std::vector<HWND>& topFirst) override;
    void SetNativeTitle(HWND hwnd, const CString& title) override;
    void SetNativeStyle(HWND hwnd, DWORD style, DWORD exStyle) override;
    void SetNativeLayeredAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags) override;
    void ActivateNativeWindow(HWND hwnd) override;
    void Present(HWND hwnd, const PixelView& pixels, const CRect& update,
                 bool perPixelAlpha) override;
    void SetPointerCapture(HWND hwnd) override;
    bool BeginCaptionDrag(HWND hwnd, CPoint screenPoint) override;
    void SetCursorShape(HCURSOR cursor) override;
    void WarpPointer(CPoint screenPoint) override;

private:
    struct NativeWindow {
        HWND parent = nullptr;  // child windows
        HWND owner = nullptr;   // top-level windows
        Window xid = 0;
        DWORD style = 0;
        DWORD exStyle = 0;
        UINT classStyle = 0;
        CString className;
        CString title;
        CRect rect;  // screen pixels, or the parent's client pixels for a child
        bool overrideRedirect = false;
        bool argb = false;  // made with the 32-bit visual
        NativeShowState state = NativeShowState::kHidden;
        NativeShowState shown = NativeShowState::kHidden;  // what the display was last told
        bool mapped = false;
        COLORREF key = 0;
        BYTE alpha = 255;
        DWORD layerFlags = 0;
        bool perPixelAlpha = false;
        // The pixels as presented, premultiplied ARGB, rect-sized; and their visual form.
        std::vector<uint32_t> contents;
        CSize contentSize;
        std::unique_ptr<X11Surface> surface;

        bool IsTopLevel() const { return parent == nullptr; }
        bool IsManaged() const { return IsTopLevel() && !overrideRedirect; }
        bool Layered() const { return (exStyle & WS_EX_LAYERED) != 0; }
        bool ClickThrough() const {
            return (exStyle & (WS_EX_LAYERED | WS_EX_TRANSPARENT)) ==
                   (WS_EX_LAYERED | WS_EX_TRANSPARENT);
        }
    };
    // Core calls that an event leads to, made once the backend's lock is released.
    using Deferred = std::vector<std::function<void()>>;

    explicit X11Backend(std::unique_ptr<X11Connection> connection);

    // --- under lock_ ---
    NativeWindow* FindLocked(HWND hwnd);
    const NativeWindow* FindLocked(HWND hwnd) const;
    HWND HwndOfLocked(Window xid) const;
    X11WindowKind KindOfLocked(const NativeWindow& w) const;
    void CreateXWindowLocked(HWND hwnd, NativeWindow& w);
    // Layered, transparent windows take no pointer input: their input shape is empty.
    void ApplyInputShapeLocked(const NativeWindow& w);
    void ApplyShowStateLocked(NativeWindow& w, bool activate);
    void RequestFocusLocked(const NativeWindow& w);
    void UpdateGrabsLocked();
    bool FocusIsOursLocked() const;
    void EnsureContentsLocked(NativeWindow& w);
    // Brings `area` of the presented pixels into the surface, with the layer attributes
    // applied, and (with `put`) onto the window.
    void ShowContentsLocked(NativeWindow& w, const CRect& area, bool put);
    Cursor CursorLocked(HCURSOR shape);

    // --- event reader thread (x11_backend_events.cpp) ---
    void HandleEvent(XEvent& event);
    void HandlePointerLocked(XEvent& event, Deferred& after);
    void HandleKeyLocked(XKeyEvent& key, Deferred& after);
    void HandleFocusLocked(const XFocusChangeEvent& focus, Deferred& after);
    void HandleConfigureLocked(const XConfigureEvent& configure, Deferred& after);
    void HandlePropertyLocked(const XPropertyEvent& property, Deferred& after);
    HWND PointerTargetLocked(Window xid, int x, int y) const;
    // Whether `hwnd` is `owner` or an override-redirect window owned by it.
    bool IsPartOfLocked(HWND hwnd, HWND owner) const;

    std::unique_ptr<X11Connection> connection_;
    Display* display_;

    mutable std::mutex lock_;
    std::map<HWND, NativeWindow> windows_;
    std::unordered_map<Window, HWND> byXid_;
    HWND capture_ = nullptr;
    HWND activePopup_ = nullptr;  // the active override-redirect window
    Window pointerGrab_ = 0;
    Window keyboardGrab_ = 0;
    HCURSOR cursorShape_ = nullptr;
    std::map<HCURSOR, Cursor> cursors_;
    bool wmDragging_ = false;  // the window manager moves a window; it keeps the button
    std::atomic<Time> lastInputTime_{CurrentTime};

    // Screen and work area, under their own lock: the core asks for them under its lock.
    mutable std::mutex geometryLock_;
    mutable CSize screenSize_;
    mutable CRect workArea_;
    mutable bool workAreaStale_ = true;

    std::unique_ptr<X11EventReader> reader_;  // last: stopped before anything else goes
};

}  // namespace LumoUI
