#include "device/virtual_sleeper.h"

void VirtualSleeper::Sleep(std::chrono::milliseconds duration) {
    const std::lock_guard lock(lock_);
    waits_.push_back(duration);
    if (duration.count() > 0) {
        now_ += duration;
    }
}

std::chrono::nanoseconds VirtualSleeper::Now() const {
    const std::lock_guard lock(lock_);
    return now_;
}

std::vector<std::chrono::milliseconds> VirtualSleeper::Waits() const {
    const std::lock_guard lock(lock_);
    return waits_;
}

std::chrono::milliseconds VirtualSleeper::Elapsed() const {
    const std::lock_guard lock(lock_);
    std::chrono::milliseconds sum{0};
    for (const std::chrono::milliseconds wait : waits_) {
        sum += wait;
    }
    return sum;
}

void VirtualSleeper::ClearWaits() {
    const std::lock_guard lock(lock_);
    waits_.clear();
}
