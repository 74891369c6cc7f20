// Scalar, handle and record types of the window system, with the Win32 names, sizes and field
// names that the toolkit's code is written against, and the wparam/lparam packing helpers.
#pragma once

#include <cstdint>

#include "lumoui/base/geometry.h"

using BYTE = uint8_t;
using WORD = uint16_t;
using SHORT = int16_t;
using DWORD = uint32_t;
using LONG = int32_t;
using UINT = unsigned int;
using BOOL = int;
using ATOM = WORD;
using UINT_PTR = uintptr_t;
using LONG_PTR = intptr_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using HANDLE = void*;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// Handles are opaque: each names an entry of the window system's tables and is never reused
// while the process runs, so a stale handle is recognised as such instead of reaching
// another window.
#define LUMOUI_DECLARE_HANDLE(name) \
    struct name##__;                \
    using name = name##__*
LUMOUI_DECLARE_HANDLE(HWND);
LUMOUI_DECLARE_HANDLE(HINSTANCE);
LUMOUI_DECLARE_HANDLE(HMENU);
LUMOUI_DECLARE_HANDLE(HCURSOR);
LUMOUI_DECLARE_HANDLE(HMONITOR);
#undef LUMOUI_DECLARE_HANDLE

// Rectangles and points are the base geometry types: RECT is (left, top, right, bottom).
using RECT = CRect;
using POINT = CPoint;
using SIZE = CSize;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);
using WNDENUMPROC = BOOL (*)(HWND, LPARAM);

struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;  // window-system clock, in milliseconds
    POINT pt;        // cursor position in screen pixels when the message was queued
    // For key-down messages: the character the key produced, which TranslateMessage turns
    // into WM_CHAR / WM_SYSCHAR; 0 when the key produces none.
    DWORD lPrivate = 0;
};

struct WNDCLASSEXW {
    UINT cbSize = sizeof(WNDCLASSEXW);
    UINT style = 0;  // CS_*
    WNDPROC lpfnWndProc = nullptr;
    int cbClsExtra = 0;
    int cbWndExtra = 0;
    HINSTANCE hInstance = nullptr;
    HANDLE hIcon = nullptr;
    HCURSOR hCursor = nullptr;  // set by DefWindowProcW on WM_SETCURSOR when not none
    HANDLE hbrBackground = nullptr;
    const wchar_t* lpszMenuName = nullptr;
    const wchar_t* lpszClassName = nullptr;
    HANDLE hIconSm = nullptr;
};

// Handed (by address, in lParam) with WM_NCCREATE and WM_CREATE.
struct CREATESTRUCTW {
    void* lpCreateParams = nullptr;
    HINSTANCE hInstance = nullptr;
    HMENU hMenu = nullptr;
    HWND hwndParent = nullptr;
    int cy = 0;
    int cx = 0;
    int y = 0;
    int x = 0;
    LONG style = 0;
    const wchar_t* lpszName = nullptr;
    const wchar_t* lpszClass = nullptr;
    DWORD dwExStyle = 0;
};

// Handed with WM_WINDOWPOSCHANGING (the handler may change it) and WM_WINDOWPOSCHANGED.
struct WINDOWPOS {
    HWND hwnd = nullptr;
    HWND hwndInsertAfter = nullptr;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    UINT flags = 0;  // SWP_*
};

struct MINMAXINFO {
    POINT ptReserved;
    POINT ptMaxSize;
    POINT ptMaxPosition;
    POINT ptMinTrackSize;
    POINT ptMaxTrackSize;
};

// Handed with WM_NCCALCSIZE when wParam is TRUE; with FALSE, lParam points at one RECT.
struct NCCALCSIZE_PARAMS {
    RECT rgrc[3];
    WINDOWPOS* lppos = nullptr;
};

// Filled by BeginPaint. There is no device context: a window draws into its own bitmap and
// hands it to PresentWindow or UpdateLayeredWindow.
struct PAINTSTRUCT {
    HWND hwnd = nullptr;
    BOOL fErase = FALSE;  // the window must erase its background itself
    RECT rcPaint;         // bounding rectangle of what is invalid, client pixels
};

struct TRACKMOUSEEVENT {
    DWORD cbSize = sizeof(TRACKMOUSEEVENT);
    DWORD dwFlags = 0;  // TME_*
    HWND hwndTrack = nullptr;
    DWORD dwHoverTime = 0;  // milliseconds, or HOVER_DEFAULT
};

struct MONITORINFO {
    DWORD cbSize = sizeof(MONITORINFO);
    RECT rcMonitor;
    RECT rcWork;
    DWORD dwFlags = 0;
};

constexpr WORD LOWORD(uintptr_t v) {
    return static_cast<WORD>(v & 0xFFFF);
}
constexpr WORD HIWORD(uintptr_t v) {
    return static_cast<WORD>((v >> 16) & 0xFFFF);
}
constexpr LPARAM MAKELPARAM(int low, int high) {
    return static_cast<LPARAM>(static_cast<DWORD>((low & 0xFFFF) | ((high & 0xFFFF) << 16)));
}
constexpr WPARAM MAKEWPARAM(int low, int high) {
    return static_cast<WPARAM>(static_cast<DWORD>((low & 0xFFFF) | ((high & 0xFFFF) << 16)));
}
constexpr LRESULT MAKELRESULT(int low, int high) {
    return static_cast<LRESULT>(MAKELPARAM(low, high));
}
// Points packed into lParam are signed 16-bit values.
constexpr int GET_X_LPARAM(LPARAM lp) {
    return static_cast<SHORT>(LOWORD(lp));
}
constexpr int GET_Y_LPARAM(LPARAM lp) {
    return static_cast<SHORT>(HIWORD(lp));
}
constexpr int GET_WHEEL_DELTA_WPARAM(WPARAM wp) {
    return static_cast<SHORT>(HIWORD(wp));
}
constexpr WORD GET_KEYSTATE_WPARAM(WPARAM wp) {
    return LOWORD(wp);
}

// Integer resource names (cursors): MAKEINTRESOURCEW(32512) is IDC_ARROW.
inline const wchar_t* MAKEINTRESOURCEW(WORD id) {
    return reinterpret_cast<const wchar_t*>(static_cast<uintptr_t>(id));
}
inline bool IS_INTRESOURCE(const wchar_t* name) {
    return (reinterpret_cast<uintptr_t>(name) >> 16) == 0;
}
