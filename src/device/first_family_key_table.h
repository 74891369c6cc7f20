// The first report family's key table (8D): two bytes per position index, telling each key
// what it sends. Pure byte builders.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <span>

#include "device/key_position_map.h"
#include "device/report_bytes.h"
#include "storage/key_assignment.h"

inline constexpr std::uint8_t kSetKeyTableCommand = 0x8D;
// Room for 180 positions; 110 of them go on the wire.
inline constexpr size_t kKeyTablePositions = 180;
inline constexpr int kKeyTableReports = 4;

using KeyTableBytes = std::array<std::uint8_t, 2 * kKeyTablePositions>;
// Key code to the macro slot its macro or shortcut was downloaded into.
using MacroSlotMap = std::map<int, int>;

// At each assignment's position index: a remapped key (type 2) the usage and 0x20, a disabled
// key (type 1) 00 20, a macro or shortcut (types 3 and 7) its slot and 0x40 when it has one;
// every other key 00 00. Assignments whose index lies beyond the table's room are skipped.
KeyTableBytes BuildKeyTable(std::span<const KeyAssignment> assignments,
                            const KeyPositionMap& positions, const MacroSlotMap& slots);

// Four reports 8D, length (60, 60, 60, 40), offset, 60 table bytes from the offset.
std::array<OutputReportBytes, kKeyTableReports> KeyTableReports(const KeyTableBytes& table);
