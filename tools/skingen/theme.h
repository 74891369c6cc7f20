// The colours of the skin: a dark theme on the toolkit's own background and accent colours.
#pragma once

#include <cstdint>

struct Rgb {
    double r = 0;
    double g = 0;
    double b = 0;
};

constexpr Rgb Hex(uint32_t rgb) {
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}

constexpr Rgb Mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

namespace theme {

// The toolkit's window background RGB(9, 13, 19) and frame and selection colour RGB(16, 168, 253).
constexpr Rgb kBackground = Hex(0x090D13);
constexpr Rgb kAccent = Hex(0x10A8FD);

constexpr Rgb kSurface = Hex(0x111824);      // panels and control bodies
constexpr Rgb kSurfaceHigh = Hex(0x1B2535);  // hovered bodies
constexpr Rgb kSurfaceLow = Hex(0x0C1119);   // disabled bodies, input fields
constexpr Rgb kLine = Hex(0x283446);         // borders
constexpr Rgb kLineHigh = Hex(0x3C4C63);     // hovered borders
constexpr Rgb kLineLow = Hex(0x1A2230);      // disabled borders
constexpr Rgb kText = Hex(0xE6EDF5);         // glyphs on hover, legends
constexpr Rgb kTextDim = Hex(0x93A1B3);      // glyphs at rest
constexpr Rgb kTextOff = Hex(0x465264);      // disabled glyphs
constexpr Rgb kIcon = Hex(0xC9D3DF);         // icons drawn over any state of their button
constexpr Rgb kAccentHigh = Hex(0x5CC6FF);   // hovered accent
constexpr Rgb kAccentLow = Hex(0x0A80C4);    // pressed accent
constexpr Rgb kAccentDeep = Hex(0x0D2C45);   // pressed bodies
constexpr Rgb kAccentOff = Hex(0x22465F);    // disabled accent
constexpr Rgb kDanger = Hex(0xE5484D);       // close button under the mouse
constexpr Rgb kDangerLow = Hex(0xB7363B);
constexpr Rgb kWhite = Hex(0xFFFFFF);
// The wait dialog's own background 0x333333, which its animation is drawn on.
constexpr Rgb kWaitBackground = Hex(0x333333);

// Every line icon is drawn with this stroke, in pixels, whatever its size.
constexpr double kStroke = 2.0;

}  // namespace theme
