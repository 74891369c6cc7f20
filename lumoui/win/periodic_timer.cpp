#include "lumoui/win/periodic_timer.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "lumoui/win/window_backend.h"

namespace LumoUI {

// Shared with the thread, so a thread told to stop from inside its own tick can finish after
// the timer object is gone.
struct PeriodicTimer::State {
    std::function<void()> tick;
    UINT period = 0;
    std::mutex lock;
    std::condition_variable wake;
    bool stop = false;
    // Virtual time: the clock to sleep on and the sleeper's entry in it.
    VirtualClock* virtualClock = nullptr;
    int sleeper = 0;
};

PeriodicTimer::~PeriodicTimer() {
    Stop();
    if (thread_.joinable()) {
        // Destroyed from its own tick: the thread ends by itself; it holds its own state.
        if (std::this_thread::get_id() == thread_.get_id()) {
            thread_.detach();
        } else {
            thread_.join();
        }
    }
}

bool PeriodicTimer::Start(UINT periodMs, std::function<void()> tick) {
    if (IsRunning() || periodMs == 0 || !tick) {
        return false;
    }
    if (thread_.joinable()) {
        // A thread that was told to stop from its own tick; it cannot be restarted from there.
        if (std::this_thread::get_id() == thread_.get_id()) {
            return false;
        }
        thread_.join();
    }
    auto state = std::make_shared<State>();
    state->tick = std::move(tick);
    state->period = periodMs;
    WindowClock& clock = GetWindowClock();
    if (clock.IsVirtual()) {
        state->virtualClock = static_cast<VirtualClock*>(&clock);
        state->sleeper = state->virtualClock->AddSleeper(clock.NowMs() + periodMs);
    }
    state_ = state;
    period_ = periodMs;
    detail::PeriodicTimerStarted();
    thread_ = std::thread([state] {
        if (state->virtualClock) {
            RunOnVirtualTime(*state);
        } else {
            RunOnRealTime(*state);
        }
        detail::PeriodicTimerEnded();
    });
    return true;
}

void PeriodicTimer::Stop() {
    if (!state_) {
        return;
    }
    std::shared_ptr<State> state = std::move(state_);
    {
        std::lock_guard guard(state->lock);
        state->stop = true;
    }
    state->wake.notify_all();
    if (state->virtualClock) {
        state->virtualClock->CancelSleeper(state->sleeper);
    }
    // From inside a tick the thread cannot be waited for; it is joined by the next Start or
    // by the destructor.
    if (thread_.joinable() && std::this_thread::get_id() != thread_.get_id()) {
        thread_.join();
    }
}

bool PeriodicTimer::IsRunning() const {
    return state_ != nullptr;
}

void PeriodicTimer::RunOnRealTime(State& s) {
    using std::chrono::milliseconds;
    auto next = std::chrono::steady_clock::now() + milliseconds(s.period);
    std::unique_lock guard(s.lock);
    for (;;) {
        if (s.wake.wait_until(guard, next, [&] { return s.stop; })) {
            return;
        }
        guard.unlock();
        s.tick();
        guard.lock();
        next += milliseconds(s.period);
        const auto now = std::chrono::steady_clock::now();
        if (next <= now) {
            next = now + milliseconds(s.period);  // late: skip the missed ticks
        }
    }
}

void PeriodicTimer::RunOnVirtualTime(State& s) {
    VirtualClock& clock = *s.virtualClock;
    while (clock.WaitForDue(s.sleeper)) {
        {
            std::lock_guard guard(s.lock);
            if (s.stop) {
                break;
            }
        }
        s.tick();
        // Every due time is run on virtual time, so a test sees each tick of the time it
        // advanced.
        clock.SetSleeperDue(s.sleeper, clock.SleeperDue(s.sleeper) + s.period);
    }
    clock.RemoveSleeper(s.sleeper);
}

}  // namespace LumoUI
