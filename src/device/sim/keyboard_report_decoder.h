// The simulated keyboard's firmware: reads every report of both families into the keyboard's
// state and answers the two queries (slot table, firmware version). Not thread-safe by itself;
// SimulatedKeyboard guards it.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "device/sim/simulated_keyboard_identity.h"
#include "device/sim/simulated_keyboard_state.h"

class KeyboardReportDecoder {
public:
    KeyboardReportDecoder(int deviceType, int firmwareVersion)
        : deviceType_(deviceType), firmwareVersion_(firmwareVersion) {}

    // An output report as written, byte 0 the report id.
    void Output(SimulatedInterfaceRole role, std::span<const std::uint8_t> report);
    // A feature report as sent, byte 0 the report id.
    void SetFeature(SimulatedInterfaceRole role, std::span<const std::uint8_t> report);
    // Answers a read of the feature report whose id is in byte 0: the reply to the last query,
    // or zeros. Bytes answered, or -1 for a report the keyboard does not have.
    int GetFeature(SimulatedInterfaceRole role, std::span<std::uint8_t> report);

    const SimulatedKeyboardState& State() const { return state_; }
    // For presets (slots already taken, for instance).
    SimulatedKeyboardState& MutableState() { return state_; }
    void SetFirmwareVersion(int version) { firmwareVersion_ = version; }

private:
    enum class Query { None, SlotTable, FirmwareVersion };

    bool FirstFamily() const { return deviceType_ < 200; }
    bool VendorPayload(std::span<const std::uint8_t> payload);
    bool AuxiliaryPayload(std::span<const std::uint8_t> payload);
    bool WirelessPayload(std::span<const std::uint8_t> payload);
    bool FeatureReport(std::span<const std::uint8_t, 8> report);
    void MacroChunk(std::span<const std::uint8_t> payload);
    void MacroSlotChunk(std::span<const std::uint8_t, 8> report);
    void CommitMacroSlot();
    void FactoryReset();

    const int deviceType_;
    int firmwareVersion_;
    SimulatedKeyboardState state_;
    Query query_ = Query::None;
    int slotTableReads_ = 0;
    // The second family's macro slot block being received, and how many of its reports came.
    std::vector<std::uint8_t> pendingBlock_;
    int pendingReports_ = 0;
    bool wirelessResetPending_ = false;
};
