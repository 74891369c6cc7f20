// The time base of the window system: window timers, hover, double clicks, message times and
// the periodic timer threads all read one clock. The monotonic clock is real time; the
// virtual clock only moves when a test advances it.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>

#include "lumoui/base/lumoui_export.h"

namespace LumoUI {

class LUMOUI_API WindowClock {
public:
    virtual ~WindowClock() = default;
    // Milliseconds since an arbitrary start; never 0, never decreasing.
    virtual uint64_t NowMs() const = 0;
    virtual bool IsVirtual() const = 0;
};

class LUMOUI_API MonotonicClock final : public WindowClock {
public:
    uint64_t NowMs() const override;
    bool IsVirtual() const override { return false; }
};

// Time that stands still until AdvanceTo moves it. Threads that sleep on it (the periodic
// timers) register as sleepers; AdvanceTo returns only after every sleeper that fell due has
// run, so a test that advances time sees every tick of that time completed.
class LUMOUI_API VirtualClock final : public WindowClock {
public:
    static constexpr uint64_t kNever = UINT64_MAX;

    explicit VirtualClock(uint64_t startMs = 1000);

    uint64_t NowMs() const override;
    bool IsVirtual() const override { return true; }

    // Sets the time to `ms` (earlier values are ignored), wakes the sleepers and waits until
    // each has run for every due time up to it. `whileWaiting` runs between short waits, so
    // the caller can serve work that a sleeper waits for meanwhile.
    void AdvanceTo(uint64_t ms, const std::function<void()>& whileWaiting = {});
    // The earliest due time of any sleeper, kNever when there is none.
    uint64_t NextSleeperDue() const;

    // Sleeper side (used by PeriodicTimer). A sleeper is registered with its first due time,
    // waits for it, runs, and registers the next due time, which also reports the run done.
    int AddSleeper(uint64_t dueMs);
    // Blocks until the time reaches the sleeper's due time (true) or it is cancelled (false).
    bool WaitForDue(int sleeper);
    uint64_t SleeperDue(int sleeper) const;
    void SetSleeperDue(int sleeper, uint64_t dueMs);
    void CancelSleeper(int sleeper);
    void RemoveSleeper(int sleeper);

private:
    struct Sleeper {
        uint64_t due = 0;
        bool cancelled = false;
    };
    bool AllCaughtUpLocked() const;

    mutable std::mutex lock_;
    std::condition_variable changed_;
    uint64_t now_;
    int nextSleeper_ = 1;
    std::map<int, Sleeper> sleepers_;
};

}  // namespace LumoUI
