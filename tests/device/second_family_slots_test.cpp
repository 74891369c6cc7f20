// The second family's timing bytes, macro slot blocks with their reports, and function slots.
#include "device/second_family_slots.h"

#include <gtest/gtest.h>

#include "os/xkb_keyboard_layout.h"
#include "report_bytes_matchers.h"

using ByteList = std::vector<std::uint8_t>;

namespace {

TEST(SecondFamilySlotsTest, TimingBytesFromDelays) {
    struct Case {
        int delay;
        std::uint8_t press;
    };
    const Case cases[] = {
        {0, 0x01},    {10, 0x01},   {11, 0x01},    {250, 0x19},   {310, 0x1F},
        {311, 0x26},  {1000, 0x34}, {1550, 0x3F},  {1551, 0x2F},  {3100, 0x3F},
        {3101, 0x63}, {5000, 0x65}, {31000, 0x7F}, {40000, 0x7F}, {-1, 0x01},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SecondFamilyTimingByte(c.delay, false), c.press) << c.delay << " ms";
        // A release sets bit 7; a negative delay then keeps count 0.
        EXPECT_EQ(SecondFamilyTimingByte(c.delay, true), c.delay < 0 ? 0x80 : c.press | 0x80)
            << c.delay << " ms";
    }
}

TEST(SecondFamilySlotsTest, ShortcutBlocksHaveTheirSequenceAt10Ms) {
    const MacroSlotBlock block = ShortcutMacroSlotBlock(3, 0x1E, 13);
    EXPECT_EQ(Bytes(block, 0, 16), (ByteList{1, 3, 0x1E, 1, 0xE2, 0x01, 0x2C, 0x01, 0x1B, 0x01,
                                             0x1B, 0x81, 0x2C, 0x81, 0xE2, 0x81}));
    EXPECT_TRUE(AllZero(std::span(block).subspan(16)));

    const MacroSlotBlock unknown = ShortcutMacroSlotBlock(2, 0x1E, 99);
    EXPECT_EQ(Bytes(unknown, 0, 4), (ByteList{1, 2, 0x1E, 1}));
    EXPECT_TRUE(AllZero(std::span(unknown).subspan(4)));

    const MacroSlotBlock free = FreeMacroSlotBlock(7);
    EXPECT_EQ(Bytes(free, 0, 2), (ByteList{1, 7}));
    EXPECT_TRUE(AllZero(std::span(free).subspan(2)));
}

TEST(SecondFamilySlotsTest, RecordedMacrosGoOnThePhysicalKeysOfTheLayout) {
    const auto french = XkbKeyboardLayout::Load("fr");
    ASSERT_NE(french, nullptr);
    MacroRecord macro;
    macro.play_times = 300;  // the low byte, as the keyboard takes it
    const std::vector<MacroEvent> events = {
        {0, 0, kMacroKeyPress, 0, L"", 160, 250},  // left Shift
        {0, 0, kMacroKeyPress, 1, L"", 87, 1000},  // W: the US Z key on AZERTY
        {0, 0, 1, 2, L"", 0, 500},                 // a pause: not sent
        {0, 0, kMacroKeyRelease, 3, L"", 87, 0},
        {0, 0, kMacroKeyRelease, 4, L"", 160, 5000},
    };
    const MacroSlotBlock block = RecordedMacroSlotBlock(4, 0x3A, macro, events, french.get());
    EXPECT_EQ(Bytes(block, 0, 12),
              (ByteList{1, 4, 0x3A, 300 & 0xFF, 225, 0x19, 29, 0x34, 29, 0x81, 225, 0xE5}));
    EXPECT_TRUE(AllZero(std::span(block).subspan(12)));
}

TEST(SecondFamilySlotsTest, ALongMacroStaysInsideItsBlock) {
    const auto us = XkbKeyboardLayout::Load("us");
    ASSERT_NE(us, nullptr);
    std::vector<MacroEvent> events(600, MacroEvent{0, 0, kMacroKeyPress, 0, L"", 65, 20});
    const MacroSlotBlock block = RecordedMacroSlotBlock(1, 4, MacroRecord{}, events, us.get());
    EXPECT_EQ(Bytes(block, 508, 512), (ByteList{4, 2, 4, 2}));
}

TEST(SecondFamilySlotsTest, BlocksGoInTwentyEightReportsOfSix) {
    MacroSlotBlock block{};
    for (size_t i = 0; i < block.size(); ++i) {
        block[i] = static_cast<std::uint8_t>(i + 1);
    }
    const auto reports = MacroSlotReports(block);
    ASSERT_EQ(reports.size(), 28u);
    EXPECT_EQ(Bytes(reports[0], 0, 8), (ByteList{7, 0xF1, 1, 2, 3, 4, 5, 6}));
    for (size_t k = 1; k < reports.size(); ++k) {
        EXPECT_EQ(Bytes(reports[k], 0, 2), (ByteList{7, 0x00}));
        EXPECT_EQ(Bytes(reports[k], 2, 8), Bytes(block, 6 * k, 6 * k + 6));
    }
    // Only the first 168 bytes go out.
    EXPECT_EQ(reports[27][7], 168);
}

TEST(SecondFamilySlotsTest, FunctionSlotsCarryRemappedAndDisabledKeys) {
    struct Case {
        int type;
        int value;
        std::optional<ByteList> report;
    };
    const ByteList freed{7, 0xFA, 1, 5, 0, 1, 0, 1};
    const Case cases[] = {
        {2, 0x05, ByteList{7, 0xFA, 1, 5, 0x2B, 1, 0x05, 1}},
        {2, 0x1E9, ByteList{7, 0xFA, 1, 5, 0x2B, 1, 0xE9, 1}},
        {1, 1, ByteList{7, 0xFA, 1, 5, 0x2B, 1, 0x01, 1}},
        // Macros and shortcuts hold macro slots: nothing is sent.
        {3, 12, std::nullopt},
        {7, 8, std::nullopt},
        {0, 4, std::nullopt},
        // Without a value the slot is freed.
        {2, 0, freed},
        {3, 0, freed},
        {2, -4, freed},
        // Functions the PC carries out keep the key's own code: the slot is freed.
        {5, 1, freed},
        {6, 3, freed},
        {8, 17, freed},
        {12, 600, freed},
    };
    for (const Case& c : cases) {
        KeyAssignment assignment;
        assignment.key_code = 0x2B;
        assignment.macro_type = c.type;
        assignment.macro_value = c.value;
        const auto report = FunctionSlotReport(5, &assignment);
        ASSERT_EQ(report.has_value(), c.report.has_value()) << c.type << " " << c.value;
        if (report) {
            EXPECT_EQ(Bytes(*report, 0, 8), *c.report) << c.type << " " << c.value;
        }
    }
    EXPECT_EQ(Bytes(*FunctionSlotReport(5, nullptr), 0, 8), freed);
}

}  // namespace
