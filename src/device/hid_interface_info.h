// One HID interface (top-level collection) as a HID backend enumerates it.
#pragma once

#include <cstdint>
#include <string>

#include "lumoui/base/cstring.h"
#include "os/hid_bus.h"

struct HidInterfaceInfo {
    // What the backend opens (a hidraw node for hidapi).
    std::string path;
    // The device interface name in the Windows form (os/hid_interface_name.h).
    std::string interfaceName;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    // The HID product string; empty when the device gives none.
    CString product;
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    std::uint16_t release = 0;
    // The USB interface number; -1 on other buses.
    int interfaceNumber = -1;
    HidBus bus = HidBus::Unknown;
};
