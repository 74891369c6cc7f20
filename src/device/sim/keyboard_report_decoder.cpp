#include "device/sim/keyboard_report_decoder.h"

#include <algorithm>

namespace {

constexpr std::uint8_t kFeatureReportId = 0x07;
constexpr size_t kPayloadSize = 64;
constexpr size_t kMacroBlockSize = 1200;
constexpr size_t kMacroChunkData = 59;
constexpr size_t kTableChunkData = 60;
constexpr int kMacroSlotReports = 28;
constexpr size_t kSlotTableReplyData = 7;
constexpr size_t kFrameBytes = SimulatedKeyboardState::kWirePositions * 3;

bool StartsWith(std::span<const std::uint8_t> bytes, std::initializer_list<std::uint8_t> prefix) {
    return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

bool AllEqual(std::span<const std::uint8_t> bytes, std::uint8_t value) {
    return std::all_of(bytes.begin(), bytes.end(), [value](std::uint8_t b) { return b == value; });
}

int ChunkOffset(std::span<const std::uint8_t> payload) {
    return payload[2] | (payload[3] << 8);
}

// Copies a table chunk (command, length, offset low, offset high, data) into `table`, as far as
// both the chunk and the table reach.
template <size_t N>
void CopyTableChunk(std::span<const std::uint8_t> payload, std::array<std::uint8_t, N>& table) {
    const size_t offset = static_cast<size_t>(ChunkOffset(payload));
    const size_t length = std::min<size_t>(payload[1], kTableChunkData);
    if (offset >= N) {
        return;
    }
    const size_t count = std::min(length, N - offset);
    std::copy_n(payload.begin() + 4, count, table.begin() + static_cast<std::ptrdiff_t>(offset));
}

}  // namespace

void KeyboardReportDecoder::Output(SimulatedInterfaceRole role,
                                   std::span<const std::uint8_t> report) {
    // An output report without report id: byte 0 is 0, the 64 payload bytes follow.
    if (report.size() < 1 + kPayloadSize || report[0] != 0) {
        ++state_.unknownReports;
        return;
    }
    const std::span<const std::uint8_t> payload = report.subspan(1, kPayloadSize);
    bool known = false;
    if (role == SimulatedInterfaceRole::Vendor) {
        known = VendorPayload(payload);
    } else if (role == SimulatedInterfaceRole::Auxiliary) {
        known = AuxiliaryPayload(payload);
    }
    if (!known) {
        ++state_.unknownReports;
    }
}

bool KeyboardReportDecoder::VendorPayload(std::span<const std::uint8_t> payload) {
    if (StartsWith(payload, {0xBB, 0xAA, 0x99, 0x88})) {
        return WirelessPayload(payload);
    }
    if (StartsWith(payload, {0xF0, 0xF4, 0x01})) {
        state_.streamingStarted = true;
        return true;
    }
    if (StartsWith(payload, {0xFF, 0xFE, 0xAA, 0xFF})) {
        FactoryReset();
        return true;
    }
    switch (payload[0]) {
        case 0x8E:
            MacroChunk(payload);
            return true;
        case 0x8D:
            CopyTableChunk(payload, state_.keyTable);
            ++state_.keyTableReports;
            return true;
        case 0x88:
            state_.lightMode = payload[2];
            return true;
        case 0x89: {
            LightParams params;
            params.direction = (payload[2] >> 4) & 0x03;
            params.colourful = (payload[2] & 0x40) != 0;
            params.speed = payload[2] & 0x0F;
            params.colour = RGB(payload[3], payload[4], payload[5]);
            params.brightness = payload[6];
            state_.lightParams = params;
            return true;
        }
        case 0x8B:
            CopyTableChunk(payload, state_.keyColourTable);
            ++state_.keyColourReports;
            return true;
        default:
            return false;
    }
}

bool KeyboardReportDecoder::AuxiliaryPayload(std::span<const std::uint8_t> payload) {
    if (payload[0] != 0xF1) {
        return false;
    }
    CopyTableChunk(payload, state_.frame);
    ++state_.frameReports;
    if (static_cast<size_t>(ChunkOffset(payload)) + payload[1] >= kFrameBytes) {
        ++state_.framesCompleted;
    }
    return true;
}

bool KeyboardReportDecoder::WirelessPayload(std::span<const std::uint8_t> payload) {
    const std::span<const std::uint8_t> rest = payload.subspan(4);
    if (AllEqual(rest.first(6), 0xAA)) {
        wirelessResetPending_ = true;
        return true;
    }
    if (AllEqual(rest, 0)) {
        if (!wirelessResetPending_) {
            return false;
        }
        wirelessResetPending_ = false;
        FactoryReset();
        return true;
    }
    if (rest[0] != 0xAA) {
        return false;
    }
    LightEffect effect;
    effect.wireless = true;
    effect.modeIndex = payload[5];
    effect.brightness = payload[6];
    effect.speed = payload[7];
    effect.slot = payload[9];
    effect.direction = payload[10];
    state_.lightEffect = effect;
    ++state_.lightEffectReports;
    return true;
}

void KeyboardReportDecoder::MacroChunk(std::span<const std::uint8_t> payload) {
    const int slot = payload[4];
    const size_t offset = static_cast<size_t>(ChunkOffset(payload));
    FirstFamilyMacro& macro = state_.macros[slot];
    if (offset == 0) {
        macro = FirstFamilyMacro{};
    }
    if (offset < kMacroBlockSize) {
        const size_t count = std::min(kMacroChunkData, kMacroBlockSize - offset);
        if (macro.block.size() < offset + count) {
            macro.block.resize(offset + count);
        }
        std::copy_n(payload.begin() + 5, count,
                    macro.block.begin() + static_cast<std::ptrdiff_t>(offset));
    }
    macro.declaredLength += payload[1];
    ++macro.chunks;
}

void KeyboardReportDecoder::SetFeature(SimulatedInterfaceRole role,
                                       std::span<const std::uint8_t> report) {
    if (role != SimulatedInterfaceRole::Vendor || report.size() != 8 ||
        !FeatureReport(report.first<8>())) {
        ++state_.unknownReports;
    }
}

bool KeyboardReportDecoder::FeatureReport(std::span<const std::uint8_t, 8> report) {
    if (report[0] != kFeatureReportId) {
        return false;
    }
    if (StartsWith(report, {0x07, 0xFF, 0xFF})) {
        LightEffect effect;
        effect.modeIndex = report[3];
        effect.brightness = report[4];
        effect.speed = report[5];
        if (FirstFamily()) {
            effect.slot = report[7];
        } else {
            effect.slot = report[6];
            effect.direction = report[7];
        }
        state_.lightEffect = effect;
        ++state_.lightEffectReports;
        return true;
    }
    if (StartsWith(report, {0x07, 0xFB, 0x01})) {
        query_ = Query::SlotTable;
        slotTableReads_ = 0;
        ++state_.slotTableRequests;
        return true;
    }
    if (StartsWith(report, {0x07, 0xFD})) {
        query_ = Query::FirmwareVersion;
        ++state_.firmwareVersionRequests;
        return true;
    }
    if (StartsWith(report, {0x07, 0xFA, 0x01})) {
        FunctionSlot slot;
        slot.keyCode = report[4];
        slot.usage = report[6];
        std::copy(report.begin(), report.end(), slot.report.begin());
        state_.functionSlots[report[3]] = slot;
        return true;
    }
    if (report[1] == 0xF1 || report[1] == 0x00) {
        if (report[1] == 0x00 && pendingBlock_.empty()) {
            return false;
        }
        MacroSlotChunk(report);
        return true;
    }
    if (StartsWith(report, {0x07, 0xF0, 0xAA})) {
        FactoryReset();
        return true;
    }
    if (StartsWith(report, {0x07, 0x23, 0x45, 0x67, 0x89})) {
        state_.musicSetting = report[5];
        state_.musicLevel = report[6];
        ++state_.musicReports;
        return true;
    }
    return false;
}

void KeyboardReportDecoder::MacroSlotChunk(std::span<const std::uint8_t, 8> report) {
    if (report[1] == 0xF1) {
        // A new block; one left unfinished is dropped, as the keyboard would.
        pendingBlock_.clear();
        pendingReports_ = 0;
    }
    pendingBlock_.insert(pendingBlock_.end(), report.begin() + 2, report.end());
    if (++pendingReports_ == kMacroSlotReports) {
        CommitMacroSlot();
    }
}

void KeyboardReportDecoder::CommitMacroSlot() {
    SecondFamilyMacroSlot slot;
    slot.block = std::move(pendingBlock_);
    pendingBlock_.clear();
    pendingReports_ = 0;
    slot.keyCode = slot.block[2];
    slot.repeat = slot.block[3];
    for (size_t at = 4; at + 2 <= slot.block.size(); at += 2) {
        if (slot.block[at] == 0 && slot.block[at + 1] == 0) {
            break;
        }
        slot.events.push_back({slot.block[at], slot.block[at + 1]});
    }
    state_.macroSlots[slot.block[1]] = std::move(slot);
}

int KeyboardReportDecoder::GetFeature(SimulatedInterfaceRole role, std::span<std::uint8_t> report) {
    if (role != SimulatedInterfaceRole::Vendor || report.empty() || report[0] != kFeatureReportId) {
        return -1;
    }
    std::array<std::uint8_t, 8> reply{kFeatureReportId};
    if (query_ == Query::SlotTable) {
        const std::array<std::uint8_t, 28> table = state_.SlotTable();
        const size_t from = kSlotTableReplyData * static_cast<size_t>(slotTableReads_ % 4);
        std::copy_n(table.begin() + static_cast<std::ptrdiff_t>(from), kSlotTableReplyData,
                    reply.begin() + 1);
        ++slotTableReads_;
    } else if (query_ == Query::FirmwareVersion) {
        reply[1] = static_cast<std::uint8_t>((firmwareVersion_ >> 8) & 0xFF);
        reply[2] = static_cast<std::uint8_t>(firmwareVersion_ & 0xFF);
    }
    const size_t count = std::min(report.size(), reply.size());
    std::copy_n(reply.begin(), count, report.begin());
    return static_cast<int>(count);
}

void KeyboardReportDecoder::FactoryReset() {
    // Configuration goes back to its defaults; what counts reports stays.
    SimulatedKeyboardState fresh;
    fresh.factoryResets = state_.factoryResets + 1;
    fresh.unknownReports = state_.unknownReports;
    fresh.slotTableRequests = state_.slotTableRequests;
    fresh.firmwareVersionRequests = state_.firmwareVersionRequests;
    fresh.streamingStarted = state_.streamingStarted;
    state_ = std::move(fresh);
    pendingBlock_.clear();
    pendingReports_ = 0;
}
