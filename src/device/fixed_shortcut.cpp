#include "device/fixed_shortcut.h"

#include <array>

namespace {

constexpr std::uint8_t kControl = 0xE0;
constexpr std::uint8_t kAlt = 0xE2;
constexpr std::uint8_t kGui = 0xE3;
constexpr std::uint8_t kSpace = 0x2C;

// Modifier press, key press, key release, modifier release.
constexpr std::array<ShortcutKeyEvent, 4> Chord(std::uint8_t modifier, std::uint8_t key) {
    return {{{modifier, true}, {key, true}, {key, false}, {modifier, false}}};
}

// Alt and Space held, then a key of the window menu.
constexpr std::array<ShortcutKeyEvent, 6> WindowMenu(std::uint8_t key) {
    return {
        {{kAlt, true}, {kSpace, true}, {key, true}, {key, false}, {kSpace, false}, {kAlt, false}}};
}

constexpr auto kCtrlA = Chord(kControl, 0x04);
constexpr auto kCtrlC = Chord(kControl, 0x06);
constexpr auto kCtrlX = Chord(kControl, 0x1B);
constexpr auto kCtrlV = Chord(kControl, 0x19);
constexpr auto kCtrlZ = Chord(kControl, 0x1D);
constexpr auto kCtrlS = Chord(kControl, 0x16);
constexpr auto kGuiE = Chord(kGui, 0x08);
constexpr auto kGuiL = Chord(kGui, 0x0F);
constexpr auto kGuiD = Chord(kGui, 0x07);
constexpr auto kAltTab = Chord(kAlt, 0x2B);
constexpr auto kGuiM = Chord(kGui, 0x10);
constexpr auto kCtrlW = Chord(kControl, 0x1A);
constexpr auto kAltSpaceX = WindowMenu(0x1B);
constexpr auto kAltSpaceN = WindowMenu(0x11);
constexpr auto kAltF4 = Chord(kAlt, 0x3D);

constexpr std::span<const ShortcutKeyEvent> kShortcuts[] = {
    kCtrlA, kCtrlC,  kCtrlX, kCtrlV, kCtrlZ,     kCtrlS,     kGuiE,  kGuiL,
    kGuiD,  kAltTab, kGuiM,  kCtrlW, kAltSpaceX, kAltSpaceN, kAltF4,
};

}  // namespace

std::span<const ShortcutKeyEvent> FixedShortcutEvents(int number) {
    if (number < 1 || number > static_cast<int>(std::size(kShortcuts))) {
        return {};
    }
    return kShortcuts[number - 1];
}
