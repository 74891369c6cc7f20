// The HID backend on hidapi's hidraw backend. Interface names are synthesized from the udev
// device path of each hidraw node, so they read as on Windows.
#pragma once

#include <memory>

#include "device/hid_backend.h"

class HidapiLibrary;

class HidapiBackend : public HidBackend {
public:
    // Initialises hidapi; when that fails, enumeration finds nothing and nothing opens.
    HidapiBackend();
    ~HidapiBackend() override;

    std::vector<HidInterfaceInfo> Enumerate() override;
    std::unique_ptr<HidHandle> Open(const std::string& path) override;
    CString LastError() const override;

private:
    // Shared with every open handle, so hidapi is shut down only after the last one closed.
    std::shared_ptr<HidapiLibrary> library_;
};
