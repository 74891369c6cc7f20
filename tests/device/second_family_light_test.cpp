// The second family's light effect, factory reset and music level.
#include "device/second_family_light.h"

#include <gtest/gtest.h>

#include <cmath>

#include "report_bytes_matchers.h"

using ByteList = std::vector<std::uint8_t>;

namespace {

LightModeRecord Record(int brightness, int speed, int colourIndex, int configBits) {
    LightModeRecord record;
    record.mode = 3;
    record.brightness = brightness;
    record.speed = speed;
    record.colorindex = colourIndex;
    record.direction = 2;
    record.config_func = configBits;
    return record;
}

TEST(SecondFamilyLightTest, CableEffectReport) {
    struct Case {
        LightModeRecord record;
        int slot;
        ByteList report;
    };
    const Case cases[] = {
        {Record(4, 3, 0, 0x003), 2, {7, 0xFF, 0xFF, 2, 3, 2, 0, 2}},
        {Record(4, 3, 2, 0x103), 2, {7, 0xFF, 0xFF, 2, 3, 0x22, 2, 2}},
        // 0 stays 0 instead of becoming 0xFF.
        {Record(0, 0, 0, 0x100), 1, {7, 0xFF, 0xFF, 2, 0, 0, 1, 2}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Bytes(LightEffectReport(c.record, c.slot), 0, 8), c.report);
    }
}

TEST(SecondFamilyLightTest, WirelessEffectPayloadAlwaysCarriesTheSlot) {
    const PayloadBytes payload = LightEffectPayload(Record(4, 3, 1, 0x003), 2);
    EXPECT_EQ(Bytes(payload, 0, 11), (ByteList{0xBB, 0xAA, 0x99, 0x88, 0xAA, 2, 3, 0x12, 0, 2, 2}));
    EXPECT_TRUE(AllZero(std::span(payload).subspan(11)));
}

TEST(SecondFamilyLightTest, FactoryReset) {
    EXPECT_EQ(Bytes(SecondFamilyFactoryResetReport(), 0, 8),
              (ByteList{7, 0xF0, 0xAA, 0, 0, 0, 0, 0}));
    const auto payloads = SecondFamilyFactoryResetPayloads();
    EXPECT_EQ(Bytes(payloads[0], 0, 10),
              (ByteList{0xBB, 0xAA, 0x99, 0x88, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}));
    EXPECT_TRUE(AllZero(std::span(payloads[0]).subspan(10)));
    EXPECT_EQ(Bytes(payloads[1], 0, 4), (ByteList{0xBB, 0xAA, 0x99, 0x88}));
    EXPECT_TRUE(AllZero(std::span(payloads[1]).subspan(4)));
}

TEST(SecondFamilyLightTest, MusicLevel) {
    EXPECT_EQ(MusicLevel(10.9, 2.0), 21);
    EXPECT_EQ(MusicLevel(200.0, 1.5), 255);
    EXPECT_EQ(MusicLevel(-3.0, 1.0), 0);
    EXPECT_EQ(MusicLevel(std::nan(""), 1.0), 0);
    EXPECT_EQ(Bytes(MusicLevelReport(3, 120), 0, 8),
              (ByteList{7, 0x23, 0x45, 0x67, 0x89, 3, 120, 0}));
    EXPECT_EQ(MusicLevelReport(3, 999)[6], 255);
    EXPECT_EQ(MusicLevelReport(3, -1)[6], 0);
}

}  // namespace
