// The default handling of messages that a window procedure passes on.
#include "lumoui/win/window_system.h"

using namespace LumoUI;
using namespace LumoUI::detail;

namespace {

WPARAM SizeKind(HWND hwnd) {
    if (IsIconic(hwnd)) {
        return SIZE_MINIMIZED;
    }
    return IsZoomed(hwnd) ? SIZE_MAXIMIZED : SIZE_RESTORED;
}

LRESULT SysCommand(HWND hwnd, WPARAM command) {
    switch (command & 0xFFF0) {
        case SC_CLOSE:
            return SendMessageW(hwnd, WM_CLOSE, 0, 0);
        case SC_MINIMIZE:
            ShowWindow(hwnd, SW_MINIMIZE);
            return 0;
        case SC_MAXIMIZE:
            ShowWindow(hwnd, SW_MAXIMIZE);
            return 0;
        case SC_RESTORE:
            ShowWindow(hwnd, SW_RESTORE);
            return 0;
        case SC_MOVE:
            BeginCaptionDrag(hwnd);
            return 0;
        default:
            return 0;
    }
}

}  // namespace

LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
        case WM_NCACTIVATE:
            return TRUE;
        case WM_CLOSE:
            DestroyWindow(hwnd);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(hwnd, &paint);
            EndPaint(hwnd, &paint);
            return 0;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0) {
                const HWND focus = GetFocus();
                if (focus == nullptr || (focus != hwnd && !IsChild(hwnd, focus))) {
                    SetFocus(hwnd);
                }
            }
            return 0;
        case WM_NCHITTEST:
            return HTCLIENT;
        case WM_MOUSEACTIVATE:
            return 1;  // MA_ACTIVATE
        case WM_SETCURSOR: {
            WindowSystem& ws = WindowSystem::Get();
            HCURSOR cursor = nullptr;
            {
                std::lock_guard guard(ws.lock);
                if (const WindowRecord* w = ws.Find(hwnd)) {
                    cursor = w->classCursor;
                }
            }
            if (cursor != nullptr) {
                SetCursor(cursor);
            }
            return FALSE;
        }
        case WM_NCLBUTTONDOWN:
            if (wParam == static_cast<WPARAM>(HTCAPTION)) {
                BeginCaptionDrag(hwnd);
            }
            return 0;
        case WM_SYSCOMMAND:
            return SysCommand(hwnd, wParam);
        case WM_SYSKEYDOWN:
            if (wParam == VK_F4 && (lParam & (1 << 29)) != 0) {
                return SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
            return 0;
        case WM_WINDOWPOSCHANGED: {
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
            if (pos == nullptr) {
                return 0;
            }
            if ((pos->flags & SWP_NOSIZE) == 0) {
                SendMessageW(hwnd, WM_SIZE, SizeKind(hwnd), MAKELPARAM(pos->cx, pos->cy));
            }
            if ((pos->flags & SWP_NOMOVE) == 0) {
                SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(pos->x, pos->y));
            }
            return 0;
        }
        case WM_SETTEXT:
            return SetWindowTextW(hwnd, reinterpret_cast<const wchar_t*>(lParam));
        case WM_GETTEXT:
            return GetWindowTextW(hwnd, reinterpret_cast<wchar_t*>(lParam),
                                  static_cast<int>(wParam));
        case WM_GETTEXTLENGTH:
            return GetWindowTextLengthW(hwnd);
        case WM_CANCELMODE:
            ReleaseCaptureOf(hwnd);
            return 0;
        default:
            return 0;
    }
}
