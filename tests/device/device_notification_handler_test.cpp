#include "device/device_notification_handler.h"

#include <gtest/gtest.h>

#include "os/hid_interface_name.h"
#include "simulated_rig.h"

namespace {

class RecordingQueue : public DeviceCommandQueue {
public:
    void QueueDeviceCommand(DeviceEventKind kind, int deviceTypeOrMode) override {
        commands.emplace_back(kind, deviceTypeOrMode);
    }
    std::vector<std::pair<DeviceEventKind, int>> commands;
};

constexpr const wchar_t* kCable =
    LR"(\\?\hid#vid_1a2b&pid_3c4d&mi_02#7&1a2b&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030})";
constexpr const wchar_t* kWireless =
    LR"(\\?\HID#VID_1A2B&PID_3C4E&MI_02#SIM&1&2#{4d1e55b2-f16f-11cf-88cb-001111000030})";

TEST(DeviceNotificationHandlerTest, QueuesArrivalAndRemovalOfCatalogueRecords) {
    HidNodeIdentity lowEnergy{HidBus::Bluetooth, 0x1A2B, 0x3C4D, -1, true, "0005&1A2B&3C4D&0001"};
    const CString lowEnergyName = Utf8ToWide(FormatInterfaceName(lowEnergy));
    struct Case {
        const char* what;
        DeviceChange change;
        CString name;
        int connectedMode;  // the mode record marked connected beforehand, -1 none
        bool queued;
        DeviceEventKind kind;
        int value;
        int connectedAfter;
    };
    const Case cases[] = {
        {"cable arrival, lower case", DeviceChange::Arrival, kCable, -1, true,
         DeviceEventKind::Arrival, 201, -1},
        {"wireless arrival", DeviceChange::Arrival, kWireless, -1, true, DeviceEventKind::Arrival,
         201, -1},
        {"auxiliary interface",
         DeviceChange::Arrival,
         LR"(\\?\HID#VID_1A2B&PID_3C4D&MI_03#x#{4d1e55b2})",
         -1,
         false,
         {},
         0,
         -1},
        // The LE name holds the fragment of the record "VID&021A2B", but LE is never taken.
        {"Bluetooth LE arrival", DeviceChange::Arrival, lowEnergyName, -1, false, {}, 0, -1},
        {"removal of a record not connected", DeviceChange::Removal, kCable, 1, false, {}, 0, 1},
        {"removal of the connected cable", DeviceChange::Removal, kCable, 0, true,
         DeviceEventKind::Removal, 0, -1},
        {"removal of the connected wireless", DeviceChange::Removal, kWireless, 1, true,
         DeviceEventKind::Removal, 1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SimulatedRig rig;
        rig.CatalogueK201();
        rig.Catalogue(0x1A2B, 0x3C4D, L"", 205, 2, L"VID&021A2B");
        rig.Catalogue(0x1A2B, 0x3C4D, L"", 206, 0, L"");
        if (c.connectedMode >= 0) {
            rig.modes[c.connectedMode].connected = 1;
        }
        RecordingQueue queue;
        DeviceNotificationHandler handler(rig.modes, rig.modesLock, queue);

        EXPECT_EQ(handler.OnDeviceChange(c.change, c.name), c.queued);
        if (c.queued) {
            ASSERT_EQ(queue.commands.size(), 1u);
            EXPECT_EQ(queue.commands[0].first, c.kind);
            EXPECT_EQ(queue.commands[0].second, c.value);
        } else {
            EXPECT_TRUE(queue.commands.empty());
        }
        for (size_t i = 0; i < rig.modes.size(); ++i) {
            EXPECT_EQ(rig.modes[i].connected, static_cast<int>(i) == c.connectedAfter ? 1 : 0);
        }
    }
}

TEST(DeviceNotificationHandlerTest, TheSimulatedKeyboardsChangesQueueOneCommandEach) {
    SimulatedRig rig;
    rig.CatalogueK201();
    RecordingQueue queue;
    DeviceNotificationHandler handler(rig.modes, rig.modesLock, queue);
    rig.backend->SetDeviceChangeCallback(handler.Callback());
    const auto keyboard = rig.backend->AddKeyboard(SimulatedK201(1), false);
    RecordingDeviceList list;

    keyboard->PlugIn();
    rig.manager.Refresh(rig.modes, rig.modesLock, list);
    keyboard->Unplug();
    keyboard->Unplug();

    EXPECT_EQ(queue.commands, (std::vector<std::pair<DeviceEventKind, int>>{
                                  {DeviceEventKind::Arrival, 201}, {DeviceEventKind::Removal, 1}}));
}

}  // namespace
