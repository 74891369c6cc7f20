// Which physical key carries a virtual key under an xkb layout, and back.
#include "os/xkb_keyboard_layout.h"

#include <gtest/gtest.h>

namespace {

struct KeyCase {
    const char* layout;
    int virtualKey;
    int scanCode;
};

TEST(XkbKeyboardLayoutTest, PlacesVirtualKeysOnTheKeysThatTypeThem) {
    const KeyCase cases[] = {
        // US: every key where its label says.
        {"us", 'A', 0x1E},
        {"us", 'Z', 0x2C},
        {"us", '1', 0x02},
        {"us", '0', 0x0B},
        {"us", 186, 0x27},
        {"us", 187, 0x0D},
        {"us", 188, 0x33},
        {"us", 191, 0x35},
        {"us", 192, 0x29},
        // French AZERTY: letters follow their characters, the digit row keeps its digits on
        // the shifted level, ',' sits where the US M is and ';' where the US ',' is. Keys whose
        // symbols name no key keep their US key; no key names '.' unshifted.
        {"fr", 'W', 0x2C},
        {"fr", 'Z', 0x11},
        {"fr", 'A', 0x10},
        {"fr", 'Q', 0x1E},
        {"fr", 'M', 0x27},
        {"fr", '1', 0x02},
        {"fr", 188, 0x32},
        {"fr", 186, 0x33},
        {"fr", 187, 0x0D},
        {"fr", 191, 0x35},
        {"fr", 219, 0x1A},
        {"fr", 190, 0},
        // Keys that no layout moves.
        {"fr", 20, 0x3A},
        {"fr", 123, 0x58},
        {"fr", 44, 0x37},
        {"fr", 145, 0x46},
        {"fr", 91, 0x5B},
        // Virtual keys no key carries.
        {"us", 255, 0},
        {"us", 7, 0},
        {"us", -1, 0},
        {"us", 666, 0},
    };
    const auto us = XkbKeyboardLayout::Load("us");
    const auto french = XkbKeyboardLayout::Load("fr");
    ASSERT_TRUE(us && french);
    for (const KeyCase& c : cases) {
        const XkbKeyboardLayout& layout = c.layout[0] == 'u' ? *us : *french;
        EXPECT_EQ(layout.ScanCodeOfVirtualKey(c.virtualKey), c.scanCode)
            << c.layout << " VK " << c.virtualKey;
        // Extended keys share their scan code with another key, which keeps it.
        const bool extended = c.virtualKey == 44 || c.virtualKey == 91;
        if (c.scanCode != 0 && !extended) {
            EXPECT_EQ(layout.VirtualKeyOfScanCode(c.scanCode), c.virtualKey)
                << c.layout << " scan code " << c.scanCode;
        }
    }
}

TEST(XkbKeyboardLayoutLoadTest, RefusesALayoutXkbDoesNotKnow) {
    EXPECT_EQ(XkbKeyboardLayout::Load("no-such-layout"), nullptr);
}

TEST(XkbKeyboardLayoutLoadTest, TakesVariants) {
    // The French Dvorak-like BÉPO layout puts B on the US Q key.
    const auto layout = XkbKeyboardLayout::Load("fr", "bepo");
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(layout->ScanCodeOfVirtualKey('B'), 0x10);
}

TEST(XkbKeyboardLayoutLoadTest, AnEmptyLayoutHasNoKeys) {
    const XkbKeyboardLayout none;
    EXPECT_EQ(none.ScanCodeOfVirtualKey('A'), 0);
    EXPECT_EQ(none.VirtualKeyOfScanCode(0x1E), 0);
}

}  // namespace
