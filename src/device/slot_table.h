// The second report family's slot table as the keyboard reports it: byte i (1 to 13) is the
// key code in macro slot i, byte 13 + j (1 to 10) the key code in function slot j; 0 is free.
#pragma once

#include <array>
#include <cstdint>
#include <span>

class SlotTable {
public:
    static constexpr int kMacroSlots = 13;
    static constexpr int kFunctionSlots = 10;
    static constexpr size_t kSize = 28;

    SlotTable() = default;
    explicit SlotTable(std::span<const std::uint8_t, kSize> bytes) {
        std::copy(bytes.begin(), bytes.end(), bytes_.begin());
    }

    int MacroSlotKey(int slot) const { return InRange(slot, kMacroSlots) ? bytes_[slot] : 0; }
    int FunctionSlotKey(int slot) const {
        return InRange(slot, kFunctionSlots) ? bytes_[kMacroSlots + slot] : 0;
    }
    // The slot (1 to 13) that holds `keyCode`, or 0.
    int MacroSlotOf(int keyCode) const {
        return Find(keyCode, &SlotTable::MacroSlotKey, kMacroSlots);
    }
    int FunctionSlotOf(int keyCode) const {
        return Find(keyCode, &SlotTable::FunctionSlotKey, kFunctionSlots);
    }
    // The first free slot, or 0 when all hold a key.
    int FirstFreeMacroSlot() const { return Find(0, &SlotTable::MacroSlotKey, kMacroSlots); }
    int FirstFreeFunctionSlot() const {
        return Find(0, &SlotTable::FunctionSlotKey, kFunctionSlots);
    }

private:
    static bool InRange(int slot, int count) { return slot >= 1 && slot <= count; }
    int Find(int keyCode, int (SlotTable::*keyOf)(int) const, int count) const {
        for (int slot = 1; slot <= count; ++slot) {
            if ((this->*keyOf)(slot) == keyCode) {
                return slot;
            }
        }
        return 0;
    }

    std::array<std::uint8_t, kSize> bytes_{};
};
