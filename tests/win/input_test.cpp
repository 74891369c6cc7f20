#include "window_test_support.h"

namespace wintest {
namespace {

using InputTest = WindowSystemTest;
using LumoUI::MouseButton;

std::optional<LRESULT> Unhandled() {
    return std::nullopt;
}

TEST_F(InputTest, DisabledWindowGetsNoInputAndPassesNoneToItsChildren) {
    TestWindow w({.rect = {100, 100, 300, 300}});
    TestWindow child({.rect = {10, 10, 60, 60}, .style = WS_CHILD | WS_VISIBLE, .parent = w});
    Pump();
    w.Clear();
    EXPECT_FALSE(EnableWindow(w, FALSE));
    display->Click(CPoint(200, 200));
    display->Click(CPoint(120, 120));  // over the child
    display->Wheel(CPoint(200, 200), -120);
    display->PressKey('A');
    Pump();
    EXPECT_EQ(w.CountInput(), 0);
    EXPECT_EQ(child.CountInput(), 0);
    EXPECT_EQ(w.Of(WM_ENABLE).at(0).wParam, static_cast<WPARAM>(FALSE));

    EXPECT_TRUE(EnableWindow(w, TRUE));
    display->Click(CPoint(200, 200));
    Pump();
    EXPECT_EQ(w.Count(WM_LBUTTONDOWN), 1);
    EXPECT_EQ(w.Count(WM_LBUTTONUP), 1);
}

TEST_F(InputTest, DisabledChildLeavesThePointerToItsParent) {
    TestWindow w({.rect = {100, 100, 300, 300}});
    TestWindow child({.rect = {10, 10, 60, 60}, .style = WS_CHILD | WS_VISIBLE, .parent = w});
    EnableWindow(child, FALSE);
    Pump();
    display->Click(CPoint(120, 130));
    Pump();
    EXPECT_EQ(child.CountInput(), 0);
    ASSERT_EQ(w.Count(WM_LBUTTONDOWN), 1);
    EXPECT_EQ(ClientPoint(w.Of(WM_LBUTTONDOWN)[0].lParam), CPoint(20, 30));
}

TEST_F(InputTest, CaptureRoutesMovesAndTheReleaseToTheCapturingWindow) {
    TestWindow a({.rect = {100, 100, 300, 300}},
                 [](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
                     if (message == WM_LBUTTONDOWN) {
                         SetCapture(hwnd);
                     } else if (message == WM_LBUTTONUP) {
                         ReleaseCapture();
                     }
                     return Unhandled();
                 });
    TestWindow b({.rect = {400, 100, 600, 300}});
    display->PressButton(CPoint(150, 150));
    Pump();
    EXPECT_EQ(GetCapture(), a.hwnd());
    EXPECT_EQ(display->PointerCapture(), a.hwnd());
    a.Clear();
    display->MoveMouse(CPoint(450, 150));
    display->ReleaseButton(CPoint(450, 150));
    Pump();
    ASSERT_EQ(a.Count(WM_MOUSEMOVE), 1);
    EXPECT_EQ(ClientPoint(a.Of(WM_MOUSEMOVE)[0].lParam), CPoint(350, 50));
    EXPECT_EQ(a.Of(WM_MOUSEMOVE)[0].wParam, MK_LBUTTON);
    ASSERT_EQ(a.Count(WM_LBUTTONUP), 1);
    EXPECT_EQ(ClientPoint(a.Of(WM_LBUTTONUP)[0].lParam), CPoint(350, 50));
    EXPECT_EQ(a.Count(WM_CAPTURECHANGED), 1);
    EXPECT_EQ(b.CountInput(), 0);

    display->MoveMouse(CPoint(460, 160));
    Pump();
    ASSERT_EQ(b.Count(WM_MOUSEMOVE), 1);
    EXPECT_EQ(ClientPoint(b.Of(WM_MOUSEMOVE)[0].lParam), CPoint(60, 60));
}

TEST_F(InputTest, HoverComesAfter400MsAtRestAndLeaveWhenThePointerLeaves) {
    // Like the toolkit: tracking is requested on a move when none is outstanding.
    bool tracking = false;
    TestWindow w({.rect = {100, 100, 300, 300}},
                 [&](HWND hwnd, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
                     if (message == WM_MOUSEMOVE && !tracking) {
                         TRACKMOUSEEVENT track;
                         track.dwFlags = TME_HOVER | TME_LEAVE;
                         track.hwndTrack = hwnd;
                         track.dwHoverTime = HOVER_DEFAULT;
                         tracking = TrackMouseEvent(&track) != FALSE;
                     } else if (message == WM_MOUSELEAVE || message == WM_MOUSEHOVER) {
                         tracking = false;
                     }
                     return Unhandled();
                 });
    display->MoveMouse(CPoint(150, 150));
    Pump();
    ASSERT_TRUE(tracking);
    Advance(399);
    EXPECT_EQ(w.Count(WM_MOUSEHOVER), 0);
    Advance(1);
    ASSERT_EQ(w.Count(WM_MOUSEHOVER), 1);
    EXPECT_EQ(ClientPoint(w.Of(WM_MOUSEHOVER)[0].lParam), CPoint(50, 50));
    Advance(1000);
    EXPECT_EQ(w.Count(WM_MOUSEHOVER), 1) << "hover is reported once per request";

    display->MoveMouse(CPoint(400, 400));
    Pump();
    EXPECT_EQ(w.Count(WM_MOUSELEAVE), 1);

    // A move of at most two pixels keeps the hover time running; a longer one starts it again.
    display->MoveMouse(CPoint(150, 150));
    Advance(300);
    display->MoveMouse(CPoint(152, 152));
    Advance(100);
    EXPECT_EQ(w.Count(WM_MOUSEHOVER), 2);
    display->MoveMouse(CPoint(160, 150));
    Advance(300);
    display->MoveMouse(CPoint(170, 150));
    Advance(399);
    EXPECT_EQ(w.Count(WM_MOUSEHOVER), 2);
    Advance(1);
    EXPECT_EQ(w.Count(WM_MOUSEHOVER), 3);
}

TEST_F(InputTest, LeaveIsReportedAtOnceWhenThePointerIsElsewhere) {
    TestWindow w({.rect = {100, 100, 300, 300}});
    display->MoveMouse(CPoint(500, 500));
    TRACKMOUSEEVENT track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = w;
    ASSERT_TRUE(TrackMouseEvent(&track));
    Pump();
    EXPECT_EQ(w.Count(WM_MOUSELEAVE), 1);
}

TEST_F(InputTest, DoubleClickWithinTheSystemIntervalOnlyForClassesThatAskForIt) {
    struct Case {
        const wchar_t* className;
        UINT gapMs;
        int offset;
        MouseButton button;
        UINT second;
    };
    const Case cases[] = {
        {kTestClass, 200, 0, MouseButton::kLeft, WM_LBUTTONDBLCLK},
        {kTestClass, 500, 2, MouseButton::kLeft, WM_LBUTTONDBLCLK},
        {kTestClass, 501, 0, MouseButton::kLeft, WM_LBUTTONDOWN},
        {kTestClass, 100, 3, MouseButton::kLeft, WM_LBUTTONDOWN},
        {kTestClass, 100, 0, MouseButton::kRight, WM_RBUTTONDBLCLK},
        {kPlainClass, 100, 0, MouseButton::kLeft, WM_LBUTTONDOWN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.gapMs << " ms, " << c.offset << " px");
        TestWindow w({.rect = {100, 100, 300, 300}, .className = c.className});
        const UINT down = c.button == MouseButton::kLeft ? WM_LBUTTONDOWN : WM_RBUTTONDOWN;
        display->Click(CPoint(150, 150), c.button);
        Advance(c.gapMs);
        display->Click(CPoint(150 + c.offset, 150), c.button);
        Pump();
        EXPECT_EQ(w.Messages(down, down + 2),
                  (std::vector<UINT>{down, down + 1, c.second, down + 1}));
        Advance(1000);  // the next case starts a fresh click
    }
}

TEST_F(InputTest, ThirdClickAfterADoubleClickIsAPress) {
    TestWindow w({.rect = {100, 100, 300, 300}});
    display->DoubleClick(CPoint(150, 150));
    display->Click(CPoint(150, 150));
    Pump();
    EXPECT_EQ(w.Messages(WM_LBUTTONDOWN, WM_LBUTTONDBLCLK),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP,
                                 WM_LBUTTONDOWN, WM_LBUTTONUP}));
}

