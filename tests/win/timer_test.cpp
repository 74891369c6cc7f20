#include <atomic>
#include <condition_variable>
#include <thread>

#include "lumoui/win/periodic_timer.h"
#include "window_test_support.h"

namespace wintest {
namespace {

using TimerTest = WindowSystemTest;
using LumoUI::PeriodicTimer;

struct Tick {
    UINT_PTR id;
    DWORD at;
    bool operator==(const Tick&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Tick& t) {
    return out << "(" << t.id << " at " << t.at << ")";
}

TEST_F(TimerTest, WindowTimersFireByIdentifierAndCanBeResetAndKilled) {
    const DWORD start = GetTickCount();
    std::vector<Tick> ticks;
    TestWindow w({}, [&](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_TIMER) {
            ticks.push_back(Tick{wParam, GetTickCount() - start});
        }
        return std::nullopt;
    });
    EXPECT_EQ(SetTimer(w, 1, 30, nullptr), 1u);
    EXPECT_EQ(SetTimer(w, 2, 50, nullptr), 2u);
    Advance(100);
    EXPECT_EQ(ticks, (std::vector<Tick>{{1, 30}, {2, 50}, {1, 60}, {1, 90}, {2, 100}}));

    ticks.clear();
    SetTimer(w, 1, 100, nullptr);  // the same identifier: restarted with the new interval
    EXPECT_TRUE(KillTimer(w, 2));
    Advance(150);
    EXPECT_EQ(ticks, (std::vector<Tick>{{1, 200}}));

    ticks.clear();
    EXPECT_TRUE(KillTimer(w, 1));
    EXPECT_FALSE(KillTimer(w, 1));
    SetTimer(w, 3, 0, nullptr);  // below the shortest interval: 10 ms
    Advance(25);
    EXPECT_EQ(ticks, (std::vector<Tick>{{3, 260}, {3, 270}}));
}

std::vector<UINT_PTR> g_callbackTicks;

void TimerCallback(HWND hwnd, UINT message, UINT_PTR id, DWORD) {
    if (hwnd == nullptr && message == WM_TIMER) {
        g_callbackTicks.push_back(id);
    }
}

TEST_F(TimerTest, ThreadTimerCallsItsCallbackAndForgedTimerMessagesCallNothing) {
    g_callbackTicks.clear();
    const UINT_PTR id = SetTimer(nullptr, 0, 20, &TimerCallback);
    ASSERT_NE(id, 0u);
    Advance(40);
    EXPECT_EQ(g_callbackTicks, (std::vector<UINT_PTR>{id, id}));
    EXPECT_TRUE(KillTimer(nullptr, id));

    g_callbackTicks.clear();
    TestWindow w;
    PostMessageW(w, WM_TIMER, 99, reinterpret_cast<LPARAM>(&TimerCallback));
    PostThreadMessageW(GetCurrentThreadId(), WM_TIMER, 98,
                       reinterpret_cast<LPARAM>(&TimerCallback));
    Pump();
    EXPECT_TRUE(g_callbackTicks.empty());
}

TEST_F(TimerTest, TimersBelongToTheWindowsThreadAndEndWithTheWindow) {
    TestWindow w;
    std::thread([&] {
        EXPECT_EQ(SetTimer(w, 1, 10, nullptr), 0u);
        EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
        EXPECT_FALSE(KillTimer(w, 1));
    }).join();
    ASSERT_EQ(SetTimer(w, 1, 10, nullptr), 1u);
    DestroyWindow(w);
    Advance(50);
    EXPECT_EQ(w.Count(WM_TIMER), 0);
}

TEST_F(TimerTest, PeriodicTimerTicksOnVirtualTimeAndStopsCleanly) {
    TestWindow w;
    std::atomic<int> ticks{0};
    std::atomic<std::thread::id> tickThread;
    PeriodicTimer timer;
    ASSERT_TRUE(timer.Start(10, [&] {
        ++ticks;
        tickThread = std::this_thread::get_id();
        InvalidateRect(w, nullptr, FALSE);  // as an animation tick asks for a repaint
    }));
    EXPECT_FALSE(timer.Start(10, [] {}));
    Pump();
    w.Clear();
    Advance(100);
    EXPECT_EQ(ticks.load(), 10);
    EXPECT_NE(tickThread.load(), std::this_thread::get_id());
    EXPECT_GE(w.Count(WM_PAINT), 1);
    for (const Received& r : w.Of(WM_PAINT)) {
        EXPECT_EQ(r.thread, std::this_thread::get_id());
    }

    timer.Stop();
    EXPECT_FALSE(timer.IsRunning());
    Advance(100);
    EXPECT_EQ(ticks.load(), 10);

    EXPECT_FALSE(timer.Start(0, [] {}));
    ASSERT_TRUE(timer.Start(25, [&] { ++ticks; }));
    Advance(100);
    EXPECT_EQ(ticks.load(), 14);
}

TEST_F(TimerTest, PeriodicTimerMayStopItselfFromItsTick) {
    std::atomic<int> ticks{0};
    auto timer = std::make_unique<PeriodicTimer>();
    ASSERT_TRUE(timer->Start(10, [&] {
        if (++ticks == 3) {
            timer->Stop();
        }
    }));
    EXPECT_EQ(LumoUI::UseHeadlessBackend(), nullptr) << "the running timer holds the clock";
    Advance(100);
    EXPECT_EQ(ticks.load(), 3);
    EXPECT_FALSE(timer->IsRunning());
    timer.reset();
}

// Real time: the loop must wake by itself for the next timer, and the timer thread must end.
TEST_F(TimerTest, OnRealTimeTheIdleLoopWakesForTheNextTimer) {
    LumoUI::HeadlessOptions options;
    options.virtualTime = false;
    ASSERT_NE(LumoUI::UseHeadlessBackend(options), nullptr);
    TestWindow w;
    ASSERT_EQ(SetTimer(w, 7, 20, nullptr), 7u);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageW(&msg);
        if (msg.message == WM_TIMER && msg.wParam == 7) {
            break;
        }
    }
    EXPECT_EQ(w.Count(WM_TIMER), 1);

    std::mutex lock;
    std::condition_variable changed;
    int ticks = 0;
    PeriodicTimer timer;
    ASSERT_TRUE(timer.Start(5, [&] {
        std::lock_guard guard(lock);
        ++ticks;
        changed.notify_all();
    }));
    {
        std::unique_lock guard(lock);
        ASSERT_TRUE(changed.wait_for(guard, std::chrono::seconds(10), [&] { return ticks >= 3; }));
    }
    timer.Stop();
    EXPECT_FALSE(timer.IsRunning());
}

}  // namespace
}  // namespace wintest
