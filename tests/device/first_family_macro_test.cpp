// The first family's macro blocks and their chunks, and the fixed shortcut downloads.
#include "device/first_family_macro.h"

#include <gtest/gtest.h>

#include "report_bytes_matchers.h"

using Bytes3 = std::vector<std::uint8_t>;

namespace {

// `count` key events: presses and releases of A (VK 65) 20 ms apart.
std::vector<MacroEvent> KeyEvents(int count) {
    std::vector<MacroEvent> events;
    for (int i = 0; i < count; ++i) {
        MacroEvent event;
        event.type = i % 2 == 0 ? kMacroKeyPress : kMacroKeyRelease;
        event.value = 65;
        event.delay_time = 20;
        event.record_index = i;
        events.push_back(event);
    }
    return events;
}

TEST(FirstFamilyMacroTest, EventsCarryUsageDelayAndPressBit) {
    EXPECT_EQ(Bytes(EncodeFirstFamilyEvent(0x04, 300, true), 0, 3), (Bytes3{0x04, 0x2C, 0x81}));
    EXPECT_EQ(Bytes(EncodeFirstFamilyEvent(0x04, 50, false), 0, 3), (Bytes3{0x04, 0x32, 0x00}));
    EXPECT_EQ(Bytes(EncodeFirstFamilyEvent(0x2C, 31000, true), 0, 3), (Bytes3{0x2C, 0x18, 0xF9}));
    // Delays outside 15 bits are held to them rather than wrapped.
    EXPECT_EQ(Bytes(EncodeFirstFamilyEvent(0x04, 40000, true), 0, 3), (Bytes3{0x04, 0xFF, 0xFF}));
    EXPECT_EQ(Bytes(EncodeFirstFamilyEvent(0x04, -5, false), 0, 3), (Bytes3{0x04, 0x00, 0x00}));
}

TEST(FirstFamilyMacroTest, BlockHoldsRepeatCountEventCountAndKeyEvents) {
    std::vector<MacroEvent> events(2);
    events[0] = {0, 0, kMacroKeyPress, 0, L"A", 65, 300};
    events[1] = {0, 0, kMacroKeyRelease, 1, L"A", 65, 50};
    const MacroDownloadBlock block = EncodeMacroForKeyboard(3, events);
    EXPECT_EQ(Bytes(block.bytes, 0, 8), (Bytes3{3, 2, 0x04, 0x2C, 0x81, 0x04, 0x32, 0x00}));
    EXPECT_EQ(block.length, 9);
    EXPECT_TRUE(AllZero(std::span(block.bytes).subspan(8)));
}

TEST(FirstFamilyMacroTest, RepeatCountIsHeldToOneByte) {
    const std::pair<int, int> cases[] = {{0, 1}, {-3, 1}, {1, 1}, {99, 99}, {255, 255}, {300, 255}};
    for (const auto& [playTimes, sent] : cases) {
        EXPECT_EQ(EncodeMacroForKeyboard(playTimes, KeyEvents(2)).bytes[0], sent) << playTimes;
    }
}

TEST(FirstFamilyMacroTest, EventsOfOtherTypesCountButTakeNoRoom) {
    std::vector<MacroEvent> events = KeyEvents(4);
    MacroEvent mouse;
    mouse.type = 5;
    mouse.value = 1;
    events.insert(events.begin() + 2, mouse);
    const MacroDownloadBlock block = EncodeMacroForKeyboard(1, events);
    EXPECT_EQ(block.bytes[1], 5);
    EXPECT_EQ(block.length, 18);
    const std::vector<std::uint8_t> press{0x04, 20, 0x80};
    const std::vector<std::uint8_t> release{0x04, 20, 0x00};
    EXPECT_EQ(Bytes(block.bytes, 2, 5), press);
    EXPECT_EQ(Bytes(block.bytes, 8, 11), press);
    EXPECT_EQ(Bytes(block.bytes, 11, 14), release);
    EXPECT_TRUE(AllZero(std::span(block.bytes).subspan(14, 18 - 14)));
}

TEST(FirstFamilyMacroTest, BlocksGoInChunksOf59) {
    struct Case {
        int events;
        std::vector<int> lengths;
    };
    const Case cases[] = {
        {18, {57}},
        {19, {59, 1}},
        {39, {59, 59, 2}},
        // 3·(58 + 1) = 177 is a whole number of chunks: the last one says 0.
        {58, {59, 59, 59, 0}},
    };
    for (const Case& c : cases) {
        const MacroDownloadBlock block = EncodeMacroForKeyboard(1, KeyEvents(c.events));
        const std::vector<OutputReportBytes> chunks = MacroChunkReports(block, 4);
        ASSERT_EQ(chunks.size(), c.lengths.size()) << c.events;
        for (size_t k = 0; k < chunks.size(); ++k) {
            const OutputReportBytes& chunk = chunks[k];
            const int offset = static_cast<int>(59 * k);
            EXPECT_EQ(chunk[0], 0);
            EXPECT_EQ(chunk[1], 0x8E);
            EXPECT_EQ(chunk[2], c.lengths[k]) << c.events << " events, chunk " << k;
            EXPECT_EQ(chunk[3] | (chunk[4] << 8), offset);
            EXPECT_EQ(chunk[5], 4);
            EXPECT_EQ(Bytes(chunk, 6, 65), Bytes(block.bytes, offset, offset + 59));
        }
    }
}

TEST(FirstFamilyMacroTest, AMacroBeyondTheBlockKeepsItsFirst399Events) {
    // 450 events: the block takes 399 of them and the chunks never reach past its 1,200 bytes.
    std::vector<MacroEvent> events = KeyEvents(450);
    const MacroDownloadBlock block = EncodeMacroForKeyboard(1, events);
    EXPECT_EQ(block.length, 1200);
    EXPECT_EQ(block.bytes[1], 399 & 0xFF);
    EXPECT_EQ(Bytes(block.bytes, 1196, 1199), (Bytes3{0x04, 20, 0x80}));  // event 399, a press
    EXPECT_EQ(block.bytes[1199], 0);

    const std::vector<OutputReportBytes> chunks = MacroChunkReports(block, 0);
    ASSERT_EQ(chunks.size(), 21u);
    const OutputReportBytes& last = chunks.back();
    EXPECT_EQ(last[2], 20);
    EXPECT_EQ(last[3] | (last[4] << 8), 1180);
    EXPECT_EQ(Bytes(last, 6, 26), Bytes(block.bytes, 1180, 1200));
    EXPECT_TRUE(AllZero(std::span(last).subspan(26)));

    // Many events of other types cannot push the length past the block either.
    std::vector<MacroEvent> delays(600);
    for (MacroEvent& delay : delays) {
        delay.type = 1;
    }
    EXPECT_EQ(EncodeMacroForKeyboard(1, delays).length, 1200);
}

TEST(FirstFamilyMacroTest, ShortcutsGoAsOneReportWith100MsEvents) {
    const OutputReportBytes guiL = ShortcutDownloadReport(8, 2);
    EXPECT_EQ(Bytes(guiL, 0, 20),
              (Bytes3{0,    0x8E, 12,   0,    0,    2,    1,    4,    0xE3, 0x64,
                      0x80, 0x0F, 0x64, 0x80, 0x0F, 0x64, 0x00, 0xE3, 0x64, 0x00}));
    EXPECT_TRUE(AllZero(std::span(guiL).subspan(20)));

    const OutputReportBytes altSpaceX = ShortcutDownloadReport(13, 0);
    EXPECT_EQ(Bytes(altSpaceX, 1, 8), (Bytes3{0x8E, 18, 0, 0, 0, 1, 6}));
    EXPECT_EQ(Bytes(altSpaceX, 8, 26),
              (Bytes3{0xE2, 0x64, 0x80, 0x2C, 0x64, 0x80, 0x1B, 0x64, 0x80, 0x1B, 0x64, 0x00, 0x2C,
                      0x64, 0x00, 0xE2, 0x64, 0x00}));

    for (const int unknown : {0, 16, -1}) {
        const OutputReportBytes report = ShortcutDownloadReport(unknown, 5);
        EXPECT_EQ(Bytes(report, 1, 8), (Bytes3{0x8E, 12, 0, 0, 5, 1, 4})) << unknown;
        EXPECT_TRUE(AllZero(std::span(report).subspan(8))) << unknown;
    }
}

}  // namespace
