// The second report family's light effect, factory reset and music level, as feature reports
// over the cable and as 64-byte payloads (BB AA 99 88 ...) over a wireless link. Pure byte
// builders.
#pragma once

#include <array>

#include "device/report_bytes.h"
#include "storage/light_records.h"

// Brightness B = brightness − 1 and S = ((colour index << 4) | speed) − 1, each staying 0 at 0.
// Cable: 07 FF FF, mode − 1, B, S, slot, direction; the slot is the selection only for a mode
// with per-key colouring, else 0.
FeatureReportBytes LightEffectReport(const LightModeRecord& record, int slotSelection);
// Wireless: BB AA 99 88 AA, mode − 1, B, S, 00, slot selection, direction, zeros.
PayloadBytes LightEffectPayload(const LightModeRecord& record, int slotSelection);

// Cable: 07 F0 AA and zeros.
FeatureReportBytes SecondFamilyFactoryResetReport();
// Wireless: BB AA 99 88 AA AA AA AA AA AA, then (1.6 s later) BB AA 99 88 and zeros.
std::array<PayloadBytes, 2> SecondFamilyFactoryResetPayloads();

// The level sent for a sound amplitude: amplitude × gain truncated, held to 0 to 255.
int MusicLevel(double amplitude, double gain);
// 07 23 45 67 89, music setting, level (held to 0 to 255), 00.
FeatureReportBytes MusicLevelReport(int setting, int level);
