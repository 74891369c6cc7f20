// The window system that the toolkit is written against, in place of user32: Win32 names,
// message numbers, parameter packing and call semantics, global like the Win32 API.
//
// Model, for code built on it:
// - Windows. A window is an entry in one process-wide table, named by an HWND that is never
//   reused. It has a class (registered with RegisterClassExW, which gives its window
//   procedure and class styles), a title, style and extended style, an owner (top-level
//   windows) or a parent (WS_CHILD), a rectangle (screen pixels for top-level windows,
//   parent client pixels for children), properties and user data. Windows have no frame: the
//   client area is the whole window. Top-level windows are kept in z-order (WS_EX_TOPMOST
//   ones above the rest, owned windows above their owner).
// - Threads and queues. A window belongs to the thread that created it; its window procedure
//   only ever runs on that thread. Each thread that uses the window system has one message
//   queue. PostMessageW queues (from any thread); SendMessageW calls the window procedure
//   directly on the owner thread, and from another thread queues the call and blocks until
//   the owner thread has handled it (serving messages sent to the waiting thread meanwhile).
//   GetMessageW and PeekMessageW first run the calls sent from other threads, then return
//   posted and input messages in order, then WM_QUIT after PostQuitMessage, then WM_PAINT
//   for invalid windows, then WM_TIMER and WM_MOUSEHOVER as they fall due. An idle
//   GetMessageW blocks on a condition variable until there is work or the next timer is due.
//   Nested loops (modal windows) are just further GetMessageW loops on the same thread.
// - Calls from other threads. PostMessageW, SendMessageW, SendNotifyMessageW, InvalidateRect,
//   EnableWindow, ShowWindow, SetWindowPos, MoveWindow, SetWindowTextW, SetWindowLongPtrW,
//   SetLayeredWindowAttributes and SetForegroundWindow may be made from any thread. The state
//   that EnableWindow, SetWindowTextW and SetWindowLongPtrW change is changed at once; the
//   messages and display updates they cause, and the whole of ShowWindow, SetWindowPos,
//   MoveWindow and SetForegroundWindow, are carried out on the owner thread the next time it
//   looks at its queue. None of them blocks the caller (SendMessageW apart).
//   Everything else (DestroyWindow, SetTimer, SetFocus, SetCapture, BeginPaint, presenting)
//   belongs on the owner thread and fails elsewhere.
// - Input. The display backend reports pointer and key events; the core routes them as a
//   window server would: the pointer to the capture window, else to the window under it (a
//   disabled window, or one inside a disabled window, gets nothing); keys to the focus window,
//   else to the active window. A button press activates the top-level window it lands on
//   (unless WS_EX_NOACTIVATE); the window that was active gets WM_NCACTIVATE FALSE and
//   WM_ACTIVATE WA_INACTIVE. Classes with CS_DBLCLKS get double clicks; TrackMouseEvent gives
//   WM_MOUSEHOVER and WM_MOUSELEAVE.
// - Painting. InvalidateRect collects an update rectangle (a bounding box); WM_PAINT comes
//   while it is not empty; BeginPaint hands it over and validates. There are no device
//   contexts: a window draws into its own 32-bit bitmap and hands it over with PresentWindow
//   (opaque: the changed rectangle) or UpdateLayeredWindow (WS_EX_LAYERED: the whole buffer
//   with per-pixel alpha).
// - Backends. lumoui/win/window_backend.h is the seam to the display: the headless backend
//   (virtual screen, injected input, virtual time, kept frames; the default) and the X11
//   backend. The clock of timers, hover and double clicks is the backend's (virtual time in
//   tests).
#pragma once

#include <cstdint>

#include "lumoui/base/colors.h"
#include "lumoui/base/lumoui_export.h"
#include "lumoui/win/virtual_keys.h"
#include "lumoui/win/win_messages.h"
#include "lumoui/win/win_styles.h"
#include "lumoui/win/win_types.h"
#include "lumoui/win/window_backend.h"

// Window classes. Class names compare without regard to case.
LUMOUI_API ATOM RegisterClassExW(const WNDCLASSEXW* wc);
LUMOUI_API BOOL UnregisterClassW(const wchar_t* className, HINSTANCE instance);
LUMOUI_API BOOL GetClassInfoExW(HINSTANCE instance, const wchar_t* className, WNDCLASSEXW* wc);
LUMOUI_API int GetClassNameW(HWND hwnd, wchar_t* buffer, int maxCount);

