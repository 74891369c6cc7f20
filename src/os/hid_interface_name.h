// Device interface names in the Windows form, made from what Linux tells about a hidraw node,
// so that catalogue fragments such as "HID#VID_1A2B&PID_3C4D&MI_02" and the rule that marks
// interface 3 ("&MI_03") apply to Linux devices unchanged:
//   USB:              \\?\HID#VID_1A2B&PID_3C4D&MI_02#<instance>#{4d1e55b2-...}
//   Bluetooth LE:     \\?\HID#{00001812-0000-1000-8000-00805f9b34fb}_DEV_VID&021A2B_PID&3C4D#...
//   Bluetooth classic \\?\HID#{00001124-0000-1000-8000-00805f9b34fb}_VID&00021A2B_PID&3C4D#...
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "os/hid_bus.h"

// What names one hidraw node.
struct HidNodeIdentity {
    HidBus bus = HidBus::Unknown;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    // The USB interface number; -1 on other buses.
    int interfaceNumber = -1;
    // A Bluetooth LE HID device (served through uhid by the Bluetooth daemon).
    bool lowEnergy = false;
    // Tells apart nodes whose ids and interface are equal.
    std::string instance;
};

// The identity from a hidraw node's sysfs device path, for instance
// "/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.2/0003:1A2B:3C4D.0005/hidraw/hidraw3".
// Needs only the path, so it serves removals too, when sysfs has already forgotten the node.
// None when the path names no HID device.
std::optional<HidNodeIdentity> ParseHidrawDevicePath(std::string_view devicePath);

// The device interface name of a node, upper-case ids and lower-case class identifiers as
// Windows writes them.
std::string FormatInterfaceName(const HidNodeIdentity& identity);

// The Bluetooth LE HID service identifier, upper-cased as names are compared.
inline constexpr std::wstring_view kLowEnergyHidService = L"00001812-0000-1000-8000-00805F9B34FB";
