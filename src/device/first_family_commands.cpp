#include "device/first_family_commands.h"

#include <vector>

#include "device/first_family_light.h"
#include "device/first_family_macro.h"

namespace {

constexpr int kBeforeBlockMs = 10;
constexpr int kBeforeMacroChunkMs = 100;
constexpr int kBeforeKeyTableMs = 20;
constexpr int kBeforeKeyTableChunkMs = 10;
constexpr int kBeforeColourChunkMs = 1;
constexpr int kAfterResetMs = 100;

}  // namespace

FirstFamilyCommands::FirstFamilyCommands(DeviceDatabase& database, HidDeviceManager& manager)
    : database_(database), manager_(manager) {}

void FirstFamilyCommands::Wait(int milliseconds) {
    manager_.GetSleeper()->Sleep(std::chrono::milliseconds(milliseconds));
}

void FirstFamilyCommands::WriteKeys(int profile, int fnLayer, const KeyPositionMap& positions) {
    std::vector<KeyAssignment> assignments;
    database_.ListKeyAssignments(profile, fnLayer, assignments);
    SetMacro(assignments);
    Wait(kBeforeKeyTableMs);
    SetKeyTable(assignments, positions);
}

const MacroSlotMap& FirstFamilyCommands::SetMacro(std::span<const KeyAssignment> assignments) {
    slots_.clear();
    int slot = 0;
    for (const KeyAssignment& assignment : assignments) {
        if (assignment.macro_type != kMacroFunctionType) {
            continue;
        }
        MacroRecord macro;
        if (!database_.GetMacro(assignment.macro_value, macro)) {
            // Its macro is gone: the key keeps its own function and takes no slot.
            continue;
        }
        std::vector<MacroEvent> events;
        database_.ListMacroEvents(assignment.macro_value, events);
        const MacroDownloadBlock block = EncodeMacroForKeyboard(macro.play_times, events);
        Wait(kBeforeBlockMs);
        for (const OutputReportBytes& chunk :
             MacroChunkReports(block, static_cast<std::uint8_t>(slot))) {
            Wait(kBeforeMacroChunkMs);
            if (!manager_.SendOutputReport(chunk)) {
                return slots_;
            }
        }
        slots_[assignment.key_code] = slot++;
    }
    for (const KeyAssignment& assignment : assignments) {
        if (assignment.macro_type != kShortcutFunctionType) {
            continue;
        }
        Wait(kBeforeBlockMs);
        if (!manager_.SendOutputReport(
                ShortcutDownloadReport(assignment.macro_value, static_cast<std::uint8_t>(slot)))) {
            return slots_;
        }
        slots_[assignment.key_code] = slot++;
    }
    return slots_;
}

void FirstFamilyCommands::SetKeyTable(std::span<const KeyAssignment> assignments,
                                      const KeyPositionMap& positions) {
    const KeyTableBytes table = BuildKeyTable(assignments, positions, slots_);
    for (const OutputReportBytes& report : KeyTableReports(table)) {
        Wait(kBeforeKeyTableChunkMs);
        manager_.SendOutputReport(report);
    }
}

bool FirstFamilyCommands::WriteLight(int profile, int mode, std::atomic<bool>& parameterWrite) {
    LightModeRecord record;
    if (!database_.GetLightMode(profile, mode, record)) {
        return false;
    }
    const bool sent = parameterWrite.load() ? SetLightParams(record) : SetLightMode(record.mode);
    parameterWrite.store(true);
    return sent;
}

bool FirstFamilyCommands::SetLightMode(int mode) {
    return manager_.SendOutputReport(LightModeReport(mode));
}

bool FirstFamilyCommands::SetLightParams(const LightModeRecord& record) {
    return manager_.SendOutputReport(LightParamsReport(record));
}

bool FirstFamilyCommands::SendReports(std::span<const OutputReportBytes> reports, bool auxiliary) {
    for (const OutputReportBytes& report : reports) {
        Wait(kBeforeColourChunkMs);
        if (!(auxiliary ? manager_.SendAuxOutputReport(report)
                        : manager_.SendOutputReport(report))) {
            return false;
        }
    }
    return true;
}

bool FirstFamilyCommands::SetKeyColours(const KeyPositionMap& positions) {
    std::vector<KeyColour> colours;
    database_.ListKeyColours(kFirstKeyColourSlot, colours);
    return SendReports(KeyColourReports(BuildKeyColourTable(colours, positions)), false);
}

bool FirstFamilyCommands::StreamFrame(std::span<const KeyLight> colours,
                                      const KeyPositionMap& positions) {
    if (!streamingStarted_.load()) {
        if (!manager_.SendOutputReport(StartStreamingReport())) {
            return false;
        }
        streamingStarted_.store(true);
    }
    return SendReports(StreamFrameReports(BuildStreamFrame(colours, positions)), true);
}

bool FirstFamilyCommands::FactoryReset() {
    const bool sent = manager_.SendOutputReport(FirstFamilyFactoryResetReport());
    Wait(kAfterResetMs);
    return sent;
}

void FirstFamilyCommands::SetLightEffectSlot(const LightModeRecord& record, int slotSelection) {
    manager_.SendFeatureDelayed(LightEffectSlotReport(record, slotSelection));
}
