// A HID device manager wired to simulated keyboards in virtual time, and small report helpers.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/catalogue_record.h"
#include "device/device_list_view.h"
#include "device/hid_device_manager.h"
#include "device/sim/simulated_hid_backend.h"
#include "device/virtual_sleeper.h"

struct SimulatedRig {
    // A match entry and the catalogue mode record that goes with it.
    void Catalogue(int vendorId, int productId, const CString& product, int deviceType,
                   int connectionMode, const CString& fragment = L"") {
        manager.AddMatchEntry({vendorId, productId, product, deviceType, connectionMode, fragment});
        CatalogueRecord mode;
        mode.name = product;
        mode.deviceType = deviceType;
        mode.connectionMode = connectionMode;
        mode.vendorId = vendorId;
        mode.productId = productId;
        mode.interfaceFragment = fragment;
        modes.push_back(mode);
    }
    // Both modes of the Brimlow K201, as data/config.xml has them.
    void CatalogueK201() {
        Catalogue(0x1A2B, 0x3C4D, L"Brimlow K201", 201, 0, L"HID#VID_1A2B&PID_3C4D&MI_02");
        Catalogue(0x1A2B, 0x3C4E, L"Brimlow K201 Wireless", 201, 1, L"HID#VID_1A2B&PID_3C4E&MI_02");
    }

    std::shared_ptr<VirtualSleeper> sleeper = std::make_shared<VirtualSleeper>();
    std::shared_ptr<SimulatedHidBackend> backend = std::make_shared<SimulatedHidBackend>(sleeper);
    HidDeviceManager manager{backend, sleeper};
    std::vector<CatalogueRecord> modes;
    std::mutex modesLock;
};

// Keeps what a refresh tells the device list, in order.
class RecordingDeviceList : public DeviceListView {
public:
    void ResetAllState() override { calls.push_back("reset"); }
    void SetDeviceState(int deviceType, int state) override {
        calls.push_back(std::to_string(deviceType) + "=" + std::to_string(state));
    }

    std::vector<std::string> calls;
};

// A 65-byte output report: report id 0, then the payload, zeros after.
inline std::array<std::uint8_t, 65> OutputReport(std::initializer_list<std::uint8_t> payload) {
    std::array<std::uint8_t, 65> report{};
    std::copy(payload.begin(), payload.end(), report.begin() + 1);
    return report;
}

// An 8-byte feature report, zeros after the given bytes.
inline std::array<std::uint8_t, 8> FeatureReport(std::initializer_list<std::uint8_t> bytes) {
    std::array<std::uint8_t, 8> report{};
    std::copy(bytes.begin(), bytes.end(), report.begin());
    return report;
}

// A keyboard of the given ids, product and report family with the standard interfaces.
inline SimulatedKeyboardIdentity KeyboardIdentity(std::uint16_t productId, const CString& product,
                                                  int deviceType = 201) {
    SimulatedKeyboardIdentity identity = SimulatedK201(0);
    identity.productId = productId;
    identity.product = product;
    identity.deviceType = deviceType;
    return identity;
}
