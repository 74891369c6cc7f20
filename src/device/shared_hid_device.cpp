#include "device/shared_hid_device.h"

SharedHidDevice::Session::Session(SharedHidDevice& device) : device_(device), lock_(device.lock_) {}

int SharedHidDevice::Session::Write(std::span<const std::uint8_t> report) {
    return device_.handle_ ? device_.handle_->Write(report) : -1;
}

int SharedHidDevice::Session::SendFeatureReport(std::span<const std::uint8_t> report) {
    return device_.handle_ ? device_.handle_->SendFeatureReport(report) : -1;
}

int SharedHidDevice::Session::GetFeatureReport(std::span<std::uint8_t> report) {
    return device_.handle_ ? device_.handle_->GetFeatureReport(report) : -1;
}

void SharedHidDevice::Close() {
    std::unique_ptr<HidHandle> closing;
    {
        const std::lock_guard lock(lock_);
        closing = std::move(handle_);
    }
    // The handle closes here, outside the lock, so a slow close holds up no other caller.
}

bool SharedHidDevice::IsOpen() const {
    const std::lock_guard lock(lock_);
    return handle_ != nullptr;
}

CString SharedHidDevice::LastError() const {
    const std::lock_guard lock(lock_);
    return handle_ ? handle_->LastError() : CString(L"device closed");
}
