#include "lumoui/win/x11/x11_atoms.h"

#include <iterator>
#include <utility>

namespace LumoUI {

void X11Atoms::Load(Display* display) {
    std::pair<const char*, Atom*> names[] = {
        {"WM_PROTOCOLS", &wmProtocols},
        {"WM_DELETE_WINDOW", &wmDeleteWindow},
        {"WM_STATE", &wmState},
        {"WM_CHANGE_STATE", &wmChangeState},
        {"UTF8_STRING", &utf8String},
        {"_MOTIF_WM_HINTS", &motifWmHints},
        {"_NET_SUPPORTED", &netSupported},
        {"_NET_SUPPORTING_WM_CHECK", &netSupportingWmCheck},
        {"_NET_WM_NAME", &netWmName},
        {"_NET_WM_PID", &netWmPid},
        {"_NET_WM_USER_TIME", &netWmUserTime},
        {"_NET_WM_WINDOW_TYPE", &netWmWindowType},
        {"_NET_WM_WINDOW_TYPE_NORMAL", &netWmWindowTypeNormal},
        {"_NET_WM_WINDOW_TYPE_DIALOG", &netWmWindowTypeDialog},
        {"_NET_WM_WINDOW_TYPE_UTILITY", &netWmWindowTypeUtility},
        {"_NET_WM_WINDOW_TYPE_POPUP_MENU", &netWmWindowTypePopupMenu},
        {"_NET_WM_STATE", &netWmState},
        {"_NET_WM_STATE_ABOVE", &netWmStateAbove},
        {"_NET_WM_STATE_SKIP_TASKBAR", &netWmStateSkipTaskbar},
        {"_NET_WM_STATE_SKIP_PAGER", &netWmStateSkipPager},
        {"_NET_WM_STATE_MAXIMIZED_VERT", &netWmStateMaximizedVert},
        {"_NET_WM_STATE_MAXIMIZED_HORZ", &netWmStateMaximizedHorz},
        {"_NET_WM_MOVERESIZE", &netWmMoveResize},
        {"_NET_ACTIVE_WINDOW", &netActiveWindow},
        {"_NET_WORKAREA", &netWorkarea},
        {"_NET_WM_WINDOW_OPACITY", &netWmWindowOpacity},
    };
    constexpr int kCount = static_cast<int>(std::size(names));
    char* list[kCount];
    Atom atoms[kCount];
    for (int i = 0; i < kCount; ++i) {
        list[i] = const_cast<char*>(names[i].first);
    }
    XInternAtoms(display, list, kCount, False, atoms);
    for (int i = 0; i < kCount; ++i) {
        *names[i].second = atoms[i];
    }
}

}  // namespace LumoUI
