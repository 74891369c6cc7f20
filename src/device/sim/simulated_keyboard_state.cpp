#include "device/sim/simulated_keyboard_state.h"

namespace {

constexpr int kMacroSlots = 13;
constexpr int kFunctionSlots = 10;

}  // namespace

std::vector<FirstFamilyMacroEvent> FirstFamilyMacro::Events() const {
    std::vector<FirstFamilyMacroEvent> events;
    for (size_t at = 2; events.size() < static_cast<size_t>(EventCount()) && at + 3 <= block.size();
         at += 3) {
        FirstFamilyMacroEvent event;
        event.usage = block[at];
        event.delay = block[at + 1] | ((block[at + 2] & 0x7F) << 8);
        event.press = (block[at + 2] & 0x80) != 0;
        events.push_back(event);
    }
    return events;
}

KeyTableEntry SimulatedKeyboardState::KeyAt(int position) const {
    if (position < 0 || static_cast<size_t>(position) * 2 + 1 >= keyTable.size()) {
        return {};
    }
    return {keyTable[position * 2], keyTable[position * 2 + 1]};
}

COLORREF SimulatedKeyboardState::KeyColour(int position) const {
    if (position < 0 || static_cast<size_t>(position) * 4 + 3 >= keyColourTable.size()) {
        return 0;
    }
    const std::uint8_t* c = &keyColourTable[position * 4];
    return RGB(c[0], c[1], c[2]);
}

COLORREF SimulatedKeyboardState::FrameColour(int position) const {
    if (position < 0 || static_cast<size_t>(position) * 3 + 2 >= frame.size()) {
        return 0;
    }
    const std::uint8_t* c = &frame[position * 3];
    return RGB(c[0], c[1], c[2]);
}

std::array<std::uint8_t, 28> SimulatedKeyboardState::SlotTable() const {
    std::array<std::uint8_t, 28> table{};
    for (const auto& [slot, content] : macroSlots) {
        if (slot >= 1 && slot <= kMacroSlots) {
            table[slot] = content.keyCode;
        }
    }
    for (const auto& [slot, content] : functionSlots) {
        if (slot >= 1 && slot <= kFunctionSlots) {
            table[kMacroSlots + slot] = content.keyCode;
        }
    }
    return table;
}
