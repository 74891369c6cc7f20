// The process-wide state of the window system: the window table, classes, z-order, the
// active, focus and capture windows, pointer and key state, and the operations on them that
// the window functions share. Everything here is guarded by WindowSystem::lock; window
// procedures and backend calls are never made while it is held.
#pragma once

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <cwctype>
#include <functional>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <utility>
#include <vector>

#include "lumoui/base/cstring.h"
#include "lumoui/win/thread_queue.h"
#include "lumoui/win/win_api.h"

namespace LumoUI::detail {

struct ClassRecord {
    CString name;
    UINT style = 0;
    WNDPROC proc = nullptr;
    HCURSOR cursor = nullptr;
    HINSTANCE instance = nullptr;
};

struct WindowRecord {
    HWND hwnd = nullptr;
    std::shared_ptr<ThreadQueue> queue;
    CString className;
    UINT classStyle = 0;
    HCURSOR classCursor = nullptr;
    WNDPROC proc = nullptr;
    HINSTANCE instance = nullptr;
    CString text;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;  // WS_CHILD windows
    HWND owner = nullptr;   // top-level windows
    LONG_PTR id = 0;
    LONG_PTR userData = 0;
    CRect rect;  // screen pixels (top-level) or parent client pixels (child)
    CRect normalRect;
    bool iconic = false;
    bool zoomed = false;
    std::vector<std::pair<CString, HANDLE>> props;
    std::vector<HWND> children;  // top first
    CRect update;                // client pixels; empty when valid
    bool erase = false;
    unsigned paints = 0;  // BeginPaint calls, to see whether a WM_PAINT handler painted
    bool destroying = false;
    COLORREF layerKey = 0;
    BYTE layerAlpha = 255;
    DWORD layerFlags = 0;

    bool IsChild() const { return (style & WS_CHILD) != 0 && parent != nullptr; }
    CRect ClientRect() const { return CRect(0, 0, rect.Width(), rect.Height()); }
};

struct MouseTracking {
    HWND hwnd = nullptr;
    DWORD flags = 0;  // TME_HOVER | TME_LEAVE still wanted
    UINT hoverTime = 0;
    uint64_t hoverDue = ThreadQueue::kNever;
    CPoint anchor;
};

struct LastPress {
    HWND hwnd = nullptr;
    UINT message = 0;  // the button-down message of the press
    uint64_t time = 0;
    CPoint point;
    bool wasDouble = false;
};

struct CaptionDrag {
    HWND hwnd = nullptr;
    CPoint grab;  // pointer position inside the window when the drag began
};

class WindowSystem {
public:
    static WindowSystem& Get();

    std::mutex lock;
    std::unordered_map<HWND, std::unique_ptr<WindowRecord>> windows;
    std::vector<HWND> topLevels;                       // top first
    std::unordered_map<CString, ClassRecord> classes;  // by lower-case name
    std::vector<std::weak_ptr<ThreadQueue>> queues;
    HWND active = nullptr;
    HWND focus = nullptr;
    HWND capture = nullptr;
    HWND pointerWindow = nullptr;  // the window under the pointer as the display last said
    CPoint cursor{-1, -1};
    BYTE asyncKeys[256] = {};
    HCURSOR cursorShape = nullptr;
    MouseTracking tracking;
    LastPress lastPress;
    CaptionDrag drag;
    uintptr_t nextHandle = 0x10010;
    DWORD nextThreadId = 1;

    // Backend selection; `backend` is set once and only replaced while no window exists.
    // The backend is made on first use under its own lock. Every path that takes `lock`
    // makes sure a backend exists first, so Backend() never waits for it while `lock` is held.
    std::mutex backendLock;
    std::atomic<WindowBackend*> backend{nullptr};
    std::unique_ptr<WindowBackend> ownedBackend;
    MonotonicClock monotonic;
    std::atomic<int> periodicTimers{0};

