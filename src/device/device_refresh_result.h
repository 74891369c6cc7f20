// What a device refresh tells the main window about the connection.
#pragma once

struct DeviceRefreshResult {
    // Some catalogued vendor interface is open.
    bool devicePresent = false;
    // Some connection mode of the catalogue was found among the opened interfaces.
    bool catalogueDeviceConnected = false;
    // The manager's connection mode for the default device type: 0, 1, 2 or -1.
    int connectionMode = -1;
};
