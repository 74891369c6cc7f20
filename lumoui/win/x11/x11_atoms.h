// The atoms the X11 backend speaks: ICCCM and EWMH properties and messages, and Motif's
// decoration hints.
#pragma once

#include <X11/Xlib.h>

namespace LumoUI {

struct X11Atoms {
    Atom wmProtocols = 0;
    Atom wmDeleteWindow = 0;
    Atom wmState = 0;
    Atom wmChangeState = 0;
    Atom utf8String = 0;
    Atom motifWmHints = 0;
    Atom netSupported = 0;
    Atom netSupportingWmCheck = 0;
    Atom netWmName = 0;
    Atom netWmPid = 0;
    Atom netWmUserTime = 0;
    Atom netWmWindowType = 0;
    Atom netWmWindowTypeNormal = 0;
    Atom netWmWindowTypeDialog = 0;
    Atom netWmWindowTypeUtility = 0;
    Atom netWmWindowTypePopupMenu = 0;
    Atom netWmState = 0;
    Atom netWmStateAbove = 0;
    Atom netWmStateSkipTaskbar = 0;
    Atom netWmStateSkipPager = 0;
    Atom netWmStateMaximizedVert = 0;
    Atom netWmStateMaximizedHorz = 0;
    Atom netWmMoveResize = 0;
    Atom netActiveWindow = 0;
    Atom netWorkarea = 0;
    Atom netWmWindowOpacity = 0;

    // Interns every atom in one round trip.
    void Load(Display* display);
};

}  // namespace LumoUI
