// Colours: COLORREF is the GDI form 0x00BBGGRR kept in settings and device reports; ARGB is
// the drawing form 0xAARRGGBB (not premultiplied).
#pragma once

#include <cstdint>

using COLORREF = uint32_t;
using ARGB = uint32_t;

constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) { return static_cast<int>(c & 0xFF); }
constexpr int GetGValue(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int GetBValue(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }

constexpr ARGB MakeARGB(int a, int r, int g, int b) {
    return (static_cast<ARGB>(a & 0xFF) << 24) | (static_cast<ARGB>(r & 0xFF) << 16) |
           (static_cast<ARGB>(g & 0xFF) << 8) | static_cast<ARGB>(b & 0xFF);
}
constexpr int AlphaOf(ARGB c) { return static_cast<int>(c >> 24); }
constexpr int RedOf(ARGB c) { return static_cast<int>((c >> 16) & 0xFF); }
constexpr int GreenOf(ARGB c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(ARGB c) { return static_cast<int>(c & 0xFF); }

// GDI colour to drawing colour with the given alpha (opaque by default), and back (alpha lost).
constexpr ARGB ArgbFromColorref(COLORREF c, int alpha = 255) {
    return MakeARGB(alpha, GetRValue(c), GetGValue(c), GetBValue(c));
}
constexpr COLORREF ColorrefFromArgb(ARGB c) { return RGB(RedOf(c), GreenOf(c), BlueOf(c)); }
