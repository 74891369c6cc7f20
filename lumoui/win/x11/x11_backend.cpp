#include "lumoui/win/x11/x11_backend.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/shape.h>

#include <algorithm>

#include "lumoui/gfx/pixel_format.h"
#include "lumoui/win/x11/x11_backend_factory.h"

namespace LumoUI {

namespace {

constexpr long kWindowEvents = ExposureMask | StructureNotifyMask | ButtonPressMask |
                               ButtonReleaseMask | PointerMotionMask | EnterWindowMask |
                               LeaveWindowMask | KeyPressMask | KeyReleaseMask | FocusChangeMask |
                               OwnerGrabButtonMask;
constexpr unsigned kGrabEvents =
    ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask | LeaveWindowMask;
constexpr long kMoveResizeMove = 8;
constexpr long kSourceApplication = 1;

// Classes that Win32 gives to menus and tips: their windows stay out of the window manager.
constexpr UINT kPopupClassStyles = CS_DROPSHADOW | CS_SAVEBITS;

unsigned XSize(int extent) {
    return static_cast<unsigned>(std::max(1, extent));
}

uint32_t ScaleAlpha(uint32_t pixel, uint32_t alpha) {
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        result |= gfx::MultiplyChannel((pixel >> shift) & 0xFF, alpha) << shift;
    }
    return result;
}

unsigned FontCursorOf(HCURSOR shape) {
    switch (reinterpret_cast<uintptr_t>(shape)) {
        case 32513:  // IDC_IBEAM
            return XC_xterm;
        case 32514:  // IDC_WAIT
        case 32650:  // IDC_APPSTARTING
            return XC_watch;
        case 32515:  // IDC_CROSS
            return XC_crosshair;
        case 32644:  // IDC_SIZEWE
            return XC_sb_h_double_arrow;
        case 32645:  // IDC_SIZENS
            return XC_sb_v_double_arrow;
        case 32642:  // IDC_SIZENWSE
            return XC_bottom_right_corner;
        case 32643:  // IDC_SIZENESW
            return XC_bottom_left_corner;
        case 32646:  // IDC_SIZEALL
            return XC_fleur;
        case 32648:  // IDC_NO
            return XC_X_cursor;
        case 32649:  // IDC_HAND
            return XC_hand2;
        default:
            return XC_left_ptr;
    }
}

}  // namespace

std::unique_ptr<WindowBackend> OpenX11Backend() {
    return X11Backend::Open();
}

std::unique_ptr<X11Backend> X11Backend::Open(const X11Options& options) {
    std::unique_ptr<X11Connection> connection =
        X11Connection::Open(options.useShm, options.useArgbVisual);
    if (!connection) {
        return nullptr;
    }
    return std::unique_ptr<X11Backend>(new X11Backend(std::move(connection)));
}

X11Backend::X11Backend(std::unique_ptr<X11Connection> connection)
    : connection_(std::move(connection)), display_(connection_->display()) {
    screenSize_ = connection_->ScreenSize();
    reader_ = std::make_unique<X11EventReader>(*connection_,
                                               [this](XEvent& event) { HandleEvent(event); });
}

X11Backend::~X11Backend() {
    reader_.reset();
    std::lock_guard guard(lock_);
    for (auto& [hwnd, w] : windows_) {
        w.surface.reset();
        if (w.IsTopLevel()) {
            XDestroyWindow(display_, w.xid);  // takes the children along
        }
    }
    for (const auto& [shape, cursor] : cursors_) {
        XFreeCursor(display_, cursor);
    }
    XSync(display_, False);
}

// --- look-ups ---

X11Backend::NativeWindow* X11Backend::FindLocked(HWND hwnd) {
    auto it = windows_.find(hwnd);
    return it == windows_.end() ? nullptr : &it->second;
}

const X11Backend::NativeWindow* X11Backend::FindLocked(HWND hwnd) const {
    auto it = windows_.find(hwnd);
    return it == windows_.end() ? nullptr : &it->second;
}

HWND X11Backend::HwndOfLocked(Window xid) const {
    auto it = byXid_.find(xid);
    return it == byXid_.end() ? nullptr : it->second;
}

