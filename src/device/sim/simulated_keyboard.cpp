#include "device/sim/simulated_keyboard.h"

#include "os/hid_interface_name.h"

namespace {

std::vector<HidInterfaceInfo> DescribeInterfaces(const SimulatedKeyboardIdentity& identity,
                                                 int instance) {
    std::vector<HidInterfaceInfo> interfaces;
    for (const SimulatedInterface& simulated : identity.interfaces) {
        HidNodeIdentity node;
        node.bus = identity.bus;
        node.vendorId = identity.vendorId;
        node.productId = identity.productId;
        node.interfaceNumber = identity.bus == HidBus::Usb ? simulated.number : -1;
        node.lowEnergy = identity.lowEnergy;
        node.instance = "SIM&" + std::to_string(instance) + "&" + std::to_string(simulated.number);
        HidInterfaceInfo info;
        info.path = "sim:" + std::to_string(instance) + ":" + std::to_string(simulated.number);
        info.interfaceName = FormatInterfaceName(node);
        info.vendorId = identity.vendorId;
        info.productId = identity.productId;
        info.product = identity.product;
        info.usagePage = simulated.usagePage;
        info.usage = simulated.usage;
        info.release = identity.release;
        info.interfaceNumber = node.interfaceNumber;
        info.bus = identity.bus;
        interfaces.push_back(std::move(info));
    }
    return interfaces;
}

}  // namespace

// One open interface of a simulated keyboard.
class SimulatedHidHandle : public HidHandle {
public:
    SimulatedHidHandle(std::shared_ptr<SimulatedKeyboard> keyboard, size_t interfaceIndex,
                       std::uint64_t generation)
        : keyboard_(std::move(keyboard)),
          interfaceIndex_(interfaceIndex),
          generation_(generation) {}
    ~SimulatedHidHandle() override { keyboard_->HandleClosed(); }

    int Write(std::span<const std::uint8_t> report) override {
        return keyboard_->Write(interfaceIndex_, generation_, ReportKind::Output, report, error_);
    }
    int SendFeatureReport(std::span<const std::uint8_t> report) override {
        return keyboard_->Write(interfaceIndex_, generation_, ReportKind::SetFeature, report,
                                error_);
    }
    int GetFeatureReport(std::span<std::uint8_t> report) override {
        return keyboard_->Read(interfaceIndex_, generation_, report, error_);
    }
    CString LastError() const override { return error_; }

private:
    const std::shared_ptr<SimulatedKeyboard> keyboard_;
    const size_t interfaceIndex_;
    const std::uint64_t generation_;
    // Used by one transfer at a time, as every handle is.
    CString error_;
};

SimulatedKeyboard::InFlight::InFlight(SimulatedKeyboard& keyboard, size_t interfaceIndex)
    : counter_(keyboard.inFlight_[interfaceIndex]) {
    if (counter_.fetch_add(1) > 0) {
        ++keyboard.overlaps_;
    }
}

SimulatedKeyboard::InFlight::~InFlight() {
    counter_.fetch_sub(1);
}

SimulatedKeyboard::SimulatedKeyboard(SimulatedKeyboardIdentity identity, int instance,
                                     std::shared_ptr<const Sleeper> clock, bool plugged)
    : identity_(std::move(identity)),
      interfaces_(DescribeInterfaces(identity_, instance)),
      clock_(std::move(clock)),
      inFlight_(std::make_unique<std::atomic<int>[]>(identity_.interfaces.size())),
      decoder_(identity_.deviceType, identity_.firmwareVersion),
      plugged_(plugged) {}

void SimulatedKeyboard::Unplug() {
    {
        const std::lock_guard lock(lock_);
        if (!plugged_) {
            return;
        }
        plugged_ = false;
        ++generation_;
    }
    Announce(DeviceChange::Removal);
}

void SimulatedKeyboard::PlugIn() {
    {
        const std::lock_guard lock(lock_);
        if (plugged_) {
            return;
        }
        plugged_ = true;
    }
    Announce(DeviceChange::Arrival);
}

bool SimulatedKeyboard::IsPlugged() const {
    const std::lock_guard lock(lock_);
    return plugged_;
}

void SimulatedKeyboard::SetDeviceChangeCallback(DeviceChangeCallback callback) {
    const std::lock_guard lock(lock_);
    callback_ = std::move(callback);
}

