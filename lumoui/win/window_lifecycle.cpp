// Creating and destroying windows.
#include <algorithm>

#include "lumoui/win/window_system.h"

using namespace LumoUI;
using namespace LumoUI::detail;

namespace {

NativeWindowInfo NativeInfoOf(const WindowRecord& w) {
    NativeWindowInfo info;
    info.hwnd = w.hwnd;
    info.parent = w.IsChild() ? w.parent : nullptr;
    info.owner = w.IsChild() ? nullptr : w.owner;
    info.style = w.style;
    info.exStyle = w.exStyle;
    info.rect = w.rect;
    info.className = w.className;
    info.title = w.text;
    return info;
}

// Removes a window whose final message has been handled: timers, queued messages, paint
// state, capture, focus, tracking and the display's window.
void FreeWindow(HWND hwnd) {
    WindowSystem& ws = WindowSystem::Get();
    std::unique_ptr<WindowRecord> record;
    bool releasedCapture = false;
    {
        std::lock_guard guard(ws.lock);
        auto it = ws.windows.find(hwnd);
        if (it == ws.windows.end()) {
            return;
        }
        record = std::move(it->second);
        ws.windows.erase(it);
        std::vector<HWND>& siblings = record->IsChild() && ws.Find(record->parent)
                                          ? ws.Find(record->parent)->children
                                          : ws.topLevels;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), hwnd), siblings.end());
        for (auto& [other, w] : ws.windows) {
            if (w->owner == hwnd) {
                w->owner = nullptr;  // owned windows of other threads outlive their owner
            }
        }
        releasedCapture = ws.capture == hwnd;
        for (HWND* h : {&ws.active, &ws.focus, &ws.capture, &ws.pointerWindow, &ws.tracking.hwnd,
                        &ws.lastPress.hwnd, &ws.drag.hwnd}) {
            if (*h == hwnd) {
                *h = nullptr;
            }
        }
        ThreadQueue& q = *record->queue;
        std::lock_guard queueGuard(q.lock);
        q.timers.erase(std::remove_if(q.timers.begin(), q.timers.end(),
                                      [&](const TimerEntry& t) { return t.hwnd == hwnd; }),
                       q.timers.end());
        q.posted.erase(std::remove_if(q.posted.begin(), q.posted.end(),
                                      [&](const QueuedMessage& m) { return m.msg.hwnd == hwnd; }),
                       q.posted.end());
        q.dirty.erase(std::remove(q.dirty.begin(), q.dirty.end(), hwnd), q.dirty.end());
    }
    if (releasedCapture) {
        ws.Backend().SetPointerCapture(nullptr);
    }
    ws.Backend().DestroyNativeWindow(hwnd);
}

std::vector<HWND> ChildrenOf(HWND hwnd) {
    WindowSystem& ws = WindowSystem::Get();
    std::lock_guard guard(ws.lock);
    const WindowRecord* w = ws.Find(hwnd);
    return w == nullptr ? std::vector<HWND>() : w->children;
}

// WM_DESTROY goes to a window before its children.
void SendDestroy(HWND hwnd) {
    CallProc(hwnd, WM_DESTROY, 0, 0);
    for (HWND child : ChildrenOf(hwnd)) {
        SendDestroy(child);
    }
}

// WM_NCDESTROY goes to the children first; each window is freed after its own.
void SendFinal(HWND hwnd) {
    for (HWND child : ChildrenOf(hwnd)) {
        SendFinal(child);
    }
    CallProc(hwnd, WM_NCDESTROY, 0, 0);
    FreeWindow(hwnd);
}

void MarkDestroying(WindowSystem& ws, WindowRecord& w) {
    w.destroying = true;
    for (HWND child : w.children) {
        if (WindowRecord* c = ws.Find(child)) {
            MarkDestroying(ws, *c);
        }
    }
}

}  // namespace

