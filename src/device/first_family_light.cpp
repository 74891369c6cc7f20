#include "device/first_family_light.h"

#include "device/table_chunks.h"

namespace {

constexpr std::uint8_t kSetLightModeCommand = 0x88;
constexpr std::uint8_t kSetLightParamsCommand = 0x89;
constexpr std::uint8_t kSetKeyColoursCommand = 0x8B;
constexpr std::uint8_t kStreamFrameCommand = 0xF1;
constexpr int kLastKeyColourChunk = 20;
constexpr int kLastStreamFrameChunk = 30;

std::uint8_t Byte(int value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

// Writes R, G, B (and an opaque FF when the table has 4 bytes per key) at each key's index.
template <size_t Stride, typename Table, typename Record, typename ColourOf>
void FillColours(Table& table, std::span<const Record> records, const KeyPositionMap& positions,
                 ColourOf colourOf) {
    constexpr size_t kPositions = std::tuple_size_v<Table> / Stride;
    for (const Record& record : records) {
        const int position = positions.PositionOf(record.key_code);
        if (position < 0 || static_cast<size_t>(position) >= kPositions) {
            continue;
        }
        const COLORREF colour = colourOf(record);
        std::uint8_t* entry = &table[Stride * static_cast<size_t>(position)];
        entry[0] = Byte(GetRValue(colour));
        entry[1] = Byte(GetGValue(colour));
        entry[2] = Byte(GetBValue(colour));
        if constexpr (Stride == 4) {
            entry[3] = 0xFF;
        }
    }
}

}  // namespace

OutputReportBytes LightModeReport(int mode) {
    return {0, kSetLightModeCommand, 0, Byte(mode)};
}

OutputReportBytes LightParamsReport(const LightModeRecord& record) {
    const COLORREF colour = static_cast<COLORREF>(record.color_value);
    const int params =
        ((record.direction & 3) << 4) | (record.colorful ? 0x40 : 0) | (record.speed & 0x0F);
    return {0,
            kSetLightParamsCommand,
            0,
            Byte(params),
            Byte(GetRValue(colour)),
            Byte(GetGValue(colour)),
            Byte(GetBValue(colour)),
            Byte(record.brightness)};
}

KeyColourTable BuildKeyColourTable(std::span<const KeyColour> colours,
                                   const KeyPositionMap& positions) {
    KeyColourTable table{};
    FillColours<4>(table, colours, positions,
                   [](const KeyColour& record) { return static_cast<COLORREF>(record.key_rgb); });
    return table;
}

std::array<OutputReportBytes, kKeyColourReports> KeyColourReports(const KeyColourTable& table) {
    return TableChunkReports<kKeyColourReports>(kSetKeyColoursCommand, table, kLastKeyColourChunk);
}

OutputReportBytes StartStreamingReport() {
    return {0, 0xF0, 0xF4, 0x01};
}

StreamFrameTable BuildStreamFrame(std::span<const KeyLight> colours,
                                  const KeyPositionMap& positions) {
    StreamFrameTable frame{};
    FillColours<3>(frame, colours, positions, [](const KeyLight& key) { return key.colour; });
    return frame;
}

std::array<OutputReportBytes, kStreamFrameReports> StreamFrameReports(
    const StreamFrameTable& frame) {
    return TableChunkReports<kStreamFrameReports>(kStreamFrameCommand, frame,
                                                  kLastStreamFrameChunk);
}

OutputReportBytes FirstFamilyFactoryResetReport() {
    return {0, 0xFF, 0xFE, 0xAA, 0xFF};
}

FeatureReportBytes LightEffectSlotReport(const LightModeRecord& record, int slotSelection) {
    const int slot = (record.config_func & kPerKeyLightFeature) != 0 ? slotSelection : 0;
    return {kFeatureReportId,   0xFF, 0xFF,      Byte(record.mode - 1), Byte(record.brightness),
            Byte(record.speed), 0,    Byte(slot)};
}
