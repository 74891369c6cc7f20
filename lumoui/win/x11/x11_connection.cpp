#include "lumoui/win/x11/x11_connection.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/shape.h>
#include <sys/eventfd.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>

namespace LumoUI {

namespace {

std::atomic<unsigned long> gXErrors{0};

// Xlib's default handler ends the process on any protocol error. Errors here are races with
// the server (a window gone, a grab refused) that the backend can live with, so they are only
// counted.
int CountXError(Display*, XErrorEvent*) {
    gXErrors.fetch_add(1);
    return 0;
}

bool IsPlainRgb(const Visual* visual) {
    return visual->red_mask == 0xFF0000 && visual->green_mask == 0xFF00 &&
           visual->blue_mask == 0xFF;
}

}  // namespace

std::unique_ptr<X11Connection> X11Connection::Open(bool wantShm, bool wantArgb) {
    // Xlib is used from the event reader and from every thread that owns windows.
    XInitThreads();
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return nullptr;
    }
    XSetErrorHandler(CountXError);
    std::unique_ptr<X11Connection> c(new X11Connection());
    c->display_ = display;
    c->screen_ = DefaultScreen(display);
    c->root_ = RootWindow(display, c->screen_);
    c->defaultVisual_ = DefaultVisual(display, c->screen_);
    c->defaultDepth_ = DefaultDepth(display, c->screen_);
    c->defaultColormap_ = DefaultColormap(display, c->screen_);
    c->defaultGc_ = XCreateGC(display, c->root_, 0, nullptr);
    c->atoms_.Load(display);
    c->wakeFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (c->wakeFd_ < 0) {
        return nullptr;
    }
    XVisualInfo info;
    if (wantArgb && XMatchVisualInfo(display, c->screen_, 32, TrueColor, &info) &&
        IsPlainRgb(info.visual)) {
        c->argbVisual_ = info.visual;
        c->argbColormap_ = XCreateColormap(display, c->root_, info.visual, AllocNone);
        // A graphics context for 32-bit drawables needs a drawable of that depth to be made.
        c->argbPixmap_ = XCreatePixmap(display, c->root_, 1, 1, 32);
        c->argbGc_ = XCreateGC(display, c->argbPixmap_, 0, nullptr);
    }
    c->shm_ = wantShm && c->ProbeShm();
    int shapeEvent = 0;
    int shapeError = 0;
    c->shape_ = XShapeQueryExtension(display, &shapeEvent, &shapeError) != False;
    // Held keys repeat as presses alone, without a release before each.
    XkbSetDetectableAutoRepeat(display, True, nullptr);
    // Screen size changes and the work area's property arrive on the root window.
    XSelectInput(display, c->root_, StructureNotifyMask | PropertyChangeMask);
    XSync(display, False);
    return c;
}

X11Connection::~X11Connection() {
    if (display_ != nullptr) {
        if (argbGc_ != nullptr) {
            XFreeGC(display_, argbGc_);
            XFreePixmap(display_, argbPixmap_);
            XFreeColormap(display_, argbColormap_);
        }
        XFreeGC(display_, defaultGc_);
        XCloseDisplay(display_);
    }
    if (wakeFd_ >= 0) {
        close(wakeFd_);
    }
}

bool X11Connection::ProbeShm() const {
    int major = 0;
    int minor = 0;
    Bool pixmaps = False;
    if (!XShmQueryVersion(display_, &major, &minor, &pixmaps)) {
        return false;
    }
    // Shared memory works only with a server on this machine: attach a segment and see.
    XShmSegmentInfo segment{};
    segment.shmid = shmget(IPC_PRIVATE, 4096, IPC_CREAT | 0600);
    if (segment.shmid < 0) {
        return false;
    }
    segment.shmaddr = static_cast<char*>(shmat(segment.shmid, nullptr, 0));
    bool attached = false;
    if (segment.shmaddr != reinterpret_cast<char*>(-1)) {
        segment.readOnly = False;
        XSync(display_, False);
        const unsigned long errorsBefore = gXErrors.load();
        XShmAttach(display_, &segment);
        XSync(display_, False);
        attached = gXErrors.load() == errorsBefore;
        if (attached) {
            XShmDetach(display_, &segment);
            XSync(display_, False);
        }
        shmdt(segment.shmaddr);
    }
    shmctl(segment.shmid, IPC_RMID, nullptr);
    return attached;
}

CSize X11Connection::ScreenSize() const {
    return CSize(DisplayWidth(display_, screen_), DisplayHeight(display_, screen_));
}

void X11Connection::Wake() const {
    const uint64_t one = 1;
    // A full counter already wakes the reader; nothing is lost when the write fails.
    [[maybe_unused]] const ssize_t written = write(wakeFd_, &one, sizeof one);
}

void X11Connection::Flush() const {
    XFlush(display_);
    if (XEventsQueued(display_, QueuedAlready) > 0) {
        Wake();
    }
}

void X11Connection::SetCardinals(Window w, Atom property, Atom type,
                                 const std::vector<long>& values) const {
    XChangeProperty(display_, w, property, type, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(values.data()),
                    static_cast<int>(values.size()));
}

void X11Connection::SetUtf8(Window w, Atom property, const std::string& text) const {
    XChangeProperty(display_, w, property, atoms_.utf8String, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(text.data()),
                    static_cast<int>(text.size()));
}

void X11Connection::SetLatin1(Window w, Atom property, const std::string& text) const {
    XChangeProperty(display_, w, property, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(text.data()),
                    static_cast<int>(text.size()));
}

std::vector<unsigned long> X11Connection::GetCardinals(Window w, Atom property, Atom type) const {
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> values;
    if (XGetWindowProperty(display_, w, property, 0, 1024, False, type, &actualType, &format,
                           &count, &remaining, &data) == Success &&
        data != nullptr) {
        if (format == 32) {
            // Xlib hands 32-bit items out as longs, sign-extended.
            const auto* items = reinterpret_cast<const unsigned long*>(data);
            for (unsigned long i = 0; i < count; ++i) {
                values.push_back(items[i] & 0xFFFFFFFFUL);
            }
        }
        XFree(data);
    }
    return values;
}

bool X11Connection::WmRunning() const {
    // A window manager names a window of its own on the root and on that window itself.
    const std::vector<unsigned long> check =
        GetCardinals(root_, atoms_.netSupportingWmCheck, XA_WINDOW);
    return !check.empty() &&
           GetCardinals(check[0], atoms_.netSupportingWmCheck, XA_WINDOW) == check;
}

bool X11Connection::WmSupports(Atom atom) const {
    if (!WmRunning()) {
        return false;
    }
    const std::vector<unsigned long> supported = GetCardinals(root_, atoms_.netSupported, XA_ATOM);
    return std::find(supported.begin(), supported.end(), atom) != supported.end();
}

void X11Connection::SendToRoot(Window w, Atom type, long d0, long d1, long d2, long d3,
                               long d4) const {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = w;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    event.xclient.data.l[0] = d0;
    event.xclient.data.l[1] = d1;
    event.xclient.data.l[2] = d2;
    event.xclient.data.l[3] = d3;
    event.xclient.data.l[4] = d4;
    XSendEvent(display_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

}  // namespace LumoUI