// Creation sends WM_GETMINMAXINFO, WM_NCCREATE, WM_CREATE (lParam: the CREATESTRUCTW; its
// lpCreateParams is `param`), then WM_SIZE and WM_MOVE, and shows the window when the style
// has WS_VISIBLE. Destruction hides the window, destroys its owned windows, sends WM_DESTROY
// (parent before children) and WM_NCDESTROY (children before parent) and frees the handle.
LUMOUI_API HWND CreateWindowExW(DWORD exStyle, const wchar_t* className, const wchar_t* title,
                                DWORD style, int x, int y, int width, int height, HWND parent,
                                HMENU menu, HINSTANCE instance, void* param);
LUMOUI_API BOOL DestroyWindow(HWND hwnd);
LUMOUI_API BOOL IsWindow(HWND hwnd);

// Visibility, state and placement.
LUMOUI_API BOOL ShowWindow(HWND hwnd, int cmdShow);  // nonzero when it was visible before
LUMOUI_API BOOL IsWindowVisible(HWND hwnd);          // visible together with all its parents
LUMOUI_API BOOL IsIconic(HWND hwnd);
LUMOUI_API BOOL IsZoomed(HWND hwnd);
LUMOUI_API BOOL EnableWindow(HWND hwnd, BOOL enable);  // nonzero when it was disabled before
LUMOUI_API BOOL IsWindowEnabled(HWND hwnd);
LUMOUI_API BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
LUMOUI_API BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
LUMOUI_API BOOL BringWindowToTop(HWND hwnd);
LUMOUI_API BOOL GetWindowRect(HWND hwnd, RECT* rect);  // screen pixels
LUMOUI_API BOOL GetClientRect(HWND hwnd, RECT* rect);  // (0, 0, width, height)
LUMOUI_API BOOL ClientToScreen(HWND hwnd, POINT* point);
LUMOUI_API BOOL ScreenToClient(HWND hwnd, POINT* point);
LUMOUI_API int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);

// Text, long values and properties. Property names compare without regard to case.
LUMOUI_API BOOL SetWindowTextW(HWND hwnd, const wchar_t* text);
LUMOUI_API int GetWindowTextW(HWND hwnd, wchar_t* buffer, int maxCount);
LUMOUI_API int GetWindowTextLengthW(HWND hwnd);
LUMOUI_API LONG_PTR GetWindowLongPtrW(HWND hwnd, int index);
LUMOUI_API LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value);
LUMOUI_API LONG GetWindowLongW(HWND hwnd, int index);
LUMOUI_API LONG SetWindowLongW(HWND hwnd, int index, LONG value);
LUMOUI_API BOOL SetPropW(HWND hwnd, const wchar_t* name, HANDLE data);
LUMOUI_API HANDLE GetPropW(HWND hwnd, const wchar_t* name);
LUMOUI_API HANDLE RemovePropW(HWND hwnd, const wchar_t* name);

// Relations, enumeration (top-level windows in z-order, top first) and look-up. Class names
// and titles compare without regard to case; none matches any.
LUMOUI_API HWND GetParent(HWND hwnd);  // the parent of a child window, the owner of others
LUMOUI_API HWND GetAncestor(HWND hwnd, UINT flags);
LUMOUI_API HWND GetWindow(HWND hwnd, UINT relation);
LUMOUI_API HWND GetTopWindow(HWND parent);
LUMOUI_API HWND GetDesktopWindow();
LUMOUI_API BOOL IsChild(HWND parent, HWND hwnd);
LUMOUI_API BOOL EnumWindows(WNDENUMPROC callback, LPARAM param);
LUMOUI_API BOOL EnumChildWindows(HWND parent, WNDENUMPROC callback, LPARAM param);
LUMOUI_API HWND FindWindowW(const wchar_t* className, const wchar_t* title);
LUMOUI_API HWND FindWindowExW(HWND parent, HWND childAfter, const wchar_t* className,
                              const wchar_t* title);
LUMOUI_API HWND WindowFromPoint(POINT screenPoint);
LUMOUI_API DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId);
LUMOUI_API DWORD GetCurrentThreadId();

