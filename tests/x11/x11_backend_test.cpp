// The X11 backend on a private Xvfb server: windows and their hints, presented pixels read
// back from the screen, input typed and clicked with XTest, activation of pop-ups, caption
// drags with and without a window manager, and an idle event loop.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "support/temp_folder.h"
#include "win/window_test_support.h"

// Xlib's macros (None, Bool, Status) would break the test framework's headers: they come last.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include "lumoui/win/x11/x11_backend.h"
#include "x11/xvfb_server.h"

using namespace LumoUI;
using wintest::TestWindow;
using wintest::WindowSpec;

namespace {

const wchar_t* const kPopupClass = L"TestPopup";  // registered with CS_DROPSHADOW

class X11Test : public ::testing::Test {
protected:
    void SetUp() override {
        server_ = std::make_unique<x11test::XvfbServer>();
        if (!server_->Running()) {
            GTEST_SKIP() << "Xvfb is not available";
        }
        environment_.Set("DISPLAY", server_->Display());
        TestWindow::RegisterClasses();
        WNDCLASSEXW wc{};
        wc.style = CS_DROPSHADOW;
        wc.lpfnWndProc = &TestWindow::Proc;
        wc.lpszClassName = kPopupClass;
        RegisterClassExW(&wc);
        UseX11({});
        probe_ = XOpenDisplay(server_->Display().c_str());
        ASSERT_NE(probe_, nullptr);
        root_ = DefaultRootWindow(probe_);
    }

    void TearDown() override {
        UseHeadlessBackend();
        if (probe_ != nullptr) {
            XCloseDisplay(probe_);
        }
    }

    void UseX11(const X11Options& options) {
        std::unique_ptr<X11Backend> backend = X11Backend::Open(options);
        ASSERT_NE(backend, nullptr);
        x11_ = backend.get();
        ASSERT_TRUE(SetWindowBackend(std::move(backend)));
    }

    // Dispatches this thread's messages until `done` holds, for five seconds at most.
    static bool PumpUntil(const std::function<bool()>& done) {
        const UINT_PTR tick = SetTimer(nullptr, 0, 10, nullptr);  // done() may watch the server
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        bool held = false;
        for (;;) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            if (done()) {
                held = true;
                break;
            }
            if (std::chrono::steady_clock::now() > deadline) {
                break;
            }
            WaitMessage();
        }
        KillTimer(nullptr, tick);
        return held;
    }

    // --- the server as another client sees it ---
    uint32_t ScreenPixel(int x, int y) const {
        XImage* image = XGetImage(probe_, root_, x, y, 1, 1, AllPlanes, ZPixmap);
        const uint32_t pixel = static_cast<uint32_t>(XGetPixel(image, 0, 0)) & 0xFFFFFF;
        XDestroyImage(image);
        return pixel;
    }
    XWindowAttributes Attributes(Window w) const {
        XWindowAttributes attributes{};
        XGetWindowAttributes(probe_, w, &attributes);
        return attributes;
    }
    bool Viewable(HWND hwnd) const {
        return Attributes(x11_->NativeWindowOf(hwnd)).map_state == IsViewable;
    }
    Window Focus() const {
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(probe_, &focus, &revert);
        return focus;
    }
    Atom Intern(const char* name) const { return XInternAtom(probe_, name, False); }
    std::vector<unsigned long> Property(Window w, const char* name) const {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0;
        unsigned long rest = 0;
        unsigned char* data = nullptr;
        std::vector<unsigned long> values;
        if (XGetWindowProperty(probe_, w, Intern(name), 0, 64, False, AnyPropertyType, &type,
                               &format, &count, &rest, &data) == Success &&
            data != nullptr) {
            if (format == 32) {
                auto* items = reinterpret_cast<unsigned long*>(data);
                for (unsigned long i = 0; i < count; ++i) {
                    values.push_back(items[i] & 0xFFFFFFFFUL);  // Xlib sign-extends them
                }
            } else {
                values.assign(data, data + count);  // bytes of a text property
            }
            XFree(data);
        }
        return values;
    }
    std::string Text(Window w, const char* name) const {
        std::string text;
        for (unsigned long c : Property(w, name)) {
            text.push_back(static_cast<char>(c));
        }
        return text;
    }

