// Update rectangles, WM_PAINT and presenting a window's pixels.
#include "lumoui/win/window_system.h"

using namespace LumoUI;
using namespace LumoUI::detail;

namespace {

bool InvalidateOne(WindowSystem& ws, WindowRecord& w, const RECT* rect, BOOL erase) {
    CRect area = w.ClientRect();
    if (rect != nullptr && !area.IntersectRect(area, *rect)) {
        return true;
    }
    if (area.IsRectEmpty()) {
        return true;
    }
    w.update.UnionRect(w.update, area);
    w.erase = w.erase || erase != FALSE;
    ws.MarkDirtyLocked(w, false);
    return true;
}

}  // namespace

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    WindowSystem& ws = WindowSystem::Get();
    std::lock_guard guard(ws.lock);
    if (hwnd == nullptr) {
        for (HWND top : ws.topLevels) {
            InvalidateOne(ws, *ws.Find(top), rect, erase);
        }
        return TRUE;
    }
    WindowRecord* w = ws.Find(hwnd);
    if (w == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return InvalidateOne(ws, *w, rect, erase) ? TRUE : FALSE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
    return WithWindow(hwnd, FALSE, [rect](WindowSystem& ws, WindowRecord& w) {
        // The update area is kept as one rectangle: it is cleared when the validated
        // rectangle covers it, and otherwise left whole (painting a little more is harmless;
        // less is not).
        CRect covered;
        if (rect == nullptr || (covered.UnionRect(*rect, w.update) && covered == *rect)) {
            w.update = CRect();
            w.erase = false;
            ws.ClearDirtyLocked(w, false);
        }
        return TRUE;
    });
}

BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL) {
    return WithWindow(hwnd, FALSE, [rect](WindowSystem&, const WindowRecord& w) {
        if (rect != nullptr) {
            *rect = w.update;
        }
        return w.update.IsRectEmpty() ? FALSE : TRUE;
    });
}

BOOL UpdateWindow(HWND hwnd) {
    WindowSystem& ws = WindowSystem::Get();
    {
        std::lock_guard guard(ws.lock);
        const WindowRecord* w = ws.Find(hwnd);
        if (w == nullptr || w->queue.get() != ThreadQueue::CurrentIfAny()) {
            return FALSE;
        }
        if (w->update.IsRectEmpty() || !ws.VisibleChain(*w)) {
            return TRUE;
        }
    }
    MSG paint{};
    paint.hwnd = hwnd;
    paint.message = WM_PAINT;
    DispatchMessageW(&paint);
    return TRUE;
}

BOOL BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
    if (paint == nullptr) {
        return FALSE;
    }
    WindowSystem& ws = WindowSystem::Get();
    bool erase = false;
    {
        std::lock_guard guard(ws.lock);
        WindowRecord* w = ws.Find(hwnd);
        if (w == nullptr || w->queue.get() != ThreadQueue::CurrentIfAny()) {
            return FALSE;
        }
        *paint = PAINTSTRUCT{};
        paint->hwnd = hwnd;
        paint->rcPaint = w->update;
        erase = w->erase;
        w->update = CRect();
        w->erase = false;
        ++w->paints;
        ws.ClearDirtyLocked(*w, false);
    }
    paint->fErase = erase && CallProc(hwnd, WM_ERASEBKGND, 0, 0) == 0 ? TRUE : FALSE;
    return TRUE;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
    return paint != nullptr && IsWindow(hwnd) ? TRUE : FALSE;
}

namespace {

// Whether the calling thread may present these pixels to the window, and the part of the
// window they can cover.
bool PresentableArea(HWND hwnd, const PixelView& pixels, bool needLayered, CRect* area) {
    if (!IsPresentable(pixels)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    WindowSystem& ws = WindowSystem::Get();
    std::lock_guard guard(ws.lock);
    const WindowRecord* w = ws.Find(hwnd);
    if (w == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    if (w->queue.get() != ThreadQueue::CurrentIfAny() ||
        (needLayered && (w->exStyle & WS_EX_LAYERED) == 0)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    area->IntersectRect(w->ClientRect(), CRect(0, 0, pixels.width, pixels.height));
    return true;
}

}  // namespace

BOOL PresentWindow(HWND hwnd, const PixelView& pixels, const RECT& update) {
    CRect area;
    if (!PresentableArea(hwnd, pixels, false, &area)) {
        return FALSE;
    }
    if (area.IntersectRect(area, update)) {
        GetWindowBackend().Present(hwnd, pixels, area, false);
    }
    return TRUE;
}

BOOL UpdateLayeredWindow(HWND hwnd, const PixelView& pixels) {
    CRect area;
    if (!PresentableArea(hwnd, pixels, true, &area)) {
        return FALSE;
    }
    if (!area.IsRectEmpty()) {
        GetWindowBackend().Present(hwnd, pixels, area, true);
    }
    return TRUE;
}

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags) {
    WindowSystem& ws = WindowSystem::Get();
    {
        std::lock_guard guard(ws.lock);
        WindowRecord* w = ws.Find(hwnd);
        if (w == nullptr || (w->exStyle & WS_EX_LAYERED) == 0) {
            SetLastError(w == nullptr ? ERROR_INVALID_WINDOW_HANDLE : ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        w->layerKey = key;
        w->layerAlpha = alpha;
        w->layerFlags = flags & (LWA_ALPHA | LWA_COLORKEY);
    }
    RunOnOwnerThread(hwnd, [=] {
        WindowSystem::Get().Backend().SetNativeLayeredAttributes(
            hwnd, key, alpha, flags & (LWA_ALPHA | LWA_COLORKEY));
    });
    return TRUE;
}