TEST_F(InputTest, WheelCarriesItsDeltaTheKeysAndTheScreenPoint) {
    TestWindow w({.rect = {100, 100, 300, 300}});
    display->KeyDown(VK_SHIFT);
    display->Wheel(CPoint(150, 160), -240);
    display->KeyUp(VK_SHIFT);
    display->Wheel(CPoint(150, 160), 60);
    Pump();
    const std::vector<Received> wheel = w.Of(WM_MOUSEWHEEL);
    ASSERT_EQ(wheel.size(), 2u);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheel[0].wParam), -240);
    EXPECT_EQ(GET_KEYSTATE_WPARAM(wheel[0].wParam), MK_SHIFT);
    EXPECT_EQ(ClientPoint(wheel[0].lParam), CPoint(150, 160));
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheel[1].wParam), 60);
    EXPECT_EQ(GET_KEYSTATE_WPARAM(wheel[1].wParam), 0);
}

TEST_F(InputTest, KeysReachTheFocusWindowWithModifierStateAndCharacters) {
    bool shiftDownForA = false;
    TestWindow w({}, [&](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_KEYDOWN && wParam == 'A') {
            shiftDownForA = GetKeyState(VK_SHIFT) < 0;
        }
        return Unhandled();
    });
    ASSERT_EQ(GetFocus(), w.hwnd());
    Pump();
    w.Clear();
    display->KeyDown(VK_LSHIFT);
    display->PressKey('A');
    display->KeyUp(VK_LSHIFT);
    display->KeyDown('B');
    display->KeyDown('B');  // held: a repeat
    display->KeyUp('B');
    Pump();
    EXPECT_EQ(w.Messages(WM_KEYFIRST, WM_KEYLAST),
              (std::vector<UINT>{WM_KEYDOWN, WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_KEYUP, WM_KEYDOWN,
                                 WM_CHAR, WM_KEYDOWN, WM_CHAR, WM_KEYUP}));
    const std::vector<Received> downs = w.Of(WM_KEYDOWN);
    EXPECT_EQ(downs[0].wParam, VK_SHIFT);
    EXPECT_EQ(w.Of(WM_CHAR)[0].wParam, static_cast<WPARAM>(L'A'));
    EXPECT_EQ(w.Of(WM_CHAR)[1].wParam, static_cast<WPARAM>(L'b'));
    EXPECT_TRUE(shiftDownForA);
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
    // lParam: repeat count 1, bit 30 the previous state, bit 31 the transition.
    EXPECT_EQ(downs[2].lParam & 0xC000FFFF, 1);
    EXPECT_EQ(downs[3].lParam & 0xC000FFFF, 0x40000001);
    EXPECT_EQ(static_cast<DWORD>(w.Of(WM_KEYUP).back().lParam) & 0xC000FFFF, 0xC0000001u);

    TestWindow child({.rect = {0, 0, 20, 20}, .style = WS_CHILD | WS_VISIBLE, .parent = w});
    SetFocus(child);
    display->PressKey(VK_RETURN);
    display->TypeText(L"é");
    Pump();
    EXPECT_EQ(child.Count(WM_KEYDOWN), 2);
    EXPECT_EQ(child.Of(WM_CHAR).back().wParam, static_cast<WPARAM>(L'é'));
    EXPECT_EQ(w.Count(WM_KEYDOWN), 4);
}

