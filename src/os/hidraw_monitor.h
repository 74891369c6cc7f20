// Watches the hidraw subsystem through libudev and reports every node that is added or removed,
// named in the Windows form. The watch runs on a thread of its own; the callback is called on
// that thread and should only queue work.
#pragma once

#include <atomic>
#include <thread>

#include "os/device_change.h"
#include "os/udev_handles.h"
#include "os/unique_fd.h"

class HidrawMonitor {
public:
    HidrawMonitor() = default;
    ~HidrawMonitor();
    HidrawMonitor(const HidrawMonitor&) = delete;
    HidrawMonitor& operator=(const HidrawMonitor&) = delete;

    // Starts watching. False when udev cannot be watched (no netlink socket in a container, for
    // instance) or the monitor already runs.
    bool Start(DeviceChangeCallback callback);
    // Wakes the thread and joins it; the callback is not called afterwards. Safe to call when
    // not running; never from the callback itself.
    void Stop();
    bool IsRunning() const { return thread_.joinable(); }

private:
    void Run();
    void Deliver(udev_device* device);

    UdevPtr udev_;
    UdevMonitorPtr monitor_;
    // Written by Stop to wake the thread's poll.
    UniqueFd wake_;
    DeviceChangeCallback callback_;
    std::thread thread_;
};
