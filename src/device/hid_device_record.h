// One opened vendor interface of a catalogued keyboard.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "device/shared_hid_device.h"
#include "lumoui/base/cstring.h"

struct HidDeviceRecord {
    // The number of records in the list when this one was made.
    int index = 0;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    // The interface's device interface name (Windows form) as enumerated.
    std::string path;
    CString spare1;
    // The interface's HID product string.
    CString product;
    CString spare2;
    // Shared with the transfers that address it; closed by the manager's CloseAll.
    std::shared_ptr<SharedHidDevice> handle;
    int release = 0;
    // Of the first match entry with this vendor and product id; 0 when none.
    int deviceType = 0;
    int connectionMode = 0;
    // 1 when the connection mode is 0 (the cable link).
    int cable = 0;
};