TEST_F(InputTest, AltMakesSystemKeys) {
    TestWindow w;
    Pump();
    w.Clear();
    display->KeyDown(VK_MENU);
    display->PressKey('X');
    display->KeyUp(VK_MENU);
    Pump();
    EXPECT_EQ(
        w.Messages(WM_KEYFIRST, WM_KEYLAST),
        (std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSCHAR, WM_SYSKEYUP, WM_SYSKEYUP}));
    EXPECT_NE(w.Of(WM_SYSKEYDOWN)[1].lParam & (1 << 29), 0) << "the Alt bit";
    EXPECT_EQ(w.Of(WM_SYSCHAR)[0].wParam, static_cast<WPARAM>(L'x'));
}

TEST_F(InputTest, PressActivatesItsWindowAndDeactivatesTheActiveOne) {
    TestWindow main({.rect = {0, 0, 400, 400}});
    TestWindow menu({.rect = {500, 0, 600, 100}, .exStyle = WS_EX_TOOLWINDOW, .parent = main});
    ASSERT_EQ(GetActiveWindow(), menu.hwnd());
    Pump();
    menu.Clear();
    display->Click(CPoint(50, 50));
    Pump();
    EXPECT_EQ(GetActiveWindow(), main.hwnd());
    ASSERT_EQ(menu.Count(WM_NCACTIVATE), 1);
    EXPECT_EQ(menu.Of(WM_NCACTIVATE)[0].wParam, static_cast<WPARAM>(FALSE));
    EXPECT_EQ(main.Of(WM_ACTIVATE).back().wParam, WA_CLICKACTIVE);
    EXPECT_EQ(display->NativeActiveWindow(), main.hwnd());

    // A press on the desktop takes the activation away from every window.
    main.Clear();
    display->Click(CPoint(900, 900));
    Pump();
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(main.Of(WM_NCACTIVATE).back().wParam, static_cast<WPARAM>(FALSE));

    // Shown without activation, or not activated by clicks, a window leaves it alone.
    display->Click(CPoint(50, 50));
    ShowWindow(menu, SW_HIDE);
    ShowWindow(menu, SW_SHOWNA);
    TestWindow tip({.rect = {700, 0, 800, 100}, .exStyle = WS_EX_NOACTIVATE});
    display->Click(CPoint(750, 50));
    Pump();
    EXPECT_EQ(GetActiveWindow(), main.hwnd());
    EXPECT_EQ(tip.Count(WM_LBUTTONDOWN), 1);
}

