// A top-level window of the window system with its window procedure turned into a virtual
// operation. The object outlives its window: destroying the window clears the handle, and
// the object may create a new window later. Destroying the object destroys a window it
// still has.
#pragma once

#include "lumoui/base/cstring.h"
#include "lumoui/base/lumoui_export.h"
#include "lumoui/win/win_types.h"

namespace LumoUI {

class LUMOUI_API MWindow {
public:
    MWindow() = default;
    virtual ~MWindow();
    MWindow(const MWindow&) = delete;
    MWindow& operator=(const MWindow&) = delete;

    // The name of the window class registered for this kind of window ("LumoClient").
    virtual const wchar_t* GetWindowClassName() const;
    // A system class (such as "Edit") whose behaviour the window keeps for the messages it
    // passes on; none for an ordinary toolkit window.
    virtual const wchar_t* GetSuperClassName() const;
    virtual int ShowWindow(int cmdShow);
    // Every message of the window; the default passes it to the previous procedure.
    virtual LRESULT OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam);
    // A message of the modal loop before it is dispatched; non-zero consumes it.
    virtual int PreTranslateMessage(MSG* msg);
    // After the window has been created; 1.
    virtual int OnInitDialog();
    // After the window's last message (WM_NCDESTROY); the handle is none by then.
    virtual void OnDestroyMessage(HWND hwnd);

    // Registers the class and creates the window (this object receives its messages), then
    // calls OnInitDialog. The existing handle when the window exists already; none when the
    // class cannot be registered or the window cannot be made.
    HWND Create(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, CRect rect,
                HMENU menu = nullptr);
    // Shows the window and runs its messages until it is closed: the close code (IDOK ...)
    // its WM_CLOSE carried, 0 when it went away without one, 0xFFFFFFFF without a window.
    // The owner window is disabled meanwhile. A WM_QUIT ends the loop and is posted again.
    UINT ShowModal(int cmdShow);

    // Centres the window over `relativeTo` (else its owner; else the work area), kept inside
    // the work area.
    void CenterWindow(MWindow* relativeTo = nullptr);
    // Makes the window the foreground window and shows it (restored when minimised).
    void BringToTop();
    void SetIcon(UINT resourceId);
    BOOL DestroyWindow();
    LRESULT SendMessageW(UINT msg, WPARAM wparam = 0, LPARAM lparam = 0);
    BOOL PostMessageW(UINT msg, WPARAM wparam = 0, LPARAM lparam = 0);

    HWND GetSafeHwnd() const { return hwnd_; }
    HWND GetParentHwnd() const { return parentHwnd_; }

    // The window functions on this window; without a window they do nothing and give 0
    // (-1 for the text length).
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    // Changed only when the result differs; with `swpFlags`, SetWindowPos applies the change
    // without moving, sizing, restacking or activating.
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    BOOL ModifyExStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    BOOL GetClientRect(RECT* rect) const;
    BOOL GetWindowRect(RECT* rect) const;
    BOOL SetWindowTextW(const wchar_t* text);
    int GetWindowTextW(CString& text) const;
    int GetWindowTextLengthW() const;
    BOOL EnableWindow(BOOL enable);
    BOOL IsWindowEnabled() const;
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    BOOL InvalidateRect(CRect rect, int erase);
    HWND SetCapture();
    BOOL ReleaseCapture();
    HWND SetFocus();
    UINT_PTR SetTimer(UINT id, UINT elapseMs, TIMERPROC callback = nullptr);
    BOOL KillTimer(UINT id);
    BOOL ClientToScreen(POINT* point) const;
    BOOL ClientToScreen(RECT* rect) const;
    BOOL ScreenToClient(POINT* point) const;
    BOOL ScreenToClient(RECT* rect) const;
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
    BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    BOOL MoveWindow(const CRect& rect, BOOL repaint = TRUE);

    // The class of this kind of window; one that exists already counts as registered.
    bool RegisterWindowClass();
    // The class as a copy of the system class GetSuperClassName(); its procedure becomes the
    // previous procedure.
    bool RegisterSuperClass();
    // Window procedures: the object travels in the creation parameters and stays in the
    // window's user data (WndProc) or in its "Control" property (ControlProc).
    static LRESULT WndProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
    static LRESULT ControlProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

protected:
    // Where the messages the object does not handle go: DefWindowProcW, or the procedure of
    // the system class of a superclassed window.
    LRESULT CallPreviousProc(UINT msg, WPARAM wparam, LPARAM lparam);

private:
    // Finds the object (user data, or the property of a superclassed window), lets it handle
    // the message, and after WM_NCDESTROY detaches it from the window.
    static LRESULT Route(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, bool inProperty);
    void Detach(HWND hwnd);
    BOOL ChangeStyle(int index, DWORD remove, DWORD add, UINT swpFlags);
    BOOL MapRect(RECT* rect, bool toScreen) const;

    HWND parentHwnd_ = nullptr;
    HWND hwnd_ = nullptr;
    WNDPROC previousProc_ = nullptr;  // none: DefWindowProcW
    bool superclassed_ = false;
};

}  // namespace LumoUI
