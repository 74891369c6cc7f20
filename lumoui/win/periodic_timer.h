// A periodic timer that runs its callback on a thread of its own (the toolkit's animation
// timer). It keeps a fixed rate on the window-system clock: on real time a late tick does not
// cause a burst of catch-up ticks; on virtual time every tick of the advanced time is run
// before the test's AdvanceTime returns.
#pragma once

#include <functional>
#include <memory>
#include <thread>

#include "lumoui/base/lumoui_export.h"
#include "lumoui/win/win_types.h"

namespace LumoUI {

class LUMOUI_API PeriodicTimer {
public:
    PeriodicTimer() = default;
    // Stops the timer and waits for its thread.
    ~PeriodicTimer();
    PeriodicTimer(const PeriodicTimer&) = delete;
    PeriodicTimer& operator=(const PeriodicTimer&) = delete;

    // Starts ticking every `periodMs` milliseconds (the first tick one period from now).
    // False when it is already running, the period is 0, there is no callback, or it is
    // called from the timer's own tick.
    bool Start(UINT periodMs, std::function<void()> tick);
    // Ends the ticks: no tick starts after Stop returns, and a tick in progress is waited for.
    // Called from inside a tick, it only asks the thread to end (it cannot wait for itself).
    void Stop();
    bool IsRunning() const;
    UINT Period() const { return period_; }

private:
    struct State;
    static void RunOnRealTime(State& s);
    static void RunOnVirtualTime(State& s);
    std::shared_ptr<State> state_;
    std::thread thread_;
    UINT period_ = 0;
};

}  // namespace LumoUI
