#include "device/sim/simulated_hid_backend.h"

#include "device/real_sleeper.h"

SimulatedHidBackend::SimulatedHidBackend(std::shared_ptr<const Sleeper> clock)
    : clock_(std::move(clock)) {}

std::shared_ptr<SimulatedKeyboard> SimulatedHidBackend::AddKeyboard(
    SimulatedKeyboardIdentity identity, bool plugged) {
    const std::lock_guard lock(lock_);
    auto keyboard = std::make_shared<SimulatedKeyboard>(
        std::move(identity), static_cast<int>(keyboards_.size()) + 1, clock_, plugged);
    keyboard->SetDeviceChangeCallback(callback_);
    keyboards_.push_back(keyboard);
    return keyboard;
}

std::vector<std::shared_ptr<SimulatedKeyboard>> SimulatedHidBackend::Keyboards() const {
    const std::lock_guard lock(lock_);
    return keyboards_;
}

void SimulatedHidBackend::SetDeviceChangeCallback(DeviceChangeCallback callback) {
    const std::lock_guard lock(lock_);
    callback_ = std::move(callback);
    for (const std::shared_ptr<SimulatedKeyboard>& keyboard : keyboards_) {
        keyboard->SetDeviceChangeCallback(callback_);
    }
}

std::vector<HidInterfaceInfo> SimulatedHidBackend::Enumerate() {
    std::vector<HidInterfaceInfo> interfaces;
    for (const std::shared_ptr<SimulatedKeyboard>& keyboard : Keyboards()) {
        if (keyboard->IsPlugged()) {
            const std::vector<HidInterfaceInfo>& own = keyboard->Interfaces();
            interfaces.insert(interfaces.end(), own.begin(), own.end());
        }
    }
    return interfaces;
}

std::unique_ptr<HidHandle> SimulatedHidBackend::Open(const std::string& path) {
    CString error = L"No such device";
    for (const std::shared_ptr<SimulatedKeyboard>& keyboard : Keyboards()) {
        const std::vector<HidInterfaceInfo>& interfaces = keyboard->Interfaces();
        for (size_t i = 0; i < interfaces.size(); ++i) {
            if (interfaces[i].path == path) {
                std::unique_ptr<HidHandle> handle = keyboard->Open(i, error);
                if (handle) {
                    return handle;
                }
            }
        }
    }
    const std::lock_guard lock(lock_);
    lastError_ = error;
    return nullptr;
}

CString SimulatedHidBackend::LastError() const {
    const std::lock_guard lock(lock_);
    return lastError_;
}

std::shared_ptr<SimulatedHidBackend> MakeSimulatedKeyboardBackend() {
    auto backend = std::make_shared<SimulatedHidBackend>(RealSleeper::Shared());
    backend->AddKeyboard(SimulatedK201(0));
    return backend;
}
