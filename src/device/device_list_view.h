// What a device refresh tells the device list of the main window: every keyboard row
// disconnected first, then connected for each device type found.
#pragma once

class DeviceListView {
public:
    virtual ~DeviceListView() = default;

    virtual void ResetAllState() = 0;
    // State 1 is connected.
    virtual void SetDeviceState(int deviceType, int state) = 0;
};
