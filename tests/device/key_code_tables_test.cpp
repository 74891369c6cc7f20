// The three key code tables: virtual key to key code, the same through a keyboard layout's
// physical keys, and the names of key codes.
#include "device/key_code_tables.h"

#include <gtest/gtest.h>

#include "os/xkb_keyboard_layout.h"

namespace {

struct CodeCase {
    int from;
    int to;
};

TEST(KeyCodeTablesTest, VirtualKeysTurnIntoKeyCodes) {
    const CodeCase cases[] = {
        {65, 4},
        {90, 29},
        {49, 30},
        {57, 38},
        {48, 39},
        {112, 58},
        {123, 69},
        {124, 104},
        {135, 115},
        {13, 40},
        {8, 42},
        {189, 45},
        {666, 50},
        {192, 53},
        {44, 70},
        {19, 72},
        {38, 82},
        {144, 83},
        {111, 84},
        {108, 88},
        {97, 89},
        {105, 97},
        {96, 98},
        {110, 99},
        {93, 101},
        {226, 100},
        {254, 175},
        {162, 224},
        {160, 225},
        {164, 226},
        {91, 227},
        {163, 228},
        {161, 229},
        {165, 230},
        {92, 231},
        {136, 136},
        {139, 139},
        {173, 235},
        {174, 233},
        {175, 234},
        {176, 239},
        {179, 238},
        {166, 243},
        {172, 241},
        {180, 240},
        {181, 232},
        {182, 249},
        {183, 242},
        // Nothing else has a code.
        {255, 0},
        {0, 0},
        {16, 0},
        {17, 0},
        {140, 0},
        {-5, 0},
        {1000, 0},
    };
    for (const CodeCase& c : cases) {
        EXPECT_EQ(VirtualKeyToKeyCode(c.from), c.to) << "VK " << c.from;
    }
}

TEST(KeyCodeTablesTest, LayoutTableFindsThePhysicalKey) {
    const auto french = XkbKeyboardLayout::Load("fr");
    const auto us = XkbKeyboardLayout::Load("us");
    ASSERT_TRUE(french && us);
    // W sits where the US Z is on AZERTY: the layout table gives Z's usage, the plain one W's.
    EXPECT_EQ(VirtualKeyToKeyCodeForLayout(87, french.get()), 29);
    EXPECT_EQ(VirtualKeyToKeyCode(87), 26);
    EXPECT_EQ(VirtualKeyToKeyCodeForLayout(87, us.get()), 26);

    const CodeCase usCases[] = {
        {65, 4},
        {48, 39},
        {49, 30},
        {189, 45},
        {187, 46},
        {219, 47},
        {221, 48},
        {220, 49},
        {186, 51},
        {222, 52},
        {192, 53},
        {188, 54},
        {190, 55},
        {191, 56},
        {20, 57},
        {112, 58},
        {121, 67},
        {122, 68},
        {123, 69},
        {44, 70},
        {145, 71},
        // Keys outside the translated set give nothing, even where Table 1 has a code.
        {13, 0},
        {32, 0},
        {38, 0},
        {97, 0},
        {124, 0},
        {19, 0},
        {255, 0},
    };
    for (const CodeCase& c : usCases) {
        EXPECT_EQ(VirtualKeyToKeyCodeForLayout(c.from, us.get()), c.to) << "VK " << c.from;
    }
}

TEST(KeyCodeTablesTest, ModifiersNeedNoLayout) {
    const CodeCase cases[] = {
        {91, 227},  {92, 231},  {93, 101},  {160, 225}, {161, 229},
        {162, 224}, {163, 228}, {164, 226}, {165, 230}, {65, 0},
    };
    for (const CodeCase& c : cases) {
        EXPECT_EQ(VirtualKeyToKeyCodeForLayout(c.from, nullptr), c.to) << "VK " << c.from;
    }
}

TEST(KeyCodeTablesTest, KeyCodesHaveTheirNames) {
    const std::pair<int, const wchar_t*> cases[] = {
        {4, L"A"},
        {29, L"Z"},
        {30, L"1"},
        {38, L"9"},
        {89, L"1"},
        {97, L"9"},
        {39, L"0"},
        {98, L"0"},
        {40, L"ENTER"},
        {42, L"backspace"},
        {44, L"SPACE"},
        {49, L"\\"},
        {51, L";:"},
        {53, L"~`"},
        {56, L"/?"},
        {57, L"CAPS"},
        {58, L"F1"},
        {69, L"F12"},
        {72, L"PASE"},
        {75, L"PG UP"},
        {82, L"UP"},
        {83, L"NumLock"},
        {88, L"Enter"},
        {99, L"."},
        {101, L"MENU"},
        {175, L"FN"},
        {224, L"CTRL"},
        {227, L"WIN"},
        {230, L"RALT"},
        // No name.
        {0, L""},
        {3, L""},
        {50, L""},
        {100, L""},
        {231, L""},
        {232, L""},
        {249, L""},
        {102, L""},
        {-1, L""},
    };
    for (const auto& [code, name] : cases) {
        EXPECT_EQ(KeyCodeName(code), name) << "key code " << code;
    }
}

}  // namespace
