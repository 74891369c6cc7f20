// Input injected on the headless display and routed by a dialog's paint manager: window
// drags, hover and capture on nested controls, deactivation, the wheel, keys, Tab order and
// tooltips.
#include "core_test_support.h"

namespace coretest {
namespace {

using InputTest = CoreTest;
using LumoUI::PaintManager;

TEST_F(InputTest, APressOnFreeSpaceDragsTheWindowWhileDraggingIsEnabled) {
    struct Case {
        CPoint press;  // client pixels
        bool dragging;
        bool moves;
    };
    for (const Case c : {Case{{200, 150}, true, true}, Case{{200, 150}, false, false},
                         Case{{20, 20}, true, false}}) {
        TestDialog dlg;
        dlg.build = [](TestDialog& d) { d.Add(1, CRect(10, 10, 60, 60)); };
        const HWND hwnd = dlg.Open();
        dlg.EnableWndDrag(c.dragging);
        const CPoint from = Screen(c.press.x, c.press.y);
        display->PressButton(from);
        Pump();
        display->MoveMouse(CPoint(from.x + 40, from.y + 30));
        Pump();
        display->ReleaseButton(CPoint(from.x + 40, from.y + 30));
        Pump();
        RECT r;
        GetWindowRect(hwnd, &r);
        EXPECT_EQ(r.TopLeft(), c.moves ? CPoint(140, 130) : CPoint(100, 100))
            << c.press.x << " dragging " << c.dragging;
    }
}

TEST_F(InputTest, NestedControlsGetHoverPressAndTheReleaseOutsideUnderCapture) {
    TestDialog dlg;
    Probe* container = nullptr;
    Probe* inner = nullptr;
    Probe* other = nullptr;
    dlg.build = [&](TestDialog& d) {
        container = d.Add(1, CRect(10, 10, 200, 150));
        inner = AddChild(*container, 2, CRect(50, 50, 100, 100));
        other = AddChild(*container, 3, CRect(120, 50, 170, 100));
    };
    const HWND hwnd = dlg.Open();
    PaintManager& pm = dlg.GetPaintManager();

    display->MoveMouse(Screen(60, 60));
    Pump();
    EXPECT_EQ(pm.GetHoverControl(), container);
    EXPECT_EQ(inner->Last("move").pt, CPoint(60, 60));

    display->MoveMouse(Screen(130, 60));
    Pump();
    EXPECT_EQ(inner->Last("move").pt, CPoint(130, 60)) << "the control left drops its hover";
    EXPECT_EQ(other->Last("move").pt, CPoint(130, 60));

    display->PressButton(Screen(60, 60));
    Pump();
    EXPECT_EQ(inner->Last("down").pt, CPoint(60, 60));
    EXPECT_EQ(GetCapture(), hwnd);
    EXPECT_TRUE(pm.IsCaptured());
    EXPECT_EQ(pm.GetFocusControl(), inner) << "the pressed control takes the focus";
    EXPECT_EQ(other->Count("down") + container->Count("down"), 0);

    display->MoveMouse(Screen(350, 250));
    display->ReleaseButton(Screen(350, 250));
    Pump();
    EXPECT_EQ(inner->Last("up").pt, CPoint(350, 250)) << "released outside the window";
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(pm.GetHoverControl(), nullptr);

    display->MoveMouse(Screen(60, 60));
    Pump();
    pm.RemoveControl(container);
    EXPECT_EQ(pm.GetHoverControl(), nullptr) << "a deleted control is forgotten";
    EXPECT_EQ(pm.GetFocusControl(), nullptr);
    display->Click(Screen(60, 60));
    Pump();
}

TEST_F(InputTest, DeactivationEndsAPressWithAReleaseAtMinusOne) {
    for (const bool pressed : {true, false}) {
        TestDialog dlg;
        Probe* probe = nullptr;
        dlg.build = [&](TestDialog& d) { probe = d.Add(1, CRect(10, 10, 100, 100)); };
        const HWND hwnd = dlg.Open();
        if (pressed) {
            display->PressButton(Screen(50, 50));
        } else {
            display->MoveMouse(Screen(50, 50));
        }
        Pump();
        probe->calls.clear();
        LumoUI::NativeActivationChanged(nullptr);  // another program's window came forward
        Pump();
        ASSERT_FALSE(probe->calls.empty());
        EXPECT_EQ(probe->calls.back().what, pressed ? "up" : "move");
        EXPECT_EQ(probe->calls.back().pt, CPoint(-1, -1));
        EXPECT_EQ(dlg.GetPaintManager().GetHoverControl(), nullptr);
        EXPECT_NE(GetCapture(), hwnd);
        if (pressed) {
            display->ReleaseButton(Screen(50, 50));
            Pump();
        }
    }
}

TEST_F(InputTest, TheWheelScrollsOneStepPerWholeNotch) {
    struct Case {
        int delta;
        int steps;
        UINT direction;
    };
    for (const Case c : {Case{60, 0, 0}, Case{-240, 2, 1}, Case{120, 1, 0}, Case{-359, 2, 1}}) {
        TestDialog dlg;
        Probe* probe = nullptr;
        dlg.build = [&](TestDialog& d) { probe = d.Add(1, CRect(10, 10, 200, 150)); };
        dlg.Open();
        display->Wheel(Screen(50, 50), c.delta);
        Pump();
        EXPECT_EQ(probe->Count("scroll"), c.steps) << c.delta;
        if (c.steps > 0) {
            EXPECT_EQ(probe->Last("scroll").a, 1u) << "kind: the wheel";
            EXPECT_EQ(probe->Last("scroll").b, c.direction) << c.delta;
            EXPECT_EQ(probe->Last("scroll").pt, CPoint(50, 50));
        }
    }
}

TEST_F(InputTest, KeysCarryTheModifierValue) {
    struct Case {
        std::vector<UINT> held;
        UINT modifier;
    };
    const Case cases[] = {{{}, 0},
                          {{VK_SHIFT}, 16},
                          {{VK_CONTROL}, 17},
                          {{VK_MENU}, 18},
                          {{VK_CONTROL, VK_SHIFT}, 17},
                          {{VK_CONTROL, VK_MENU}, 19}};
    TestDialog dlg;
    Probe* probe = nullptr;
    dlg.build = [&](TestDialog& d) { probe = d.Add(1, CRect(10, 10, 100, 100)); };
    dlg.Open();
    for (const Case& c : cases) {
        for (UINT vk : c.held) {
            display->KeyDown(vk);
        }
        display->PressKey('K');
        for (UINT vk : c.held) {
            display->KeyUp(vk);
        }
        Pump();
        EXPECT_EQ(probe->Last("key").a, static_cast<UINT>('K'));
        EXPECT_EQ(probe->Last("key").b, c.modifier) << c.held.size();
    }
}

TEST_F(InputTest, TabMovesTheFocusAmongTheTabStopsOnly) {
    TestDialog dlg;
    std::vector<Probe*> p;
    dlg.build = [&](TestDialog& d) {
        for (UINT id = 1; id <= 5; ++id) {
            p.push_back(d.Add(id, CRect(10 * id, 10, 10 * id + 8, 18)));
        }
        p[0]->SetTabStop(1);
        p[2]->SetTabStop(1);
        p[3]->SetTabStop(1);
        p[3]->SetVisible(0);
        p[4]->SetTabStop(1);
        p[4]->SetEnabled(0);
    };
    dlg.Open();
    PaintManager& pm = dlg.GetPaintManager();
    auto press = [&](std::vector<UINT> held) {
        for (UINT vk : held) {
            display->KeyDown(vk);
        }
        display->PressKey(VK_TAB);
        for (UINT vk : held) {
            display->KeyUp(vk);
        }
        PumpThrough(dlg);
    };

    press({VK_SHIFT});
    EXPECT_EQ(pm.GetFocusControl(), p[2]) << "Shift+Tab without focus: the last tab stop";
    EXPECT_TRUE(p[2]->IsFocused());
    press({});
    EXPECT_EQ(pm.GetFocusControl(), p[0]) << "wraps around, past hidden and disabled ones";
    EXPECT_FALSE(p[2]->IsFocused());
    press({});
    EXPECT_EQ(pm.GetFocusControl(), p[2]);
    press({VK_SHIFT});
    EXPECT_EQ(pm.GetFocusControl(), p[0]);
    press({VK_CONTROL});
    EXPECT_EQ(pm.GetFocusControl(), p[0]) << "Ctrl+Tab does nothing";
    EXPECT_EQ(p[1]->Count("focus"), 0);
}

TEST_F(InputTest, HoveringAControlWithATooltipShowsIt) {
    TestDialog dlg;
    dlg.build = [&](TestDialog& d) {
        d.Add(4, CRect(10, 10, 100, 100))->SetTooltip(L"Apply the settings");
    };
    const HWND hwnd = dlg.Open();
    PaintManager& pm = dlg.GetPaintManager();

    display->MoveMouse(Screen(50, 50));
    Pump();
    EXPECT_EQ(pm.GetTooltipText(), L"Apply the settings");
    EXPECT_EQ(pm.GetTooltipCtrlID(), 4u);
    const HWND tip = pm.GetTooltipWnd();
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(IsWindowVisible(tip));
    RECT r;
    GetWindowRect(tip, &r);
    EXPECT_GT(r.top, Screen(50, 50).y) << "below the pointer";
    EXPECT_LE(CRect(r).Width(), 256);
    EXPECT_EQ(display->WindowAt(Screen(50, 50)), hwnd) << "the mouse goes through the tip";

    display->MoveMouse(Screen(200, 150));
    Pump();
    EXPECT_FALSE(IsWindowVisible(tip));
    EXPECT_EQ(pm.GetTooltipCtrlID(), PaintManager::kNoTooltipOwner);
}

}  // namespace
}  // namespace coretest
