// Dialogs on the headless display: creation and layout, the close path and modal results,
// messages consumed by controls, placement and size limits.
#include <cstdlib>

#include "core_test_support.h"
#include "lumoui/core/c_area.h"
#include "lumoui/core/manager.h"

namespace coretest {
namespace {

using DialogTest = CoreTest;

// Colour channels within 1 of each other (the background is drawn with alpha 254).
bool SameColor(ARGB a, ARGB b) {
    return NearColor(a, b, false);
}

TEST_F(DialogTest, CreationBuildsTheTreeThenLaysItOut) {
    TestDialog dlg;
    dlg.build = [](TestDialog& d) { d.Add(7, CRect(10, 10, 50, 50)); };
    const HWND hwnd = dlg.Open(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_THICKFRAME);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(dlg.Create(nullptr, L"again", WS_POPUP, 0, CRect()), hwnd) << "one window";
    EXPECT_EQ(dlg.built, 1);
    ASSERT_FALSE(dlg.sized.empty());
    EXPECT_EQ(dlg.sized.front(), CRect(0, 0, 300, 200)) << "after InitUI, with the controls";
    EXPECT_NE(dlg.GetControl(7), nullptr);
    EXPECT_EQ(dlg.GetStyle() & (WS_CAPTION | WS_THICKFRAME), 0u) << "frameless";
    EXPECT_NE(dlg.GetStyle() & WS_CLIPCHILDREN, 0u);
    CString title;
    dlg.GetWindowTextW(title);
    EXPECT_EQ(title, L"Test dialog");

    dlg.sized.clear();
    dlg.MoveWindow(100, 100, 320, 240);
    Pump();
    ASSERT_EQ(dlg.sized.size(), 1u);
    EXPECT_EQ(dlg.sized[0], CRect(0, 0, 320, 240));
    EXPECT_EQ(dlg.GetClientRectangle(), CRect(0, 0, 320, 240));

    dlg.DestroyWindow();
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
    EXPECT_EQ(dlg.GetControl(7), nullptr) << "the controls go with the window";
    EXPECT_EQ(dlg.GetWindowTextLengthW(), -1);
    EXPECT_EQ(dlg.ShowModal(SW_SHOW), 0xFFFFFFFFu) << "no window";
}

TEST_F(DialogTest, ShowModalReturnsTheCodeOfTheCloseCall) {
    struct Case {
        void (LumoUI::MDialog::*close)();
        UINT result;
    };
    const Case cases[] = {{&LumoUI::MDialog::DoOK, IDOK},
                          {&LumoUI::MDialog::DoCancel, IDCANCEL},
                          {&LumoUI::MDialog::DoClose, IDCANCEL},
                          {&LumoUI::MDialog::DoYes, IDYES},
                          {&LumoUI::MDialog::DoNo, IDNO}};
    TestDialog owner;
    owner.Open();
    for (const Case& c : cases) {
        TestDialog dlg;
        const HWND hwnd = dlg.Open(WS_POPUP, owner.GetSafeHwnd());
        bool ownerEnabledMeanwhile = true;
        // Runs inside the modal loop, before the close request.
        PostMessageW(hwnd, WM_USERCLOSEWINDOW + 1, 0, 0);
        (dlg.*c.close)();
        struct OwnerState : LumoUI::MControl {
            OwnerState(MObject* parent, bool* seen, HWND owner)
                : MControl(parent, 99, CRect(), 1, 1, 1), seen_(seen), owner_(owner) {}
            void DrawControl(HDC&, CRect) override {}
            LRESULT OnWindowMessage(UINT msg, WPARAM, LPARAM) override {
                if (msg == WM_USERCLOSEWINDOW + 1) {
                    *seen_ = IsWindowEnabled(owner_) != 0;
                }
                return 0;
            }
            bool* seen_;
            HWND owner_;
        };
        dlg.GetPaintManager().AddControl(
            std::make_unique<OwnerState>(&dlg, &ownerEnabledMeanwhile, owner.GetSafeHwnd()));

        EXPECT_EQ(dlg.ShowModal(SW_SHOW), c.result);
        EXPECT_FALSE(IsWindow(hwnd));
        EXPECT_EQ(dlg.closes, 1);
        EXPECT_FALSE(ownerEnabledMeanwhile) << "the owner is disabled while the dialog runs";
        EXPECT_TRUE(owner.IsWindowEnabled());
    }
}

TEST_F(DialogTest, AQuitDuringTheModalLoopEndsItAndIsPostedAgain) {
    TestDialog dlg;
    const HWND hwnd = dlg.Open(WS_POPUP);
    PostQuitMessage(5);
    EXPECT_EQ(dlg.ShowModal(SW_SHOW), 0u);
    EXPECT_TRUE(IsWindow(hwnd)) << "the quit does not close the dialog";
    MSG msg;
    bool quit = false;
    while (!quit && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        quit = msg.message == WM_QUIT;
    }
    ASSERT_TRUE(quit);
    EXPECT_EQ(msg.wParam, 5u);
}

TEST_F(DialogTest, AMessageAControlConsumesNeverReachesTheDefaultProcedure) {
    for (const bool consumed : {true, false}) {
        TestDialog dlg;
        Probe* probe = nullptr;
        dlg.build = [&](TestDialog& d) { probe = d.Add(1, CRect(0, 0, 10, 10)); };
        const HWND hwnd = dlg.Open();
        probe->consumes = consumed ? WM_CLOSE : 0;
        EXPECT_EQ(SendMessageW(hwnd, WM_CLOSE, 0, 0), 0);
        EXPECT_EQ(dlg.closes, 1) << "the dialog's own handler runs first either way";
        EXPECT_EQ(IsWindow(hwnd) != 0, consumed) << "the default procedure destroys it";
    }
}

TEST_F(DialogTest, ASuperclassedWindowKeepsTheBehaviourOfItsSystemClass) {
    WNDCLASSEXW base;
    base.lpfnWndProc = [](HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) -> LRESULT {
        return msg == WM_APP + 1 ? 9 : DefWindowProcW(hwnd, msg, wparam, lparam);
    };
    base.lpszClassName = L"LumoTestBase";
    RegisterClassExW(&base);
    struct Superclassed : LumoUI::MWindow {
        const wchar_t* super = L"LumoTestBase";
        const wchar_t* GetWindowClassName() const override { return L"LumoTestEdit"; }
        const wchar_t* GetSuperClassName() const override { return super; }
        LRESULT OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam) override {
            return msg == WM_APP ? 7 : MWindow::OnWindowMessage(msg, wparam, lparam);
        }
    };
    Superclassed window;
    const HWND hwnd = window.Create(nullptr, L"", WS_POPUP, 0, CRect(0, 0, 50, 20));
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(window.SendMessageW(WM_APP), 7);
    EXPECT_EQ(window.SendMessageW(WM_APP + 1), 9) << "passed on to the system class";
    EXPECT_EQ(GetPropW(hwnd, L"Control"), &window);
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_USERDATA), 0) << "the user data stays the class's";
    window.DestroyWindow();
    EXPECT_EQ(window.GetSafeHwnd(), nullptr);

    Superclassed orphan;
    orphan.super = L"NoSuchSystemClass";
    EXPECT_EQ(orphan.Create(nullptr, L"", WS_POPUP, 0, CRect(0, 0, 50, 20)), nullptr);
}

