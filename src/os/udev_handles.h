// libudev objects held by unique_ptr: each drops its reference when its owner goes.
#pragma once

#include <libudev.h>

#include <memory>

struct UdevDeleter {
    void operator()(udev* context) const { udev_unref(context); }
    void operator()(udev_device* device) const { udev_device_unref(device); }
    void operator()(udev_monitor* monitor) const { udev_monitor_unref(monitor); }
};

using UdevPtr = std::unique_ptr<udev, UdevDeleter>;
using UdevDevicePtr = std::unique_ptr<udev_device, UdevDeleter>;
using UdevMonitorPtr = std::unique_ptr<udev_monitor, UdevDeleter>;
