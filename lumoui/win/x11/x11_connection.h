// One connection to an X display shared by the backend's threads (Xlib in thread-safe mode):
// the screen, the visuals and the extensions found on it, the atoms, and the property and
// message helpers that the window code uses.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <memory>
#include <string>
#include <vector>

#include "lumoui/base/geometry.h"
#include "lumoui/win/x11/x11_atoms.h"

namespace LumoUI {

class X11Connection {
public:
    // None when no display can be opened. `wantShm` and `wantArgb` let callers do without
    // shared memory or the 32-bit visual even where the server offers them.
    static std::unique_ptr<X11Connection> Open(bool wantShm, bool wantArgb);
    ~X11Connection();
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;

    Display* display() const { return display_; }
    Window root() const { return root_; }
    int screen() const { return screen_; }
    const X11Atoms& atoms() const { return atoms_; }
    Visual* defaultVisual() const { return defaultVisual_; }
    int defaultDepth() const { return defaultDepth_; }
    Colormap defaultColormap() const { return defaultColormap_; }
    // The 32-bit TrueColor visual for per-pixel alpha, none when the server has none.
    Visual* argbVisual() const { return argbVisual_; }
    Colormap argbColormap() const { return argbColormap_; }
    bool HasShm() const { return shm_; }
    // SHAPE, for windows that let the pointer through.
    bool HasShape() const { return shape_; }
    // A graphics context for drawables of `depth` (the default depth or 32).
    GC GcFor(int depth) const { return depth == 32 && argbGc_ != nullptr ? argbGc_ : defaultGc_; }
    CSize ScreenSize() const;

    // The eventfd that Wake() signals; the event reader sleeps on it besides the connection.
    int WakeFd() const { return wakeFd_; }
    void Wake() const;
    // Sends the requests made so far. When a reply brought events along, they now wait in
    // Xlib's queue where the reader's poll() cannot see them: wake the reader for them.
    void Flush() const;

    // Properties.
    void SetCardinals(Window w, Atom property, Atom type, const std::vector<long>& values) const;
    void SetUtf8(Window w, Atom property, const std::string& text) const;
    void SetLatin1(Window w, Atom property, const std::string& text) const;
    // The 32-bit items of a property of `type` (AnyPropertyType: any), empty when it is unset.
    std::vector<unsigned long> GetCardinals(Window w, Atom property, Atom type) const;

    // Whether an EWMH window manager runs, and whether it declares support for `atom`.
    bool WmRunning() const;
    bool WmSupports(Atom atom) const;
    // A client message to the root window about `w`, as EWMH requests are sent.
    void SendToRoot(Window w, Atom type, long d0, long d1 = 0, long d2 = 0, long d3 = 0,
                    long d4 = 0) const;

private:
    X11Connection() = default;
    bool ProbeShm() const;

    Display* display_ = nullptr;
    int screen_ = 0;
    Window root_ = 0;
    X11Atoms atoms_;
    Visual* defaultVisual_ = nullptr;
    int defaultDepth_ = 0;
    Colormap defaultColormap_ = 0;
    Visual* argbVisual_ = nullptr;
    Colormap argbColormap_ = 0;
    Pixmap argbPixmap_ = 0;
    GC defaultGc_ = nullptr;
    GC argbGc_ = nullptr;
    bool shm_ = false;
    bool shape_ = false;
    int wakeFd_ = -1;
};

}  // namespace LumoUI