TEST_F(DialogTest, TheMessageLoopDropsAltF4AndEndsWithTheQuitCode) {
    TestDialog dlg;
    const HWND hwnd = dlg.Open();
    display->KeyDown(VK_MENU);
    display->KeyDown(VK_F4);
    PostQuitMessage(3);
    EXPECT_EQ(LumoUI::Manager::MessageLoop(), 3);
    EXPECT_TRUE(IsWindow(hwnd)) << "Alt+F4 closes no toolkit window through the loop";
    MSG msg;
    EXPECT_EQ(LumoUI::Manager::PreTranslateMessage(&msg), 1);
    display->KeyUp(VK_F4);
    display->KeyUp(VK_MENU);
    EXPECT_EQ(LumoUI::Manager::PreTranslateMessage(&msg), 0);

    display->KeyDown(VK_MENU);
    display->PressKey(VK_F4);
    display->KeyUp(VK_MENU);
    Pump();
    EXPECT_FALSE(IsWindow(hwnd)) << "dispatched without the loop, Alt+F4 closes it";
}

TEST_F(DialogTest, CenteredOverTheOwnerOrTheWorkAreaAndKeptInside) {
    const CRect work = display->WorkArea();
    struct Case {
        CRect owner;  // empty: no owner
        CPoint topLeft;
    };
    const Case cases[] = {
        {CRect(), CPoint(work.CenterPoint().x - 150, work.CenterPoint().y - 100)},
        {CRect(400, 300, 800, 700), CPoint(450, 400)},
        {CRect(work.right - 100, 0, work.right, 100), CPoint(work.right - 300, 0)},
    };
    for (const Case& c : cases) {
        TestDialog owner;
        HWND ownerHwnd = nullptr;
        if (!c.owner.IsRectEmpty()) {
            ownerHwnd = owner.Create(nullptr, L"owner", WS_POPUP | WS_VISIBLE, 0, c.owner);
        }
        TestDialog dlg;
        dlg.Open(WS_POPUP | WS_VISIBLE, ownerHwnd);
        dlg.CenterWindow();
        Pump();
        RECT r;
        dlg.GetWindowRect(&r);
        EXPECT_EQ(r.TopLeft(), c.topLeft) << c.owner.left;
        EXPECT_EQ(CRect(r).Size(), CSize(300, 200));
    }
}

