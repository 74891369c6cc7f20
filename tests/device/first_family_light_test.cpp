// The first family's light reports: mode, parameters, per-key colours, streamed frames, the
// custom light slot and the factory reset.
#include "device/first_family_light.h"

#include <gtest/gtest.h>

#include "report_bytes_matchers.h"

using ByteList = std::vector<std::uint8_t>;

namespace {

LightModeRecord Record() {
    LightModeRecord record;
    record.mode = 4;
    record.brightness = 3;
    record.speed = 2;
    record.direction = 1;
    record.colorful = 0;
    record.color_value = static_cast<int>(RGB(0x11, 0x22, 0x33));
    return record;
}

TEST(FirstFamilyLightTest, ModeAndParameters) {
    EXPECT_EQ(Bytes(LightModeReport(7), 0, 5), (ByteList{0, 0x88, 0x00, 7, 0}));

    struct Case {
        int direction, colorful, speed;
        std::uint8_t params;
    };
    const Case cases[] = {
        {1, 0, 2, 0x12}, {0, 1, 4, 0x44}, {3, 1, 15, 0x7F}, {5, 0, 17, 0x11}, {2, 0, 0, 0x20}};
    for (const Case& c : cases) {
        LightModeRecord record = Record();
        record.direction = c.direction;
        record.colorful = c.colorful;
        record.speed = c.speed;
        const OutputReportBytes report = LightParamsReport(record);
        EXPECT_EQ(Bytes(report, 0, 9), (ByteList{0, 0x89, 0, c.params, 0x11, 0x22, 0x33, 3, 0}))
            << c.direction << " " << c.colorful << " " << c.speed;
    }
}

TEST(FirstFamilyLightTest, KeyColoursAtTheirPositionsInEightReports) {
    const KeyPositionMap positions{{4, 0}, {5, 109}, {6, 149}, {7, 150}};
    const std::vector<KeyColour> colours = {{0, 1, 128, 4, static_cast<int>(RGB(1, 2, 3))},
                                            {0, 1, 128, 5, static_cast<int>(RGB(4, 5, 6))},
                                            {0, 1, 128, 6, static_cast<int>(RGB(7, 8, 9))},
                                            {0, 1, 128, 7, static_cast<int>(RGB(9, 9, 9))}};
    const KeyColourTable table = BuildKeyColourTable(colours, positions);
    EXPECT_EQ(Bytes(table, 0, 4), (ByteList{1, 2, 3, 0xFF}));
    EXPECT_EQ(Bytes(table, 436, 440), (ByteList{4, 5, 6, 0xFF}));
    // Index 149 has room but is never sent; 150 has none and is skipped.
    EXPECT_EQ(Bytes(table, 596, 600), (ByteList{7, 8, 9, 0xFF}));
    EXPECT_TRUE(AllZero(std::span(table).subspan(4, 432)));
    EXPECT_TRUE(AllZero(std::span(table).subspan(440, 156)));

    const auto reports = KeyColourReports(table);
    for (size_t i = 0; i < reports.size(); ++i) {
        const int offset = static_cast<int>(60 * i);
        EXPECT_EQ(Bytes(reports[i], 0, 5),
                  (ByteList{0, 0x8B, static_cast<std::uint8_t>(i == 7 ? 20 : 60),
                            static_cast<std::uint8_t>(offset & 0xFF),
                            static_cast<std::uint8_t>(offset >> 8)}));
        EXPECT_EQ(Bytes(reports[i], 5, 65), Bytes(table, offset, offset + 60));
    }
}

TEST(FirstFamilyLightTest, StreamedFramesAtTheirPositionsInSixReports) {
    EXPECT_EQ(Bytes(StartStreamingReport(), 0, 5), (ByteList{0, 0xF0, 0xF4, 0x01, 0}));

    const KeyPositionMap positions{{4, 1}, {5, 109}, {6, 199}, {7, 200}};
    const std::vector<KeyLight> colours = {
        {4, RGB(10, 20, 30)}, {5, RGB(40, 50, 60)}, {6, RGB(1, 1, 1)}, {7, RGB(2, 2, 2)}};
    const StreamFrameTable frame = BuildStreamFrame(colours, positions);
    EXPECT_EQ(Bytes(frame, 3, 6), (ByteList{10, 20, 30}));
    EXPECT_EQ(Bytes(frame, 327, 330), (ByteList{40, 50, 60}));
    EXPECT_EQ(Bytes(frame, 597, 600), (ByteList{1, 1, 1}));

    const auto reports = StreamFrameReports(frame);
    for (size_t i = 0; i < reports.size(); ++i) {
        const int offset = static_cast<int>(60 * i);
        EXPECT_EQ(Bytes(reports[i], 0, 5),
                  (ByteList{0, 0xF1, static_cast<std::uint8_t>(i == 5 ? 30 : 60),
                            static_cast<std::uint8_t>(offset & 0xFF),
                            static_cast<std::uint8_t>(offset >> 8)}));
        EXPECT_EQ(Bytes(reports[i], 5, 65), Bytes(frame, offset, offset + 60));
    }
}

TEST(FirstFamilyLightTest, CustomSlotAndFactoryReset) {
    LightModeRecord record = Record();
    record.config_func = 0x100 | 0x001;
    EXPECT_EQ(Bytes(LightEffectSlotReport(record, 2), 0, 8),
              (ByteList{0x07, 0xFF, 0xFF, 3, 3, 2, 0, 2}));
    record.config_func = 0x001;
    EXPECT_EQ(LightEffectSlotReport(record, 2)[7], 0);

    const OutputReportBytes reset = FirstFamilyFactoryResetReport();
    EXPECT_EQ(Bytes(reset, 0, 5), (ByteList{0, 0xFF, 0xFE, 0xAA, 0xFF}));
    EXPECT_TRUE(AllZero(std::span(reset).subspan(5)));
}

}  // namespace
