// A HID backend made of simulated keyboards: what tests and `brimlow --simulate` talk to.
//
//   auto sleeper = std::make_shared<VirtualSleeper>();
//   auto backend = std::make_shared<SimulatedHidBackend>(sleeper);
//   auto keyboard = backend->AddKeyboard(SimulatedK201(0));
//   HidDeviceManager manager(backend, sleeper);
//   ... manager.Refresh(...) and transfers ...
//   keyboard->State(), keyboard->Reports(), keyboard->FailNextWrites(2), keyboard->Unplug()
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "device/hid_backend.h"
#include "device/sim/simulated_keyboard.h"
#include "device/sleeper.h"
#include "os/device_change.h"

class SimulatedHidBackend : public HidBackend {
public:
    // `clock` stamps every keyboard's reports.
    explicit SimulatedHidBackend(std::shared_ptr<const Sleeper> clock);

    // Adds a keyboard, plugged in or not yet; keyboards enumerate in the order they were added.
    std::shared_ptr<SimulatedKeyboard> AddKeyboard(SimulatedKeyboardIdentity identity,
                                                   bool plugged = true);
    std::vector<std::shared_ptr<SimulatedKeyboard>> Keyboards() const;
    // Arrivals and removals of every keyboard, present and future.
    void SetDeviceChangeCallback(DeviceChangeCallback callback);

    std::vector<HidInterfaceInfo> Enumerate() override;
    std::unique_ptr<HidHandle> Open(const std::string& path) override;
    CString LastError() const override;

private:
    const std::shared_ptr<const Sleeper> clock_;
    mutable std::mutex lock_;
    std::vector<std::shared_ptr<SimulatedKeyboard>> keyboards_;
    DeviceChangeCallback callback_;
    CString lastError_;
};

// The backend of `brimlow --simulate`: one Brimlow K201 on its cable, on the real clock.
std::shared_ptr<SimulatedHidBackend> MakeSimulatedKeyboardBackend();