HWND CreateWindowExW(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                     int x, int y, int width, int height, HWND parent, HMENU menu,
                     HINSTANCE instance, void* param) {
    std::shared_ptr<ThreadQueue> queue = ThreadQueue::CurrentShared();
    WindowSystem& ws = WindowSystem::Get();
    WindowBackend& backend = ws.Backend();
    if (className == nullptr || IS_INTRESOURCE(className)) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    const bool visible = (style & WS_VISIBLE) != 0;
    HWND hwnd = nullptr;
    NativeWindowInfo info;
    std::vector<HWND> stack;
    {
        std::lock_guard guard(ws.lock);
        auto cls = ws.classes.find(LowerCase(className));
        if (cls == ws.classes.end()) {
            SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
            return nullptr;
        }
        if (parent == GetDesktopWindow()) {
            parent = nullptr;
        }
        WindowRecord* parentRecord = ws.Find(parent);
        if (parent != nullptr && parentRecord == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        const bool child = (style & WS_CHILD) != 0;
        if (child && parentRecord == nullptr) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        auto w = std::make_unique<WindowRecord>();
        hwnd = reinterpret_cast<HWND>(ws.nextHandle);
        ws.nextHandle += 4;
        w->hwnd = hwnd;
        w->queue = queue;
        w->className = cls->second.name;
        w->classStyle = cls->second.style;
        w->classCursor = cls->second.cursor;
        w->proc = cls->second.proc;
        w->instance = instance;
        w->text = title != nullptr ? title : L"";
        w->style = style & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
        w->exStyle = exStyle;
        if (child) {
            w->parent = parent;
            w->id = reinterpret_cast<LONG_PTR>(menu);
        } else {
            w->owner = parent != nullptr ? ws.RootOf(parent) : nullptr;
            // Owned windows stay above their owner, so those of a topmost one are topmost.
            const WindowRecord* owner = ws.Find(w->owner);
            if (owner != nullptr && (owner->exStyle & WS_EX_TOPMOST) != 0) {
                w->exStyle |= WS_EX_TOPMOST;
            }
        }
        const CRect work = backend.WorkArea();
        const int left = x == CW_USEDEFAULT ? (child ? 0 : work.left) : x;
        const int top = y == CW_USEDEFAULT || x == CW_USEDEFAULT ? (child ? 0 : work.top) : y;
        const int cx = width == CW_USEDEFAULT ? 0 : std::max(0, width);
        const int cy = width == CW_USEDEFAULT || height == CW_USEDEFAULT ? 0 : std::max(0, height);
        w->rect = CRect(left, top, left + cx, top + cy);
        w->normalRect = w->rect;
        WindowRecord& record = *w;
        ws.windows.emplace(hwnd, std::move(w));
        if (child) {
            parentRecord->children.insert(parentRecord->children.begin(), hwnd);
        } else {
            ws.topLevels.insert(ws.topLevels.begin(), hwnd);
            ws.RestackLocked(record, HWND_TOP);
        }
        info = NativeInfoOf(record);
        stack = ws.StackOf(info.parent);
    }
    backend.CreateNativeWindow(info);
    backend.RestackNativeWindows(info.parent, stack);

    CREATESTRUCTW cs;
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menu;
    cs.hwndParent = parent;
    cs.x = info.rect.left;
    cs.y = info.rect.top;
    cs.cx = info.rect.Width();
    cs.cy = info.rect.Height();
    cs.style = static_cast<LONG>(style);
    cs.lpszName = title;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;
    const LPARAM csParam = reinterpret_cast<LPARAM>(&cs);

    if (info.parent == nullptr) {
        const CRect work = backend.WorkArea();
        const CRect screen = backend.ScreenRect();
        MINMAXINFO limits;
        limits.ptMaxSize = CPoint(work.Width(), work.Height());
        limits.ptMaxPosition = work.TopLeft();
        limits.ptMaxTrackSize = CPoint(screen.Width(), screen.Height());
        CallProc(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    }
    if (!CallProc(hwnd, WM_NCCREATE, 0, csParam)) {
        SendFinal(hwnd);
        return nullptr;
    }
    RECT client = info.rect;
    CallProc(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
    if (CallProc(hwnd, WM_CREATE, 0, csParam) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!IsWindow(hwnd)) {
        return nullptr;  // the window destroyed itself while being created
    }
    CallProc(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(info.rect.Width(), info.rect.Height()));
    CallProc(hwnd, WM_MOVE, 0, MAKELPARAM(info.rect.left, info.rect.top));
    if (visible) {
        ShowWindowNow(hwnd, SW_SHOW);
    }
    return IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
    WindowSystem& ws = WindowSystem::Get();
    std::vector<HWND> owned;
    bool visible = false;
    {
        std::lock_guard guard(ws.lock);
        WindowRecord* w = ws.Find(hwnd);
        if (w == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        if (w->queue.get() != ThreadQueue::CurrentIfAny()) {
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
        if (w->destroying) {
            return TRUE;  // already on its way (DestroyWindow from inside WM_DESTROY)
        }
        MarkDestroying(ws, *w);
        visible = (w->style & WS_VISIBLE) != 0;
        for (HWND top : ws.topLevels) {
            const WindowRecord* o = ws.Find(top);
            if (o != nullptr && o->owner == hwnd && o->queue == w->queue) {
                owned.push_back(top);
            }
        }
    }
    if (visible) {
        SetWindowPosNow(hwnd, nullptr, 0, 0, 0, 0,
                        SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (HWND o : owned) {
        DestroyWindow(o);
    }
    SendDestroy(hwnd);
    SendFinal(hwnd);
    return TRUE;
}

BOOL IsWindow(HWND hwnd) {
    if (hwnd == GetDesktopWindow()) {
        return TRUE;
    }
    WindowSystem& ws = WindowSystem::Get();
    std::lock_guard guard(ws.lock);
    return ws.Find(hwnd) != nullptr;
}
