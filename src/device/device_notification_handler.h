// Recognises the arrival and removal of a catalogued keyboard from a device interface name and
// queues the refresh. It never touches the HID device manager.
#pragma once

#include <mutex>
#include <vector>

#include "device/catalogue_record.h"
#include "device/device_command_queue.h"
#include "os/device_change.h"

class DeviceNotificationHandler {
public:
    // `modes` is the catalogue's mode list, whose connected marks the device refresh sets
    // under `modesLock`; both outlive the handler.
    DeviceNotificationHandler(std::vector<CatalogueRecord>& modes, std::mutex& modesLock,
                              DeviceCommandQueue& queue)
        : modes_(modes), modesLock_(modesLock), queue_(queue) {}

    // The name is compared upper-cased with each record's interface fragment, in catalogue
    // order. Arrival: names of Bluetooth LE HID devices are ignored; the first record whose
    // fragment occurs queues an arrival with its device type. Removal: only records marked
    // connected count; the first that matches loses its mark and queues a removal with its
    // connection mode. True when something was queued.
    bool OnDeviceChange(DeviceChange change, const CString& interfaceName);

    // A callback for the hidraw monitor and the simulated keyboard.
    DeviceChangeCallback Callback() {
        return [this](DeviceChange change, const CString& name) { OnDeviceChange(change, name); };
    }

private:
    std::vector<CatalogueRecord>& modes_;
    std::mutex& modesLock_;
    DeviceCommandQueue& queue_;
};
