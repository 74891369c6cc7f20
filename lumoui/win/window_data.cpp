// A window's text, long values and properties.
#include <algorithm>

#include "lumoui/win/window_system.h"

using namespace LumoUI;
using namespace LumoUI::detail;

namespace {

void NotifyStyle(HWND hwnd) {
    RunOnOwnerThread(hwnd, [hwnd] {
        WindowSystem& ws = WindowSystem::Get();
        DWORD style = 0;
        DWORD exStyle = 0;
        {
            std::lock_guard guard(ws.lock);
            const WindowRecord* w = ws.Find(hwnd);
            if (w == nullptr) {
                return;
            }
            style = w->style;
            exStyle = w->exStyle;
        }
        ws.Backend().SetNativeStyle(hwnd, style, exStyle);
    });
}

}  // namespace

BOOL SetWindowTextW(HWND hwnd, const wchar_t* text) {
    WindowSystem& ws = WindowSystem::Get();
    CString title = text != nullptr ? text : L"";
    {
        std::lock_guard guard(ws.lock);
        WindowRecord* w = ws.Find(hwnd);
        if (w == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return FALSE;
        }
        if (w->text == title) {
            return TRUE;
        }
        w->text = title;
    }
    RunOnOwnerThread(hwnd,
                     [hwnd, title] { WindowSystem::Get().Backend().SetNativeTitle(hwnd, title); });
    return TRUE;
}

int GetWindowTextW(HWND hwnd, wchar_t* buffer, int maxCount) {
    if (buffer != nullptr && maxCount > 0) {
        buffer[0] = 0;
    }
    return WithWindow(hwnd, 0, [&](WindowSystem&, const WindowRecord& w) {
        return CopyText(w.text, buffer, maxCount);
    });
}

int GetWindowTextLengthW(HWND hwnd) {
    return WithWindow(hwnd, 0, [](WindowSystem&, const WindowRecord& w) {
        return static_cast<int>(w.text.size());
    });
}

LONG_PTR GetWindowLongPtrW(HWND hwnd, int index) {
    WindowSystem& ws = WindowSystem::Get();
    std::lock_guard guard(ws.lock);
    const WindowRecord* w = ws.Find(hwnd);
    if (w == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    switch (index) {
        case GWLP_WNDPROC:
            return reinterpret_cast<LONG_PTR>(w->proc);
        case GWLP_HINSTANCE:
            return reinterpret_cast<LONG_PTR>(w->instance);
        case GWLP_HWNDPARENT:
            return reinterpret_cast<LONG_PTR>(w->IsChild() ? w->parent : w->owner);
        case GWLP_ID:
            return w->id;
        case GWL_STYLE:
            return static_cast<LONG_PTR>(w->style);
        case GWL_EXSTYLE:
            return static_cast<LONG_PTR>(w->exStyle);
        case GWLP_USERDATA:
            return w->userData;
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
    }
}

LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value) {
    WindowSystem& ws = WindowSystem::Get();
    LONG_PTR previous = 0;
    bool styleChanged = false;
    {
        std::lock_guard guard(ws.lock);
        WindowRecord* w = ws.Find(hwnd);
        if (w == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return 0;
        }
        switch (index) {
            case GWLP_WNDPROC:
                previous = reinterpret_cast<LONG_PTR>(w->proc);
                if (value != 0) {
                    w->proc = reinterpret_cast<WNDPROC>(value);
                }
                break;
            case GWLP_ID:
                previous = w->id;
                w->id = value;
                break;
            case GWLP_USERDATA:
                previous = w->userData;
                w->userData = value;
                break;
            case GWL_STYLE:
                // As in Win32, the visible and disabled bits change with the style, but
                // nothing is shown, hidden or repainted by it.
                previous = static_cast<LONG_PTR>(w->style);
                w->style = static_cast<DWORD>(value);
                styleChanged = previous != value;
                break;
            case GWL_EXSTYLE:
                previous = static_cast<LONG_PTR>(w->exStyle);
                w->exStyle = static_cast<DWORD>(value);
                styleChanged = previous != value;
                break;
            default:
                SetLastError(ERROR_INVALID_PARAMETER);
                return 0;
        }
    }
    if (styleChanged) {
        NotifyStyle(hwnd);
    }
    return previous;
}

LONG GetWindowLongW(HWND hwnd, int index) {
    return static_cast<LONG>(GetWindowLongPtrW(hwnd, index));
}

LONG SetWindowLongW(HWND hwnd, int index, LONG value) {
    const DWORD bits = static_cast<DWORD>(value);
    const LONG_PTR wide = index == GWL_STYLE || index == GWL_EXSTYLE ? static_cast<LONG_PTR>(bits)
                                                                     : static_cast<LONG_PTR>(value);
    return static_cast<LONG>(SetWindowLongPtrW(hwnd, index, wide));
}

BOOL SetPropW(HWND hwnd, const wchar_t* name, HANDLE data) {
    if (name == nullptr || IS_INTRESOURCE(name)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return WithWindow(hwnd, FALSE, [&](WindowSystem&, WindowRecord& w) {
        for (auto& [key, value] : w.props) {
            if (EqualsIgnoringCase(key, name)) {
                value = data;
                return TRUE;
            }
        }
        w.props.emplace_back(name, data);
        return TRUE;
    });
}

HANDLE GetPropW(HWND hwnd, const wchar_t* name) {
    if (name == nullptr || IS_INTRESOURCE(name)) {
        return nullptr;
    }
    return WithWindow(hwnd, HANDLE{}, [&](WindowSystem&, const WindowRecord& w) {
        for (const auto& [key, value] : w.props) {
            if (EqualsIgnoringCase(key, name)) {
                return value;
            }
        }
        return HANDLE{};
    });
}

HANDLE RemovePropW(HWND hwnd, const wchar_t* name) {
    if (name == nullptr || IS_INTRESOURCE(name)) {
        return nullptr;
    }
    return WithWindow(hwnd, HANDLE{}, [&](WindowSystem&, WindowRecord& w) {
        auto it = std::find_if(w.props.begin(), w.props.end(),
                               [&](const auto& p) { return EqualsIgnoringCase(p.first, name); });
        if (it == w.props.end()) {
            return HANDLE{};
        }
        HANDLE value = it->second;
        w.props.erase(it);
        return value;
    });
}
