#include "device/real_sleeper.h"

#include <time.h>

#include <cerrno>

namespace {

constexpr long kNanosecondsPerSecond = 1'000'000'000;

}  // namespace

std::shared_ptr<RealSleeper> RealSleeper::Shared() {
    static const std::shared_ptr<RealSleeper> instance = std::make_shared<RealSleeper>();
    return instance;
}

void RealSleeper::Sleep(std::chrono::milliseconds duration) {
    if (duration.count() <= 0) {
        return;
    }
    timespec deadline{};
    clock_gettime(CLOCK_MONOTONIC, &deadline);
    const long long total = deadline.tv_nsec + duration.count() * 1'000'000LL;
    deadline.tv_sec += static_cast<time_t>(total / kNanosecondsPerSecond);
    deadline.tv_nsec = static_cast<long>(total % kNanosecondsPerSecond);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
    }
}

std::chrono::nanoseconds RealSleeper::Now() const {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}
