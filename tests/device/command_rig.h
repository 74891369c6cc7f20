// A simulated keyboard of either report family, addressed by a HID device manager in virtual
// time, and a database of its own in a temporary folder: what the command tests write from.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "lumoui/base/cstring.h"
#include "simulated_rig.h"
#include "storage/device_database.h"
#include "support/temp_folder.h"

// Virtual time that can act at a wait, to inject a fault between two reports of a command.
class HookedSleeper : public VirtualSleeper {
public:
    void Sleep(std::chrono::milliseconds duration) override {
        VirtualSleeper::Sleep(duration);
        if (hook) {
            hook();
        }
    }
    std::function<void()> hook;
};

struct CommandRig {
    static constexpr int kProfile = 1;

    // A keyboard of `deviceType` on the cable (connection mode 0) or a wireless link.
    explicit CommandRig(int deviceType, int connectionMode = 0) {
        SimulatedKeyboardIdentity identity = SimulatedK201(connectionMode);
        identity.deviceType = deviceType;
        manager.AddMatchEntry(
            {identity.vendorId, identity.productId, L"", deviceType, connectionMode, L""});
        keyboard = backend->AddKeyboard(identity);
        manager.OpenAll();
        manager.SetCurrentType(deviceType);
        database.OpenForDevice(Utf8ToWide(folder.Path() + "/"), L"commands");
    }

    // A stored macro of key events, each {type, virtual key, delay}.
    int AddMacro(int playTimes, const std::vector<std::array<int, 3>>& events) {
        const int id = database.InsertMacro(L"Macro 1");
        MacroRecord options;
        database.GetMacro(id, options);
        options.play_times = playTimes;
        database.UpdateMacroOptions(options);
        std::vector<MacroEvent> records;
        for (size_t i = 0; i < events.size(); ++i) {
            MacroEvent event;
            event.macro_id = id;
            event.type = events[i][0];
            event.value = events[i][1];
            event.delay_time = events[i][2];
            event.record_index = static_cast<int>(i);
            records.push_back(event);
        }
        database.InsertMacroEvents(records);
        return id;
    }
    // `count` presses and releases of A, 20 ms apart.
    int AddMacroOfLength(int count) {
        std::vector<std::array<int, 3>> events;
        for (int i = 0; i < count; ++i) {
            events.push_back({i % 2 == 0 ? kMacroKeyPress : kMacroKeyRelease, 65, 20});
        }
        return AddMacro(1, events);
    }
    void Assign(int keyCode, int type, int value) {
        KeyAssignment assignment;
        assignment.profile = kProfile;
        assignment.key_code = keyCode;
        assignment.macro_type = type;
        assignment.macro_value = value;
        database.SaveKeyAssignment(assignment);
    }
    std::vector<RecordedReport> Writes() const {
        std::vector<RecordedReport> writes;
        for (const RecordedReport& report : keyboard->Reports()) {
            if (report.kind != ReportKind::GetFeature) {
                writes.push_back(report);
            }
        }
        return writes;
    }

    std::shared_ptr<HookedSleeper> sleeper = std::make_shared<HookedSleeper>();
    std::shared_ptr<SimulatedHidBackend> backend = std::make_shared<SimulatedHidBackend>(sleeper);
    HidDeviceManager manager{backend, sleeper};
    std::shared_ptr<SimulatedKeyboard> keyboard;
    TempFolder folder;
    DeviceDatabase database;
};
