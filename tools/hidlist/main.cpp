// hidlist [--simulate] [config.xml]: every HID interface hidapi (or the simulated keyboard)
// enumerates, with its ids, usage, interface, bus, Windows-form name, and whether the device
// catalogue names it. For users who find that Brimlow does not see their keyboard.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "device/catalogue_reader.h"
#include "device/hid_device_manager.h"
#include "device/hidapi_backend.h"
#include "device/match_entry_collector.h"
#include "device/real_sleeper.h"
#include "device/sim/simulated_hid_backend.h"

namespace {

const char* BusName(HidBus bus) {
    switch (bus) {
        case HidBus::Usb:
            return "usb";
        case HidBus::Bluetooth:
            return "bluetooth";
        case HidBus::I2c:
            return "i2c";
        case HidBus::Spi:
            return "spi";
        default:
            return "unknown";
    }
}

}  // namespace

int main(int argc, char** argv) {
    bool simulate = false;
    CString cataloguePath = CatalogueFilePath();
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--simulate") == 0) {
            simulate = true;
        } else if (std::strcmp(argv[i], "--help") == 0) {
            std::printf("usage: %s [--simulate] [config.xml]\n", argv[0]);
            return 0;
        } else {
            cataloguePath = Utf8ToWide(argv[i]);
        }
    }

    std::shared_ptr<HidBackend> backend;
    if (simulate) {
        backend = MakeSimulatedKeyboardBackend();
    } else {
        backend = std::make_shared<HidapiBackend>();
    }
    HidDeviceManager manager(backend, RealSleeper::Shared());
    DeviceCatalogue catalogue;
    MatchEntryCollector collector;
    if (!LoadCatalogue(cataloguePath, catalogue, collector)) {
        std::printf("catalogue %s not read: no interface counts as catalogued\n",
                    WideToUtf8(cataloguePath).c_str());
    }
    for (const MatchEntry& entry : collector.entries) {
        manager.AddMatchEntry(entry);
    }

    const std::vector<HidInterfaceInfo> interfaces = backend->Enumerate();
    if (interfaces.empty()) {
        std::printf("no HID interfaces found\n");
    }
    for (const HidInterfaceInfo& info : interfaces) {
        const bool catalogued = manager.IsCatalogued(info.vendorId, info.productId, info.product);
        // Opening tells whether the udev rules let this user at the keyboard.
        std::string access;
        if (catalogued) {
            if (backend->Open(info.path)) {
                access = ", opens";
            } else {
                access = ", cannot be opened: " + WideToUtf8(backend->LastError());
            }
        }
        std::printf(
            "%s\n  %s\n  vid %04X pid %04X release %04X usage page %04X usage %04X "
            "interface %d bus %s\n  product \"%s\"  %s%s\n",
            info.path.c_str(), info.interfaceName.c_str(), info.vendorId, info.productId,
            info.release, info.usagePage, info.usage, info.interfaceNumber, BusName(info.bus),
            WideToUtf8(info.product).c_str(), catalogued ? "catalogued" : "not catalogued",
            access.c_str());
    }
    return 0;
}
