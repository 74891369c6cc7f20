// The clock and the waits of the device protocol. The program sleeps for real
// (device/real_sleeper.h); tests run in virtual time (device/virtual_sleeper.h) and can still see
// every wait. Safe to use from several threads.
#pragma once

#include <chrono>

class Sleeper {
public:
    virtual ~Sleeper() = default;

    virtual void Sleep(std::chrono::milliseconds duration) = 0;
    // Monotonic time since an arbitrary start.
    virtual std::chrono::nanoseconds Now() const = 0;
};
