// The headless display: a virtual screen on which windows are rectangles in z-order, whose
// presented frames are kept (and can be saved as PNG), with input that tests inject at screen
// points and that is routed as a window server would, and a clock that tests advance.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "lumoui/base/lumoui_export.h"
#include "lumoui/win/headless/headless_image.h"
#include "lumoui/win/win_api.h"
#include "lumoui/win/window_backend.h"

namespace LumoUI {

struct HeadlessOptions {
    int screenWidth = 1920;
    int screenHeight = 1080;
    CRect workArea;  // empty: the screen less a 40-pixel panel along the bottom
    bool virtualTime = true;
    // Per window, besides its current contents. With 0, a destroyed window leaves nothing.
    size_t framesKept = 4;
    ARGB desktopColor = 0xFF203040;
};

// One presentation of a window's pixels.
struct HeadlessFrame {
    CRect update;  // client pixels that changed (the whole window for per-pixel alpha)
    bool perPixelAlpha = false;
    HeadlessImage image;  // the window's whole contents after it
    uint64_t time = 0;
};

class LUMOUI_API HeadlessBackend final : public WindowBackend {
public:
    explicit HeadlessBackend(const HeadlessOptions& options = {});
    ~HeadlessBackend() override;

    // --- input, routed to the top-most shown window under the point ---
    void MoveMouse(CPoint screen);
    void PressButton(CPoint screen, MouseButton button = MouseButton::kLeft);
    void ReleaseButton(CPoint screen, MouseButton button = MouseButton::kLeft);
    void Click(CPoint screen, MouseButton button = MouseButton::kLeft);
    void DoubleClick(CPoint screen, MouseButton button = MouseButton::kLeft);
    void Wheel(CPoint screen, int delta);
    // Keys with the character a US layout gives them with the modifiers held.
    void KeyDown(UINT vk);
    void KeyUp(UINT vk);
    void PressKey(UINT vk);
    // Each character as a key of its own (VK_PACKET), as an input method types it.
    void TypeText(const CString& text);
    // The window the display finds under a point: fully transparent pixels of per-pixel
    // alpha windows and click-through windows let the point through.
    HWND WindowAt(CPoint screen) const;
    CPoint Pointer() const;

    // --- time ---
    // None on real time.
    VirtualClock* VirtualTime() { return clock_.get(); }
    // Moves virtual time forward by `ms`, stopping at every timer, hover and periodic timer
    // due on the way and dispatching the calling thread's messages at each stop. On real
    // time it dispatches, sleeps and dispatches again.
    void AdvanceTime(UINT ms);
    // Dispatches everything the calling thread has queued, without waiting; a WM_QUIT stops
    // it and is queued again. The number of messages dispatched.
    static int Pump();

    // --- what the display shows ---
    int FrameCount(HWND hwnd) const;  // presents so far
    // A kept frame, `back` presents ago (0: the latest). False when it is not kept.
    bool GetFrame(HWND hwnd, int back, HeadlessFrame* frame) const;
    HeadlessImage WindowImage(HWND hwnd) const;  // empty before the first present
    bool SaveWindowPng(HWND hwnd, const CString& path) const;
    // The screen as composed from the shown windows, bottom to top.
    HeadlessImage CaptureScreen() const;
    bool SaveScreenPng(const CString& path) const;
    NativeShowState ShowState(HWND hwnd) const;
    CRect NativeRect(HWND hwnd) const;  // screen pixels
    CString NativeTitle(HWND hwnd) const;
    DWORD NativeExStyle(HWND hwnd) const;
    std::vector<HWND> Stacking() const;  // top-level windows, top first
    HWND NativeActiveWindow() const;
    HWND PointerCapture() const;
    HCURSOR Cursor() const;

    // --- WindowBackend ---
    const char* Name() const override { return "headless"; }
    CRect ScreenRect() const override;
    CRect WorkArea() const override;
    WindowClock* Clock() override { return clock_.get(); }
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
    void SetCursorShape(HCURSOR cursor) override;
    void WarpPointer(CPoint screen) override;

private:
    struct NativeWindow {
        HWND parent = nullptr;
        DWORD style = 0;
        DWORD exStyle = 0;
        CRect rect;
        CString title;
        NativeShowState state = NativeShowState::kHidden;
        COLORREF key = 0;
        BYTE alpha = 255;
        DWORD layerFlags = 0;
        HeadlessImage surface;
        bool perPixelAlpha = false;
        int presents = 0;
        std::deque<HeadlessFrame> frames;
        std::vector<HWND> children;  // top first
        bool destroyed = false;
    };

    const NativeWindow* FindLocked(HWND hwnd) const;
    HWND WindowAtLocked(CPoint screen) const;
    HWND ChildAtLocked(const NativeWindow& w, HWND self, CPoint local) const;
    CPoint OriginLocked(const NativeWindow& w) const;
    void ComposeLocked(HeadlessImage* screen, const NativeWindow& w, CPoint origin,
                       const CRect& clip) const;
    wchar_t CharacterFor(UINT vk) const;

    const HeadlessOptions options_;
    std::unique_ptr<VirtualClock> clock_;
    mutable std::mutex lock_;
    std::map<HWND, NativeWindow> windows_;  // kept after destruction, for their frames
    std::vector<HWND> stack_;
    HWND active_ = nullptr;
    HWND capture_ = nullptr;
    HCURSOR cursor_ = nullptr;
    CPoint pointer_{-1, -1};
    bool capsLock_ = false;
};

// The headless backend when it is the one in use, else none.
LUMOUI_API HeadlessBackend* GetHeadlessBackend();
// Starts a fresh headless backend (only while no window exists); the one made.
LUMOUI_API HeadlessBackend* UseHeadlessBackend(const HeadlessOptions& options = {});

}  // namespace LumoUI