Window X11Backend::NativeWindowOf(HWND hwnd) const {
    std::lock_guard guard(lock_);
    const NativeWindow* w = FindLocked(hwnd);
    return w == nullptr ? 0 : w->xid;
}

bool X11Backend::IsPartOfLocked(HWND hwnd, HWND owner) const {
    for (int depth = 0; hwnd != nullptr && depth < 64; ++depth) {
        if (hwnd == owner) {
            return true;
        }
        const NativeWindow* w = FindLocked(hwnd);
        if (w == nullptr || !w->overrideRedirect) {
            return false;
        }
        hwnd = w->owner;
    }
    return false;
}

// --- screen ---

CRect X11Backend::ScreenRect() const {
    std::lock_guard guard(geometryLock_);
    return CRect(CPoint(), screenSize_);
}

CRect X11Backend::WorkArea() const {
    std::lock_guard guard(geometryLock_);
    const CRect screen(CPoint(), screenSize_);
    if (workAreaStale_) {
        workAreaStale_ = false;
        workArea_ = screen;
        const std::vector<unsigned long> area = connection_->GetCardinals(
            connection_->root(), connection_->atoms().netWorkarea, XA_CARDINAL);
        if (area.size() >= 4) {
            // The first desktop's; the others are alike on the window managers in use.
            CRect reported(static_cast<int>(area[0]), static_cast<int>(area[1]),
                           static_cast<int>(area[0] + area[2]),
                           static_cast<int>(area[1] + area[3]));
            if (reported.IntersectRect(reported, screen)) {
                workArea_ = reported;
            }
        }
        connection_->Flush();
    }
    return workArea_;
}

// --- windows ---

X11WindowKind X11Backend::KindOfLocked(const NativeWindow& w) const {
    X11WindowKind kind;
    kind.overrideRedirect = w.overrideRedirect;
    kind.toolWindow = (w.exStyle & WS_EX_TOOLWINDOW) != 0;
    kind.noActivate = (w.exStyle & WS_EX_NOACTIVATE) != 0;
    kind.topmost = (w.exStyle & WS_EX_TOPMOST) != 0;
    if (const NativeWindow* owner = FindLocked(w.owner)) {
        kind.owner = owner->xid;
    }
    return kind;
}

void X11Backend::CreateXWindowLocked(HWND hwnd, NativeWindow& w) {
    Window parent = connection_->root();
    Visual* visual = connection_->defaultVisual();
    int depth = connection_->defaultDepth();
    Colormap colormap = connection_->defaultColormap();
    const NativeWindow* p = FindLocked(w.parent);
    w.argb = p != nullptr ? p->argb : w.Layered() && connection_->argbVisual() != nullptr;
    if (p != nullptr) {
        parent = p->xid;
    }
    if (w.argb) {
        visual = connection_->argbVisual();
        depth = 32;
        colormap = connection_->argbColormap();
    }
    XSetWindowAttributes attributes{};
    attributes.background_pixel = 0;  // black, or transparent with alpha
    attributes.border_pixel = 0;
    attributes.colormap = colormap;
    attributes.override_redirect = w.overrideRedirect ? True : False;
    attributes.bit_gravity = NorthWestGravity;  // a resize keeps what is shown in place
    attributes.event_mask = kWindowEvents | (w.IsManaged() ? PropertyChangeMask : 0);
    const unsigned long mask =
        CWBackPixel | CWBorderPixel | CWColormap | CWOverrideRedirect | CWBitGravity | CWEventMask;
    w.xid = XCreateWindow(display_, parent, w.rect.left, w.rect.top, XSize(w.rect.Width()),
                          XSize(w.rect.Height()), 0, depth, InputOutput, visual, mask, &attributes);
    byXid_[w.xid] = hwnd;
    if (w.ClickThrough()) {
        ApplyInputShapeLocked(w);
    }
    if (w.IsTopLevel()) {
        SetWindowIdentity(*connection_, w.xid, w.className);
        SetWindowTitle(*connection_, w.xid, w.title);
        SetWindowKind(*connection_, w.xid, KindOfLocked(w), false, false);
        if (cursorShape_ != nullptr || !cursors_.empty()) {
            XDefineCursor(display_, w.xid, CursorLocked(cursorShape_));
        }
    }
    w.surface.reset();
}

