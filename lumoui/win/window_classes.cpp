// Window classes: registration and look-up.
#include "lumoui/win/window_system.h"

using namespace LumoUI::detail;

ATOM RegisterClassExW(const WNDCLASSEXW* wc) {
    if (wc == nullptr || wc->lpszClassName == nullptr || IS_INTRESOURCE(wc->lpszClassName) ||
        wc->lpszClassName[0] == 0 || wc->lpfnWndProc == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    WindowSystem& ws = WindowSystem::Get();
    std::lock_guard guard(ws.lock);
    const CString key = LowerCase(wc->lpszClassName);
    if (ws.classes.count(key) != 0) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    ClassRecord& c = ws.classes[key];
    c.name = wc->lpszClassName;
    c.style = wc->style;
    c.proc = wc->lpfnWndProc;
    c.cursor = wc->hCursor;
    c.instance = wc->hInstance;
    // Atoms are small non-zero numbers, one per class.
    return static_cast<ATOM>(0xC000 + (ws.classes.size() & 0x3FFF));
}

BOOL UnregisterClassW(const wchar_t* className, HINSTANCE) {
    if (className == nullptr || IS_INTRESOURCE(className)) {
        return FALSE;
    }
    WindowSystem& ws = WindowSystem::Get();
    std::lock_guard guard(ws.lock);
    const CString key = LowerCase(className);
    auto it = ws.classes.find(key);
    if (it == ws.classes.end()) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    for (const auto& [hwnd, w] : ws.windows) {
        if (LowerCase(w->className) == key) {
            SetLastError(ERROR_CLASS_HAS_WINDOWS);
            return FALSE;
        }
    }
    ws.classes.erase(it);
    return TRUE;
}

BOOL GetClassInfoExW(HINSTANCE, const wchar_t* className, WNDCLASSEXW* wc) {
    if (className == nullptr || IS_INTRESOURCE(className) || wc == nullptr) {
        return FALSE;
    }
    WindowSystem& ws = WindowSystem::Get();
    std::lock_guard guard(ws.lock);
    auto it = ws.classes.find(LowerCase(className));
    if (it == ws.classes.end()) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    *wc = WNDCLASSEXW{};
    wc->style = it->second.style;
    wc->lpfnWndProc = it->second.proc;
    wc->hCursor = it->second.cursor;
    wc->hInstance = it->second.instance;
    // The name stays valid while the class is registered.
    wc->lpszClassName = it->second.name.c_str();
    return TRUE;
}

int GetClassNameW(HWND hwnd, wchar_t* buffer, int maxCount) {
    return WithWindow(hwnd, 0, [&](WindowSystem&, const WindowRecord& w) {
        return CopyText(w.className, buffer, maxCount);
    });
}
