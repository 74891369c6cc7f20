#include "device/hidapi_backend.h"

#include <hidapi/hidapi.h>

#include <mutex>
#include <optional>

#include "os/hid_interface_name.h"
#include "os/udev_handles.h"

// hidapi initialised for as long as the backend or any handle it opened lives. hidapi keeps its
// global error text unguarded, so the calls that set it (enumeration, opening) are serialised.
class HidapiLibrary {
public:
    HidapiLibrary() : initialised_(hid_init() == 0) {}
    ~HidapiLibrary() {
        if (initialised_) {
            hid_exit();
        }
    }
    HidapiLibrary(const HidapiLibrary&) = delete;
    HidapiLibrary& operator=(const HidapiLibrary&) = delete;

    bool IsInitialised() const { return initialised_; }
    std::mutex& GlobalLock() { return globalLock_; }

private:
    const bool initialised_;
    std::mutex globalLock_;
};

namespace {

CString WideOrEmpty(const wchar_t* text) {
    return text != nullptr ? CString(text) : CString();
}

// HidBus takes hidapi's numbers.
HidBus BusOf(hid_bus_type bus) {
    return bus >= HID_API_BUS_USB && bus <= HID_API_BUS_SPI ? static_cast<HidBus>(bus)
                                                            : HidBus::Unknown;
}

// The Windows-form name of an enumerated interface: from its hidraw node's udev device path
// when udev knows the node, else from hidapi's own fields.
std::string InterfaceNameOf(udev* context, const hid_device_info& info) {
    const std::string path = info.path != nullptr ? info.path : "";
    const size_t slash = path.rfind('/');
    const std::string sysname = slash == std::string::npos ? path : path.substr(slash + 1);
    if (context != nullptr) {
        UdevDevicePtr device(
            udev_device_new_from_subsystem_sysname(context, "hidraw", sysname.c_str()));
        const char* devicePath = device ? udev_device_get_devpath(device.get()) : nullptr;
        if (devicePath != nullptr) {
            if (std::optional<HidNodeIdentity> identity = ParseHidrawDevicePath(devicePath)) {
                return FormatInterfaceName(*identity);
            }
        }
    }
    HidNodeIdentity identity;
    identity.bus = BusOf(info.bus_type);
    identity.vendorId = info.vendor_id;
    identity.productId = info.product_id;
    identity.interfaceNumber = identity.bus == HidBus::Usb ? info.interface_number : -1;
    identity.instance = sysname;
    return FormatInterfaceName(identity);
}

class HidapiHandle : public HidHandle {
public:
    HidapiHandle(std::shared_ptr<HidapiLibrary> library, hid_device* device)
        : library_(std::move(library)), device_(device) {}

    int Write(std::span<const std::uint8_t> report) override {
        return hid_write(device_.get(), report.data(), report.size());
    }
    int SendFeatureReport(std::span<const std::uint8_t> report) override {
        return hid_send_feature_report(device_.get(), report.data(), report.size());
    }
    int GetFeatureReport(std::span<std::uint8_t> report) override {
        return hid_get_feature_report(device_.get(), report.data(), report.size());
    }
    CString LastError() const override { return WideOrEmpty(hid_error(device_.get())); }

private:
    struct Closer {
        void operator()(hid_device* device) const { hid_close(device); }
    };

    // Declared first so that it outlives the device it guards.
    std::shared_ptr<HidapiLibrary> library_;
    std::unique_ptr<hid_device, Closer> device_;
};

}  // namespace

HidapiBackend::HidapiBackend() : library_(std::make_shared<HidapiLibrary>()) {}

HidapiBackend::~HidapiBackend() = default;

std::vector<HidInterfaceInfo> HidapiBackend::Enumerate() {
    std::vector<HidInterfaceInfo> interfaces;
    if (!library_->IsInitialised()) {
        return interfaces;
    }
    const UdevPtr context(udev_new());
    const std::lock_guard lock(library_->GlobalLock());
    hid_device_info* const first = hid_enumerate(0, 0);
    for (const hid_device_info* info = first; info != nullptr; info = info->next) {
        HidInterfaceInfo entry;
        entry.path = info->path != nullptr ? info->path : "";
        entry.interfaceName = InterfaceNameOf(context.get(), *info);
        entry.vendorId = info->vendor_id;
        entry.productId = info->product_id;
        entry.product = WideOrEmpty(info->product_string);
        entry.usagePage = info->usage_page;
        entry.usage = info->usage;
        entry.release = info->release_number;
        entry.interfaceNumber = info->interface_number;
        entry.bus = BusOf(info->bus_type);
        interfaces.push_back(std::move(entry));
    }
    hid_free_enumeration(first);
    return interfaces;
}

std::unique_ptr<HidHandle> HidapiBackend::Open(const std::string& path) {
    if (!library_->IsInitialised()) {
        return nullptr;
    }
    const std::lock_guard lock(library_->GlobalLock());
    hid_device* const device = hid_open_path(path.c_str());
    if (device == nullptr) {
        return nullptr;
    }
    return std::make_unique<HidapiHandle>(library_, device);
}

CString HidapiBackend::LastError() const {
    if (!library_->IsInitialised()) {
        return L"hidapi could not be initialised";
    }
    const std::lock_guard lock(library_->GlobalLock());
    return WideOrEmpty(hid_error(nullptr));
}