void X11Backend::ApplyInputShapeLocked(const NativeWindow& w) {
    if (!connection_->HasShape()) {
        return;
    }
    if (w.ClickThrough()) {
        XShapeCombineRectangles(display_, w.xid, ShapeInput, 0, 0, nullptr, 0, ShapeSet, Unsorted);
    } else {
        XShapeCombineMask(display_, w.xid, ShapeInput, 0, 0, None, ShapeSet);  // the whole window
    }
}

void X11Backend::CreateNativeWindow(const NativeWindowInfo& info) {
    WNDCLASSEXW wc{};
    const bool hasClass = GetClassInfoExW(nullptr, info.className.c_str(), &wc) != FALSE;
    std::lock_guard guard(lock_);
    NativeWindow& w = windows_[info.hwnd];
    w = NativeWindow{};
    w.parent = info.parent;
    w.owner = info.owner;
    w.style = info.style;
    w.exStyle = info.exStyle;
    w.classStyle = hasClass ? wc.style : 0;
    w.className = info.className;
    w.title = info.title;
    w.rect = info.rect;
    w.overrideRedirect = info.parent == nullptr && (w.classStyle & kPopupClassStyles) != 0;
    CreateXWindowLocked(info.hwnd, w);
    connection_->Flush();
}

void X11Backend::DestroyNativeWindow(HWND hwnd) {
    std::lock_guard guard(lock_);
    auto it = windows_.find(hwnd);
    if (it == windows_.end()) {
        return;
    }
    NativeWindow& w = it->second;
    for (HWND* h : {&capture_, &activePopup_}) {
        if (*h == hwnd) {
            *h = nullptr;
        }
    }
    // The server ends the grabs of a window that goes.
    if (pointerGrab_ == w.xid) {
        pointerGrab_ = 0;
    }
    if (keyboardGrab_ == w.xid) {
        keyboardGrab_ = 0;
    }
    w.surface.reset();
    byXid_.erase(w.xid);
    XDestroyWindow(display_, w.xid);
    windows_.erase(it);
    UpdateGrabsLocked();
    connection_->Flush();
}

void X11Backend::ApplyShowStateLocked(NativeWindow& w, bool activate) {
    const NativeShowState state = w.state;
    if (!w.IsManaged()) {
        // Children and pop-ups are simply mapped; an empty one shows nothing at all.
        const bool visible =
            (state == NativeShowState::kNormal || state == NativeShowState::kMaximized) &&
            !w.rect.IsRectEmpty();
        if (visible && !w.mapped) {
            if (w.overrideRedirect) {
                XMapRaised(display_, w.xid);
            } else {
                XMapWindow(display_, w.xid);
            }
        } else if (!visible && w.mapped) {
            XUnmapWindow(display_, w.xid);
        }
        w.mapped = visible;
        w.shown = state;
        return;
    }
    const NativeShowState before = w.mapped ? w.shown : NativeShowState::kHidden;
    const X11Atoms& a = connection_->atoms();
    switch (state) {
        case NativeShowState::kHidden:
            if (w.mapped) {
                XWithdrawWindow(display_, w.xid, connection_->screen());
            }
            w.mapped = false;
            break;
        case NativeShowState::kMinimized:
            if (w.mapped) {
                XIconifyWindow(display_, w.xid, connection_->screen());
            } else {
                SetWindowKind(*connection_, w.xid, KindOfLocked(w), true, false);
                XMapWindow(display_, w.xid);
                w.mapped = true;
            }
            break;
        case NativeShowState::kNormal:
        case NativeShowState::kMaximized: {
            const bool maximized = state == NativeShowState::kMaximized;
            if (!w.mapped) {
                SetWindowKind(*connection_, w.xid, KindOfLocked(w), false, maximized);
                // Where the window system put it, not where the window manager would.
                XSizeHints placement{};
                placement.flags = USPosition | USSize | PPosition | PSize;
                placement.x = w.rect.left;
                placement.y = w.rect.top;
                placement.width = static_cast<int>(XSize(w.rect.Width()));
                placement.height = static_cast<int>(XSize(w.rect.Height()));
                XSetWMNormalHints(display_, w.xid, &placement);
                if (!activate) {
                    // Shown without taking the focus.
                    connection_->SetCardinals(w.xid, a.netWmUserTime, XA_CARDINAL, {0});
                }
                XMapWindow(display_, w.xid);
                w.mapped = true;
            } else {
                if (before == NativeShowState::kMinimized) {
                    XMapWindow(display_, w.xid);  // mapping an iconic window restores it
                }
                const bool wasMaximized = before == NativeShowState::kMaximized;
                if (maximized != wasMaximized) {
                    ChangeWindowState(*connection_, w.xid, maximized, a.netWmStateMaximizedVert,
                                      a.netWmStateMaximizedHorz);
                }
            }
            break;
        }
    }
    w.shown = state;
}

