// Waits on the monotonic clock with clock_nanosleep, to the millisecond as the protocol asks.
#pragma once

#include <memory>

#include "device/sleeper.h"

class RealSleeper : public Sleeper {
public:
    // One program-wide instance.
    static std::shared_ptr<RealSleeper> Shared();

    // Sleeps until the deadline, even when signals interrupt the wait.
    void Sleep(std::chrono::milliseconds duration) override;
    std::chrono::nanoseconds Now() const override;
};
