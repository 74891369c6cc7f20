#include <algorithm>
#include <map>
#include <thread>

#include "window_test_support.h"

namespace wintest {
namespace {

using WindowTest = WindowSystemTest;

// Whether `wanted` appears in `seen` in this order, other messages in between allowed.
bool InOrder(const std::vector<UINT>& seen, const std::vector<UINT>& wanted) {
    auto it = seen.begin();
    for (UINT message : wanted) {
        it = std::find(it, seen.end(), message);
        if (it == seen.end()) {
            return false;
        }
        ++it;
    }
    return true;
}

TEST_F(WindowTest, CreationSendsItsMessagesInOrderWithTheCreationParameter) {
    int marker = 0;
    std::vector<void*> params;
    TestWindow w({.rect = {10, 20, 110, 70}, .param = &marker},
                 [&](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
                     if (message == WM_NCCREATE || message == WM_CREATE) {
                         params.push_back(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
                     }
                     return std::nullopt;
                 });
    ASSERT_NE(w.hwnd(), nullptr);
    const std::vector<UINT> seen = w.Messages();
    ASSERT_GE(seen.size(), 4u);
    EXPECT_EQ(std::vector<UINT>(seen.begin(), seen.begin() + 4),
              (std::vector<UINT>{WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE}));
    EXPECT_TRUE(InOrder(seen, {WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW, WM_WINDOWPOSCHANGED,
                               WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS}));
    EXPECT_EQ(params, (std::vector<void*>{&marker, &marker}));
    EXPECT_EQ(ClientPoint(w.Of(WM_SIZE).front().lParam), CPoint(100, 50));
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_EQ(GetActiveWindow(), w.hwnd());
    EXPECT_EQ(GetFocus(), w.hwnd());
    EXPECT_EQ(display->ShowState(w), LumoUI::NativeShowState::kNormal);
}

TEST_F(WindowTest, WindowRefusedDuringCreationIsNotMade) {
    for (UINT refusedAt : {WM_NCCREATE, WM_CREATE}) {
        SCOPED_TRACE(refusedAt);
        TestWindow w({}, [&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
            if (message == refusedAt) {
                return refusedAt == WM_CREATE ? -1 : FALSE;
            }
            return std::nullopt;
        });
        EXPECT_EQ(w.hwnd(), nullptr);
        EXPECT_EQ(w.Count(WM_NCDESTROY), 1);
        EXPECT_EQ(FindWindowW(kTestClass, nullptr), nullptr);
    }
    EXPECT_EQ(CreateWindowExW(0, L"NoSuchClass", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                              nullptr, nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
}

TEST_F(WindowTest, DestroyTakesOwnedWindowsAndChildrenAlongAndEndsWithTheFinalMessage) {
    MessageLog log;
    TestWindow owner({.rect = {0, 0, 400, 300}}, {}, &log);
    TestWindow owned({.rect = {50, 50, 150, 150}, .parent = owner}, {}, &log);
    TestWindow child({.rect = {10, 10, 100, 100}, .style = WS_CHILD | WS_VISIBLE, .parent = owner},
                     {}, &log);
    TestWindow grandchild({.rect = {5, 5, 20, 20}, .style = WS_CHILD | WS_VISIBLE, .parent = child},
                          {}, &log);
    const std::map<HWND, char> names{{owner, 'O'}, {owned, 'P'}, {child, 'C'}, {grandchild, 'G'}};
    SetCapture(child);
    SetFocus(grandchild);
    SetTimer(owner, 1, 10, nullptr);

    ASSERT_TRUE(DestroyWindow(owner));

    std::string order;
    for (const Received& r : log.Entries()) {
        if (r.message == WM_DESTROY || r.message == WM_NCDESTROY) {
            order += names.at(r.hwnd);
            order += r.message == WM_DESTROY ? 'd' : 'n';
        }
    }
    EXPECT_EQ(order, "PdPnOdCdGdGnCnOn");
    for (HWND hwnd : {owner.hwnd(), owned.hwnd(), child.hwnd(), grandchild.hwnd()}) {
        EXPECT_FALSE(IsWindow(hwnd));
    }
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_FALSE(KillTimer(owner, 1));
    Advance(50);
    EXPECT_EQ(owner.Count(WM_TIMER), 0);

    TestWindow next;
    EXPECT_EQ(names.count(next.hwnd()), 0u) << "a handle was used twice";
}

TEST_F(WindowTest, DestroyIsRefusedFromAnotherThread) {
    TestWindow w;
    std::thread([&] {
        EXPECT_FALSE(DestroyWindow(w));
        EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    }).join();
    EXPECT_TRUE(IsWindow(w));
}

TEST_F(WindowTest, ShowCommandsSetVisibilityStateAndActivation) {
    struct Case {
        int command;
        bool visible;
        bool iconic;
        bool zoomed;
        bool activates;
    };
    const Case cases[] = {
        {SW_HIDE, false, false, false, false},       {SW_SHOW, true, false, false, true},
        {SW_SHOWNA, true, false, false, false},      {SW_SHOWNOACTIVATE, true, false, false, false},
        {SW_SHOWNORMAL, true, false, false, true},   {SW_MINIMIZE, true, true, false, false},
        {SW_SHOWMAXIMIZED, true, false, true, true},
    };
    TestWindow other({.rect = {600, 600, 700, 700}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        SetActiveWindow(other);
        TestWindow w({.style = WS_POPUP});
        ShowWindow(w, c.command);
        EXPECT_EQ(IsWindowVisible(w) != FALSE, c.visible);
        EXPECT_EQ(IsIconic(w) != FALSE, c.iconic);
        EXPECT_EQ(IsZoomed(w) != FALSE, c.zoomed);
        EXPECT_EQ(GetActiveWindow() == w.hwnd(), c.activates);
        EXPECT_EQ(other.Of(WM_NCACTIVATE).back().wParam == FALSE, c.activates);
        if (c.iconic) {
            EXPECT_EQ(w.Of(WM_SIZE).back().wParam, SIZE_MINIMIZED);
        }
        if (c.zoomed) {
            RECT rect;
            GetWindowRect(w, &rect);
            EXPECT_EQ(rect, display->WorkArea());
            EXPECT_EQ(w.Of(WM_SIZE).back().wParam, SIZE_MAXIMIZED);
        }
    }
}

TEST_F(WindowTest, RestoreReturnsToTheRectangleBeforeMaximising) {
    TestWindow w({.rect = {10, 20, 210, 170}});
    ShowWindow(w, SW_MAXIMIZE);
    ShowWindow(w, SW_RESTORE);
    RECT rect;
    GetWindowRect(w, &rect);
    EXPECT_EQ(rect, CRect(10, 20, 210, 170));
    EXPECT_EQ(w.Of(WM_SIZE).back().wParam, SIZE_RESTORED);
    ShowWindow(w, SW_MINIMIZE);
    ShowWindow(w, SW_RESTORE);
    EXPECT_FALSE(IsIconic(w));
    EXPECT_EQ(GetActiveWindow(), w.hwnd());
}

TEST_F(WindowTest, HidingTheActiveWindowActivatesItsOwner) {
    TestWindow main({.rect = {0, 0, 400, 300}});
    TestWindow popup({.rect = {50, 50, 150, 150}, .parent = main});
    ASSERT_EQ(GetActiveWindow(), popup.hwnd());
    main.Clear();
    ShowWindow(popup, SW_HIDE);
    EXPECT_EQ(GetActiveWindow(), main.hwnd());
    EXPECT_EQ(main.Of(WM_NCACTIVATE).back().wParam, static_cast<WPARAM>(TRUE));
    EXPECT_EQ(GetFocus(), main.hwnd());
}

TEST_F(WindowTest, MovingSendsPositionAndSizeMessagesAndMayBeAdjusted) {
    TestWindow w({.rect = {0, 0, 100, 100}},
                 [](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
                     if (message == WM_WINDOWPOSCHANGING) {
                         auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
                         pos->cx = std::min(pos->cx, 250);  // a maximum width
                     }
                     return std::nullopt;
                 });
    Pump();
    w.Clear();
    ASSERT_TRUE(MoveWindow(w, 10, 20, 300, 200, TRUE));
    EXPECT_EQ(w.Messages(),
              (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_SIZE, WM_MOVE}));
    EXPECT_EQ(ClientPoint(w.Of(WM_SIZE).front().lParam), CPoint(250, 200));
    EXPECT_EQ(ClientPoint(w.Of(WM_MOVE).front().lParam), CPoint(10, 20));
    RECT rect;
    GetWindowRect(w, &rect);
    EXPECT_EQ(rect, CRect(10, 20, 260, 220));
    GetClientRect(w, &rect);
    EXPECT_EQ(rect, CRect(0, 0, 250, 200));
    EXPECT_EQ(display->NativeRect(w), CRect(10, 20, 260, 220));
    EXPECT_TRUE(GetUpdateRect(w, &rect, FALSE));
    EXPECT_EQ(rect, CRect(0, 0, 250, 200));
}

TEST_F(WindowTest, ClientAndScreenPointsConvertForTopLevelAndChildWindows) {
    TestWindow top({.rect = {100, 50, 400, 350}});
    TestWindow child({.rect = {10, 20, 110, 120}, .style = WS_CHILD | WS_VISIBLE, .parent = top});
    POINT p{1, 2};
    ASSERT_TRUE(ClientToScreen(child, &p));
    EXPECT_EQ(p, CPoint(111, 72));
    ASSERT_TRUE(ScreenToClient(top, &p));
    EXPECT_EQ(p, CPoint(11, 22));
    POINT q{1, 2};
    MapWindowPoints(child, top, &q, 1);
    EXPECT_EQ(q, CPoint(11, 22));
    RECT rect;
    GetWindowRect(child, &rect);
    EXPECT_EQ(rect, CRect(110, 70, 210, 170));
    EXPECT_EQ(GetParent(child), top.hwnd());
    EXPECT_TRUE(IsChild(top, child));
    EXPECT_EQ(WindowFromPoint(CPoint(150, 100)), child.hwnd());
    EXPECT_EQ(WindowFromPoint(CPoint(105, 55)), top.hwnd());
}

TEST_F(WindowTest, TitlesAndPropertiesAreKeptPerWindow) {
    TestWindow w({.title = L"Brimlow"});
    wchar_t text[4];
    EXPECT_EQ(GetWindowTextW(w, text, 4), 3);
    EXPECT_STREQ(text, L"Bri");
    ASSERT_TRUE(SetWindowTextW(w, L"CloseWindowTipDlg"));
    EXPECT_EQ(GetWindowTextLengthW(w), 17);
    EXPECT_EQ(display->NativeTitle(w), L"CloseWindowTipDlg");

    int value = 0;
    ASSERT_TRUE(SetPropW(w, L"Brimlow", reinterpret_cast<HANDLE>(1)));
    ASSERT_TRUE(SetPropW(w, L"Control", &value));
    EXPECT_EQ(GetPropW(w, L"BRIMLOW"), reinterpret_cast<HANDLE>(1));
    EXPECT_EQ(RemovePropW(w, L"control"), &value);
    EXPECT_EQ(GetPropW(w, L"Control"), nullptr);
    EXPECT_EQ(GetPropW(w, L"Missing"), nullptr);
    DestroyWindow(w);
    EXPECT_EQ(GetPropW(w, L"Brimlow"), nullptr);
}

TEST_F(WindowTest, EnumerationFollowsZOrderAndLookUpMatchesClassAndTitle) {
    TestWindow tip({.exStyle = WS_EX_TOPMOST, .title = L"KeyboardTip Window"});
    TestWindow a({.title = L"Alpha"});
    TestWindow b({.className = kPlainClass, .title = L"Menu Window"});
    TestWindow c({.title = L"Menu Window"});
    const auto topLevels = [] {
        std::vector<HWND> found;
        EnumWindows(
            [](HWND hwnd, LPARAM list) {
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    };
    EXPECT_EQ(topLevels(), (std::vector<HWND>{tip, c, b, a}));
    std::vector<HWND> walked;
    for (HWND h = GetWindow(GetDesktopWindow(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        walked.push_back(h);
    }
    EXPECT_EQ(walked, topLevels());
    EXPECT_EQ(display->Stacking(), topLevels());

    EXPECT_EQ(FindWindowW(L"testwindow", L"menu window"), c.hwnd());
    EXPECT_EQ(FindWindowExW(nullptr, c, nullptr, L"Menu Window"), b.hwnd());
    EXPECT_EQ(FindWindowW(kPlainClass, nullptr), b.hwnd());
    EXPECT_EQ(FindWindowW(L"Nothing", nullptr), nullptr);

    TestWindow owned({.parent = a, .title = L"Owned"});
    SetActiveWindow(a);
    EXPECT_EQ(topLevels(), (std::vector<HWND>{tip, owned, a, c, b}));
    SetWindowPos(c, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(topLevels().back(), c.hwnd());
    EXPECT_EQ(GetWindow(owned, GW_OWNER), a.hwnd());
    TestWindow tipOfTip({.parent = tip});
    SetActiveWindow(a);
    EXPECT_EQ(topLevels().front(), tipOfTip.hwnd()) << "owned by a topmost window: topmost";
}

}  // namespace
}  // namespace wintest