    // Requests that clients send to the root window (for a window manager) reach the probe.
    void WatchRequests() const {
        XSelectInput(probe_, root_, SubstructureNotifyMask);
        XSync(probe_, False);
    }
    bool AwaitRequest(const char* type, XClientMessageEvent* out) const {
        const Atom wanted = Intern(type);
        return PumpUntil([&] {
            while (XPending(probe_) > 0) {
                XEvent event;
                XNextEvent(probe_, &event);
                if (event.type == ClientMessage && event.xclient.message_type == wanted) {
                    *out = event.xclient;
                    return true;
                }
            }
            return false;
        });
    }
    // What a window manager does to say a window's state changed (ICCCM WM_STATE).
    void SetWmState(Window w, long state) const {
        const long values[] = {state, 0};
        const Atom wmState = Intern("WM_STATE");
        XChangeProperty(probe_, w, wmState, wmState, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(values), 2);
        XFlush(probe_);
    }
    void SendDeleteWindow(Window w) const {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = w;
        event.xclient.message_type = Intern("WM_PROTOCOLS");
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(Intern("WM_DELETE_WINDOW"));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(probe_, w, False, NoEventMask, &event);
        XFlush(probe_);
    }

    // --- input through XTest ---
    void MoveTo(int x, int y) const {
        XTestFakeMotionEvent(probe_, -1, x, y, CurrentTime);
        XFlush(probe_);
    }
    void Button(unsigned button, bool down) const {
        XTestFakeButtonEvent(probe_, button, down ? True : False, CurrentTime);
        XFlush(probe_);
    }
    void Click(int x, int y, unsigned button = Button1) const {
        MoveTo(x, y);
        Button(button, true);
        Button(button, false);
    }
    void Key(KeySym sym, bool down) const {
        XTestFakeKeyEvent(probe_, XKeysymToKeycode(probe_, sym), down ? True : False, CurrentTime);
        XFlush(probe_);
    }
    void Tap(KeySym sym) const {
        Key(sym, true);
        Key(sym, false);
    }

    std::unique_ptr<x11test::XvfbServer> server_;
    ScopedEnvironment environment_;
    X11Backend* x11_ = nullptr;
    Display* probe_ = nullptr;
    Window root_ = 0;
};

// A buffer of one colour (premultiplied ARGB) the size of a window.
struct Buffer {
    Buffer(int width, int height, uint32_t color)
        : pixels(static_cast<size_t>(width) * height, color),
          view{nullptr, width, height, width * 4} {
        view.pixels = pixels.data();
    }
    void Fill(const CRect& area, uint32_t color) {
        for (int y = area.top; y < area.bottom; ++y) {
            std::fill_n(pixels.data() + static_cast<size_t>(y) * view.width + area.left,
                        area.Width(), color);
        }
    }
    std::vector<uint32_t> pixels;
    PixelView view;
};

// A press anywhere drags the window, as the toolkit's windows do by their free space.
std::optional<LRESULT> DragByAnyPoint(HWND hwnd, UINT message, WPARAM, LPARAM) {
    if (message == WM_LBUTTONDOWN) {
        SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
        return 0;
    }
    return std::nullopt;
}

WindowSpec MainSpec() {
    WindowSpec spec;
    spec.rect = CRect(100, 100, 300, 250);
    spec.title = L"Main \u00e9\u4e2d";
    return spec;
}

