// What a top-level window tells the window manager about itself: its name and class, its kind
// (normal, dialog, tool window, pop-up), its owner, decorations, focus and initial state.
#pragma once

#include <X11/Xlib.h>

#include <vector>

#include "lumoui/base/cstring.h"
#include "lumoui/win/x11/x11_connection.h"

namespace LumoUI {

struct X11WindowKind {
    bool overrideRedirect = false;  // pop-ups: no window manager between them and the user
    bool toolWindow = false;        // WS_EX_TOOLWINDOW: no taskbar entry
    bool noActivate = false;        // WS_EX_NOACTIVATE: never takes the focus
    bool topmost = false;           // WS_EX_TOPMOST: above the other windows
    Window owner = 0;               // the owner's window, 0 for none
};

// WM_CLASS (the window class name as both instance and class), the process and the window
// manager protocols the backend answers.
void SetWindowIdentity(const X11Connection& c, Window w, const CString& className);
// _NET_WM_NAME in UTF-8 and WM_NAME in Latin-1 (characters beyond it as '?').
void SetWindowTitle(const X11Connection& c, Window w, const CString& title);
// Decorations, type, owner and focus hints; the state list only takes effect on the next map.
void SetWindowKind(const X11Connection& c, Window w, const X11WindowKind& kind, bool iconic,
                   bool maximized);
// Asks the window manager to add or remove up to two _NET_WM_STATE entries of a mapped window.
void ChangeWindowState(const X11Connection& c, Window w, bool add, Atom first, Atom second = 0);

}  // namespace LumoUI
