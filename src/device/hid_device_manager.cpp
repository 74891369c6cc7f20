#include "device/hid_device_manager.h"

#include <algorithm>
#include <cctype>

#include "device/hidapi_backend.h"
#include "device/real_sleeper.h"

namespace {

bool NamesAuxiliaryInterface(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return name.find("&MI_03") != std::string::npos;
}

int FindRecord(const std::vector<HidDeviceRecord>& records, int vendorId, int productId,
               const CString& product, int connectionMode) {
    for (size_t i = 0; i < records.size(); ++i) {
        const HidDeviceRecord& record = records[i];
        if (record.vendorId == vendorId && record.productId == productId &&
            record.connectionMode == connectionMode &&
            (product.empty() || record.product == product)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void CloseEach(std::vector<HidDeviceRecord>& records) {
    for (HidDeviceRecord& record : records) {
        record.handle->Close();
    }
}

}  // namespace

HidDeviceManager& HidDeviceManager::Instance() {
    static HidDeviceManager instance(std::make_shared<HidapiBackend>(), RealSleeper::Shared());
    return instance;
}

HidDeviceManager::HidDeviceManager(std::shared_ptr<HidBackend> backend,
                                   std::shared_ptr<Sleeper> sleeper)
    : backend_(std::move(backend)), sleeper_(std::move(sleeper)) {}

HidDeviceManager::~HidDeviceManager() {
    CloseAll();
}

void HidDeviceManager::SetBackend(std::shared_ptr<HidBackend> backend) {
    const std::lock_guard refresh(refreshLock_);
    CloseAllLocked();
    const std::lock_guard lock(state_);
    backend_ = std::move(backend);
}

void HidDeviceManager::SetSleeper(std::shared_ptr<Sleeper> sleeper) {
    const std::lock_guard lock(state_);
    sleeper_ = std::move(sleeper);
}

std::shared_ptr<Sleeper> HidDeviceManager::GetSleeper() const {
    const std::lock_guard lock(state_);
    return sleeper_;
}

void HidDeviceManager::AddMatchEntry(const MatchEntry& entry) {
    const std::lock_guard lock(state_);
    matchTable_.push_back(entry);
}

void HidDeviceManager::OpenAll() {
    const std::lock_guard refresh(refreshLock_);
    OpenAllLocked();
}

void HidDeviceManager::CloseAll() {
    const std::lock_guard refresh(refreshLock_);
    CloseAllLocked();
}

void HidDeviceManager::OpenAllLocked() {
    std::shared_ptr<HidBackend> backend;
    {
        const std::lock_guard lock(state_);
        backend = backend_;
    }
    std::vector<HidDeviceRecord> opened;
    std::shared_ptr<SharedHidDevice> auxiliary;
    std::vector<std::shared_ptr<SharedHidDevice>> replacedAuxiliaries;
    for (const HidInterfaceInfo& info : backend->Enumerate()) {
        if (!IsCatalogued(info.vendorId, info.productId, info.product)) {
            continue;
        }
        std::unique_ptr<HidHandle> handle = backend->Open(info.path);
        if (!handle) {
            continue;
        }
        if (info.usagePage != kVendorUsagePage || info.usage != kVendorUsage) {
            continue;  // the handle closes here
        }
        auto device = std::make_shared<SharedHidDevice>(std::move(handle));
        if (NamesAuxiliaryInterface(info.interfaceName)) {
            if (auxiliary) {
                replacedAuxiliaries.push_back(std::move(auxiliary));
            }
            auxiliary = std::move(device);
            continue;
        }
        HidDeviceRecord record;
        record.vendorId = info.vendorId;
        record.productId = info.productId;
        record.path = info.interfaceName;
        record.product = info.product;
        record.handle = std::move(device);
        record.release = info.release;
        opened.push_back(std::move(record));
    }
    {
        const std::lock_guard lock(state_);
        for (HidDeviceRecord& record : opened) {
            record.index = static_cast<int>(devices_.size());
            const auto entry =
                std::find_if(matchTable_.begin(), matchTable_.end(), [&](const MatchEntry& e) {
                    return e.vendorId == record.vendorId && e.productId == record.productId;
                });
            if (entry != matchTable_.end()) {
                record.deviceType = entry->deviceType;
                record.connectionMode = entry->connectionMode;
            }
            record.cable = record.connectionMode == 0 ? 1 : 0;
            devices_.push_back(std::move(record));
        }
        if (auxiliary) {
            if (auxiliaryDevice_) {
                replacedAuxiliaries.push_back(std::move(auxiliaryDevice_));
            }
            auxiliaryDevice_ = std::move(auxiliary);
        }
        opened_ = 1;
    }
    for (const std::shared_ptr<SharedHidDevice>& replaced : replacedAuxiliaries) {
        replaced->Close();
    }
}

void HidDeviceManager::CloseAllLocked() {
    std::vector<HidDeviceRecord> closing;
    std::shared_ptr<SharedHidDevice> auxiliary;
    {
        const std::lock_guard lock(state_);
        if (opened_ == 0) {
            return;
        }
        opened_ = 0;
        currentDevice_.reset();
        closing.swap(devices_);
        auxiliary = std::move(auxiliaryDevice_);
    }
    // Outside state_: each close waits for a transfer still using that device.
    CloseEach(closing);
    if (auxiliary) {
        auxiliary->Close();
    }
}

bool HidDeviceManager::IsOpened() const {
    const std::lock_guard lock(state_);
    return opened_ != 0;
}

bool HidDeviceManager::IsCatalogued(std::uint16_t vendorId, std::uint16_t productId,
                                    const CString& product) const {
    const std::lock_guard lock(state_);
    return IsCataloguedLocked(vendorId, productId, product);
}

bool HidDeviceManager::IsCataloguedLocked(std::uint16_t vendorId, std::uint16_t productId,
                                          const CString& product) const {
    return std::any_of(matchTable_.begin(), matchTable_.end(), [&](const MatchEntry& entry) {
        return entry.vendorId == vendorId && entry.productId == productId &&
               (entry.productName.empty() || entry.productName == product);
    });
}

bool HidDeviceManager::CollectDevices(std::vector<HidDeviceRecord>& records) const {
    const std::lock_guard lock(state_);
    records.clear();
    for (const HidDeviceRecord& record : devices_) {
        if (currentType_ == 0 || record.deviceType == currentType_) {
            records.push_back(record);
        }
    }
    return !devices_.empty();
}

int HidDeviceManager::FindDevice(int vendorId, int productId, const CString& product,
                                 int connectionMode) const {
    const std::lock_guard lock(state_);
    return FindRecord(devices_, vendorId, productId, product, connectionMode);
}

std::shared_ptr<SharedHidDevice> HidDeviceManager::CurrentDevice() {
    const std::lock_guard lock(state_);
    return CurrentDeviceLocked();
}

std::shared_ptr<SharedHidDevice> HidDeviceManager::CurrentDeviceLocked() {
    if (currentDevice_) {
        return currentDevice_;
    }
    for (const int mode : {0, 1, 2}) {
        for (const HidDeviceRecord& record : devices_) {
            if (record.deviceType == currentType_ && record.connectionMode == mode) {
                currentDevice_ = record.handle;
                return currentDevice_;
            }
        }
    }
    return nullptr;
}

std::shared_ptr<SharedHidDevice> HidDeviceManager::AuxiliaryDevice() const {
    const std::lock_guard lock(state_);
    return auxiliaryDevice_;
}

int HidDeviceManager::GetConnectionMode() const {
    const std::lock_guard lock(state_);
    return GetConnectionModeLocked();
}

int HidDeviceManager::GetConnectionModeLocked() const {
    for (const int mode : {0, 2, 1}) {
        for (const HidDeviceRecord& record : devices_) {
            if (record.deviceType == currentType_ && record.connectionMode == mode) {
                return mode;
            }
        }
    }
    return -1;
}

int HidDeviceManager::CurrentType() const {
    const std::lock_guard lock(state_);
    return currentType_;
}

void HidDeviceManager::SetCurrentType(int deviceType) {
    const std::lock_guard lock(state_);
    currentType_ = deviceType;
}

void HidDeviceManager::ForgetCurrentDevice() {
    const std::lock_guard lock(state_);
    currentDevice_.reset();
}

DeviceRefreshResult HidDeviceManager::Refresh(std::vector<CatalogueRecord>& modes,
                                              std::mutex& modesLock, DeviceListView& list) {
    const std::lock_guard refresh(refreshLock_);
    CloseAllLocked();
    OpenAllLocked();

    DeviceRefreshResult result;
    std::vector<HidDeviceRecord> opened;
    {
        const std::lock_guard lock(state_);
        currentType_ = 0;
        currentDevice_.reset();
        opened = devices_;
    }
    result.devicePresent = !opened.empty();
    std::vector<int> connectedTypes;
    {
        // Never held together with state_, so the owner of the marks may call the manager
        // while it holds them.
        const std::lock_guard marks(modesLock);
        for (CatalogueRecord& mode : modes) {
            const bool found = FindRecord(opened, mode.vendorId, mode.productId, mode.name,
                                          mode.connectionMode) >= 0;
            // Every mark is decided anew, so a keyboard that went away without a removal
            // notice does not stay connected.
            mode.connected = found ? 1 : 0;
            if (found) {
                result.catalogueDeviceConnected = true;
                connectedTypes.push_back(mode.deviceType);
            }
        }
    }
    {
        const std::lock_guard lock(state_);
        currentType_ = kDefaultDeviceType;
        currentDevice_.reset();
        result.connectionMode = GetConnectionModeLocked();
    }
    list.ResetAllState();
    for (const int deviceType : connectedTypes) {
        list.SetDeviceState(deviceType, 1);
    }
    return result;
}
