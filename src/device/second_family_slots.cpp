#include "device/second_family_slots.h"

#include <algorithm>

#include "device/fixed_shortcut.h"
#include "device/key_code_tables.h"

namespace {

constexpr std::uint8_t kReleaseFlag = 0x80;
constexpr size_t kSlotBlockHeader = 4;
constexpr size_t kSlotReportData = 6;

std::uint8_t Byte(int value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

MacroSlotBlock SlotBlockHeader(int slot, int keyCode, int repeat) {
    MacroSlotBlock block{};
    block[0] = 1;
    block[1] = Byte(slot);
    block[2] = Byte(keyCode);
    block[3] = Byte(repeat);
    return block;
}

}  // namespace

std::uint8_t SecondFamilyTimingByte(int delayMs, bool release) {
    const int d = std::min(delayMs, kMaxSecondFamilyDelayMs);
    int range = 0;
    int count = 0;
    if (d < 0) {
        count = 0;
    } else if (d <= 10) {
        count = 1;
    } else if (d <= 310) {
        count = d / 10;
    } else if (d <= 1550) {
        range = 1;
        count = d / 50;
    } else if (d <= 3100) {
        range = 1;
        count = d / 100;
    } else {
        range = 3;
        count = d / 1000;
    }
    const int timing = (release ? kReleaseFlag : 0) | (range << 5) | (count & 0x1F);
    return static_cast<std::uint8_t>(timing == 0 ? 1 : timing);
}

MacroSlotBlock FreeMacroSlotBlock(int slot) {
    return SlotBlockHeader(slot, 0, 0);
}

MacroSlotBlock ShortcutMacroSlotBlock(int slot, int keyCode, int shortcut) {
    MacroSlotBlock block = SlotBlockHeader(slot, keyCode, 1);
    size_t at = kSlotBlockHeader;
    for (const ShortcutKeyEvent& event : FixedShortcutEvents(shortcut)) {
        block[at++] = event.usage;
        block[at++] = SecondFamilyTimingByte(kSecondFamilyShortcutDelayMs, !event.press);
    }
    return block;
}

MacroSlotBlock RecordedMacroSlotBlock(int slot, int keyCode, const MacroRecord& macro,
                                      std::span<const MacroEvent> events,
                                      const XkbKeyboardLayout* layout) {
    MacroSlotBlock block = SlotBlockHeader(slot, keyCode, macro.play_times);
    size_t at = kSlotBlockHeader;
    for (const MacroEvent& event : events) {
        if (event.type != kMacroKeyPress && event.type != kMacroKeyRelease) {
            continue;
        }
        if (at + 2 > block.size()) {
            break;
        }
        block[at++] = Byte(VirtualKeyToKeyCodeForLayout(event.value, layout));
        block[at++] = SecondFamilyTimingByte(event.delay_time, event.type == kMacroKeyRelease);
    }
    return block;
}

std::array<FeatureReportBytes, kMacroSlotReports> MacroSlotReports(const MacroSlotBlock& block) {
    std::array<FeatureReportBytes, kMacroSlotReports> reports{};
    for (size_t k = 0; k < reports.size(); ++k) {
        reports[k][0] = kFeatureReportId;
        reports[k][1] = k == 0 ? 0xF1 : 0x00;
        std::copy_n(block.begin() + static_cast<std::ptrdiff_t>(kSlotReportData * k),
                    kSlotReportData, reports[k].begin() + 2);
    }
    return reports;
}

std::optional<FeatureReportBytes> FunctionSlotReport(int slot, const KeyAssignment* assignment) {
    FeatureReportBytes report{kFeatureReportId, 0xFA, 0x01, Byte(slot), 0x00, 0x01, 0x00, 0x01};
    if (assignment == nullptr || assignment->macro_value <= 0) {
        return report;
    }
    switch (assignment->macro_type) {
        case 0:
        case kMacroFunctionType:
        case kShortcutFunctionType:
            return std::nullopt;
        case kKeyFunctionType:
        case kDisabledFunctionType:
            report[4] = Byte(assignment->key_code);
            report[6] = Byte(assignment->macro_value);
            return report;
        default:
            // Functions the PC carries out need the key's own code from the keyboard.
            return report;
    }
}