TEST_F(X11Test, PresentsOpaqueWindowsOnlyInTheirUpdateRectangle) {
    for (const bool shm : {true, false}) {
        SCOPED_TRACE(shm ? "shared memory" : "XPutImage");
        UseX11(X11Options{shm, true});
        EXPECT_EQ(x11_->UsesShm(), shm);
        TestWindow main(MainSpec());
        const Window xid = x11_->NativeWindowOf(main);
        ASSERT_NE(xid, 0u);
        ASSERT_TRUE(PumpUntil([&] { return Viewable(main); }));

        // Known to the window manager, without decorations, found by class and title.
        EXPECT_FALSE(Attributes(xid).override_redirect);
        EXPECT_EQ(Text(xid, "WM_CLASS"), std::string("TestWindow\0TestWindow\0", 22));
        EXPECT_EQ(Text(xid, "_NET_WM_NAME"), "Main \xc3\xa9\xe4\xb8\xad");
        EXPECT_EQ(Text(xid, "WM_NAME"), "Main \xe9?");
        EXPECT_EQ(Property(xid, "_MOTIF_WM_HINTS"), (std::vector<unsigned long>{2, 0, 0, 0, 0}));
        EXPECT_EQ(Property(xid, "_NET_WM_WINDOW_TYPE"),
                  std::vector<unsigned long>{Intern("_NET_WM_WINDOW_TYPE_NORMAL")});

        Buffer red(200, 150, 0xFFFF0000);
        ASSERT_TRUE(PresentWindow(main, red.view, CRect(0, 0, 200, 150)));
        EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(150, 150) == 0xFF0000; }));

        // A new buffer, of which only the update rectangle is shown; its alpha means nothing.
        Buffer blue(200, 150, 0x000000FF);
        ASSERT_TRUE(PresentWindow(main, blue.view, CRect(10, 10, 30, 30)));
        EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(115, 115) == 0x0000FF; }));
        EXPECT_EQ(ScreenPixel(150, 150), 0xFF0000u);
        EXPECT_EQ(ScreenPixel(131, 115), 0xFF0000u);

        // Covered and uncovered again, the window shows what it was given.
        Window cover = XCreateSimpleWindow(probe_, root_, 90, 90, 100, 100, 0, 0, 0x00FF00);
        XSetWindowAttributes over{};
        over.override_redirect = True;
        XChangeWindowAttributes(probe_, cover, CWOverrideRedirect, &over);
        XMapRaised(probe_, cover);
        XSync(probe_, False);
        EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(115, 115) == 0x00FF00; }));
        XDestroyWindow(probe_, cover);
        XSync(probe_, False);
        EXPECT_TRUE(PumpUntil([&] {
            return ScreenPixel(115, 115) == 0x0000FF && ScreenPixel(150, 150) == 0xFF0000;
        }));
    }
}

TEST_F(X11Test, LayeredPopupsAreOverrideRedirectWithPerPixelAlpha) {
    for (const bool argb : {true, false}) {
        SCOPED_TRACE(argb ? "ARGB visual" : "opaque fallback");
        UseX11(X11Options{true, argb});
        ASSERT_EQ(x11_->HasArgbVisual(), argb);
        TestWindow main(MainSpec());
        WindowSpec spec;
        spec.className = kPopupClass;
        spec.rect = CRect(400, 120, 480, 200);
        spec.exStyle = WS_EX_TOOLWINDOW;
        spec.parent = main;
        TestWindow popup(spec);
        // Made layered after creation, as pop-ups do while they set themselves up: with the
        // 32-bit visual, that takes a new X window.
        const Window opaque = x11_->NativeWindowOf(popup);
        SetWindowLongW(popup, GWL_EXSTYLE, WS_EX_TOOLWINDOW | WS_EX_LAYERED);
        const Window layered = x11_->NativeWindowOf(popup);
        EXPECT_EQ(layered != opaque, argb);
        ASSERT_TRUE(PumpUntil([&] { return Viewable(popup); }));

        EXPECT_TRUE(Attributes(layered).override_redirect);
        EXPECT_EQ(Attributes(layered).depth, argb ? 32 : 24);
        EXPECT_EQ(Property(layered, "WM_TRANSIENT_FOR"),
                  std::vector<unsigned long>{x11_->NativeWindowOf(main)});
        EXPECT_EQ(Property(layered, "_NET_WM_WINDOW_TYPE"),
                  std::vector<unsigned long>{Intern("_NET_WM_WINDOW_TYPE_POPUP_MENU")});

        // Opaque green above, half-transparent white below.
        Buffer pixels(80, 80, 0xFF00FF00);
        pixels.Fill(CRect(0, 40, 80, 80), 0x80808080);
        ASSERT_TRUE(UpdateLayeredWindow(popup, pixels.view));
        EXPECT_TRUE(PumpUntil([&] {
            return ScreenPixel(420, 130) == 0x00FF00 && ScreenPixel(420, 180) == 0x808080;
        }));
        // The server holds the alpha channel for a compositing manager to blend with.
        XImage* image = XGetImage(probe_, layered, 20, 60, 1, 1, AllPlanes, ZPixmap);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(static_cast<uint32_t>(XGetPixel(image, 0, 0)), argb ? 0x80808080u : 0x808080u);
        XDestroyImage(image);

        // A constant alpha scales every pixel, alpha included.
        SetLayeredWindowAttributes(popup, 0, 128, LWA_ALPHA);
        if (argb) {
            EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(420, 130) == 0x008000; }));
        } else {
            EXPECT_TRUE(PumpUntil([&] {
                return Property(layered, "_NET_WM_WINDOW_OPACITY") ==
                       std::vector<unsigned long>{128 * 0x01010101UL};
            }));
        }
    }
}

