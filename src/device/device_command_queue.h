// Where a recognised device notification goes: the worker's command queue, which turns an
// arrival or a removal into a device refresh.
#pragma once

// Numbered as the main window remembers the last device event.
enum class DeviceEventKind { Arrival = 1, Removal = 2 };

class DeviceCommandQueue {
public:
    virtual ~DeviceCommandQueue() = default;

    // An arrival carries the device type of the record that matched, a removal its connection
    // mode. Called on the notification thread: it must only queue.
    virtual void QueueDeviceCommand(DeviceEventKind kind, int deviceTypeOrMode) = 0;
};
