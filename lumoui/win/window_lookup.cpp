// Relations between windows, enumeration and look-up.
#include <unistd.h>
#include <algorithm>

#include "lumoui/win/window_system.h"

using namespace LumoUI;
using namespace LumoUI::detail;

namespace {

HWND const kDesktop = reinterpret_cast<HWND>(0x10000);

bool Matches(const WindowRecord& w, const wchar_t* className, const wchar_t* title) {
    if (className != nullptr && !IS_INTRESOURCE(className) &&
        !EqualsIgnoringCase(w.className, className)) {
        return false;
    }
    return title == nullptr || EqualsIgnoringCase(w.text, title);
}

// The windows at one level: the top-level windows (parent none or the desktop) or a window's
// children, top first.
std::vector<HWND> LevelOf(HWND parent) {
    WindowSystem& ws = WindowSystem::Get();
    std::lock_guard guard(ws.lock);
    return ws.StackOf(parent == kDesktop ? nullptr : parent);
}

void CollectDescendants(const WindowSystem& ws, const WindowRecord& w, std::vector<HWND>* out) {
    for (HWND child : w.children) {
        out->push_back(child);
        if (const WindowRecord* c = ws.Find(child)) {
            CollectDescendants(ws, *c, out);
        }
    }
}

}  // namespace

HWND GetDesktopWindow() {
    return kDesktop;
}

HWND GetParent(HWND hwnd) {
    return WithWindow(hwnd, HWND{}, [](WindowSystem&, const WindowRecord& w) {
        return w.IsChild() ? w.parent : w.owner;
    });
}

HWND GetAncestor(HWND hwnd, UINT flags) {
    WindowSystem& ws = WindowSystem::Get();
    std::lock_guard guard(ws.lock);
    const WindowRecord* w = ws.Find(hwnd);
    if (w == nullptr) {
        return nullptr;
    }
    switch (flags) {
        case GA_PARENT:
            return w->IsChild() ? w->parent : kDesktop;
        case GA_ROOT:
            return ws.RootOf(hwnd);
        case GA_ROOTOWNER: {
            const WindowRecord* r = ws.Find(ws.RootOf(hwnd));
            for (int depth = 0; r != nullptr && r->owner != nullptr && depth < 64; ++depth) {
                r = ws.Find(r->owner);
            }
            return r == nullptr ? nullptr : r->hwnd;
        }
        default:
            return nullptr;
    }
}

HWND GetWindow(HWND hwnd, UINT relation) {
    WindowSystem& ws = WindowSystem::Get();
    std::lock_guard guard(ws.lock);
    if (hwnd == kDesktop) {
        return relation == GW_CHILD && !ws.topLevels.empty() ? ws.topLevels.front() : nullptr;
    }
    const WindowRecord* w = ws.Find(hwnd);
    if (w == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    const std::vector<HWND> level = ws.StackOf(w->IsChild() ? w->parent : nullptr);
    const auto self = std::find(level.begin(), level.end(), hwnd);
    switch (relation) {
        case GW_HWNDFIRST:
            return level.empty() ? nullptr : level.front();
        case GW_HWNDLAST:
            return level.empty() ? nullptr : level.back();
        case GW_HWNDNEXT:
            return self == level.end() || self + 1 == level.end() ? nullptr : *(self + 1);
        case GW_HWNDPREV:
            return self == level.begin() || self == level.end() ? nullptr : *(self - 1);
        case GW_OWNER:
            return w->IsChild() ? nullptr : w->owner;
        case GW_CHILD:
            return w->children.empty() ? nullptr : w->children.front();
        default:
            return nullptr;
    }
}

HWND GetTopWindow(HWND parent) {
    const std::vector<HWND> level = LevelOf(parent);
    return level.empty() ? nullptr : level.front();
}

BOOL IsChild(HWND parent, HWND hwnd) {
    WindowSystem& ws = WindowSystem::Get();
    std::lock_guard guard(ws.lock);
    return parent != hwnd && ws.Find(parent) != nullptr && ws.InTree(parent, hwnd);
}

BOOL EnumWindows(WNDENUMPROC callback, LPARAM param) {
    if (callback == nullptr) {
        return FALSE;
    }
    for (HWND hwnd : LevelOf(nullptr)) {
        if (IsWindow(hwnd) && !callback(hwnd, param)) {
            return FALSE;
        }
    }
    return TRUE;
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC callback, LPARAM param) {
    if (callback == nullptr) {
        return FALSE;
    }
    std::vector<HWND> all;
    {
        WindowSystem& ws = WindowSystem::Get();
        std::lock_guard guard(ws.lock);
        if (const WindowRecord* w = ws.Find(parent)) {
            CollectDescendants(ws, *w, &all);
        }
    }
    for (HWND hwnd : all) {
        if (IsWindow(hwnd) && !callback(hwnd, param)) {
            return FALSE;
        }
    }
    return TRUE;
}

HWND FindWindowExW(HWND parent, HWND childAfter, const wchar_t* className, const wchar_t* title) {
    WindowSystem& ws = WindowSystem::Get();
    std::lock_guard guard(ws.lock);
    const std::vector<HWND> level = ws.StackOf(parent == kDesktop ? nullptr : parent);
    auto it = level.begin();
    if (childAfter != nullptr) {
        it = std::find(level.begin(), level.end(), childAfter);
        if (it == level.end()) {
            return nullptr;
        }
        ++it;
    }
    for (; it != level.end(); ++it) {
        const WindowRecord* w = ws.Find(*it);
        if (w != nullptr && Matches(*w, className, title)) {
            return *it;
        }
    }
    return nullptr;
}

HWND FindWindowW(const wchar_t* className, const wchar_t* title) {
    return FindWindowExW(nullptr, nullptr, className, title);
}

namespace {

HWND ChildAt(const WindowSystem& ws, const WindowRecord& w, CPoint local) {
    for (HWND child : w.children) {
        const WindowRecord* c = ws.Find(child);
        if (c == nullptr || (c->style & WS_VISIBLE) == 0 || (c->style & WS_DISABLED) != 0 ||
            !c->rect.PtInRect(local)) {
            continue;
        }
        CPoint inner = local;
        inner.Offset(-c->rect.left, -c->rect.top);
        HWND deeper = ChildAt(ws, *c, inner);
        return deeper != nullptr ? deeper : child;
    }
    return nullptr;
}

}  // namespace

HWND WindowFromPoint(POINT point) {
    WindowSystem& ws = WindowSystem::Get();
    std::lock_guard guard(ws.lock);
    for (HWND top : ws.topLevels) {
        const WindowRecord* w = ws.Find(top);
        const DWORD clickThrough = WS_EX_LAYERED | WS_EX_TRANSPARENT;
        if (w == nullptr || (w->style & WS_VISIBLE) == 0 || w->iconic ||
            (w->exStyle & clickThrough) == clickThrough || !w->rect.PtInRect(point)) {
            continue;
        }
        CPoint local = point;
        local.Offset(-w->rect.left, -w->rect.top);
        HWND child = ChildAt(ws, *w, local);
        return child != nullptr ? child : top;
    }
    return nullptr;
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId) {
    return WithWindow(hwnd, DWORD{0}, [processId](WindowSystem&, const WindowRecord& w) {
        if (processId != nullptr) {
            *processId = static_cast<DWORD>(getpid());
        }
        return w.queue->id;
    });
}

DWORD GetCurrentThreadId() {
    return ThreadQueue::Current().id;
}