TEST_F(X11Test, PointerAndKeysReachTheWindowAsMessages) {
    TestWindow main(MainSpec());
    const Window xid = x11_->NativeWindowOf(main);
    ASSERT_TRUE(PumpUntil([&] { return Viewable(main) && Focus() == xid; }));

    MoveTo(150, 160);
    ASSERT_TRUE(PumpUntil([&] { return main.Count(WM_MOUSEMOVE) > 0; }));
    EXPECT_EQ(wintest::ClientPoint(main.Of(WM_MOUSEMOVE).back().lParam), CPoint(50, 60));
    Click(150, 160);
    Click(150, 160);  // within the double-click time and place
    Click(150, 160, Button3);
    Click(150, 160, 4);
    Click(150, 160, 5);
    ASSERT_TRUE(PumpUntil([&] { return main.Count(WM_MOUSEWHEEL) == 2; }));
    EXPECT_EQ(main.Messages(WM_LBUTTONDOWN, WM_MBUTTONDBLCLK),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP,
                                 WM_RBUTTONDOWN, WM_RBUTTONUP}));
    EXPECT_EQ(wintest::ClientPoint(main.Of(WM_LBUTTONDOWN)[0].lParam), CPoint(50, 60));
    const auto wheels = main.Of(WM_MOUSEWHEEL);
    EXPECT_EQ(static_cast<short>(HIWORD(wheels[0].wParam)), 120);
    EXPECT_EQ(static_cast<short>(HIWORD(wheels[1].wParam)), -120);

    struct KeyCase {
        KeySym sym;
        bool shift;
        UINT vk;
        wchar_t character;  // 0: no WM_CHAR
        bool extended;
    };
    const KeyCase cases[] = {
        {XK_a, false, 'A', L'a', false},
        {XK_b, true, 'B', L'B', false},
        {XK_1, true, '1', L'!', false},
        {XK_F5, false, VK_F5, 0, false},
        {XK_Left, false, VK_LEFT, 0, true},
        {XK_Return, false, VK_RETURN, L'\r', false},
        {XK_Escape, false, VK_ESCAPE, 0x1B, false},
        {XK_space, false, VK_SPACE, L' ', false},
        {XK_Delete, false, VK_DELETE, 0, true},
        {XK_KP_Add, false, VK_ADD, L'+', false},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(XKeysymToString(c.sym));
        main.Clear();
        if (c.shift) {
            Key(XK_Shift_L, true);
        }
        Tap(c.sym);
        if (c.shift) {
            Key(XK_Shift_L, false);
        }
        ASSERT_TRUE(PumpUntil([&] { return main.Count(WM_KEYUP) == (c.shift ? 2 : 1); }));
        std::vector<UINT> downs;
        for (const auto& r : main.Of(WM_KEYDOWN)) {
            downs.push_back(static_cast<UINT>(r.wParam));
        }
        EXPECT_EQ(downs.back(), c.vk);
        EXPECT_EQ((main.Of(WM_KEYDOWN).back().lParam >> 24) & 1, c.extended ? 1 : 0);
        const auto chars = main.Of(WM_CHAR);
        ASSERT_EQ(chars.size(), c.character != 0 ? 1u : 0u);
        if (c.character != 0) {
            EXPECT_EQ(chars[0].wParam, static_cast<WPARAM>(c.character));
        }
    }
}

