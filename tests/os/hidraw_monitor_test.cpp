#include "os/hidraw_monitor.h"

#include <gtest/gtest.h>

namespace {

// Real hidraw events need a device and root; what can be shown here is that the watch starts
// where udev can be watched, and always stops and joins at once.
TEST(HidrawMonitorTest, StartsAndStopsCleanly) {
    HidrawMonitor monitor;
    EXPECT_FALSE(monitor.Start(nullptr));
    const DeviceChangeCallback ignore = [](DeviceChange, const CString&) {};
    if (!monitor.Start(ignore)) {
        GTEST_SKIP() << "udev cannot be watched here";
    }
    EXPECT_TRUE(monitor.IsRunning());
    EXPECT_FALSE(monitor.Start(ignore));
    monitor.Stop();
    EXPECT_FALSE(monitor.IsRunning());
    monitor.Stop();
    ASSERT_TRUE(monitor.Start(ignore));
    // The destructor stops it.
}

}  // namespace
