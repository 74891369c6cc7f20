// The second report family's key slots: macro slots (07 F1, then 07 00) for macros and fixed
// shortcuts, function slots (07 FA 01) for remapped and disabled keys. Pure byte builders.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "device/report_bytes.h"
#include "storage/key_assignment.h"
#include "storage/macro_record.h"

class XkbKeyboardLayout;

// A macro slot block has room for 254 events behind its 4-byte header (a longer macro keeps
// its first 254 key events); the first 168 bytes are sent, in 28 reports of 6.
inline constexpr size_t kMacroSlotBlockSize = 512;
inline constexpr size_t kMacroSlotEventLimit = (kMacroSlotBlockSize - 4) / 2;
inline constexpr int kMacroSlotReports = 28;
inline constexpr int kMaxSecondFamilyDelayMs = 31000;
// Every event of a fixed shortcut sequence waits this long.
inline constexpr int kSecondFamilyShortcutDelayMs = 10;

using MacroSlotBlock = std::array<std::uint8_t, kMacroSlotBlockSize>;

// Bit 7 set for a release, range code in bits 6 and 5, count in bits 4 to 0, from a delay held
// to 31000 ms: up to 310 ms in 10 ms units (at least 1), up to 1550 ms in 50 ms units, up to
// 3100 ms in 100 ms units (range 1 as well), then in seconds (range 3).
std::uint8_t SecondFamilyTimingByte(int delayMs, bool release);

// 01, slot, zeros: frees the slot.
MacroSlotBlock FreeMacroSlotBlock(int slot);
// 01, slot, key code, 01, the events of the shortcut (none for a number outside 1 to 15).
MacroSlotBlock ShortcutMacroSlotBlock(int slot, int keyCode, int shortcut);
// 01, slot, key code, low byte of the repeat count, then the key presses and releases with
// their keys through the layout-aware key table; events of other types are skipped.
MacroSlotBlock RecordedMacroSlotBlock(int slot, int keyCode, const MacroRecord& macro,
                                      std::span<const MacroEvent> events,
                                      const XkbKeyboardLayout* layout);
// Report k (0 to 27): 07, F1 for the first and 00 for the others, block bytes 6·k to 6·k + 5.
std::array<FeatureReportBytes, kMacroSlotReports> MacroSlotReports(const MacroSlotBlock& block);

// 07 FA 01 slot, key code, 01, usage, 01 for a remapped (type 2) or disabled (type 1) key with a
// value above 0. Any other assignment, or none, frees the slot (key code and usage 0), except
// that a macro or shortcut with a value sends nothing: it holds a macro slot instead.
std::optional<FeatureReportBytes> FunctionSlotReport(int slot, const KeyAssignment* assignment);
