// The first report family's macro download (8E): a recorded macro or a fixed shortcut sequence
// as a block in a macro slot, events of 3 bytes each. Pure byte builders.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "device/report_bytes.h"
#include "storage/macro_record.h"

inline constexpr std::uint8_t kSetMacroCommand = 0x8E;
// The room for one macro block, and the events that fit behind its 2-byte header. The events
// of a longer macro after its first 399 are not downloaded.
inline constexpr size_t kMacroBlockSize = 1200;
inline constexpr int kMacroBlockEventLimit = 399;
inline constexpr int kMacroChunkSize = 59;
// Every event of a fixed shortcut sequence waits this long.
inline constexpr int kShortcutEventDelayMs = 100;

struct MacroDownloadBlock {
    // Byte 0 the repeat count, byte 1 the event count, then the key events.
    std::array<std::uint8_t, kMacroBlockSize> bytes{};
    // 3 bytes per event counted, plus 3: what the chunks declare.
    int length = 0;
};

// A key event: the usage, delay bits 0 to 7, delay bits 8 to 14 with bit 7 set for a press.
// The delay is held to 0 to 32767 ms.
std::array<std::uint8_t, 3> EncodeFirstFamilyEvent(std::uint8_t usage, int delayMs, bool press);

// The block of a macro: repeat count held to 1 to 255, the number of events of all types, and
// the key presses and releases translated to key codes (events of other types take no room).
// Only the first 399 events are taken.
MacroDownloadBlock EncodeMacroForKeyboard(int playTimes, std::span<const MacroEvent> events);

// The chunks of a block for a slot: 8E, length, offset (low byte first), slot, 59 block bytes.
// Every chunk but the last says 59; the last the rest of the block's length.
std::vector<OutputReportBytes> MacroChunkReports(const MacroDownloadBlock& block,
                                                 std::uint8_t slot);

// A fixed shortcut sequence for a slot: 8E, 3·c, 00, 00, slot, 01, c and its c events (four
// zero events for a number outside 1 to 15).
OutputReportBytes ShortcutDownloadReport(int shortcut, std::uint8_t slot);
