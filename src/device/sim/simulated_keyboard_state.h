// What a simulated keyboard holds after decoding the reports written to it, for both report
// families. Values are kept as the wire carries them, so a test compares them with the bytes
// it expects; the accessors only split them into fields.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "lumoui/base/colors.h"

// First family ---------------------------------------------------------------------------------

// Two bytes per position index of the key table (8D).
struct KeyTableEntry {
    // Kind 0x20: the HID usage the key sends (0 with kind 0x20: the key is disabled).
    // Kind 0x40: the macro slot the key plays. Kind 0: the key keeps its own function.
    std::uint8_t value = 0;
    std::uint8_t kind = 0;

    static constexpr std::uint8_t kKey = 0x20;
    static constexpr std::uint8_t kMacro = 0x40;

    bool operator==(const KeyTableEntry&) const = default;
};

// One 3-byte macro event of a macro block (8E).
struct FirstFamilyMacroEvent {
    std::uint8_t usage = 0;
    // Milliseconds, 15 bits.
    int delay = 0;
    bool press = false;

    bool operator==(const FirstFamilyMacroEvent&) const = default;
};

// One macro slot's block as its chunks (8E) filled it: byte 0 the repeat count, byte 1 the
// number of events, then the events.
struct FirstFamilyMacro {
    std::vector<std::uint8_t> block;
    // The sum of the chunks' length bytes.
    int declaredLength = 0;
    int chunks = 0;

    int RepeatCount() const { return block.empty() ? 0 : block[0]; }
    int EventCount() const { return block.size() < 2 ? 0 : block[1]; }
    // The events that byte 1 counts, as far as the block holds them.
    std::vector<FirstFamilyMacroEvent> Events() const;
};

// The light parameters (89).
struct LightParams {
    int direction = 0;
    bool colourful = false;
    int speed = 0;
    COLORREF colour = 0;
    int brightness = 0;

    bool operator==(const LightParams&) const = default;
};

// Second family --------------------------------------------------------------------------------

// One 2-byte event of a macro slot block.
struct SecondFamilyMacroEvent {
    std::uint8_t usage = 0;
    // Release flag in bit 7, range code in bits 6 and 5, count in bits 4 to 0.
    std::uint8_t timing = 0;

    bool IsRelease() const { return (timing & 0x80) != 0; }
    bool operator==(const SecondFamilyMacroEvent&) const = default;
};

// A macro slot as its last complete block (07 F1, then 27 reports 07 00) left it.
struct SecondFamilyMacroSlot {
    // 0: the slot is free.
    std::uint8_t keyCode = 0;
    std::uint8_t repeat = 0;
    // The event pairs from block byte 4 up to the first pair of zeros.
    std::vector<SecondFamilyMacroEvent> events;
    // The 168 bytes as sent: 01, slot, key code, repeat, events.
    std::vector<std::uint8_t> block;
};

// A function slot (07 FA 01).
struct FunctionSlot {
    // 0: the slot is free.
    std::uint8_t keyCode = 0;
    // The low byte of the assignment's value (the HID usage for a remapped key).
    std::uint8_t usage = 0;
    std::array<std::uint8_t, 8> report{};
};

// Both families -------------------------------------------------------------------------------

// The light effect report 07 FF FF (cable) or the payload BB AA 99 88 AA (wireless). The first
// family's custom light slot carries brightness and speed as set and no direction.
struct LightEffect {
    bool wireless = false;
    // The light mode minus one.
    int modeIndex = 0;
    int brightness = 0;
    int speed = 0;
    int slot = 0;
    int direction = 0;

    bool operator==(const LightEffect&) const = default;
};

struct SimulatedKeyboardState {
    // Position indexes the first family's per-key tables cover on the wire.
    static constexpr int kWirePositions = 110;

    // First family.
    std::array<std::uint8_t, 360> keyTable{};
    int keyTableReports = 0;
    std::map<int, FirstFamilyMacro> macros;
    std::optional<int> lightMode;
    std::optional<LightParams> lightParams;
    // R, G, B, 0xFF per position index.
    std::array<std::uint8_t, 600> keyColourTable{};
    int keyColourReports = 0;
    bool streamingStarted = false;
    // R, G, B per position index, as the frame being streamed has it so far.
    std::array<std::uint8_t, 600> frame{};
    int frameReports = 0;
    // Frames whose last chunk arrived.
    int framesCompleted = 0;

    // Second family.
    std::map<int, SecondFamilyMacroSlot> macroSlots;
    std::map<int, FunctionSlot> functionSlots;
    int slotTableRequests = 0;
    int firmwareVersionRequests = 0;
    std::optional<int> musicSetting;
    std::optional<int> musicLevel;
    int musicReports = 0;

    // Both.
    std::optional<LightEffect> lightEffect;
    int lightEffectReports = 0;
    int factoryResets = 0;
    // Reports the keyboard does not know, or that came to the wrong interface.
    int unknownReports = 0;

    KeyTableEntry KeyAt(int position) const;
    // The colour of a position in the colour table or the frame, 0x00BBGGRR.
    COLORREF KeyColour(int position) const;
    COLORREF FrameColour(int position) const;
    // The second family's slot table: byte i (1 to 13) the key code in macro slot i, byte
    // 13 + j (1 to 10) the key code in function slot j, 0 for free.
    std::array<std::uint8_t, 28> SlotTable() const;
};
