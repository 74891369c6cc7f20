#include "device/second_family_light.h"

#include <algorithm>
#include <cmath>

#include "device/first_family_light.h"

namespace {

constexpr std::uint8_t kWirelessHeader[] = {0xBB, 0xAA, 0x99, 0x88};
constexpr int kMaxLevel = 255;

std::uint8_t Byte(int value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

// One less, except that 0 stays 0.
std::uint8_t LessOne(int value) {
    return Byte(value == 0 ? 0 : value - 1);
}

std::uint8_t EffectBrightness(const LightModeRecord& record) {
    return LessOne(record.brightness);
}

std::uint8_t EffectSpeed(const LightModeRecord& record) {
    return LessOne((record.colorindex << 4) | record.speed);
}

PayloadBytes WirelessPayload() {
    PayloadBytes payload{};
    std::copy(std::begin(kWirelessHeader), std::end(kWirelessHeader), payload.begin());
    return payload;
}

}  // namespace

FeatureReportBytes LightEffectReport(const LightModeRecord& record, int slotSelection) {
    const int slot = (record.config_func & kPerKeyLightFeature) != 0 ? slotSelection : 0;
    return {kFeatureReportId,
            0xFF,
            0xFF,
            Byte(record.mode - 1),
            EffectBrightness(record),
            EffectSpeed(record),
            Byte(slot),
            Byte(record.direction)};
}

PayloadBytes LightEffectPayload(const LightModeRecord& record, int slotSelection) {
    PayloadBytes payload = WirelessPayload();
    payload[4] = 0xAA;
    payload[5] = Byte(record.mode - 1);
    payload[6] = EffectBrightness(record);
    payload[7] = EffectSpeed(record);
    payload[9] = Byte(slotSelection);
    payload[10] = Byte(record.direction);
    return payload;
}

FeatureReportBytes SecondFamilyFactoryResetReport() {
    return {kFeatureReportId, 0xF0, 0xAA};
}

std::array<PayloadBytes, 2> SecondFamilyFactoryResetPayloads() {
    std::array<PayloadBytes, 2> payloads{WirelessPayload(), WirelessPayload()};
    std::fill_n(payloads[0].begin() + 4, 6, 0xAA);
    return payloads;
}

int MusicLevel(double amplitude, double gain) {
    const double level = std::trunc(amplitude * gain);
    if (!(level > 0)) {
        return 0;
    }
    return level >= kMaxLevel ? kMaxLevel : static_cast<int>(level);
}

FeatureReportBytes MusicLevelReport(int setting, int level) {
    return {kFeatureReportId,
            0x23,
            0x45,
            0x67,
            0x89,
            Byte(setting),
            static_cast<std::uint8_t>(std::clamp(level, 0, kMaxLevel)),
            0};
}
