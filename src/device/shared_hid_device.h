// An open HID interface as the HID device manager hands it out: shared by the device list and
// the transfers in flight, with one lock that lets a single transfer at a time use it. Closing
// waits for the transfer in progress and then releases the handle at once; transfers that still
// hold the object afterwards fail instead of touching a closed handle.
#pragma once

#include <memory>
#include <mutex>

#include "device/hid_handle.h"

class SharedHidDevice {
public:
    explicit SharedHidDevice(std::unique_ptr<HidHandle> handle) : handle_(std::move(handle)) {}
    SharedHidDevice(const SharedHidDevice&) = delete;
    SharedHidDevice& operator=(const SharedHidDevice&) = delete;

    // One transfer's exclusive use of the interface, for as long as the session lives. Every
    // operation fails with -1 once the interface was closed.
    class Session {
    public:
        int Write(std::span<const std::uint8_t> report);
        int SendFeatureReport(std::span<const std::uint8_t> report);
        int GetFeatureReport(std::span<std::uint8_t> report);

    private:
        friend class SharedHidDevice;
        explicit Session(SharedHidDevice& device);

        SharedHidDevice& device_;
        std::unique_lock<std::mutex> lock_;
    };

    // Waits until no other transfer uses the interface.
    Session Begin() { return Session(*this); }
    // Waits for the transfer in progress, then closes the handle. Idempotent.
    void Close();
    bool IsOpen() const;
    // The handle's last error text, or a note that it was closed.
    CString LastError() const;

private:
    mutable std::mutex lock_;
    std::unique_ptr<HidHandle> handle_;
};
