// The transfers of the HID device manager: output and feature reports with their waits and
// retries, and the two queries (slot table, firmware version).
#include <algorithm>
#include <array>

#include "device/hid_device_manager.h"

using std::chrono::milliseconds;

namespace {

constexpr std::uint8_t kReportId = 0x07;
constexpr milliseconds kOutputRetryWait{10};
constexpr milliseconds kPayloadRetryWait{32};
constexpr milliseconds kFeatureWait{16};
constexpr size_t kSlotTableSize = 28;
constexpr int kSlotTableReads = 4;
constexpr size_t kSlotTableStride = 7;

}  // namespace

HidDeviceManager::Target HidDeviceManager::CurrentTarget() {
    const std::lock_guard lock(state_);
    if (opened_ == 0) {
        return {};
    }
    return {CurrentDeviceLocked(), sleeper_};
}

HidDeviceManager::Target HidDeviceManager::AuxiliaryTarget() {
    const std::lock_guard lock(state_);
    if (opened_ == 0) {
        return {};
    }
    return {auxiliaryDevice_, sleeper_};
}

bool HidDeviceManager::WriteWithRetry(const Target& target, std::span<const std::uint8_t> report,
                                      milliseconds retryWait) {
    SharedHidDevice::Session session = target.device->Begin();
    if (session.Write(report) > 0) {
        return true;
    }
    target.sleeper->Sleep(retryWait);
    return session.Write(report) > 0;
}

bool HidDeviceManager::SendOutputReport(std::span<const std::uint8_t, 65> report) {
    const Target target = CurrentTarget();
    return target.device && WriteWithRetry(target, report, kOutputRetryWait);
}

bool HidDeviceManager::SendAuxOutputReport(std::span<const std::uint8_t, 65> report) {
    const Target target = AuxiliaryTarget();
    return target.device && WriteWithRetry(target, report, kOutputRetryWait);
}

bool HidDeviceManager::SendPayload64(std::span<const std::uint8_t, 64> payload) {
    const Target target = CurrentTarget();
    if (!target.device) {
        return false;
    }
    std::array<std::uint8_t, 65> report{};
    std::copy(payload.begin(), payload.end(), report.begin() + 1);
    return WriteWithRetry(target, report, kPayloadRetryWait);
}

bool HidDeviceManager::SendFeatureDelayed(std::span<const std::uint8_t, 8> report) {
    const Target target = CurrentTarget();
    if (!target.device) {
        return false;
    }
    target.sleeper->Sleep(kFeatureWait);
    return target.device->Begin().SendFeatureReport(report) > 0;
}

bool HidDeviceManager::SendFeature(std::span<const std::uint8_t, 8> report) {
    const Target target = CurrentTarget();
    return target.device && target.device->Begin().SendFeatureReport(report) > 0;
}

bool HidDeviceManager::ReadSlotTable(std::span<std::uint8_t> buffer) {
    if (buffer.size() < kSlotTableSize) {
        return false;
    }
    const Target target = CurrentTarget();
    if (!target.device) {
        return false;
    }
    SharedHidDevice::Session session = target.device->Begin();
    session.SendFeatureReport(buffer.first(8));
    // Bytes 3 to 7 keep what the previous reply left there.
    std::array<std::uint8_t, 8> reply{};
    for (int k = 0; k < kSlotTableReads; ++k) {
        reply[0] = kReportId;
        reply[1] = 0xFB;
        reply[2] = 0x01;
        target.sleeper->Sleep(kFeatureWait);
        if (session.GetFeatureReport(reply) > 0) {
            std::copy(reply.begin() + 1, reply.end(),
                      buffer.begin() + static_cast<std::ptrdiff_t>(kSlotTableStride * k));
        }
    }
    return true;
}

bool HidDeviceManager::ReadFirmwareVersion(int& version) {
    const Target target = CurrentTarget();
    if (!target.device) {
        return false;
    }
    target.sleeper->Sleep(kFeatureWait);
    SharedHidDevice::Session session = target.device->Begin();
    const std::array<std::uint8_t, 8> request{kReportId, 0xFD};
    if (session.SendFeatureReport(request) <= 0) {
        return false;
    }
    std::array<std::uint8_t, 8> reply{kReportId};
    target.sleeper->Sleep(kFeatureWait);
    int read = session.GetFeatureReport(reply);
    if (read <= 0 || reply[0] != kReportId) {
        reply[0] = kReportId;
        target.sleeper->Sleep(kFeatureWait);
        read = session.GetFeatureReport(reply);
    }
    // A reply that never came is no version: reporting 0 would offer every firmware as new.
    if (read <= 0 || reply[0] != kReportId) {
        return false;
    }
    version = reply[1] * 256 + reply[2];
    return true;
}

CString HidDeviceManager::LastError() {
    std::shared_ptr<SharedHidDevice> device;
    std::shared_ptr<HidBackend> backend;
    {
        const std::lock_guard lock(state_);
        device = CurrentDeviceLocked();
        backend = backend_;
    }
    return device ? device->LastError() : backend->LastError();
}
