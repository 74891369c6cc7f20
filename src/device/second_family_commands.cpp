#include "device/second_family_commands.h"

#include <optional>
#include <vector>

#include "device/second_family_light.h"
#include "device/second_family_slots.h"

namespace {

constexpr int kSlotWriteMs = 16;
constexpr int kBeforeSingleKeyMs = 100;
constexpr int kAfterResetMs = 100;
constexpr int kBetweenResetPayloadsMs = 1600;

bool HoldsMacroSlot(int type) {
    return type == kMacroFunctionType || type == kShortcutFunctionType;
}
bool HoldsFunctionSlot(int type) {
    return type == kKeyFunctionType || type == kDisabledFunctionType;
}

}  // namespace

SecondFamilyCommands::SecondFamilyCommands(DeviceDatabase& database, HidDeviceManager& manager,
                                           std::shared_ptr<const XkbKeyboardLayout> layout)
    : database_(database), manager_(manager), layout_(std::move(layout)) {}

void SecondFamilyCommands::Wait(int milliseconds) {
    manager_.GetSleeper()->Sleep(std::chrono::milliseconds(milliseconds));
}

bool SecondFamilyCommands::ReadSlotTable(SlotTable& table) {
    // The transfer sends the first 8 bytes as they stand, so the request is made anew each time.
    std::array<std::uint8_t, SlotTable::kSize> bytes{kFeatureReportId, 0xFB, 0x01};
    if (!manager_.ReadSlotTable(bytes)) {
        return false;
    }
    table = SlotTable(bytes);
    return true;
}

bool SecondFamilyCommands::WriteKeys(int profile, int fnLayer, int changedKey) {
    SlotTable table;
    if (!ReadSlotTable(table)) {
        return false;
    }
    if (changedKey != 0) {
        UpdateOneKey(profile, fnLayer, changedKey, table);
    } else {
        RewriteAll(profile, fnLayer, table);
    }
    return true;
}

void SecondFamilyCommands::UpdateOneKey(int profile, int fnLayer, int keyCode,
                                        const SlotTable& table) {
    Wait(kBeforeSingleKeyMs);
    KeyAssignment assignment;
    if (!database_.GetKeyAssignment(profile, fnLayer, keyCode, assignment)) {
        assignment = KeyAssignment{};
    }
    const int macroSlot = table.MacroSlotOf(keyCode);
    const int functionSlot = table.FunctionSlotOf(keyCode);
    // A key that moves between the two kinds of slot gives up the one it held, so the
    // keyboard is not left with both.
    if (HoldsMacroSlot(assignment.macro_type)) {
        int slot = macroSlot != 0 ? macroSlot : table.FirstFreeMacroSlot();
        SetMacroSlot(keyCode, slot != 0 ? slot : 1, assignment.macro_type, assignment.macro_value);
        if (functionSlot != 0) {
            SendFunctionSlot(functionSlot, nullptr);
        }
    } else if (HoldsFunctionSlot(assignment.macro_type)) {
        int slot = functionSlot != 0 ? functionSlot : table.FirstFreeFunctionSlot();
        SendFunctionSlot(slot != 0 ? slot : 1, &assignment);
        if (macroSlot != 0) {
            SetMacroSlot(keyCode, macroSlot, 0, 0);
        }
    } else {
        if (macroSlot != 0) {
            SetMacroSlot(keyCode, macroSlot, 0, 0);
        }
        if (functionSlot != 0) {
            SendFunctionSlot(functionSlot, &assignment);
        }
    }
}

void SecondFamilyCommands::RewriteAll(int profile, int fnLayer, const SlotTable& table) {
    for (int slot = 1; slot <= SlotTable::kMacroSlots; ++slot) {
        if (const int keyCode = table.MacroSlotKey(slot)) {
            Wait(kSlotWriteMs);
            SetMacroSlot(keyCode, slot, 0, 0);
        }
    }
    for (int slot = 1; slot <= SlotTable::kFunctionSlots; ++slot) {
        if (table.FunctionSlotKey(slot) != 0) {
            Wait(kSlotWriteMs);
            SendFunctionSlot(slot, nullptr);
        }
    }
    std::vector<KeyAssignment> assignments;
    database_.ListKeyAssignments(profile, fnLayer, assignments);
    int macroSlot = 1;
    int functionSlot = 1;
    for (const KeyAssignment& assignment : assignments) {
        // Functions the PC carries out leave the key to send its own code.
        if (HoldsMacroSlot(assignment.macro_type)) {
            Wait(kSlotWriteMs);
            SetMacroSlot(assignment.key_code, macroSlot++, assignment.macro_type,
                         assignment.macro_value);
        } else if (HoldsFunctionSlot(assignment.macro_type)) {
            Wait(kSlotWriteMs);
            SendFunctionSlot(functionSlot++, &assignment);
        }
    }
}

void SecondFamilyCommands::SetFunctionSlot(int profile, int fnLayer, int keyCode, int slot) {
    KeyAssignment assignment;
    const bool found = database_.GetKeyAssignment(profile, fnLayer, keyCode, assignment);
    SendFunctionSlot(slot, found ? &assignment : nullptr);
}

void SecondFamilyCommands::SendFunctionSlot(int slot, const KeyAssignment* assignment) {
    if (const std::optional<FeatureReportBytes> report = FunctionSlotReport(slot, assignment)) {
        manager_.SendFeatureDelayed(*report);
    }
}

void SecondFamilyCommands::SetMacroSlot(int keyCode, int slot, int type, int value) {
    MacroSlotBlock block = FreeMacroSlotBlock(slot);
    MacroRecord macro;
    if (type == kShortcutFunctionType) {
        block = ShortcutMacroSlotBlock(slot, keyCode, value);
    } else if (type == kMacroFunctionType && database_.GetMacro(value, macro)) {
        std::vector<MacroEvent> events;
        database_.ListMacroEvents(value, events);
        block = RecordedMacroSlotBlock(slot, keyCode, macro, events, layout_.get());
    }
    for (const FeatureReportBytes& report : MacroSlotReports(block)) {
        manager_.SendFeatureDelayed(report);
    }
}

bool SecondFamilyCommands::WriteLight(int profile, int mode, int slotSelection,
                                      int connectionMode) {
    LightModeRecord record;
    if (!database_.GetLightMode(profile, mode, record)) {
        return false;
    }
    return SetLightEffect(record, slotSelection, connectionMode);
}

bool SecondFamilyCommands::SetLightEffect(const LightModeRecord& record, int slotSelection,
                                          int connectionMode) {
    if (IsWireless(connectionMode)) {
        return manager_.SendPayload64(LightEffectPayload(record, slotSelection));
    }
    return manager_.SendFeatureDelayed(LightEffectReport(record, slotSelection));
}

bool SecondFamilyCommands::FactoryReset(int connectionMode) {
    if (!IsWireless(connectionMode)) {
        const bool sent = manager_.SendFeatureDelayed(SecondFamilyFactoryResetReport());
        Wait(kAfterResetMs);
        return sent;
    }
    const std::array<PayloadBytes, 2> payloads = SecondFamilyFactoryResetPayloads();
    // Without the first payload the keyboard has no reset to finish.
    if (!manager_.SendPayload64(payloads[0])) {
        return false;
    }
    Wait(kBetweenResetPayloadsMs);
    return manager_.SendPayload64(payloads[1]);
}

bool SecondFamilyCommands::SetMusicLevel(int setting, int level) {
    return manager_.SendFeature(MusicLevelReport(setting, level));
}
