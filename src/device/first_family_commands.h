// The configuration commands of the first report family (device types below 200), sent to the
// keyboard from the database's records: key assignments with their macros, light mode and
// parameters, per-key colours, colour streaming, the custom light slot and the factory reset.
// The keyboard never answers; a result says only whether the writes went out.
//
// Keep one object for the program run: it remembers whether streaming has been started and
// the macro slots of the last key write. Calls may come from several threads (the worker, the
// user-interface thread for the light slot); each member touches only its own state.
#pragma once

#include <atomic>
#include <span>

#include "device/first_family_key_table.h"
#include "device/hid_device_manager.h"
#include "device/key_light.h"
#include "device/key_position_map.h"
#include "storage/device_database.h"

class FirstFamilyCommands {
public:
    FirstFamilyCommands(DeviceDatabase& database, HidDeviceManager& manager);

    // Writes the assignments of a profile and layer: their macros and shortcuts into slots,
    // then the key table. A failed download stops the remaining ones; the key table still
    // follows and gives the keys whose download failed no function.
    void WriteKeys(int profile, int fnLayer, const KeyPositionMap& positions);
    // The download alone: the macros (type 3) in order, then the shortcuts (type 7), into slots
    // from 0. The key code to slot map of what was downloaded.
    const MacroSlotMap& SetMacro(std::span<const KeyAssignment> assignments);
    // The key table of the assignments with the slots of the last download.
    void SetKeyTable(std::span<const KeyAssignment> assignments, const KeyPositionMap& positions);
    const MacroSlotMap& MacroSlots() const { return slots_; }

    // Sends the stored light record of (profile, mode): its mode when `parameterWrite` is
    // clear, else its parameters, and sets the flag. False without the record or when the
    // report is not written.
    bool WriteLight(int profile, int mode, std::atomic<bool>& parameterWrite);
    bool SetLightMode(int mode);
    bool SetLightParams(const LightModeRecord& record);

    // The stored colours of the first custom light slot, each at its key's position index.
    // Stops at the first report that fails.
    bool SetKeyColours(const KeyPositionMap& positions);
    // Streams one frame of key colours to the auxiliary interface, starting the streaming
    // first when this has not been done yet. Stops at the first report that fails.
    bool StreamFrame(std::span<const KeyLight> colours, const KeyPositionMap& positions);
    bool StreamingStarted() const { return streamingStarted_.load(); }

    // Resets the keyboard to its defaults and waits 100 ms.
    bool FactoryReset();
    // Tells the keyboard which of its stored per-key colour sets to show.
    void SetLightEffectSlot(const LightModeRecord& record, int slotSelection);

private:
    bool SendReports(std::span<const OutputReportBytes> reports, bool auxiliary);
    void Wait(int milliseconds);

    DeviceDatabase& database_;
    HidDeviceManager& manager_;
    MacroSlotMap slots_;
    std::atomic<bool> streamingStarted_{false};
};