// Messages.
LUMOUI_API LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Like SendMessageW on the owner thread; from another thread it queues the call and returns.
LUMOUI_API BOOL SendNotifyMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// hwnd none: a message for the calling thread itself.
LUMOUI_API BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LUMOUI_API BOOL PostThreadMessageW(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
LUMOUI_API void PostQuitMessage(int exitCode);
// 0 for WM_QUIT (its wParam is the exit code), -1 for a filter window that is no window of
// this thread, nonzero otherwise. `hwnd` filters by window ((HWND)-1: thread messages only);
// the range filters by message number (0, 0: all).
LUMOUI_API BOOL GetMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
LUMOUI_API BOOL PeekMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT remove);
LUMOUI_API BOOL WaitMessage();
LUMOUI_API BOOL TranslateMessage(const MSG* msg);
LUMOUI_API LRESULT DispatchMessageW(const MSG* msg);
LUMOUI_API LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LUMOUI_API LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam,
                                   LPARAM lParam);
LUMOUI_API BOOL InSendMessage();

// Time on the window-system clock (virtual in tests).
LUMOUI_API DWORD GetMessageTime();
LUMOUI_API DWORD GetTickCount();
LUMOUI_API uint64_t GetTickCount64();
// Sleeps on real time; returns at once on virtual time.
LUMOUI_API void Sleep(DWORD milliseconds);

// Window timers, delivered as WM_TIMER (wParam: the identifier; lParam: the callback) on the
// owner thread. Setting an existing identifier again restarts it with the new interval.
// Intervals below 10 ms count as 10 ms. hwnd none: a thread timer with a new identifier.
LUMOUI_API UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC callback);
LUMOUI_API BOOL KillTimer(HWND hwnd, UINT_PTR id);

// Painting and presenting.
LUMOUI_API BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);  // rect none: all
LUMOUI_API BOOL ValidateRect(HWND hwnd, const RECT* rect);
LUMOUI_API BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase);
LUMOUI_API BOOL UpdateWindow(HWND hwnd);
LUMOUI_API BOOL BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
LUMOUI_API BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);
// The window's new pixels: the buffer's top-left is the client area's top-left; `update`
// (client pixels) is what changed. Alpha is ignored.
LUMOUI_API BOOL PresentWindow(HWND hwnd, const LumoUI::PixelView& pixels, const RECT& update);
// A WS_EX_LAYERED window's whole contents with per-pixel alpha (premultiplied).
LUMOUI_API BOOL UpdateLayeredWindow(HWND hwnd, const LumoUI::PixelView& pixels);
LUMOUI_API BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags);

// Capture, focus, activation.
LUMOUI_API HWND SetCapture(HWND hwnd);
LUMOUI_API BOOL ReleaseCapture();
LUMOUI_API HWND GetCapture();
LUMOUI_API HWND SetFocus(HWND hwnd);  // none: no window has the keyboard focus
LUMOUI_API HWND GetFocus();
LUMOUI_API HWND SetActiveWindow(HWND hwnd);
LUMOUI_API HWND GetActiveWindow();
LUMOUI_API BOOL SetForegroundWindow(HWND hwnd);
LUMOUI_API HWND GetForegroundWindow();
LUMOUI_API BOOL TrackMouseEvent(TRACKMOUSEEVENT* track);

// Keyboard and pointer state. GetKeyState follows the key messages this thread has taken from
// its queue; GetAsyncKeyState the keys as they are now. High bit: down; low bit: toggled.
LUMOUI_API SHORT GetKeyState(int vk);
LUMOUI_API SHORT GetAsyncKeyState(int vk);
LUMOUI_API BOOL GetCursorPos(POINT* point);
LUMOUI_API BOOL SetCursorPos(int x, int y);
LUMOUI_API HCURSOR LoadCursorW(HINSTANCE instance, const wchar_t* name);  // IDC_* only
LUMOUI_API HCURSOR SetCursor(HCURSOR cursor);
LUMOUI_API HCURSOR GetCursor();

// System settings.
LUMOUI_API UINT GetDoubleClickTime();  // 500 ms
LUMOUI_API UINT GetCaretBlinkTime();   // 530 ms
LUMOUI_API int GetSystemMetrics(int index);
LUMOUI_API BOOL SystemParametersInfoW(UINT action, UINT param, void* value, UINT winIni);
LUMOUI_API HMONITOR MonitorFromWindow(HWND hwnd, DWORD flags);
LUMOUI_API HMONITOR MonitorFromPoint(POINT point, DWORD flags);
LUMOUI_API BOOL GetMonitorInfoW(HMONITOR monitor, MONITORINFO* info);

LUMOUI_API DWORD GetLastError();
LUMOUI_API void SetLastError(DWORD error);