void X11Backend::ShowNativeWindow(HWND hwnd, NativeShowState state, bool activate) {
    std::lock_guard guard(lock_);
    NativeWindow* w = FindLocked(hwnd);
    if (w == nullptr) {
        return;
    }
    w->state = state;
    ApplyShowStateLocked(*w, activate);
    UpdateGrabsLocked();  // an active pop-up holds the pointer while it is shown
    connection_->Flush();
}

void X11Backend::MoveNativeWindow(HWND hwnd, const CRect& rect) {
    std::lock_guard guard(lock_);
    NativeWindow* w = FindLocked(hwnd);
    if (w == nullptr) {
        return;
    }
    const bool wasEmpty = w->rect.IsRectEmpty();
    w->rect = rect;
    XMoveResizeWindow(display_, w->xid, rect.left, rect.top, XSize(rect.Width()),
                      XSize(rect.Height()));
    if (!w->IsManaged() && wasEmpty != rect.IsRectEmpty()) {
        ApplyShowStateLocked(*w, false);
    }
    connection_->Flush();
}

void X11Backend::RestackNativeWindows(HWND parent, const std::vector<HWND>& topFirst) {
    // Topmost changes by SetWindowPos arrive only as a new order; read the styles first, out
    // of the backend's lock as every call into the core.
    std::vector<bool> topmost;
    if (parent == nullptr) {
        for (HWND hwnd : topFirst) {
            topmost.push_back((GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
        }
    }
    const bool wmRunning = parent == nullptr && connection_->WmRunning();
    std::lock_guard guard(lock_);
    std::vector<Window> order;
    std::vector<Window> popups;
    for (size_t i = 0; i < topFirst.size(); ++i) {
        NativeWindow* w = FindLocked(topFirst[i]);
        if (w == nullptr) {
            continue;
        }
        if (parent == nullptr) {
            const bool above = topmost[i];
            if (above != ((w->exStyle & WS_EX_TOPMOST) != 0)) {
                w->exStyle = above ? (w->exStyle | WS_EX_TOPMOST) : (w->exStyle & ~WS_EX_TOPMOST);
                if (w->IsManaged() && w->mapped) {
                    ChangeWindowState(*connection_, w->xid, above,
                                      connection_->atoms().netWmStateAbove);
                } else if (w->IsManaged()) {
                    SetWindowKind(*connection_, w->xid, KindOfLocked(*w), false, false);
                }
            }
            if (w->overrideRedirect) {
                popups.push_back(w->xid);
            }
        }
        order.push_back(w->xid);
    }
    // A window manager stacks the windows it manages; pop-ups stay above them.
    std::vector<Window>& restack = wmRunning ? popups : order;
    if (!restack.empty()) {
        if (wmRunning) {
            XRaiseWindow(display_, restack.front());
        }
        XRestackWindows(display_, restack.data(), static_cast<int>(restack.size()));
    }
    connection_->Flush();
}

void X11Backend::SetNativeTitle(HWND hwnd, const CString& title) {
    std::lock_guard guard(lock_);
    NativeWindow* w = FindLocked(hwnd);
    if (w == nullptr) {
        return;
    }
    w->title = title;
    if (w->IsTopLevel()) {
        SetWindowTitle(*connection_, w->xid, title);
        connection_->Flush();
    }
}

void X11Backend::SetNativeStyle(HWND hwnd, DWORD style, DWORD exStyle) {
    std::lock_guard guard(lock_);
    NativeWindow* w = FindLocked(hwnd);
    if (w == nullptr) {
        return;
    }
    const DWORD hinted = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST;
    const bool hintsChanged = ((w->exStyle ^ exStyle) & hinted) != 0;
    const bool topmostChanged = ((w->exStyle ^ exStyle) & WS_EX_TOPMOST) != 0;
    const bool wasClickThrough = w->ClickThrough();
    w->style = style;
    w->exStyle = exStyle;
    if (w->ClickThrough() != wasClickThrough) {
        ApplyInputShapeLocked(*w);
    }
    if (w->IsTopLevel() && w->Layered() && !w->argb && connection_->argbVisual() != nullptr) {
        // Layered after creation: the visual of an X window is fixed, so it is made anew
        // with the 32-bit one and takes its children along.
        const Window old = w->xid;
        byXid_.erase(old);
        CreateXWindowLocked(hwnd, *w);
        for (auto& [child, c] : windows_) {
            if (c.parent == hwnd) {
                XReparentWindow(display_, c.xid, w->xid, c.rect.left, c.rect.top);
            }
        }
        const bool wasMapped = w->mapped;
        w->mapped = false;
        XDestroyWindow(display_, old);
        for (Window* grab : {&pointerGrab_, &keyboardGrab_}) {
            if (*grab == old) {
                *grab = 0;
            }
        }
        if (wasMapped) {
            ApplyShowStateLocked(*w, false);
        }
        if (!w->contents.empty()) {
            EnsureContentsLocked(*w);
            ShowContentsLocked(*w, CRect(CPoint(), w->contentSize), true);
        }
        UpdateGrabsLocked();
    } else if (w->IsManaged() && hintsChanged) {
        if (!w->mapped) {
            SetWindowKind(*connection_, w->xid, KindOfLocked(*w), false, false);
        } else if (topmostChanged) {
            ChangeWindowState(*connection_, w->xid, (exStyle & WS_EX_TOPMOST) != 0,
                              connection_->atoms().netWmStateAbove);
        }
    }
    connection_->Flush();
}

void X11Backend::SetNativeLayeredAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags) {
    std::lock_guard guard(lock_);
    NativeWindow* w = FindLocked(hwnd);
    if (w == nullptr) {
        return;
    }
    w->key = key;
    w->alpha = alpha;
    w->layerFlags = flags;
    if (!w->argb && w->IsTopLevel()) {
        // Without an alpha channel a compositing manager can still fade the whole window.
        const Atom opacity = connection_->atoms().netWmWindowOpacity;
        if ((flags & LWA_ALPHA) && alpha != 255) {
            connection_->SetCardinals(w->xid, opacity, XA_CARDINAL,
                                      {static_cast<long>(alpha * 0x01010101UL)});
        } else {
            XDeleteProperty(display_, w->xid, opacity);
        }
    }
    if (!w->contents.empty()) {
        ShowContentsLocked(*w, CRect(CPoint(), w->contentSize), true);
    }
    connection_->Flush();
}

// --- activation and grabs ---

bool X11Backend::FocusIsOursLocked() const {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    return byXid_.count(focus) != 0;
}

void X11Backend::RequestFocusLocked(const NativeWindow& w) {
    const X11Atoms& a = connection_->atoms();
    if (connection_->WmSupports(a.netActiveWindow)) {
        connection_->SendToRoot(w.xid, a.netActiveWindow, kSourceApplication,
                                static_cast<long>(lastInputTime_.load()), 0);
    } else {
        XSetInputFocus(display_, w.xid, RevertToParent, CurrentTime);
    }
}

void X11Backend::UpdateGrabsLocked() {
    // The capture holds the pointer; so does an active pop-up, which learns that way of a
    // press outside. Both let the events of our other windows through (owner events).
    HWND holder = capture_ != nullptr ? capture_ : activePopup_;
    const NativeWindow* w = FindLocked(holder);
    const Window wanted = w != nullptr && w->mapped ? w->xid : 0;
    if (wanted != pointerGrab_) {
        if (wanted != 0) {
            const int status = XGrabPointer(
                display_, wanted, True, kGrabEvents, GrabModeAsync, GrabModeAsync, None,
                cursors_.empty() ? None : CursorLocked(cursorShape_), CurrentTime);
            pointerGrab_ = status == GrabSuccess ? wanted : 0;
        } else {
            XUngrabPointer(display_, CurrentTime);
            pointerGrab_ = 0;
        }
    }
    // Keys reach an active pop-up through its owner's focus; when no window of ours has the
    // focus, the pop-up takes the keyboard for as long as it stays active.
    const NativeWindow* popup = FindLocked(activePopup_);
    const Window keyboard = popup == nullptr || !popup->mapped                    ? 0
                            : keyboardGrab_ == popup->xid || !FocusIsOursLocked() ? popup->xid
                                                                                  : 0;
    if (keyboard != keyboardGrab_) {
        if (keyboard != 0) {
            const int status =
                XGrabKeyboard(display_, keyboard, True, GrabModeAsync, GrabModeAsync, CurrentTime);
            keyboardGrab_ = status == GrabSuccess ? keyboard : 0;
        } else {
            XUngrabKeyboard(display_, CurrentTime);
            keyboardGrab_ = 0;
        }
    }
}

void X11Backend::ActivateNativeWindow(HWND hwnd) {
    std::lock_guard guard(lock_);
    const NativeWindow* w = FindLocked(hwnd);
    activePopup_ = w != nullptr && w->overrideRedirect ? hwnd : nullptr;
    if (w != nullptr && w->IsManaged() && w->mapped) {
        RequestFocusLocked(*w);
    }
    UpdateGrabsLocked();
    connection_->Flush();
}

void X11Backend::SetPointerCapture(HWND hwnd) {
    std::lock_guard guard(lock_);
    capture_ = hwnd;
    UpdateGrabsLocked();
    connection_->Flush();
}

bool X11Backend::BeginCaptionDrag(HWND hwnd, CPoint screenPoint) {
    std::lock_guard guard(lock_);
    const NativeWindow* w = FindLocked(hwnd);
    const Atom moveResize = connection_->atoms().netWmMoveResize;
    if (w == nullptr || !w->IsManaged() || !w->mapped || !connection_->WmSupports(moveResize)) {
        connection_->Flush();
        return false;  // no window manager to ask: the window system moves it itself
    }
    // The window manager grabs the pointer for the move, which needs ours released.
    XUngrabPointer(display_, CurrentTime);
    pointerGrab_ = 0;
    connection_->SendToRoot(w->xid, moveResize, screenPoint.x, screenPoint.y, kMoveResizeMove,
                            Button1, kSourceApplication);
    wmDragging_ = true;
    connection_->Flush();
    return true;
}

// --- pointer ---

Cursor X11Backend::CursorLocked(HCURSOR shape) {
    auto it = cursors_.find(shape);
    if (it != cursors_.end()) {
        return it->second;
    }
    Cursor cursor = None;
    if (shape == nullptr) {
        // SetCursor(NULL) hides the pointer: an empty one-pixel cursor.
        const char bits[1] = {0};
        Pixmap blank = XCreateBitmapFromData(display_, connection_->root(), bits, 1, 1);
        XColor black{};
        cursor = XCreatePixmapCursor(display_, blank, blank, &black, &black, 0, 0);
        XFreePixmap(display_, blank);
    } else {
        cursor = XCreateFontCursor(display_, FontCursorOf(shape));
    }
    cursors_[shape] = cursor;
    return cursor;
}

void X11Backend::SetCursorShape(HCURSOR cursor) {
    std::lock_guard guard(lock_);
    cursorShape_ = cursor;
    const Cursor shape = CursorLocked(cursor);
    for (const auto& [hwnd, w] : windows_) {
        if (w.IsTopLevel()) {
            XDefineCursor(display_, w.xid, shape);
        }
    }
    if (pointerGrab_ != 0) {
        XChangeActivePointerGrab(display_, kGrabEvents, shape, CurrentTime);
    }
    connection_->Flush();
}

void X11Backend::WarpPointer(CPoint screenPoint) {
    XWarpPointer(display_, None, connection_->root(), 0, 0, 0, 0, screenPoint.x, screenPoint.y);
    connection_->Flush();
}

// --- presentation ---

void X11Backend::EnsureContentsLocked(NativeWindow& w) {
    const CSize size(std::max(1, w.rect.Width()), std::max(1, w.rect.Height()));
    if (w.contentSize != size) {
        // What was shown stays where it was; the rest starts black (or clear with alpha).
        std::vector<uint32_t> resized(static_cast<size_t>(size.cx) * size.cy, 0);
        const int keepWidth = std::min(size.cx, w.contentSize.cx);
        for (int y = 0; y < std::min(size.cy, w.contentSize.cy); ++y) {
            std::copy_n(w.contents.data() + static_cast<size_t>(y) * w.contentSize.cx, keepWidth,
                        resized.data() + static_cast<size_t>(y) * size.cx);
        }
        w.contents = std::move(resized);
        w.contentSize = size;
    }
    if (!w.surface || w.surface->Size() != size) {
        const bool argb = w.argb;
        w.surface = X11Surface::Create(
            display_, argb ? connection_->argbVisual() : connection_->defaultVisual(),
            argb ? 32 : connection_->defaultDepth(), size, connection_->HasShm());
        if (w.surface) {
            ShowContentsLocked(w, CRect(CPoint(), size), false);
        }
    }
}

void X11Backend::ShowContentsLocked(NativeWindow& w, const CRect& area, bool put) {
    if (!w.surface) {
        return;
    }
    CRect part;
    if (!part.IntersectRect(area, CRect(CPoint(), w.contentSize))) {
        return;
    }
    const bool layered = w.Layered() && w.argb;
    const bool keyed = layered && !w.perPixelAlpha && (w.layerFlags & LWA_COLORKEY);
    const uint32_t key = ArgbFromColorref(w.key) & 0xFFFFFF;
    const uint32_t alpha = layered && (w.layerFlags & LWA_ALPHA) ? w.alpha : 255;
    std::vector<uint32_t> row(static_cast<size_t>(part.Width()));
    for (int y = part.top; y < part.bottom; ++y) {
        const uint32_t* source =
            w.contents.data() + static_cast<size_t>(y) * w.contentSize.cx + part.left;
        for (int x = 0; x < part.Width(); ++x) {
            uint32_t pixel = source[x];
            if (!w.perPixelAlpha) {
                pixel |= 0xFF000000;  // an opaque window's alpha channel means nothing
                if (keyed && (pixel & 0xFFFFFF) == key) {
                    pixel = 0;
                }
            }
            if (alpha != 255) {
                pixel = ScaleAlpha(pixel, alpha);
            }
            row[static_cast<size_t>(x)] = pixel;
        }
        w.surface->Store(part.left, y, row.data(), part.Width());
    }
    if (!put) {
        return;
    }
    w.surface->Put(w.xid, connection_->GcFor(w.argb ? 32 : connection_->defaultDepth()), part);
}

void X11Backend::Present(HWND hwnd, const PixelView& pixels, const CRect& update,
                         bool perPixelAlpha) {
    if (!IsPresentable(pixels)) {
        return;
    }
    std::lock_guard guard(lock_);
    NativeWindow* w = FindLocked(hwnd);
    if (w == nullptr) {
        return;
    }
    EnsureContentsLocked(*w);
    const CSize size = w->contentSize;
    CRect area;
    if (perPixelAlpha) {
        // The buffer replaces everything; what it does not cover is clear.
        area = CRect(CPoint(), size);
        std::fill(w->contents.begin(), w->contents.end(), 0);
    } else if (!area.IntersectRect(update, CRect(CPoint(), size))) {
        connection_->Flush();
        return;
    }
    w->perPixelAlpha = perPixelAlpha;
    CRect copy;
    if (copy.IntersectRect(area, CRect(0, 0, pixels.width, pixels.height))) {
        for (int y = copy.top; y < copy.bottom; ++y) {
            std::copy_n(pixels.Row(y) + copy.left, copy.Width(),
                        w->contents.data() + static_cast<size_t>(y) * size.cx + copy.left);
        }
    }
    ShowContentsLocked(*w, area, true);
    connection_->Flush();
}

}  // namespace LumoUI
