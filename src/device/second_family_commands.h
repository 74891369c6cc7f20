// The configuration commands of the second report family (device types 200 to 299), sent to
// the keyboard from the database's records: the key slots (13 macro slots, 10 function slots),
// the light effect, the factory reset and the music level. Light and reset go as feature
// reports over the cable and as 64-byte payloads over a wireless link. Feature reports are
// written without checking their results, as the keyboard gives none worth acting on.
#pragma once

#include <memory>

#include "device/hid_device_manager.h"
#include "device/slot_table.h"
#include "os/xkb_keyboard_layout.h"
#include "storage/device_database.h"

class SecondFamilyCommands {
public:
    // Recorded macro keys are placed through `layout` (the user's keyboard layout); without
    // one only their modifiers reach the keyboard.
    SecondFamilyCommands(DeviceDatabase& database, HidDeviceManager& manager,
                         std::shared_ptr<const XkbKeyboardLayout> layout);

    // Reads the slot table, then writes the assignments of a profile and layer: only the slots
    // of `changedKey` when it is not 0 (the key page changed one key), else every slot anew
    // (all taken slots freed, then the assignments in order into slots from 1). False when the
    // slot table could not be asked for.
    bool WriteKeys(int profile, int fnLayer, int changedKey = 0);
    bool ReadSlotTable(SlotTable& table);

    // Writes function slot `slot` from the stored assignment of `keyCode` (none frees it).
    void SetFunctionSlot(int profile, int fnLayer, int keyCode, int slot);
    // Writes macro slot `slot` for `keyCode` with a shortcut (type 7) or a stored macro (type 3,
    // value the macro id); any other type, or a missing macro, frees it.
    void SetMacroSlot(int keyCode, int slot, int type, int value);

    // Sends the stored light record of (profile, mode). False without the record.
    bool WriteLight(int profile, int mode, int slotSelection, int connectionMode);
    // True when the report or payload was written.
    bool SetLightEffect(const LightModeRecord& record, int slotSelection, int connectionMode);
    // Resets the keyboard to its defaults (over a wireless link in two payloads 1.6 s apart).
    bool FactoryReset(int connectionMode);
    // Sends the music level at once, without a wait; true when it was written.
    bool SetMusicLevel(int setting, int level);

private:
    static bool IsWireless(int connectionMode) {
        return connectionMode == 1 || connectionMode == 2;
    }
    void SendFunctionSlot(int slot, const KeyAssignment* assignment);
    void UpdateOneKey(int profile, int fnLayer, int keyCode, const SlotTable& table);
    void RewriteAll(int profile, int fnLayer, const SlotTable& table);
    void Wait(int milliseconds);

    DeviceDatabase& database_;
    HidDeviceManager& manager_;
    const std::shared_ptr<const XkbKeyboardLayout> layout_;
};
