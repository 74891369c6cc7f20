#include "os/hid_interface_name.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kClass = "#{4d1e55b2-f16f-11cf-88cb-001111000030}";

TEST(HidInterfaceNameTest, NamesHidrawNodesInTheWindowsForm) {
    struct Case {
        const char* devicePath;
        std::string name;
    };
    const Case cases[] = {
        {"/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.2/0003:1A2B:3C4D.0005/hidraw/hidraw3",
         std::string(R"(\\?\HID#VID_1A2B&PID_3C4D&MI_02#0003&1A2B&3C4D&0005)") + kClass},
        {"/devices/pci0000:00/0000:00:14.0/usb3/3-1/3-1.4/3-1.4:1.3/0003:1A2B:3C4E.000A/hidraw/"
         "hidraw7",
         std::string(R"(\\?\HID#VID_1A2B&PID_3C4E&MI_03#0003&1A2B&3C4E&000A)") + kClass},
        // Bluetooth LE keyboards come through uhid from the Bluetooth daemon.
        {"/devices/virtual/misc/uhid/0005:1A2B:3C4D.0006/hidraw/hidraw4",
         std::string(R"(\\?\HID#{00001812-0000-1000-8000-00805f9b34fb}_DEV_VID&021A2B_PID&3C4D)"
                     "#0005&1A2B&3C4D&0006") +
             kClass},
        {"/devices/pci0000:00/0000:00:14.0/usb1/1-5/1-5:1.0/bluetooth/hci0/hci0:256/"
         "0005:046D:B342.0007/hidraw/hidraw5",
         std::string(R"(\\?\HID#{00001124-0000-1000-8000-00805f9b34fb}_VID&0002046D_PID&B342)"
                     "#0005&046D&B342&0007") +
             kClass},
        {"/devices/platform/AMDI0010:01/i2c-1/i2c-ELAN0001:00/0018:04F3:3057.0001/hidraw/hidraw0",
         std::string(R"(\\?\HID#VID_04F3&PID_3057#0018&04F3&3057&0001)") + kClass},
        {"/devices/virtual/misc/uhid/0003:1A2B:3C4D.0009/hidraw/hidraw9",
         std::string(R"(\\?\HID#VID_1A2B&PID_3C4D#0003&1A2B&3C4D&0009)") + kClass},
    };
    for (const Case& c : cases) {
        const std::optional<HidNodeIdentity> identity = ParseHidrawDevicePath(c.devicePath);
        ASSERT_TRUE(identity.has_value()) << c.devicePath;
        EXPECT_EQ(FormatInterfaceName(*identity), c.name) << c.devicePath;
    }
}

TEST(HidInterfaceNameTest, PathsWithoutAHidDeviceNameNothing) {
    for (const char* path : {"", "/devices/virtual/misc/uhid", "/devices/0003:1A2B:3C4D/hidraw",
                             "/devices/0003:1A2B:3C4G.0001/hidraw/hidraw1",
                             "/devices/00003:1A2B:3C4D.0001/hidraw/hidraw1"}) {
        EXPECT_FALSE(ParseHidrawDevicePath(path).has_value()) << path;
    }
}

}  // namespace
