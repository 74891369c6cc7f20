// An open HID interface of a backend; closed when the object goes. Not safe to share between
// threads by itself: the HID device manager serialises its use (device/shared_hid_device.h).
#pragma once

#include <cstdint>
#include <span>

#include "lumoui/base/cstring.h"

class HidHandle {
public:
    virtual ~HidHandle() = default;

    // An output report, byte 0 the report id. Bytes written, or -1.
    virtual int Write(std::span<const std::uint8_t> report) = 0;
    // A feature report, byte 0 the report id. Bytes sent, or -1.
    virtual int SendFeatureReport(std::span<const std::uint8_t> report) = 0;
    // Reads the feature report whose id is in byte 0 into `report`. Bytes read including the
    // report id, or -1.
    virtual int GetFeatureReport(std::span<std::uint8_t> report) = 0;
    // The text of the last failure on this interface.
    virtual CString LastError() const = 0;
};
