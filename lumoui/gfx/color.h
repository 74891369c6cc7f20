// A drawing colour: 0xAARRGGBB, not premultiplied, as the toolkit's drawing calls take it.
#pragma once

#include "lumoui/base/colors.h"

namespace LumoUI {

class Color {
public:
    // Opaque black, as an unset drawing colour is.
    constexpr Color() = default;
    constexpr Color(ARGB argb) : value_(argb) {}
    constexpr Color(int a, int r, int g, int b) : value_(MakeARGB(a, r, g, b)) {}
    constexpr Color(int r, int g, int b) : value_(MakeARGB(255, r, g, b)) {}

    static constexpr Color FromCOLORREF(COLORREF c, int alpha = 255) {
        return Color(ArgbFromColorref(c, alpha));
    }

    constexpr ARGB GetValue() const { return value_; }
    constexpr int GetA() const { return AlphaOf(value_); }
    constexpr int GetR() const { return RedOf(value_); }
    constexpr int GetG() const { return GreenOf(value_); }
    constexpr int GetB() const { return BlueOf(value_); }
    constexpr COLORREF ToCOLORREF() const { return ColorrefFromArgb(value_); }

    constexpr bool operator==(const Color&) const = default;

private:
    ARGB value_ = 0xFF000000;
};

}  // namespace LumoUI