TEST_F(DialogTest, SizeStaysWithinTheLimits) {
    TestDialog dlg;
    dlg.Open();
    LumoUI::PaintManager& pm = dlg.GetPaintManager();
    pm.SetWindowMixSize(200, 150);
    pm.SetWindowMaxSize(400, 0);
    dlg.SetWindowPos(nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    RECT r;
    dlg.GetWindowRect(&r);
    EXPECT_EQ(CRect(r).Size(), CSize(200, 150));
    dlg.SetWindowPos(nullptr, 0, 0, 900, 900, SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    dlg.GetWindowRect(&r);
    EXPECT_EQ(CRect(r).Size(), CSize(400, 900)) << "0: no limit";

    MINMAXINFO info;
    info.ptMaxTrackSize = CPoint(5000, 5000);
    EXPECT_EQ(dlg.SendMessageW(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info)), 1);
    EXPECT_EQ(info.ptMinTrackSize, CPoint(200, 150));
    EXPECT_EQ(info.ptMaxTrackSize, CPoint(400, 5000));
    EXPECT_EQ(info.ptMaxSize.x, 400);
}

TEST_F(DialogTest, AreasAndTheBackgroundReachTheScreen) {
    for (const bool layered : {false, true}) {
        TestDialog dlg;
        dlg.build = [](TestDialog& d) {
            auto* area = static_cast<LumoUI::CArea*>(
                d.CreateArea(L"CArea", 3, CRect(10, 10, 60, 60), L"", 1, 0));
            ASSERT_NE(area, nullptr);
            EXPECT_TRUE(area->IsEnabled()) << "an area is always enabled";
            area->SetTransparent(0, 0, RGB(255, 0, 0));
            area->SetFrame(1, LumoUI::Color(0xFF00FF00));
        };
        EXPECT_EQ(dlg.CreateControl(L"NoSuchControl", 4, CRect(), L"", 1, 1), nullptr);
        dlg.SetLayeredWindow(layered);
        const HWND hwnd = dlg.Open();
        Pump();
        LumoUI::HeadlessFrame frame;
        ASSERT_TRUE(display->GetFrame(hwnd, 0, &frame));
        EXPECT_EQ(frame.perPixelAlpha, layered);
        EXPECT_EQ((dlg.GetExStyle() & WS_EX_LAYERED) != 0, layered);
        const LumoUI::HeadlessImage& image = frame.image;
        EXPECT_TRUE(SameColor(image.Color(0, 0), 0x10A8FD)) << "frame colour";
        EXPECT_TRUE(SameColor(image.Color(5, 5), 0x090D13)) << "background colour";
        EXPECT_EQ(image.Color(10, 10), 0xFF00FF00u) << "the area's frame";
        EXPECT_EQ(image.Color(30, 30), 0xFFFF0000u) << "its fill";
    }
}

}  // namespace
}  // namespace coretest
