#include "os/hid_interface_name.h"

#include <charconv>
#include <cstdio>
#include <vector>

namespace {

// Linux bus numbers of the hid device name (BUS_USB and friends of linux/input.h).
constexpr unsigned kLinuxBusUsb = 0x03;
constexpr unsigned kLinuxBusBluetooth = 0x05;
constexpr unsigned kLinuxBusI2c = 0x18;
constexpr unsigned kLinuxBusSpi = 0x1C;

constexpr const char* kHidInterfaceClass = "{4d1e55b2-f16f-11cf-88cb-001111000030}";

std::vector<std::string_view> SplitPath(std::string_view path) {
    std::vector<std::string_view> parts;
    while (!path.empty()) {
        const size_t slash = path.find('/');
        const std::string_view part = path.substr(0, slash);
        if (!part.empty()) {
            parts.push_back(part);
        }
        if (slash == std::string_view::npos) {
            break;
        }
        path.remove_prefix(slash + 1);
    }
    return parts;
}

bool ParseHex(std::string_view text, unsigned& value) {
    if (text.empty()) {
        return false;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return error == std::errc() && end == text.data() + text.size();
}

// A hid device's kernel name: bus, vendor and product id, and a sequence number, in the
// form "0003:1A2B:3C4D.0005".
bool ParseHidDeviceName(std::string_view name, unsigned& bus, unsigned& vendor, unsigned& product) {
    if (name.size() != 19 || name[4] != ':' || name[9] != ':' || name[14] != '.') {
        return false;
    }
    unsigned sequence = 0;
    return ParseHex(name.substr(0, 4), bus) && ParseHex(name.substr(5, 4), vendor) &&
           ParseHex(name.substr(10, 4), product) && ParseHex(name.substr(15, 4), sequence);
}

// A USB interface's kernel name, "<port path>:<configuration>.<interface>", as "1-2:1.2".
int UsbInterfaceNumber(std::string_view name) {
    const size_t colon = name.rfind(':');
    const size_t dot = name.rfind('.');
    if (colon == std::string_view::npos || dot == std::string_view::npos || dot < colon) {
        return -1;
    }
    int number = -1;
    const std::string_view digits = name.substr(dot + 1);
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), number, 10);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.empty()) {
        return -1;
    }
    return number;
}

HidBus BusOf(unsigned linuxBus) {
    switch (linuxBus) {
        case kLinuxBusUsb:
            return HidBus::Usb;
        case kLinuxBusBluetooth:
            return HidBus::Bluetooth;
        case kLinuxBusI2c:
            return HidBus::I2c;
        case kLinuxBusSpi:
            return HidBus::Spi;
        default:
            return HidBus::Unknown;
    }
}

}  // namespace

std::optional<HidNodeIdentity> ParseHidrawDevicePath(std::string_view devicePath) {
    const std::vector<std::string_view> parts = SplitPath(devicePath);
    for (size_t i = parts.size(); i-- > 0;) {
        unsigned bus = 0;
        unsigned vendor = 0;
        unsigned product = 0;
        if (!ParseHidDeviceName(parts[i], bus, vendor, product)) {
            continue;
        }
        HidNodeIdentity identity;
        identity.bus = BusOf(bus);
        identity.vendorId = static_cast<std::uint16_t>(vendor);
        identity.productId = static_cast<std::uint16_t>(product);
        if (identity.bus == HidBus::Usb && i > 0) {
            identity.interfaceNumber = UsbInterfaceNumber(parts[i - 1]);
        }
        if (identity.bus == HidBus::Bluetooth) {
            for (size_t k = 0; k < i; ++k) {
                identity.lowEnergy = identity.lowEnergy || parts[k] == "uhid";
            }
        }
        identity.instance = std::string(parts[i]);
        for (char& c : identity.instance) {
            if (c == ':' || c == '.') {
                c = '&';
            }
        }
        return identity;
    }
    return std::nullopt;
}

std::string FormatInterfaceName(const HidNodeIdentity& identity) {
    char ids[96];
    if (identity.lowEnergy) {
        std::snprintf(ids, sizeof ids,
                      "HID#{00001812-0000-1000-8000-00805f9b34fb}_DEV_VID&02%04X_PID&%04X",
                      identity.vendorId, identity.productId);
    } else if (identity.bus == HidBus::Bluetooth) {
        std::snprintf(ids, sizeof ids,
                      "HID#{00001124-0000-1000-8000-00805f9b34fb}_VID&0002%04X_PID&%04X",
                      identity.vendorId, identity.productId);
    } else if (identity.interfaceNumber >= 0) {
        std::snprintf(ids, sizeof ids, "HID#VID_%04X&PID_%04X&MI_%02X", identity.vendorId,
                      identity.productId, static_cast<unsigned>(identity.interfaceNumber) & 0xFF);
    } else {
        std::snprintf(ids, sizeof ids, "HID#VID_%04X&PID_%04X", identity.vendorId,
                      identity.productId);
    }
    std::string name = "\\\\?\\";
    name += ids;
    name += '#';
    name += identity.instance.empty() ? std::string("0") : identity.instance;
    name += '#';
    name += kHidInterfaceClass;
    return name;
}
