// How a simulated keyboard shows up on the HID bus: ids, product string, the report family it
// speaks and its interfaces.
#pragma once

#include <cstdint>
#include <vector>

#include "lumoui/base/cstring.h"
#include "os/hid_bus.h"

enum class SimulatedInterfaceRole {
    // The keyboard collection the system owns; it refuses to open.
    SystemKeyboard,
    // The vendor interface that takes configuration reports.
    Vendor,
    // The second vendor interface (interface 3), which takes the streamed frames.
    Auxiliary,
};

struct SimulatedInterface {
    int number = 0;
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    SimulatedInterfaceRole role = SimulatedInterfaceRole::Vendor;
    bool opens = true;
};

struct SimulatedKeyboardIdentity {
    std::uint16_t vendorId = 0x1A2B;
    std::uint16_t productId = 0x3C4D;
    CString product = L"Brimlow K201";
    std::uint16_t release = 0x0105;
    // Below 200 the first report family, 200 to 299 the second; decides how the light report
    // 07 FF FF reads.
    int deviceType = 201;
    HidBus bus = HidBus::Usb;
    // A Bluetooth LE HID device: its interface names carry the LE HID service identifier.
    bool lowEnergy = false;
    std::vector<SimulatedInterface> interfaces;
    // Answered to the firmware version request.
    int firmwareVersion = 0x0105;
};

// Interface 0, the system keyboard (usage page 1, usage 6, refuses to open); interface 2, the
// vendor interface, and interface 3, the auxiliary one (both usage page 0xFF01, usage 1).
std::vector<SimulatedInterface> StandardKeyboardInterfaces();

// The Brimlow K201 of data/config.xml: connection mode 0 is the cable identity (product id
// 0x3C4D, "Brimlow K201"), any other the wireless one (0x3C4E, "Brimlow K201 Wireless").
SimulatedKeyboardIdentity SimulatedK201(int connectionMode);
