// Repaint requests in a shown dialog: which cached images go stale, what is repainted, and
// requests made off the window's thread.
#include <thread>

#include "core_test_support.h"

namespace coretest {
namespace {

using RepaintTest = CoreTest;
using LumoUI::MPanel;

// Controls laid out so that `target` is overlapped by one earlier and one later control, and
// one later control lies apart.
struct Layout {
    Probe* earlier = nullptr;
    Probe* target = nullptr;
    Probe* laterOverlapping = nullptr;
    Probe* laterApart = nullptr;
    Probe* area = nullptr;
};

Layout Build(TestDialog& d) {
    Layout l;
    l.area = static_cast<Probe*>(
        d.GetPaintManager().AddArea(std::make_unique<Probe>(&d, 10, CRect(0, 0, 300, 30))));
    l.earlier = d.Add(1, CRect(0, 0, 50, 50));
    l.target = d.Add(2, CRect(20, 20, 120, 120));
    l.laterOverlapping = d.Add(3, CRect(100, 100, 200, 190));
    l.laterApart = d.Add(4, CRect(150, 0, 250, 50));
    return l;
}

TEST_F(RepaintTest, ARequestMakesLaterOverlappingCachesStaleAndRepaintsThem) {
    for (const int code : {1, 0}) {
        TestDialog dlg;
        Layout l;
        dlg.build = [&](TestDialog& d) { l = Build(d); };
        dlg.Open();
        Pump();
        for (Probe* p : {l.earlier, l.target, l.laterOverlapping, l.laterApart}) {
            ASSERT_EQ(p->GetUpdate(), 1);
            p->renders = 0;
        }

        l.target->UpdateControl(code, 0);
        EXPECT_EQ(l.target->GetUpdate(), code != 0 ? 0 : 1) << code;
        EXPECT_EQ(l.laterOverlapping->GetUpdate(), 0) << "it holds the old pixels beneath it";
        EXPECT_EQ(l.earlier->GetUpdate(), 1);
        EXPECT_EQ(l.laterApart->GetUpdate(), 1);

        Pump();
        EXPECT_EQ(l.target->renders, code != 0 ? 1 : 0);
        EXPECT_EQ(l.laterOverlapping->renders, 1);
        EXPECT_EQ(l.earlier->renders + l.laterApart->renders, 0);
    }
}

TEST_F(RepaintTest, AnAreaRequestReachesEveryControlAboveIt) {
    TestDialog dlg;
    Layout l;
    dlg.build = [&](TestDialog& d) { l = Build(d); };
    dlg.Open();
    Pump();
    l.area->UpdateControl(1, 0);
    EXPECT_EQ(l.earlier->GetUpdate(), 0);
    EXPECT_EQ(l.target->GetUpdate(), 0);
    EXPECT_EQ(l.laterApart->GetUpdate(), 0);
    EXPECT_EQ(l.laterOverlapping->GetUpdate(), 1) << "below the area's bottom";
}

TEST_F(RepaintTest, InsideAPanelTheLaterChildrenAndLaterWindowControlsGoStale) {
    TestDialog dlg;
    Probe* first = nullptr;
    Probe* changed = nullptr;
    Probe* above = nullptr;
    Probe* overPanel = nullptr;
    dlg.build = [&](TestDialog& d) {
        auto* page = d.Add<MPanel>(1, CRect(0, 0, 200, 200), 1);
        first = AddChild(*page, 11, CRect(10, 10, 60, 60));
        changed = AddChild(*page, 12, CRect(40, 40, 100, 100));
        above = AddChild(*page, 13, CRect(90, 90, 150, 150));
        overPanel = d.Add(2, CRect(180, 180, 250, 250));
    };
    dlg.Open();
    Pump();
    changed->UpdateControl(1, 0);
    EXPECT_EQ(changed->GetUpdate(), 0);
    EXPECT_EQ(above->GetUpdate(), 0);
    EXPECT_EQ(first->GetUpdate(), 1);
    EXPECT_EQ(overPanel->GetUpdate(), 0) << "it overlaps the panel, which is repainted";
    Pump();
    EXPECT_EQ(changed->GetUpdate() + above->GetUpdate() + overPanel->GetUpdate(), 3);
}

TEST_F(RepaintTest, ARequestFromAnotherThreadIsCarriedOutBeforeTheNextPaint) {
    TestDialog dlg;
    Layout l;
    dlg.build = [&](TestDialog& d) { l = Build(d); };
    dlg.Open();
    Pump();
    l.laterOverlapping->renders = 0;

    std::thread([&] {
        l.target->UpdateControl(1, 0);
        l.target->UpdateControl(1, 0);
    }).join();
    EXPECT_EQ(l.target->GetUpdate(), 0) << "its own cache goes stale at once";
    EXPECT_EQ(l.laterOverlapping->GetUpdate(), 1) << "the layer is left to the window thread";

    Pump();
    EXPECT_EQ(l.target->GetUpdate(), 1);
    EXPECT_EQ(l.laterOverlapping->renders, 1);
}

}  // namespace
}  // namespace coretest