TEST_F(X11Test, ActivePopupTakesKeysAndLosesActivationToAClickElsewhere) {
    TestWindow main(MainSpec());
    const Window mainXid = x11_->NativeWindowOf(main);
    ASSERT_TRUE(PumpUntil([&] { return Viewable(main) && Focus() == mainXid; }));

    struct ClickCase {
        CPoint point;
        bool onOwner;
    };
    for (const ClickCase& c : {ClickCase{{900, 600}, false}, ClickCase{{150, 150}, true}}) {
        SCOPED_TRACE(c.onOwner ? "click on the owner" : "click on the desktop");
        WindowSpec spec;
        spec.className = kPopupClass;
        spec.rect = CRect(400, 100, 500, 200);
        spec.exStyle = WS_EX_TOOLWINDOW;
        spec.parent = main;
        TestWindow popup(spec);
        ASSERT_EQ(GetActiveWindow(), popup.hwnd());
        ASSERT_TRUE(PumpUntil([&] { return Viewable(popup); }));

        // The owner keeps the server's focus; its keys go to the active pop-up.
        main.Clear();
        Tap(XK_x);
        ASSERT_TRUE(PumpUntil([&] { return popup.Count(WM_KEYUP) == 1; }));
        EXPECT_EQ(popup.Of(WM_KEYDOWN).at(0).wParam, WPARAM{'X'});
        EXPECT_EQ(popup.Of(WM_CHAR).at(0).wParam, WPARAM{'x'});
        EXPECT_EQ(main.Count(WM_KEYDOWN), 0);

        Click(c.point.x, c.point.y);
        ASSERT_TRUE(PumpUntil([&] { return popup.Count(WM_NCACTIVATE) == 2; }));
        EXPECT_EQ(popup.Of(WM_NCACTIVATE).back().wParam, WPARAM{FALSE});
        EXPECT_EQ(LOWORD(popup.Of(WM_ACTIVATE).back().wParam), WA_INACTIVE);
        EXPECT_EQ(GetActiveWindow(), c.onOwner ? main.hwnd() : nullptr);
        // The pop-up let the pointer go with its activation.
        EXPECT_TRUE(PumpUntil([&] {
            const int status = XGrabPointer(probe_, root_, False, ButtonPressMask, GrabModeAsync,
                                            GrabModeAsync, None, None, CurrentTime);
            XUngrabPointer(probe_, CurrentTime);
            return status == GrabSuccess;
        }));
    }
}

TEST_F(X11Test, CaptionDragMovesTheWindowWhereNoWindowManagerRuns) {
    TestWindow main(MainSpec(), DragByAnyPoint);
    const Window xid = x11_->NativeWindowOf(main);
    ASSERT_TRUE(PumpUntil([&] { return Viewable(main); }));
    MoveTo(150, 150);
    Button(Button1, true);
    ASSERT_TRUE(PumpUntil([&] { return main.Count(WM_NCLBUTTONDOWN) == 1; }));
    MoveTo(190, 180);
    EXPECT_TRUE(PumpUntil([&] {
        RECT r;
        GetWindowRect(main, &r);
        const XWindowAttributes a = Attributes(xid);
        return r.left == 140 && r.top == 130 && a.x == 140 && a.y == 130;
    }));
    Button(Button1, false);
}