TEST_F(InputTest, CaptionDragMovesTheWindowWithThePointer) {
    TestWindow w({.rect = {100, 100, 300, 300}},
                 [](HWND hwnd, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
                     if (message == WM_LBUTTONDOWN) {
                         ReleaseCapture();
                         PostMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, lParam);
                     }
                     return Unhandled();
                 });
    display->PressButton(CPoint(150, 150));
    Pump();
    display->MoveMouse(CPoint(170, 180));
    Pump();
    RECT rect;
    GetWindowRect(w, &rect);
    EXPECT_EQ(rect, CRect(120, 130, 320, 330));
    EXPECT_EQ(display->NativeRect(w), CRect(120, 130, 320, 330));
    display->ReleaseButton(CPoint(170, 180));
    w.Clear();
    display->MoveMouse(CPoint(200, 200));
    Pump();
    GetWindowRect(w, &rect);
    EXPECT_EQ(rect, CRect(120, 130, 320, 330));
    EXPECT_EQ(w.Count(WM_MOUSEMOVE), 1);

    // Released before the drag request is handled: nothing moves.
    display->Click(CPoint(200, 200));
    Pump();
    display->MoveMouse(CPoint(250, 250));
    Pump();
    GetWindowRect(w, &rect);
    EXPECT_EQ(rect, CRect(120, 130, 320, 330));
}

TEST_F(InputTest, WindowSetsTheCursorShapeAsThePointerMoves) {
    const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    ASSERT_NE(hand, nullptr);
    TestWindow w({.rect = {100, 100, 300, 300}},
                 [&](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
                     if (message == WM_SETCURSOR && HIWORD(lParam) == WM_MOUSEMOVE) {
                         SetCursor(hand);
                         return TRUE;
                     }
                     return Unhandled();
                 });
    display->MoveMouse(CPoint(150, 150));
    Pump();
    EXPECT_EQ(display->Cursor(), hand);
    POINT p;
    GetCursorPos(&p);
    EXPECT_EQ(p, CPoint(150, 150));
}

}  // namespace
}  // namespace wintest
