#include "lumoui/win/window_clock.h"

#include <chrono>

namespace LumoUI {

uint64_t MonotonicClock::NowMs() const {
    using namespace std::chrono;
    // Offset by one second so that 0 never reads as a time.
    return static_cast<uint64_t>(
               duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count()) +
           1000;
}

VirtualClock::VirtualClock(uint64_t startMs) : now_(startMs == 0 ? 1 : startMs) {}

uint64_t VirtualClock::NowMs() const {
    std::lock_guard guard(lock_);
    return now_;
}

bool VirtualClock::AllCaughtUpLocked() const {
    for (const auto& [id, sleeper] : sleepers_) {
        if (!sleeper.cancelled && sleeper.due <= now_) {
            return false;
        }
    }
    return true;
}

void VirtualClock::AdvanceTo(uint64_t ms, const std::function<void()>& whileWaiting) {
    std::unique_lock guard(lock_);
    if (ms > now_) {
        now_ = ms;
    }
    changed_.notify_all();
    while (!AllCaughtUpLocked()) {
        if (whileWaiting) {
            guard.unlock();
            whileWaiting();
            guard.lock();
            if (AllCaughtUpLocked()) {
                break;
            }
        }
        // A sleeper that finishes notifies at once; the time-out only bounds how long work
        // that the sleeper may be waiting for (whileWaiting) stays unserved.
        changed_.wait_for(guard, std::chrono::milliseconds(5));
    }
}

uint64_t VirtualClock::NextSleeperDue() const {
    std::lock_guard guard(lock_);
    uint64_t next = kNever;
    for (const auto& [id, sleeper] : sleepers_) {
        if (!sleeper.cancelled && sleeper.due < next) {
            next = sleeper.due;
        }
    }
    return next;
}

int VirtualClock::AddSleeper(uint64_t dueMs) {
    std::lock_guard guard(lock_);
    const int id = nextSleeper_++;
    sleepers_[id].due = dueMs;
    return id;
}

bool VirtualClock::WaitForDue(int sleeper) {
    std::unique_lock guard(lock_);
    for (;;) {
        auto it = sleepers_.find(sleeper);
        if (it == sleepers_.end() || it->second.cancelled) {
            return false;
        }
        if (it->second.due <= now_) {
            return true;
        }
        changed_.wait(guard);
    }
}

uint64_t VirtualClock::SleeperDue(int sleeper) const {
    std::lock_guard guard(lock_);
    auto it = sleepers_.find(sleeper);
    return it == sleepers_.end() ? kNever : it->second.due;
}

void VirtualClock::SetSleeperDue(int sleeper, uint64_t dueMs) {
    std::lock_guard guard(lock_);
    auto it = sleepers_.find(sleeper);
    if (it != sleepers_.end()) {
        it->second.due = dueMs;
    }
    changed_.notify_all();
}

void VirtualClock::CancelSleeper(int sleeper) {
    std::lock_guard guard(lock_);
    auto it = sleepers_.find(sleeper);
    if (it != sleepers_.end()) {
        it->second.cancelled = true;
    }
    changed_.notify_all();
}

void VirtualClock::RemoveSleeper(int sleeper) {
    std::lock_guard guard(lock_);
    sleepers_.erase(sleeper);
    changed_.notify_all();
}

}  // namespace LumoUI
