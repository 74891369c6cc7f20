// The byte forms that the HID device manager's transfers carry.
#pragma once

#include <array>
#include <cstdint>

// A first-family output report: report id 0 in byte 0, then the 64 payload bytes.
using OutputReportBytes = std::array<std::uint8_t, 65>;
// A 64-byte payload (the second family's wireless commands).
using PayloadBytes = std::array<std::uint8_t, 64>;
// A second-family feature report, report id 7 in byte 0.
using FeatureReportBytes = std::array<std::uint8_t, 8>;

inline constexpr std::uint8_t kFeatureReportId = 0x07;