TEST_F(X11Test, WindowManagerIsAskedToMoveActivateAndMinimise) {
    // A stand-in window manager: it declares the EWMH requests and watches for them.
    const Window check = XCreateSimpleWindow(probe_, root_, 0, 0, 1, 1, 0, 0, 0);
    const long checkValue = static_cast<long>(check);
    for (Window w : {root_, check}) {
        XChangeProperty(probe_, w, Intern("_NET_SUPPORTING_WM_CHECK"), XA_WINDOW, 32,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(&checkValue), 1);
    }
    const long supported[] = {static_cast<long>(Intern("_NET_WM_MOVERESIZE")),
                              static_cast<long>(Intern("_NET_ACTIVE_WINDOW")),
                              static_cast<long>(Intern("_NET_WM_STATE"))};
    XChangeProperty(probe_, root_, Intern("_NET_SUPPORTED"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(supported), 3);
    WatchRequests();

    TestWindow main(MainSpec(), DragByAnyPoint);
    const Window xid = x11_->NativeWindowOf(main);
    XClientMessageEvent request{};
    ASSERT_TRUE(AwaitRequest("_NET_ACTIVE_WINDOW", &request));
    EXPECT_EQ(request.window, xid);
    EXPECT_EQ(request.data.l[0], 1);  // from an application
    ASSERT_TRUE(PumpUntil([&] { return Viewable(main); }));

    MoveTo(150, 150);
    Button(Button1, true);
    ASSERT_TRUE(AwaitRequest("_NET_WM_MOVERESIZE", &request));
    EXPECT_EQ(request.window, xid);
    EXPECT_EQ((std::vector<long>{request.data.l, request.data.l + 5}),
              (std::vector<long>{150, 150, 8, 1, 1}));  // at the pointer, move, left button
    // The window manager moves the window and says where it put it.
    XMoveWindow(probe_, xid, 500, 300);
    XEvent moved{};
    moved.xconfigure.type = ConfigureNotify;
    moved.xconfigure.event = xid;
    moved.xconfigure.window = xid;
    moved.xconfigure.x = 500;
    moved.xconfigure.y = 300;
    moved.xconfigure.width = 200;
    moved.xconfigure.height = 150;
    XSendEvent(probe_, xid, False, StructureNotifyMask, &moved);
    XFlush(probe_);
    EXPECT_TRUE(PumpUntil([&] {
        RECT r;
        GetWindowRect(main, &r);
        return CRect(r) == CRect(500, 300, 700, 450);
    }));
    // The window manager keeps the release; the pointer back over the window tells of it.
    Button(Button1, false);
    MoveTo(550, 350);
    EXPECT_TRUE(PumpUntil([] { return GetAsyncKeyState(VK_LBUTTON) == 0; }));

    ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(AwaitRequest("WM_CHANGE_STATE", &request));
    EXPECT_EQ(request.window, xid);
    EXPECT_EQ(request.data.l[0], IconicState);
    SetWmState(xid, IconicState);
    // Restored from the taskbar, and closed from the window manager's menu.
    SetWmState(xid, NormalState);
    EXPECT_TRUE(PumpUntil([&] { return !IsIconic(main); }));
    SendDeleteWindow(xid);
    EXPECT_TRUE(PumpUntil([&] { return main.Count(WM_CLOSE) == 1; }));
}

TEST_F(X11Test, IdleProcessSleeps) {
    TestWindow main(MainSpec());
    const Window xid = x11_->NativeWindowOf(main);
    ASSERT_TRUE(PumpUntil([&] { return Viewable(main) && Focus() == xid; }));
    // Settled once the event reader stayed asleep for a while.
    uint64_t before = x11_->EventLoopWakeups();
    for (int i = 0; i < 50; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        PumpUntil([] { return true; });
        const uint64_t now = x11_->EventLoopWakeups();
        if (now == before) {
            break;
        }
        before = now;
    }
    // A second in GetMessageW with a window shown and no timers.
    const DWORD self = GetCurrentThreadId();
    std::thread quitter([self] {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        PostThreadMessageW(self, WM_QUIT, 0, 0);
    });
    int messages = 0;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ++messages;
        DispatchMessageW(&msg);
    }
    quitter.join();
    EXPECT_EQ(messages, 0);
    EXPECT_LE(x11_->EventLoopWakeups() - before, 1u);
}

