// The animation timer and its registered controls, control timers with their identifiers,
// and periodic timer objects; all on virtual time.
#include <atomic>

#include "core_test_support.h"
#include "lumoui/core/rk_timer.h"

namespace coretest {
namespace {

using LumoUI::MPanel;
using LumoUI::PaintManager;
using TimersTest = CoreTest;

// Counts its ticks (animation ticks arrive on the timer's thread).
class Ticker : public MControl {
public:
    Ticker(MObject* parent, UINT id, CRect rect) : MControl(parent, id, rect, 1, 1, 1) {
        SetRunTimer(1);
    }
    void DrawControl(HDC&, CRect) override {}
    int OnControlTimer() override {
        ++ticks;
        return 0;
    }
    std::atomic<int> ticks{0};
};

TEST_F(TimersTest, AnimationTicksReachRegisteredControlsThatAreShownWithAllTheirParents) {
    TestDialog dlg;
    Ticker* shown = nullptr;
    Ticker* idle = nullptr;
    Ticker* nested = nullptr;
    MPanel* page = nullptr;
    dlg.build = [&](TestDialog& d) {
        shown = d.Add<Ticker>(1, CRect(0, 0, 10, 10));
        idle = d.Add<Ticker>(2, CRect(0, 0, 10, 10));
        idle->SetRunTimer(0);
        page = d.Add<MPanel>(3, CRect(0, 0, 100, 100), 0);
        nested = AddChild<Ticker>(*page, 4, CRect(0, 0, 10, 10));
    };
    dlg.Open();
    for (Ticker* t : {shown, idle, nested}) {
        t->AddMTimer();
    }
    const UINT id = dlg.SetMTimer(10);
    EXPECT_NE(id, 0u);
    EXPECT_EQ(LumoUI::RKTimer::GetTalTimer(id), &dlg.GetPaintManager());
    display->AdvanceTime(100);
    EXPECT_EQ(shown->ticks, 10);
    EXPECT_EQ(idle->ticks, 0) << "run-timer flag off";
    EXPECT_EQ(nested->ticks, 0) << "its page is hidden, though it is visible itself";
    page->SetVisible(1);
    display->AdvanceTime(30);
    EXPECT_EQ(nested->ticks, 3);

    EXPECT_EQ(dlg.GetPaintManager().DeleteTalTimer(shown), 1);
    EXPECT_EQ(dlg.GetPaintManager().DeleteTalTimer(shown), 0);
    page->RemoveControl(nested);  // deleted while registered: no tick may reach it
    display->AdvanceTime(30);
    EXPECT_EQ(shown->ticks, 13) << "no ticks after it was taken out";
    EXPECT_EQ(dlg.KillMTimer(id), 1);
    EXPECT_EQ(LumoUI::RKTimer::GetTalTimer(id), nullptr);
}

TEST_F(TimersTest, ControlTimersGetIdentifiersFromSeventeenAndRestartWithTheirOwn) {
    TestDialog dlg;
    Ticker* first = nullptr;
    Ticker* second = nullptr;
    dlg.build = [&](TestDialog& d) {
        first = d.Add<Ticker>(1, CRect(0, 0, 10, 10));
        second = d.Add<Ticker>(2, CRect(0, 0, 10, 10));
    };
    dlg.Open();
    PaintManager& pm = dlg.GetPaintManager();
    EXPECT_EQ(pm.SetTimer(first, 100, 30), 1);
    EXPECT_EQ(pm.GetTimerID(first, 100), 17u) << "the first control timer of a window";
    EXPECT_EQ(pm.SetTimer(first, 100, 30), 0) << "already running";
    EXPECT_EQ(pm.SetTimer(second, 100, 10), 1);
    EXPECT_EQ(pm.GetTimerID(second, 100), 18u);
    display->AdvanceTime(90);
    EXPECT_EQ(first->ticks, 3);
    EXPECT_EQ(second->ticks, 9);

    EXPECT_EQ(pm.KillTimer(first, 100), 1);
    EXPECT_EQ(pm.KillTimer(first, 100), 0);
    display->AdvanceTime(60);
    EXPECT_EQ(first->ticks, 3) << "killed";
    EXPECT_EQ(pm.SetTimer(first, 100, 30), 1);
    EXPECT_EQ(pm.GetTimerID(first, 100), 17u) << "restarted with its identifier";
    display->AdvanceTime(30);
    EXPECT_EQ(first->ticks, 4);

    pm.KillTimer(second);
    EXPECT_EQ(pm.GetTimerID(second, 100), 0u) << "forgotten";
    dlg.GetPaintManager().RemoveControl(first);
    display->AdvanceTime(60);  // a deleted control's timers are gone with it
    EXPECT_EQ(pm.SetTimer(second, 100, 10), 1);
    EXPECT_EQ(pm.GetTimerID(second, 100), 19u);
}

TEST_F(TimersTest, ControlTimerIdentifiersPassOverTheWindowsOwn) {
    TestDialog dlg;
    Ticker* ticker = nullptr;
    dlg.build = [&](TestDialog& d) { ticker = d.Add<Ticker>(1, CRect(0, 0, 10, 10)); };
    dlg.Open();
    PaintManager& pm = dlg.GetPaintManager();
    for (UINT key = 0; key < 100; ++key) {
        ASSERT_EQ(pm.SetTimer(ticker, key, 1000), 1);
        const UINT id = pm.GetTimerID(ticker, key);
        EXPECT_TRUE(id != 66 && id != 88 && id != 99) << key;
    }
    EXPECT_EQ(pm.GetTimerID(ticker, 48), 65u);
    EXPECT_EQ(pm.GetTimerID(ticker, 49), 67u);
}

class NamedTimers : public LumoUI::RKTimer {
public:
    ~NamedTimers() override { KillTimer(); }
    void OnMTimer(UINT) override { ++ticks; }
    void OnMTimer(UINT, const CString& name) override {
        if (name == L"app") {
            ++named;
        }
    }
    std::atomic<int> ticks{0};
    std::atomic<int> named{0};
};

TEST_F(TimersTest, PeriodicTimersTickOnTheirThreadUntilKilled) {
    NamedTimers timers;
    const UINT plain = timers.SetTimer(10, L"plain", 0);
    const UINT app = timers.SetTimer(20, L"app", 1);
    EXPECT_NE(plain, app);
    EXPECT_EQ(timers.SetTimer(0, L"none", 0), 0u) << "a timer that cannot start";
    EXPECT_EQ(LumoUI::RKTimer::GetTalTimer(app), &timers);
    EXPECT_EQ(timers.GetTimerName(app), L"app");
    EXPECT_EQ(timers.IsAppTimer(app), 1);
    EXPECT_EQ(timers.IsAppTimer(plain), 0);
    EXPECT_EQ(timers.GetTimerIsRun(L"plain"), 1);
    display->AdvanceTime(100);
    EXPECT_EQ(timers.ticks, 10 + 5);
    EXPECT_EQ(timers.named, 5);
    EXPECT_EQ(timers.KillTimer(L"plain"), 1);
    EXPECT_EQ(timers.GetTimerIsRun(plain), 0);
    display->AdvanceTime(100);
    EXPECT_EQ(timers.ticks, 15 + 5);
    EXPECT_EQ(timers.KillTimer(app), 1);
    EXPECT_EQ(timers.KillTimer(app), 0);
    EXPECT_EQ(LumoUI::RKTimer::GetTalTimer(app), nullptr);
}

}  // namespace
}  // namespace coretest
