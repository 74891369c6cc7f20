// The X11 backend's side of the event reader thread: X events turned into the window
// system's input and into what the window manager did to our windows.
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include "lumoui/win/x11/x11_backend.h"
#include "lumoui/win/x11/x11_keymap.h"

namespace LumoUI {

namespace {

constexpr int kWheelStep = 120;
constexpr unsigned kWheelUp = 4;
constexpr unsigned kWheelDown = 5;

// Motion that piled up for one window counts only where it ended.
void SkipStaleMotion(Display* display, XEvent& event) {
    while (XEventsQueued(display, QueuedAlready) > 0) {
        XEvent next;
        XPeekEvent(display, &next);
        if (next.type != MotionNotify || next.xmotion.window != event.xmotion.window) {
            return;
        }
        XNextEvent(display, &event);
    }
}

}  // namespace

void X11Backend::HandleEvent(XEvent& event) {
    if (event.type == MotionNotify) {
        SkipStaleMotion(display_, event);
    }
    Deferred after;
    {
        std::lock_guard guard(lock_);
        switch (event.type) {
            case Expose: {
                const XExposeEvent& e = event.xexpose;
                const NativeWindow* w = FindLocked(HwndOfLocked(e.window));
                if (w != nullptr && w->surface) {
                    w->surface->Put(e.window,
                                    connection_->GcFor(w->argb ? 32 : connection_->defaultDepth()),
                                    CRect(e.x, e.y, e.x + e.width, e.y + e.height));
                }
                break;
            }
            case ButtonPress:
            case ButtonRelease:
            case MotionNotify:
            case EnterNotify:
            case LeaveNotify:
                HandlePointerLocked(event, after);
                break;
            case KeyPress:
            case KeyRelease:
                HandleKeyLocked(event.xkey, after);
                break;
            case FocusIn:
            case FocusOut:
                HandleFocusLocked(event.xfocus, after);
                break;
            case ConfigureNotify:
                HandleConfigureLocked(event.xconfigure, after);
                break;
            case PropertyNotify:
                HandlePropertyLocked(event.xproperty, after);
                break;
            case ClientMessage: {
                const XClientMessageEvent& e = event.xclient;
                const HWND hwnd = HwndOfLocked(e.window);
                if (hwnd != nullptr && e.message_type == connection_->atoms().wmProtocols &&
                    static_cast<Atom>(e.data.l[0]) == connection_->atoms().wmDeleteWindow) {
                    // The window manager's close button or menu.
                    after.push_back([hwnd] { PostMessageW(hwnd, WM_CLOSE, 0, 0); });
                }
                break;
            }
            default:
                break;
        }
    }
    for (const auto& call : after) {
        call();
    }
}

HWND X11Backend::PointerTargetLocked(Window xid, int x, int y) const {
    // While a window of ours holds the pointer, events from outside all of them are reported
    // to it too, at a point outside it.
    const HWND hwnd = HwndOfLocked(xid);
    const NativeWindow* w = FindLocked(hwnd);
    if (w == nullptr || x < 0 || y < 0 || x >= w->rect.Width() || y >= w->rect.Height()) {
        return nullptr;
    }
    return hwnd;
}

void X11Backend::HandlePointerLocked(XEvent& event, Deferred& after) {
    Window xid = 0;
    int x = 0;
    int y = 0;
    CPoint screen;
    unsigned state = 0;
    switch (event.type) {
        case ButtonPress:
        case ButtonRelease:
            xid = event.xbutton.window;
            x = event.xbutton.x;
            y = event.xbutton.y;
            screen = CPoint(event.xbutton.x_root, event.xbutton.y_root);
            state = event.xbutton.state;
            lastInputTime_.store(event.xbutton.time);
            break;
        case MotionNotify:
            xid = event.xmotion.window;
            x = event.xmotion.x;
            y = event.xmotion.y;
            screen = CPoint(event.xmotion.x_root, event.xmotion.y_root);
            state = event.xmotion.state;
            break;
        default:
            xid = event.xcrossing.window;
            x = event.xcrossing.x;
            y = event.xcrossing.y;
            screen = CPoint(event.xcrossing.x_root, event.xcrossing.y_root);
            state = event.xcrossing.state;
            break;
    }
    if (wmDragging_ && (state & Button1Mask) == 0) {
        // The window manager kept the release of the button it moved the window with.
        wmDragging_ = false;
        after.push_back([screen] { InputMouseButton(nullptr, MouseButton::kLeft, false, screen); });
    }
    const HWND target = PointerTargetLocked(xid, x, y);
    switch (event.type) {
        case ButtonPress:
        case ButtonRelease: {
            const bool down = event.type == ButtonPress;
            const unsigned button = event.xbutton.button;
            if (button == kWheelUp || button == kWheelDown) {
                if (down) {
                    const int delta = button == kWheelUp ? kWheelStep : -kWheelStep;
                    after.push_back(
                        [target, delta, screen] { InputMouseWheel(target, delta, screen); });
                }
                return;
            }
            MouseButton which = MouseButton::kLeft;
            if (button == Button2) {
                which = MouseButton::kMiddle;
            } else if (button == Button3) {
                which = MouseButton::kRight;
            } else if (button != Button1) {
                return;  // side buttons and horizontal wheels have no messages here
            }
            after.push_back(
                [target, which, down, screen] { InputMouseButton(target, which, down, screen); });
            return;
        }
        case MotionNotify:
            after.push_back([target, screen] { InputMouseMove(target, screen); });
            return;
        case EnterNotify:
            if (event.xcrossing.mode != NotifyGrab) {
                after.push_back([target, screen] { InputMouseMove(target, screen); });
            }
            return;
        default:
            // Left for somewhere that is not inside it; an enter follows if that is ours.
            if (event.xcrossing.mode == NotifyNormal && event.xcrossing.detail != NotifyInferior) {
                after.push_back([screen] { InputMouseMove(nullptr, screen); });
            }
            return;
    }
}

void X11Backend::HandleKeyLocked(XKeyEvent& key, Deferred& after) {
    if (HwndOfLocked(key.window) == nullptr) {
        return;
    }
    lastInputTime_.store(key.time);
    const bool down = key.type == KeyPress;
    char text[16];
    KeySym typed = NoSymbol;
    XLookupString(&key, text, sizeof text, &typed, nullptr);
    // The key is named by its unshifted symbol (Shift+1 is still the key '1'); keypad keys by
    // what Num Lock makes of them; layouts whose unshifted symbols name no key (digits on
    // French keyboards) by the shifted one, and else by the key's position.
    UINT vk = IsKeypadKey(typed) ? VirtualKeyFromKeysym(typed)
                                 : VirtualKeyFromKeysym(XLookupKeysym(&key, 0));
    if (vk == 0) {
        vk = VirtualKeyFromKeysym(XLookupKeysym(&key, 1));
    }
    if (vk == 0) {
        vk = VirtualKeyFromKeycode(key.keycode);
    }
    const wchar_t character = down ? CharacterFromKeysym(typed, (key.state & ControlMask) != 0,
                                                         (key.state & Mod1Mask) != 0)
                                   : 0;
    if (vk == 0 && character != 0) {
        vk = VK_PACKET;  // a key that only types a character
    }
    if (vk == 0) {
        return;
    }
    const KeyScanCode scan = ScanCodeFromKeycode(key.keycode);
    after.push_back([vk, down, scan, character] {
        InputKey(vk, down, scan.scanCode, character, scan.extended);
    });
}

void X11Backend::HandleFocusLocked(const XFocusChangeEvent& focus, Deferred& after) {
    // Grabs move the focus only for their duration; within a window it stays ours.
    if (focus.mode == NotifyGrab || focus.mode == NotifyUngrab || focus.detail == NotifyInferior ||
        focus.detail == NotifyPointer || focus.detail == NotifyPointerRoot ||
        focus.detail == NotifyDetailNone) {
        return;
    }
    const HWND hwnd = HwndOfLocked(focus.window);
    const NativeWindow* w = FindLocked(hwnd);
    if (w == nullptr || !w->IsManaged() || !w->mapped) {
        return;  // a window the window system hid or destroyed has handed activation on
    }
    if (focus.type == FocusIn) {
        after.push_back([this, hwnd] {
            // The focus we asked for, or that of a pop-up's owner, changes nothing.
            const HWND active = GetActiveWindow();
            {
                std::lock_guard guard(lock_);
                if (IsPartOfLocked(active, hwnd)) {
                    return;
                }
            }
            NativeActivationChanged(hwnd);
        });
        return;
    }
    after.push_back([this, hwnd] {
        const HWND active = GetActiveWindow();
        {
            std::lock_guard guard(lock_);
            // Only the loss of the active window (or of an active pop-up's owner) to another
            // program counts; a move to a window of ours comes with its own focus-in.
            if (!IsPartOfLocked(active, hwnd) || FocusIsOursLocked()) {
                return;
            }
        }
        NativeActivationChanged(nullptr);
    });
}

void X11Backend::HandleConfigureLocked(const XConfigureEvent& configure, Deferred& after) {
    if (configure.window == connection_->root()) {
        std::lock_guard guard(geometryLock_);
        screenSize_ = CSize(configure.width, configure.height);
        workAreaStale_ = true;
        return;
    }
    const HWND hwnd = HwndOfLocked(configure.window);
    NativeWindow* w = FindLocked(hwnd);
    if (w == nullptr || !w->IsManaged()) {
        return;  // nobody else moves pop-ups and children
    }
    // A window manager reports the place on the screen (ICCCM); the server reports it
    // relative to the frame the window manager put around the window.
    CPoint origin(configure.x, configure.y);
    if (!configure.send_event) {
        Window child = 0;
        XTranslateCoordinates(display_, configure.window, connection_->root(), 0, 0, &origin.x,
                              &origin.y, &child);
    }
    const CRect rect(origin, CSize(configure.width, configure.height));
    if (rect == w->rect) {
        return;  // where the window system put it
    }
    w->rect = rect;
    after.push_back([hwnd, rect] { NativeWindowMoved(hwnd, rect); });
}

void X11Backend::HandlePropertyLocked(const XPropertyEvent& property, Deferred& after) {
    const X11Atoms& a = connection_->atoms();
    if (property.window == connection_->root()) {
        if (property.atom == a.netWorkarea) {
            std::lock_guard guard(geometryLock_);
            workAreaStale_ = true;
        }
        return;
    }
    const HWND hwnd = HwndOfLocked(property.window);
    const NativeWindow* w = FindLocked(hwnd);
    if (w == nullptr || property.atom != a.wmState || !w->mapped) {
        return;
    }
    // The window manager minimised or restored the window itself (a taskbar click).
    const std::vector<unsigned long> state =
        connection_->GetCardinals(property.window, a.wmState, a.wmState);
    if (state.empty()) {
        return;
    }
    const bool iconic = state[0] == IconicState;
    after.push_back([hwnd, iconic] {
        if (iconic != (IsIconic(hwnd) != FALSE)) {
            ShowWindow(hwnd, iconic ? SW_MINIMIZE : SW_RESTORE);
        }
    });
}

}  // namespace LumoUI
