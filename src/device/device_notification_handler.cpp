#include "device/device_notification_handler.h"

#include <cwctype>

#include "os/hid_interface_name.h"

bool DeviceNotificationHandler::OnDeviceChange(DeviceChange change, const CString& interfaceName) {
    CString name = interfaceName;
    for (wchar_t& c : name) {
        c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    }
    DeviceEventKind kind = DeviceEventKind::Arrival;
    int value = 0;
    {
        const std::lock_guard lock(modesLock_);
        const auto matches = [&](const CatalogueRecord& record) {
            return !record.interfaceFragment.empty() &&
                   name.find(record.interfaceFragment) != CString::npos;
        };
        auto record = modes_.begin();
        if (change == DeviceChange::Arrival) {
            if (name.find(kLowEnergyHidService) != CString::npos) {
                return false;
            }
            while (record != modes_.end() && !matches(*record)) {
                ++record;
            }
            if (record == modes_.end()) {
                return false;
            }
            value = record->deviceType;
        } else {
            while (record != modes_.end() && !(record->connected != 0 && matches(*record))) {
                ++record;
            }
            if (record == modes_.end()) {
                return false;
            }
            record->connected = 0;
            kind = DeviceEventKind::Removal;
            value = record->connectionMode;
        }
    }
    queue_.QueueDeviceCommand(kind, value);
    return true;
}
