#include "device/first_family_key_table.h"

#include "device/table_chunks.h"

namespace {

constexpr std::uint8_t kKeyEntry = 0x20;
constexpr std::uint8_t kMacroEntry = 0x40;
constexpr int kLastKeyTableChunk = 40;

}  // namespace

KeyTableBytes BuildKeyTable(std::span<const KeyAssignment> assignments,
                            const KeyPositionMap& positions, const MacroSlotMap& slots) {
    KeyTableBytes table{};
    for (const KeyAssignment& assignment : assignments) {
        const int position = positions.PositionOf(assignment.key_code);
        if (position < 0 || static_cast<size_t>(position) >= kKeyTablePositions) {
            continue;
        }
        std::uint8_t* entry = &table[2 * static_cast<size_t>(position)];
        switch (assignment.macro_type) {
            case kKeyFunctionType:
                entry[0] = static_cast<std::uint8_t>(assignment.macro_value);
                entry[1] = kKeyEntry;
                break;
            case kDisabledFunctionType:
                entry[0] = 0;
                entry[1] = kKeyEntry;
                break;
            case kMacroFunctionType:
            case kShortcutFunctionType:
                if (const auto slot = slots.find(assignment.key_code); slot != slots.end()) {
                    entry[0] = static_cast<std::uint8_t>(slot->second);
                    entry[1] = kMacroEntry;
                }
                break;
            default:
                break;
        }
    }
    return table;
}

std::array<OutputReportBytes, kKeyTableReports> KeyTableReports(const KeyTableBytes& table) {
    return TableChunkReports<kKeyTableReports>(kSetKeyTableCommand, table, kLastKeyTableChunk);
}