void SimulatedKeyboard::Announce(DeviceChange change) {
    DeviceChangeCallback callback;
    {
        const std::lock_guard lock(lock_);
        callback = callback_;
    }
    if (!callback) {
        return;
    }
    for (const HidInterfaceInfo& info : interfaces_) {
        callback(change, Utf8ToWide(info.interfaceName));
    }
}

void SimulatedKeyboard::FailNextWrites(int count) {
    const std::lock_guard lock(lock_);
    failWrites_ = count > 0 ? count : 0;
}

void SimulatedKeyboard::AnswerOnlyReads(int count) {
    const std::lock_guard lock(lock_);
    readsLeft_ = count < 0 ? -1 : count;
}

void SimulatedKeyboard::SetFirmwareVersion(int version) {
    const std::lock_guard lock(lock_);
    decoder_.SetFirmwareVersion(version);
}

void SimulatedKeyboard::PresetMacroSlot(int slot, std::uint8_t keyCode) {
    const std::lock_guard lock(lock_);
    decoder_.MutableState().macroSlots[slot].keyCode = keyCode;
}

void SimulatedKeyboard::PresetFunctionSlot(int slot, std::uint8_t keyCode) {
    const std::lock_guard lock(lock_);
    decoder_.MutableState().functionSlots[slot].keyCode = keyCode;
}

SimulatedKeyboardState SimulatedKeyboard::State() const {
    const std::lock_guard lock(lock_);
    return decoder_.State();
}

std::vector<RecordedReport> SimulatedKeyboard::Reports() const {
    const std::lock_guard lock(lock_);
    return {reports_.begin(), reports_.end()};
}

void SimulatedKeyboard::ClearReports() {
    const std::lock_guard lock(lock_);
    reports_.clear();
}

std::unique_ptr<HidHandle> SimulatedKeyboard::Open(size_t interfaceIndex, CString& error) {
    std::uint64_t generation = 0;
    {
        const std::lock_guard lock(lock_);
        if (!plugged_ || interfaceIndex >= identity_.interfaces.size()) {
            error = L"No such device";
            return nullptr;
        }
        if (!identity_.interfaces[interfaceIndex].opens) {
            error = L"Access denied: the system owns this collection";
            return nullptr;
        }
        generation = generation_;
    }
    ++openHandles_;
    return std::make_unique<SimulatedHidHandle>(shared_from_this(), interfaceIndex, generation);
}

int SimulatedKeyboard::Write(size_t interfaceIndex, std::uint64_t generation, ReportKind kind,
                             std::span<const std::uint8_t> report, CString& error) {
    const InFlight inFlight(*this, interfaceIndex);
    const std::lock_guard lock(lock_);
    if (!plugged_ || generation != generation_) {
        error = L"No such device";
        return -1;
    }
    const bool accepted = failWrites_ == 0;
    if (!accepted) {
        --failWrites_;
        error = L"Broken pipe (injected)";
    }
    Record(interfaceIndex, kind, report, accepted);
    if (!accepted) {
        return -1;
    }
    const SimulatedInterfaceRole role = identity_.interfaces[interfaceIndex].role;
    if (kind == ReportKind::Output) {
        decoder_.Output(role, report);
    } else {
        decoder_.SetFeature(role, report);
    }
    return static_cast<int>(report.size());
}

int SimulatedKeyboard::Read(size_t interfaceIndex, std::uint64_t generation,
                            std::span<std::uint8_t> report, CString& error) {
    const InFlight inFlight(*this, interfaceIndex);
    const std::lock_guard lock(lock_);
    if (!plugged_ || generation != generation_) {
        error = L"No such device";
        return -1;
    }
    int read = -1;
    if (readsLeft_ != 0) {
        if (readsLeft_ > 0) {
            --readsLeft_;
        }
        read = decoder_.GetFeature(identity_.interfaces[interfaceIndex].role, report);
    }
    if (read < 0) {
        error = L"Connection timed out";
    }
    Record(interfaceIndex, ReportKind::GetFeature, report, read >= 0);
    return read;
}

void SimulatedKeyboard::Record(size_t interfaceIndex, ReportKind kind,
                               std::span<const std::uint8_t> bytes, bool accepted) {
    if (reports_.size() >= kReportLimit) {
        reports_.pop_front();
    }
    RecordedReport report;
    report.time = clock_->Now();
    report.interfaceNumber = identity_.interfaces[interfaceIndex].number;
    report.kind = kind;
    report.bytes.assign(bytes.begin(), bytes.end());
    report.accepted = accepted;
    reports_.push_back(std::move(report));
}
