#include "os/hidraw_monitor.h"

#include <poll.h>
#include <sys/eventfd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "os/hid_interface_name.h"

HidrawMonitor::~HidrawMonitor() {
    Stop();
}

bool HidrawMonitor::Start(DeviceChangeCallback callback) {
    if (IsRunning() || !callback) {
        return false;
    }
    UdevPtr context(udev_new());
    if (!context) {
        return false;
    }
    UdevMonitorPtr monitor(udev_monitor_new_from_netlink(context.get(), "udev"));
    if (!monitor ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor.get(), "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor.get()) < 0) {
        return false;
    }
    UniqueFd wake(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    if (!wake.IsValid()) {
        return false;
    }
    udev_ = std::move(context);
    monitor_ = std::move(monitor);
    wake_ = std::move(wake);
    callback_ = std::move(callback);
    thread_ = std::thread([this] { Run(); });
    return true;
}

void HidrawMonitor::Stop() {
    if (!thread_.joinable()) {
        return;
    }
    const std::uint64_t one = 1;
    // An eventfd write of 8 bytes only fails when the counter would overflow, which one write
    // per stop never reaches.
    [[maybe_unused]] const ssize_t written = ::write(wake_.Get(), &one, sizeof one);
    thread_.join();
    callback_ = nullptr;
    monitor_.reset();
    udev_.reset();
    wake_.Reset();
}

void HidrawMonitor::Run() {
    pollfd fds[2] = {{udev_monitor_get_fd(monitor_.get()), POLLIN, 0}, {wake_.Get(), POLLIN, 0}};
    for (;;) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if (fds[1].revents != 0) {
            return;
        }
        if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) {
            return;
        }
        if (fds[0].revents & POLLIN) {
            UdevDevicePtr device(udev_monitor_receive_device(monitor_.get()));
            if (device) {
                Deliver(device.get());
            }
        }
    }
}

void HidrawMonitor::Deliver(udev_device* device) {
    const char* action = udev_device_get_action(device);
    const char* path = udev_device_get_devpath(device);
    if (action == nullptr || path == nullptr) {
        return;
    }
    DeviceChange change;
    if (std::strcmp(action, "add") == 0) {
        change = DeviceChange::Arrival;
    } else if (std::strcmp(action, "remove") == 0) {
        change = DeviceChange::Removal;
    } else {
        return;
    }
    const std::optional<HidNodeIdentity> identity = ParseHidrawDevicePath(path);
    if (identity) {
        callback_(change, Utf8ToWide(FormatInterfaceName(*identity)));
    }
}
