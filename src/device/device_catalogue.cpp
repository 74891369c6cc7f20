#include "device/device_catalogue.h"

const CatalogueRecord* DeviceCatalogue::KeyboardOfType(int deviceType) const {
    for (const CatalogueRecord& keyboard : keyboards) {
        if (keyboard.deviceType == deviceType) {
            return &keyboard;
        }
    }
    return nullptr;
}
