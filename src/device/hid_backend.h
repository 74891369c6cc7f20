// The HID access the HID device manager needs: hidapi in the program (device/hidapi_backend.h),
// the simulated keyboard in tests and with --simulate (device/sim/simulated_hid_backend.h).
// Enumeration and opening may be called from one thread while handles are used on others.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "device/hid_handle.h"
#include "device/hid_interface_info.h"
#include "lumoui/base/cstring.h"

class HidBackend {
public:
    virtual ~HidBackend() = default;

    // Every HID interface of the system, in enumeration order.
    virtual std::vector<HidInterfaceInfo> Enumerate() = 0;
    // Opens an interface by its enumerated path; none when it cannot be opened.
    virtual std::unique_ptr<HidHandle> Open(const std::string& path) = 0;
    // The text of the last failure that no handle records (initialisation, opening).
    virtual CString LastError() const = 0;
};
