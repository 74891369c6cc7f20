// The first report family's light commands: light mode and parameters, the per-key colour
// table, colour streaming, the custom light slot and the factory reset. Pure byte builders.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "device/key_light.h"
#include "device/key_position_map.h"
#include "device/report_bytes.h"
#include "storage/light_records.h"

// Room for 150 positions of 4 bytes (R, G, B, FF) and for 200 of 3 (R, G, B); 110 of them go
// on the wire. Keys whose index lies beyond the room are skipped.
inline constexpr size_t kKeyColourPositions = 150;
inline constexpr size_t kStreamFramePositions = 200;
inline constexpr int kKeyColourReports = 8;
inline constexpr int kStreamFrameReports = 6;
// The light record's feature bit of per-key colouring.
inline constexpr int kPerKeyLightFeature = 0x100;

using KeyColourTable = std::array<std::uint8_t, 4 * kKeyColourPositions>;
using StreamFrameTable = std::array<std::uint8_t, 3 * kStreamFramePositions>;

// 88 00 mode.
OutputReportBytes LightModeReport(int mode);
// 89 00 P R G B brightness, P = (direction & 3) << 4 | 0x40 when colourful | speed & 0x0F.
OutputReportBytes LightParamsReport(const LightModeRecord& record);

// R, G, B, FF at each key's position index.
KeyColourTable BuildKeyColourTable(std::span<const KeyColour> colours,
                                   const KeyPositionMap& positions);
// Eight reports 8B, length (60, the last 20), offset, 60 table bytes.
std::array<OutputReportBytes, kKeyColourReports> KeyColourReports(const KeyColourTable& table);

// F0 F4 01, once before the first streamed frame.
OutputReportBytes StartStreamingReport();
// R, G, B at each key's position index.
StreamFrameTable BuildStreamFrame(std::span<const KeyLight> colours,
                                  const KeyPositionMap& positions);
// Six reports F1, length (60, the last 30), offset, 60 frame bytes; for the auxiliary interface.
std::array<OutputReportBytes, kStreamFrameReports> StreamFrameReports(
    const StreamFrameTable& frame);

// FF FE AA FF.
OutputReportBytes FirstFamilyFactoryResetReport();

// Feature report 07 FF FF, mode − 1, brightness, speed, 00, slot; the slot is 0 for a mode
// without per-key colouring.
FeatureReportBytes LightEffectSlotReport(const LightModeRecord& record, int slotSelection);
