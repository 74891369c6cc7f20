// Virtual time for tests: a wait returns at once, moves the virtual clock on by its length and
// is recorded. Several threads may wait at once; each wait moves the one clock.
#pragma once

#include <mutex>
#include <vector>

#include "device/sleeper.h"

class VirtualSleeper : public Sleeper {
public:
    void Sleep(std::chrono::milliseconds duration) override;
    std::chrono::nanoseconds Now() const override;

    // Every wait so far, in order.
    std::vector<std::chrono::milliseconds> Waits() const;
    // The sum of the recorded waits.
    std::chrono::milliseconds Elapsed() const;
    // Forgets the recorded waits; the clock keeps its time.
    void ClearWaits();

private:
    mutable std::mutex lock_;
    std::chrono::nanoseconds now_{0};
    std::vector<std::chrono::milliseconds> waits_;
};