    // --- under `lock` ---
    WindowRecord* Find(HWND hwnd) const;
    HWND RootOf(HWND hwnd) const;
    CPoint ScreenOrigin(const WindowRecord& w) const;
    CRect ScreenRect(const WindowRecord& w) const;
    bool VisibleChain(const WindowRecord& w) const;
    bool EnabledChain(const WindowRecord& w) const;
    bool InTree(HWND root, HWND hwnd) const;  // hwnd is root or one of its descendants
    std::vector<HWND>& SiblingsOf(const WindowRecord& w);
    // Moves a window in its stacking order (HWND_TOP, HWND_BOTTOM, HWND_TOPMOST,
    // HWND_NOTOPMOST or below a sibling); owned windows stay above their owner. True when the
    // order or the window's topmost band changed.
    bool RestackLocked(WindowRecord& w, HWND insertAfter);
    std::vector<HWND> StackOf(HWND parent) const;
    // Adds the window (and its visible descendants when `tree`) to its thread's paint list.
    void MarkDirtyLocked(WindowRecord& w, bool tree);
    void ClearDirtyLocked(const WindowRecord& w, bool tree);
    // The window that gets mouse input aimed at `hwnd`: a disabled child passes it to its
    // parent (when `fromPointer`); none when the window or one above it is disabled.
    HWND InputTargetLocked(HWND hwnd, bool fromPointer) const;
    WPARAM MouseKeyFlagsLocked() const;
    ThreadQueue* QueueOfThreadLocked(DWORD threadId) const;

    WindowBackend& Backend();
    WindowClock& Clock();
    uint64_t NowMs() { return Clock().NowMs(); }

private:
    WindowSystem() = default;
};

// Runs `use(ws, w)` under the lock when the window exists; otherwise sets
// ERROR_INVALID_WINDOW_HANDLE and gives `missing`.
template <typename Result, typename Use>
Result WithWindow(HWND hwnd, Result missing, Use&& use) {
    WindowSystem& ws = WindowSystem::Get();
    std::lock_guard guard(ws.lock);
    WindowRecord* w = ws.Find(hwnd);
    if (w == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return missing;
    }
    return use(ws, *w);
}

// One of the system-wide windows (active, focus, capture) read under the lock.
inline HWND ReadWindowField(HWND WindowSystem::*field) {
    WindowSystem& ws = WindowSystem::Get();
    std::lock_guard guard(ws.lock);
    return ws.*field;
}

// True when the calling thread owns the window.
bool IsOwnerThread(HWND hwnd);
// Calls the window procedure on this (the owner) thread; 0 when there is no such window.
LRESULT CallProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// SendNotifyMessageW: a direct call on the owner thread, queued from other threads.
void Deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Runs `task` on the window's owner thread: at once when that is the caller, else queued.
void RunOnOwnerThread(HWND hwnd, std::function<void()> task);
// Queues a message to the window's owner thread (posted, or input from the display).
bool PostLocked(WindowSystem& ws, const WindowRecord& w, QueuedMessage message);

// Owner-thread operations behind the window functions.
void SetWindowPosNow(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags,
                     bool fromBackend = false);
void ShowWindowNow(HWND hwnd, int cmdShow);
// Makes the top-level window of `hwnd` the active one (none: no active window).
void ActivateNow(HWND hwnd, WPARAM how, bool fromBackend = false);
// After `gone` was hidden, minimised or destroyed: activates its owner or the top window.
void ActivateNextAfter(HWND gone);
HWND SetFocusNow(HWND hwnd);
void ReleaseCaptureOf(HWND hwnd);
void BeginCaptionDrag(HWND hwnd);
// Destroys the windows of a thread that has ended, without messages.
void RetireThread(const std::shared_ptr<ThreadQueue>& queue);
// Wakes every thread's queue (virtual time moved).
void WakeAllQueues();
// The earliest due time of the calling thread's timers and hover (kNever: none).
uint64_t NextDeadlineOfCurrentThread();

// Copies as much of `text` as fits, always terminated; the number of characters copied.
inline int CopyText(const CString& text, wchar_t* buffer, int maxCount) {
    if (buffer == nullptr || maxCount <= 0) {
        return 0;
    }
    const int count = std::min(static_cast<int>(text.size()), maxCount - 1);
    std::wmemcpy(buffer, text.data(), static_cast<size_t>(count));
    buffer[count] = 0;
    return count;
}

inline bool EqualsIgnoringCase(const CString& a, const wchar_t* b) {
    size_t i = 0;
    for (; i < a.size() && b[i] != 0; ++i) {
        if (std::towlower(a[i]) != std::towlower(b[i])) {
            return false;
        }
    }
    return i == a.size() && b[i] == 0;
}

inline CString LowerCase(const CString& text) {
    CString lower = text;
    for (wchar_t& c : lower) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return lower;
}

}  // namespace LumoUI::detail
