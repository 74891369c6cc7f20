#include "lumoui/win/x11/x11_window_hints.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <string>

namespace LumoUI {

namespace {

constexpr long kMotifHintsDecorations = 1L << 1;
constexpr long kNetWmStateRemove = 0;
constexpr long kNetWmStateAdd = 1;
constexpr long kSourceApplication = 1;

std::string Latin1(const CString& text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        out.push_back(c >= 0 && c <= 0xFF ? static_cast<char>(c) : '?');
    }
    return out;
}

}  // namespace

void SetWindowIdentity(const X11Connection& c, Window w, const CString& className) {
    Display* d = c.display();
    std::string name = WideToUtf8(className);
    XClassHint hint;
    hint.res_name = name.data();
    hint.res_class = name.data();
    XSetClassHint(d, w, &hint);

    char host[256] = {};
    if (gethostname(host, sizeof host - 1) == 0) {
        c.SetLatin1(w, XA_WM_CLIENT_MACHINE, host);
    }
    c.SetCardinals(w, c.atoms().netWmPid, XA_CARDINAL, {static_cast<long>(getpid())});
    Atom protocols[] = {c.atoms().wmDeleteWindow};
    XSetWMProtocols(d, w, protocols, 1);
}

void SetWindowTitle(const X11Connection& c, Window w, const CString& title) {
    c.SetUtf8(w, c.atoms().netWmName, WideToUtf8(title));
    c.SetLatin1(w, XA_WM_NAME, Latin1(title));
}

void SetWindowKind(const X11Connection& c, Window w, const X11WindowKind& kind, bool iconic,
                   bool maximized) {
    Display* d = c.display();
    const X11Atoms& a = c.atoms();
    // The toolkit draws every window edge to edge: no title bar, no frame.
    c.SetCardinals(w, a.motifWmHints, a.motifWmHints, {kMotifHintsDecorations, 0, 0, 0, 0});

    Atom type = a.netWmWindowTypeNormal;
    if (kind.overrideRedirect) {
        type = a.netWmWindowTypePopupMenu;
    } else if (kind.toolWindow) {
        type = a.netWmWindowTypeUtility;
    } else if (kind.owner != 0) {
        type = a.netWmWindowTypeDialog;
    }
    c.SetCardinals(w, a.netWmWindowType, XA_ATOM, {static_cast<long>(type)});

    if (kind.owner != 0) {
        XSetTransientForHint(d, w, kind.owner);
    } else {
        XDeleteProperty(d, w, XA_WM_TRANSIENT_FOR);
    }

    XWMHints hints{};
    hints.flags = InputHint | StateHint;
    hints.input = kind.noActivate ? False : True;
    hints.initial_state = iconic ? IconicState : NormalState;
    XSetWMHints(d, w, &hints);

    std::vector<long> states;
    if (kind.topmost) {
        states.push_back(static_cast<long>(a.netWmStateAbove));
    }
    if (kind.toolWindow) {
        states.push_back(static_cast<long>(a.netWmStateSkipTaskbar));
        states.push_back(static_cast<long>(a.netWmStateSkipPager));
    }
    if (maximized) {
        states.push_back(static_cast<long>(a.netWmStateMaximizedVert));
        states.push_back(static_cast<long>(a.netWmStateMaximizedHorz));
    }
    c.SetCardinals(w, a.netWmState, XA_ATOM, states);
}

void ChangeWindowState(const X11Connection& c, Window w, bool add, Atom first, Atom second) {
    c.SendToRoot(w, c.atoms().netWmState, add ? kNetWmStateAdd : kNetWmStateRemove,
                 static_cast<long>(first), static_cast<long>(second), kSourceApplication);
}

}  // namespace LumoUI
