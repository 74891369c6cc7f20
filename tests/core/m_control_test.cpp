// The control tree on its own, without a window: repaint requests, flags, look-up, routing
// among children, notifications through containers and the scroll bars of a panel.
#include "core_test_support.h"
#include "lumoui/core/m_control_font.h"
#include "lumoui/core/m_panel.h"
#include "lumoui/core/notifications.h"

namespace coretest {
namespace {

using LumoUI::MPanel;

struct Label : LumoUI::MControlFont {
    using MControlFont::MControlFont;
    void DrawControl(HDC&, CRect) override {}
};

TEST(ControlRequests, ChangesAskTheOwnerToRepaintOnlyWhenSomethingChanged) {
    RecordingOwner owner;
    Probe probe(&owner, 5, CRect(10, 10, 50, 40));

    probe.SetVisible(1);
    probe.SetEnabled(1);
    EXPECT_TRUE(owner.updates.empty()) << "the same values change nothing";

    probe.SetRect(CRect(30, 20, 90, 60));
    ASSERT_EQ(owner.updates.size(), 1u);
    EXPECT_EQ(owner.updates[0].rect, CRect(10, 10, 90, 60)) << "old and new place";
    EXPECT_EQ(owner.updates[0].code, 1);
    EXPECT_EQ(owner.updates[0].control, &probe);

    probe.SetVisible(0);
    ASSERT_EQ(owner.updates.size(), 2u);
    EXPECT_EQ(owner.updates[1].rect, CRect(30, 20, 90, 60)) << "hiding repaints the old place";

    owner.updates.clear();
    probe.SetRect(CRect(0, 0, 5, 5));
    probe.SetEnabled(0);
    probe.UpdateControl(1, 0);
    EXPECT_TRUE(owner.updates.empty()) << "a hidden control asks for nothing";
    probe.UpdateControl(1, 1);
    EXPECT_EQ(owner.updates.size(), 1u) << "unless forced";

    owner.updates.clear();
    probe.SetVisible(1, 0);
    EXPECT_TRUE(owner.updates.empty()) << "shown without a repaint request";
    EXPECT_TRUE(probe.IsVisible());
    probe.UpdateAControl(0, 0);
    ASSERT_EQ(owner.updates.size(), 1u);
    EXPECT_EQ(owner.updates[0].code, 0) << "the cached image stays valid";
}

TEST(ControlTree, ParentVisibilityLookUpAndClassTags) {
    RecordingOwner dialog(L"MDialog");
    RecordingOwner elsewhere;
    Probe page(&dialog, 1, CRect(0, 0, 100, 100));
    Probe* inner = AddChild(page, 2, CRect(10, 10, 20, 20));
    Probe* deep = AddChild(*inner, 3, CRect(12, 12, 18, 18));
    Probe* area =
        static_cast<Probe*>(page.AddArea(std::make_unique<Probe>(&page, 3, CRect(0, 0, 100, 100))));

    EXPECT_EQ(deep->IsParentVisible(), 1);
    page.SetVisible(0);
    EXPECT_EQ(deep->IsParentVisible(), 0) << "inside a hidden page, though itself visible";
    EXPECT_EQ(Probe(nullptr, 9, CRect()).IsParentVisible(), 0) << "no parent";
    EXPECT_EQ(Probe(&elsewhere, 9, CRect()).IsParentVisible(), 1) << "owned by another window";

    EXPECT_EQ(page.GetControl(3), deep) << "children and their subtrees before area children";
    EXPECT_EQ(page.GetControl(2), inner);
    EXPECT_EQ(page.GetControl(7), nullptr);
    EXPECT_NE(area, nullptr);

    EXPECT_TRUE(page.IsClass(L"TalControl"));
    EXPECT_FALSE(page.IsClass(L"talcontrol")) << "tags compare exactly";
    EXPECT_FALSE(page.IsClass(nullptr));
    EXPECT_TRUE(dialog.IsClass(L"MDialog"));

    page.RemoveControl(inner);
    EXPECT_EQ(page.GetControl(3), area);
    EXPECT_EQ(page.GetControls().size(), 0u);
}

TEST(ControlRouting, APressGoesToTheTopmostChildUnderThePoint) {
    RecordingOwner owner;
    Probe parent(&owner, 1, CRect(0, 0, 200, 200));
    Probe* below = AddChild(parent, 2, CRect(10, 10, 100, 100));
    Probe* above = AddChild(parent, 3, CRect(50, 50, 150, 150));
    Probe* disabled = AddChild(parent, 4, CRect(50, 50, 80, 80));
    disabled->SetEnabled(0);

    parent.OnLButtonDown(0, CPoint(60, 60));
    parent.OnLButtonUp(0, CPoint(300, 300));
    EXPECT_EQ(above->Count("down"), 1);
    EXPECT_EQ(above->Last("up").pt, CPoint(300, 300)) << "the release follows the press";
    EXPECT_EQ(below->Count("down") + disabled->Count("down") + parent.Count("down"), 0);

    parent.OnLButtonDown(0, CPoint(20, 20));
    EXPECT_EQ(below->Count("down"), 1);
    parent.OnLButtonDown(0, CPoint(190, 10));
    EXPECT_EQ(below->Count("down"), 2) << "a press on no child keeps the hot child";
}

TEST(ControlRouting, HoverFollowsTheMouseAndTheHeldButtonKeepsIt) {
    RecordingOwner owner;
    Probe parent(&owner, 1, CRect(0, 0, 200, 200));
    Probe* a = AddChild(parent, 2, CRect(10, 10, 50, 50));
    Probe* b = AddChild(parent, 3, CRect(60, 10, 100, 50));

    EXPECT_EQ(parent.OnMouseMove(0, CPoint(20, 20)), 1);
    parent.OnMouseMove(0, CPoint(70, 20));
    EXPECT_EQ(a->Last("move").pt, CPoint(70, 20)) << "the child left sees the move";
    EXPECT_EQ(b->Count("move"), 2);

    parent.OnLButtonDown(0, CPoint(70, 20));
    a->calls.clear();
    parent.OnMouseMove(MK_LBUTTON, CPoint(20, 20));
    EXPECT_EQ(b->Last("move").pt, CPoint(20, 20)) << "while held, the pressed child keeps it";
    EXPECT_EQ(a->Count("move"), 0);
}

TEST(ControlRouting, DoubleClickIsASecondPressWhereDoubleClicksAreOff) {
    struct Case {
        int childDoubleClicks;
        int downs;
        int dblclks;
    };
    for (const Case c : {Case{0, 2, 0}, Case{1, 1, 1}}) {
        RecordingOwner owner;
        MPanel panel(&owner, 1, CRect(0, 0, 200, 200), 1);  // double clicks on
        Probe* child = AddChild(panel, 5, CRect(10, 10, 60, 60));
        child->SetDoubleClicks(c.childDoubleClicks);
        panel.OnLButtonDown(0, CPoint(20, 20));
        panel.OnLButtonUp(0, CPoint(20, 20));
        panel.OnLButtonDblClk(0, CPoint(20, 20));
        EXPECT_EQ(child->Count("down"), c.downs) << c.childDoubleClicks;
        EXPECT_EQ(child->Count("dblclk"), c.dblclks) << c.childDoubleClicks;

        Probe leaf(&owner, 6, CRect(0, 0, 10, 10));
        leaf.SetDoubleClicks(c.childDoubleClicks);
        leaf.OnLButtonDblClk(0, CPoint(5, 5));
        EXPECT_EQ(leaf.Count("down"), 1 - c.childDoubleClicks);
        EXPECT_EQ(leaf.Count("dblclk"), c.childDoubleClicks);
    }
}

TEST(ControlRouting, KeysDescendToTheFocusedChild) {
    RecordingOwner owner;
    Probe parent(&owner, 1, CRect(0, 0, 200, 200));
    Probe* hovered = AddChild(parent, 2, CRect(10, 10, 50, 50));
    Probe* focused = AddChild(parent, 3, CRect(60, 10, 100, 50));
    focused->SetControlFocus(1);
    parent.OnMouseMove(0, CPoint(20, 20));

    EXPECT_EQ(parent.OnKeyDown('A', 1, 17), 1);
    EXPECT_EQ(focused->Last("key").a, static_cast<UINT>('A'));
    EXPECT_EQ(focused->Last("key").b, 17u);
    EXPECT_EQ(hovered->Count("key") + parent.Count("key"), 0);

    focused->SetControlFocus(0);
    parent.OnKeyDown('B', 1, 0);
    EXPECT_EQ(hovered->Count("key"), 1) << "without focus, the hot child first";
    EXPECT_EQ(parent.OnKeyUp('B', 1, 0), 0);
}

TEST(Panel, ScrollBarsAppearOnlyForContentLargerThanThePanel) {
    RecordingOwner owner;
    MPanel panel(&owner, 1, CRect(0, 0, 100, 80), 1);
    auto* vertical = panel.GetScrollVertical();
    auto* horizontal = panel.GetScrollHorizontal();
    ASSERT_EQ(panel.GetControls().size(), 2u);
    EXPECT_EQ(vertical->GetControlID(), 1u);
    EXPECT_EQ(horizontal->GetControlID(), 2u);
    EXPECT_EQ(vertical->GetRect(), CRect(93, 0, 100, 80));
    EXPECT_EQ(horizontal->GetRect(), CRect(0, 73, 100, 80));
    EXPECT_FALSE(vertical->IsVisible());
    EXPECT_FALSE(horizontal->IsVisible());
    EXPECT_TRUE(panel.GetDblClk());

    panel.SetVirtualHeight(80);
    EXPECT_FALSE(vertical->IsVisible()) << "content that fits";
    panel.SetVirtualHeight(300);
    EXPECT_TRUE(vertical->IsVisible());
    EXPECT_EQ(vertical->GetScrollMaxRange(), 300);
    panel.SetVirtualWidth(150);
    EXPECT_TRUE(horizontal->IsVisible());

    panel.SetRect(CRect(0, 0, 120, 90));
    EXPECT_FALSE(vertical->IsVisible()) << "a new rectangle drops the virtual size";
    EXPECT_FALSE(horizontal->IsVisible());
    EXPECT_EQ(panel.GetVirtualHeight(), 0);
}

TEST(Panel, TheWheelScrollsByTheStepAndPointsMoveIntoTheContent) {
    RecordingOwner owner;
    MPanel panel(&owner, 1, CRect(0, 0, 100, 100), 1);
    Probe* content = AddChild(panel, 7, CRect(0, 100, 100, 200));
    Probe* fixed = AddChild(panel, 1, CRect(0, 0, 20, 20));  // placed like a scroll bar
    content->handlesScroll = false;
    fixed->handlesScroll = false;
    panel.SetVirtualHeight(300);
    auto* bar = panel.GetScrollVertical();

    EXPECT_EQ(panel.OnScroll(1, 0, CPoint(50, 50)), 0) << "already at the top";
    for (int i = 0; i < 15; ++i) {
        panel.OnScroll(1, 1, CPoint(50, 50));
    }
    EXPECT_EQ(bar->GetScrollCurrentPos(), 150);
    EXPECT_EQ(panel.GetScrollOffsetY(), 100) << "(300 - 100) * 150 / 300";

    panel.OnLButtonDown(0, CPoint(10, 10));
    EXPECT_EQ(fixed->Last("down").pt, CPoint(10, 10)) << "identifier 1: the point as received";
    panel.OnLButtonDown(0, CPoint(50, 50));
    EXPECT_EQ(content->Last("down").pt, CPoint(50, 150)) << "content coordinates";

    for (int i = 0; i < 40; ++i) {
        panel.OnScroll(1, 1, CPoint(50, 50));
    }
    EXPECT_EQ(bar->GetScrollCurrentPos(), 300) << "limited to the maximum";
    panel.SetEnableScroll(0);
    EXPECT_EQ(panel.OnScroll(1, 0, CPoint(50, 50)), 0);
}

TEST(Panel, PassesNotificationsAndStateOnToItsChildren) {
    RecordingOwner owner;
    MPanel page(&owner, 1, CRect(0, 0, 100, 100), 1);
    MPanel* inner = AddChild<MPanel>(page, 2, CRect(0, 0, 50, 50), 1);
    Probe* button = AddChild(*inner, 42, CRect(0, 0, 10, 10));

    button->SendMessageW(MN_CLICKED, 3, 4);
    ASSERT_EQ(owner.notes.size(), 1u);
    EXPECT_EQ(owner.notes[0].id, 42u) << "the sender's own identifier reaches the dialog";
    EXPECT_EQ(owner.notes[0].code, MN_CLICKED);
    EXPECT_EQ(owner.notes[0].wparam, 3u);
    EXPECT_EQ(owner.notes[0].lparam, 4);

    page.SetEnabled(0);
    EXPECT_FALSE(button->IsEnabled());
    EXPECT_FALSE(inner->IsEnabled());
}

TEST(ControlFont, ImagesNeedAPaintManager) {
    RecordingOwner owner;
    Label label(&owner, 1, CRect(0, 0, 10, 10), L"Title", 1, 1, 1);
    EXPECT_EQ(label.SetImage(L"btn_apply.png", 4), 0);
    EXPECT_EQ(label.GetImage(), nullptr);
    EXPECT_EQ(label.GetImageSize(), CSize(0, 0));
    EXPECT_EQ(label.GetTitle(), L"Title");
    EXPECT_EQ(label.GetFontWidth(), 14);

    owner.updates.clear();
    label.SetAlignment(1, 4);
    label.SetAlignment(1);
    EXPECT_EQ(owner.updates.size(), 1u) << "only the change repaints";
    label.SetTitle(L"Other");
    EXPECT_EQ(label.GetTitle(), L"Other");
    EXPECT_EQ(owner.updates.size(), 2u);
}

}  // namespace
}  // namespace coretest