TEST_F(X11Test, HintsTellTheWindowManagerWhatEachWindowIs) {
    TestWindow owner(MainSpec());
    struct HintCase {
        const char* name;
        DWORD exStyle;
        bool owned;
        const char* type;
        std::vector<const char*> states;
        bool takesFocus;
    };
    const HintCase cases[] = {
        {"plain", 0, false, "_NET_WM_WINDOW_TYPE_NORMAL", {}, true},
        {"topmost",
         WS_EX_TOPMOST,
         false,
         "_NET_WM_WINDOW_TYPE_NORMAL",
         {"_NET_WM_STATE_ABOVE"},
         true},
        {"owned", 0, true, "_NET_WM_WINDOW_TYPE_DIALOG", {}, true},
        {"tool window",
         WS_EX_TOOLWINDOW,
         true,
         "_NET_WM_WINDOW_TYPE_UTILITY",
         {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"},
         true},
        {"no activation", WS_EX_NOACTIVATE, false, "_NET_WM_WINDOW_TYPE_NORMAL", {}, false},
    };
    for (const HintCase& c : cases) {
        SCOPED_TRACE(c.name);
        WindowSpec spec;
        spec.exStyle = c.exStyle;
        spec.parent = c.owned ? owner.hwnd() : nullptr;
        TestWindow w(spec);
        const Window xid = x11_->NativeWindowOf(w);
        EXPECT_FALSE(Attributes(xid).override_redirect);
        EXPECT_EQ(Property(xid, "_NET_WM_WINDOW_TYPE"), std::vector<unsigned long>{Intern(c.type)});
        std::vector<unsigned long> states;
        for (const char* state : c.states) {
            states.push_back(Intern(state));
        }
        EXPECT_EQ(Property(xid, "_NET_WM_STATE"), states);
        EXPECT_EQ(Property(xid, "WM_TRANSIENT_FOR"),
                  c.owned ? std::vector<unsigned long>{x11_->NativeWindowOf(owner)}
                          : std::vector<unsigned long>{});
        XWMHints* hints = XGetWMHints(probe_, xid);
        ASSERT_NE(hints, nullptr);
        EXPECT_EQ(hints->input != False, c.takesFocus);
        XFree(hints);
    }

    // Made topmost while shown: the window manager is asked.
    WatchRequests();
    SetWindowPos(owner, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    XClientMessageEvent request{};
    ASSERT_TRUE(AwaitRequest("_NET_WM_STATE", &request));
    EXPECT_EQ(request.window, x11_->NativeWindowOf(owner));
    EXPECT_EQ(request.data.l[0], 1);  // add
    EXPECT_EQ(static_cast<Atom>(request.data.l[1]), Intern("_NET_WM_STATE_ABOVE"));
}

TEST_F(X11Test, FocusFromElsewhereMovesTheActivation) {
    TestWindow main(MainSpec());
    const Window xid = x11_->NativeWindowOf(main);
    ASSERT_TRUE(PumpUntil([&] { return Viewable(main) && Focus() == xid; }));

    // Another program takes the focus, then gives it back.
    const Window other = XCreateSimpleWindow(probe_, root_, 700, 400, 100, 100, 0, 0, 0);
    XMapWindow(probe_, other);
    XSync(probe_, False);
    XSetInputFocus(probe_, other, RevertToParent, CurrentTime);
    XFlush(probe_);
    ASSERT_TRUE(PumpUntil([] { return GetActiveWindow() == nullptr; }));
    EXPECT_EQ(LOWORD(main.Of(WM_ACTIVATE).back().wParam), WA_INACTIVE);
    XSetInputFocus(probe_, xid, RevertToParent, CurrentTime);
    XFlush(probe_);
    EXPECT_TRUE(PumpUntil([&] { return GetActiveWindow() == main.hwnd(); }));

    // With the focus elsewhere, an active pop-up takes the keyboard itself.
    XSetInputFocus(probe_, other, RevertToParent, CurrentTime);
    XFlush(probe_);
    ASSERT_TRUE(PumpUntil([] { return GetActiveWindow() == nullptr; }));
    WindowSpec spec;
    spec.className = kPopupClass;
    spec.rect = CRect(400, 100, 500, 200);
    TestWindow popup(spec);
    ASSERT_EQ(GetActiveWindow(), popup.hwnd());
    Tap(XK_y);
    EXPECT_TRUE(PumpUntil([&] { return popup.Count(WM_CHAR) == 1; }));
    EXPECT_EQ(main.Count(WM_CHAR), 0);
}

TEST_F(X11Test, ChildWindowsAreSubwindowsOfTheirParent) {
    TestWindow main(MainSpec());
    WindowSpec spec;
    spec.style = WS_CHILD | WS_VISIBLE;
    spec.rect = CRect(20, 30, 80, 70);
    spec.parent = main;
    TestWindow child(spec);
    const Window xid = x11_->NativeWindowOf(child);
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    ASSERT_TRUE(XQueryTree(probe_, xid, &root, &parent, &children, &count));
    XFree(children);
    EXPECT_EQ(parent, x11_->NativeWindowOf(main));
    ASSERT_TRUE(PumpUntil([&] { return Viewable(child); }));

    Buffer yellow(60, 40, 0xFFFFFF00);
    ASSERT_TRUE(PresentWindow(child, yellow.view, CRect(0, 0, 60, 40)));
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(125, 135) == 0xFFFF00; }));

    // The pointer over the child is the child's, in its own client pixels; leaving it ends
    // its tracking.
    MoveTo(130, 140);
    ASSERT_TRUE(PumpUntil([&] { return child.Count(WM_MOUSEMOVE) > 0; }));
    TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, child, 0};
    ASSERT_TRUE(TrackMouseEvent(&track));
    Click(130, 140);
    ASSERT_TRUE(PumpUntil([&] { return child.Count(WM_LBUTTONUP) == 1; }));
    EXPECT_EQ(wintest::ClientPoint(child.Of(WM_LBUTTONDOWN).at(0).lParam), CPoint(10, 10));
    EXPECT_EQ(main.Count(WM_LBUTTONDOWN), 0);
    MoveTo(900, 600);
    EXPECT_TRUE(PumpUntil([&] { return child.Count(WM_MOUSELEAVE) == 1; }));
}

TEST_F(X11Test, ClickThroughWindowsLetThePointerPass) {
    TestWindow main(MainSpec());
    WindowSpec spec;
    spec.className = kPopupClass;
    spec.rect = CRect(150, 120, 250, 200);
    spec.style = WS_POPUP;
    spec.exStyle = WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE;
    spec.parent = main;
    TestWindow overlay(spec);
    ShowWindow(overlay, SW_SHOWNOACTIVATE);
    ASSERT_TRUE(PumpUntil([&] { return Viewable(overlay) && Viewable(main); }));
    Click(200, 150);
    ASSERT_TRUE(PumpUntil([&] { return main.Count(WM_LBUTTONUP) == 1; }));
    EXPECT_EQ(overlay.CountInput(), 0);
    // No longer transparent, the overlay takes the click.
    SetWindowLongW(overlay, GWL_EXSTYLE, WS_EX_LAYERED | WS_EX_NOACTIVATE);
    Click(200, 150);
    EXPECT_TRUE(PumpUntil([&] { return overlay.Count(WM_LBUTTONUP) == 1; }));
    EXPECT_EQ(main.Count(WM_LBUTTONUP), 1);
}

}  // namespace
