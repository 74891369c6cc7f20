#include "device/first_family_macro.h"

#include <algorithm>

#include "device/fixed_shortcut.h"
#include "device/key_code_tables.h"

namespace {

constexpr int kMaxDelay = 0x7FFF;
constexpr int kMaxRepeat = 255;
constexpr size_t kEventSize = 3;
constexpr size_t kBlockHeader = 2;
constexpr size_t kChunkDataOffset = 6;
constexpr int kUnknownShortcutEvents = 4;

}  // namespace

std::array<std::uint8_t, 3> EncodeFirstFamilyEvent(std::uint8_t usage, int delayMs, bool press) {
    const int delay = std::clamp(delayMs, 0, kMaxDelay);
    return {usage, static_cast<std::uint8_t>(delay & 0xFF),
            static_cast<std::uint8_t>(((delay >> 8) & 0x7F) | (press ? 0x80 : 0x00))};
}

MacroDownloadBlock EncodeMacroForKeyboard(int playTimes, std::span<const MacroEvent> events) {
    MacroDownloadBlock block;
    const std::span<const MacroEvent> taken =
        events.first(std::min<size_t>(events.size(), kMacroBlockEventLimit));
    block.bytes[0] = static_cast<std::uint8_t>(std::clamp(playTimes, 1, kMaxRepeat));
    // The count byte carries what one byte can of up to 399 events.
    block.bytes[1] = static_cast<std::uint8_t>(taken.size() & 0xFF);
    size_t at = kBlockHeader;
    for (const MacroEvent& event : taken) {
        if (event.type != kMacroKeyPress && event.type != kMacroKeyRelease) {
            continue;
        }
        const auto bytes =
            EncodeFirstFamilyEvent(static_cast<std::uint8_t>(VirtualKeyToKeyCode(event.value)),
                                   event.delay_time, event.type == kMacroKeyPress);
        std::copy(bytes.begin(), bytes.end(), block.bytes.begin() + at);
        at += kEventSize;
    }
    block.length = static_cast<int>(kEventSize * (taken.size() + 1));
    return block;
}

std::vector<OutputReportBytes> MacroChunkReports(const MacroDownloadBlock& block,
                                                 std::uint8_t slot) {
    const int length = std::clamp(block.length, 0, static_cast<int>(kMacroBlockSize));
    const int last = length / kMacroChunkSize;
    std::vector<OutputReportBytes> reports;
    reports.reserve(static_cast<size_t>(last) + 1);
    for (int k = 0; k <= last; ++k) {
        const int offset = kMacroChunkSize * k;
        OutputReportBytes report{};
        report[1] = kSetMacroCommand;
        report[2] = static_cast<std::uint8_t>(k < last ? kMacroChunkSize : length - offset);
        report[3] = static_cast<std::uint8_t>(offset & 0xFF);
        report[4] = static_cast<std::uint8_t>((offset >> 8) & 0xFF);
        report[5] = slot;
        // The last chunk of a full block would reach past its end; that part stays zero.
        const size_t count =
            std::min<size_t>(kMacroChunkSize, kMacroBlockSize - static_cast<size_t>(offset));
        std::copy_n(block.bytes.begin() + offset, count, report.begin() + kChunkDataOffset);
        reports.push_back(report);
    }
    return reports;
}

OutputReportBytes ShortcutDownloadReport(int shortcut, std::uint8_t slot) {
    const std::span<const ShortcutKeyEvent> events = FixedShortcutEvents(shortcut);
    const int count = events.empty() ? kUnknownShortcutEvents : static_cast<int>(events.size());
    OutputReportBytes report{};
    report[1] = kSetMacroCommand;
    report[2] = static_cast<std::uint8_t>(kEventSize * count);
    report[5] = slot;
    report[6] = 1;
    report[7] = static_cast<std::uint8_t>(count);
    size_t at = 8;
    for (const ShortcutKeyEvent& event : events) {
        const auto bytes = EncodeFirstFamilyEvent(event.usage, kShortcutEventDelayMs, event.press);
        std::copy(bytes.begin(), bytes.end(), report.begin() + at);
        at += kEventSize;
    }
    return report;
}
