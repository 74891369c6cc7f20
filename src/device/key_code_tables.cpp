#include "device/key_code_tables.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "os/xkb_keyboard_layout.h"

namespace {

struct CodePair {
    int from;
    int to;
};

constexpr CodePair kVirtualKeyPairs[] = {
    {13, 40},   {27, 41},   {8, 42},    {9, 43},    {32, 44},   {189, 45},  {187, 46},  {219, 47},
    {221, 48},  {220, 49},  {666, 50},  {186, 51},  {222, 52},  {192, 53},  {188, 54},  {190, 55},
    {191, 56},  {20, 57},   {44, 70},   {145, 71},  {19, 72},   {45, 73},   {36, 74},   {33, 75},
    {46, 76},   {35, 77},   {34, 78},   {39, 79},   {37, 80},   {40, 81},   {38, 82},   {144, 83},
    {111, 84},  {106, 85},  {109, 86},  {107, 87},  {108, 88},  {96, 98},   {110, 99},  {93, 101},
    {226, 100}, {254, 175}, {162, 224}, {160, 225}, {164, 226}, {91, 227},  {163, 228}, {161, 229},
    {165, 230}, {92, 231},  {136, 136}, {137, 137}, {138, 138}, {139, 139}, {173, 235}, {174, 233},
    {175, 234}, {176, 239}, {177, 237}, {178, 236}, {179, 238}, {166, 243}, {167, 244}, {168, 246},
    {169, 245}, {170, 247}, {171, 248}, {172, 241}, {180, 240}, {181, 232}, {182, 249}, {183, 242},
};

// Modifiers and the menu key, which name the same key on every layout.
constexpr CodePair kLayoutFreeKeys[] = {
    {91, 227},  {92, 231},  {93, 101},  {160, 225}, {161, 229},
    {162, 224}, {163, 228}, {164, 226}, {165, 230},
};

// Scan code set 1 to the usage of the same physical key, for the keys a layout moves.
constexpr std::array<std::uint8_t, 0x59> kScanCodeUsages = [] {
    std::array<std::uint8_t, 0x59> usages{};
    for (int digit = 0; digit < 10; ++digit) {
        usages[0x02 + digit] = static_cast<std::uint8_t>(30 + digit);
    }
    constexpr char kLetterRows[][11] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
    constexpr int kRowStarts[] = {0x10, 0x1E, 0x2C};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; kLetterRows[row][column] != 0; ++column) {
            usages[kRowStarts[row] + column] =
                static_cast<std::uint8_t>(4 + kLetterRows[row][column] - 'A');
        }
    }
    constexpr CodePair kOthers[] = {
        {0x0C, 45}, {0x0D, 46}, {0x1A, 47}, {0x1B, 48}, {0x2B, 49}, {0x27, 51},
        {0x28, 52}, {0x29, 53}, {0x33, 54}, {0x34, 55}, {0x35, 56}, {0x3A, 57},
        {0x57, 68}, {0x58, 69}, {0x37, 70}, {0x46, 71},
    };
    for (const CodePair& pair : kOthers) {
        usages[pair.from] = static_cast<std::uint8_t>(pair.to);
    }
    for (int key = 0; key < 10; ++key) {
        usages[0x3B + key] = static_cast<std::uint8_t>(58 + key);  // F1 to F10
    }
    return usages;
}();

int Lookup(std::span<const CodePair> pairs, int from) {
    for (const CodePair& pair : pairs) {
        if (pair.from == from) {
            return pair.to;
        }
    }
    return 0;
}

struct NamedCode {
    int code;
    const wchar_t* name;
};

// Names of the keys that are not letters, digits or function keys.
constexpr NamedCode kNamedCodes[] = {
    {40, L"ENTER"},   {41, L"ESC"},   {42, L"backspace"}, {43, L"TAB"},    {44, L"SPACE"},
    {45, L"-_"},      {46, L"+="},    {47, L"[{"},        {48, L"]}"},     {49, L"\\"},
    {51, L";:"},      {52, L"'"},     {53, L"~`"},        {54, L"<,"},     {55, L">."},
    {56, L"/?"},      {57, L"CAPS"},  {70, L"PRTSC"},     {71, L"SCRLK"},  {72, L"PASE"},
    {73, L"INS"},     {74, L"HOME"},  {75, L"PG UP"},     {76, L"DEL"},    {77, L"END"},
    {78, L"PG DN"},   {79, L"RIGHT"}, {80, L"LEFT"},      {81, L"DOWN"},   {82, L"UP"},
    {83, L"NumLock"}, {84, L"/"},     {85, L"*"},         {86, L"-"},      {87, L"+"},
    {88, L"Enter"},   {99, L"."},     {101, L"MENU"},     {175, L"FN"},    {224, L"CTRL"},
    {225, L"SHIFT"},  {226, L"ALT"},  {227, L"WIN"},      {228, L"RCTRL"}, {229, L"RSHIFT"},
    {230, L"RALT"},
};

}  // namespace

int VirtualKeyToKeyCode(int virtualKey) {
    if (virtualKey >= 65 && virtualKey <= 90) {
        return virtualKey - 61;
    }
    if (virtualKey >= 49 && virtualKey <= 57) {
        return virtualKey - 19;
    }
    if (virtualKey == 48) {
        return 39;
    }
    if (virtualKey >= 112 && virtualKey <= 123) {
        return virtualKey - 54;
    }
    if (virtualKey >= 124 && virtualKey <= 135) {
        return virtualKey - 20;
    }
    if (virtualKey >= 97 && virtualKey <= 105) {
        return virtualKey - 8;
    }
    return Lookup(kVirtualKeyPairs, virtualKey);
}

int VirtualKeyToKeyCodeForLayout(int virtualKey, const XkbKeyboardLayout* layout) {
    if (const int keyCode = Lookup(kLayoutFreeKeys, virtualKey)) {
        return keyCode;
    }
    if (layout == nullptr) {
        return 0;
    }
    const int scanCode = layout->ScanCodeOfVirtualKey(virtualKey);
    if (scanCode <= 0 || scanCode >= static_cast<int>(kScanCodeUsages.size())) {
        return 0;
    }
    return kScanCodeUsages[scanCode];
}

CString KeyCodeName(int keyCode) {
    if (keyCode >= 4 && keyCode <= 29) {
        return CString(1, static_cast<wchar_t>(L'A' + keyCode - 4));
    }
    if (keyCode >= 30 && keyCode <= 38) {
        return CString(1, static_cast<wchar_t>(L'1' + keyCode - 30));
    }
    if (keyCode >= 89 && keyCode <= 97) {
        return CString(1, static_cast<wchar_t>(L'1' + keyCode - 89));
    }
    if (keyCode == 39 || keyCode == 98) {
        return L"0";
    }
    if (keyCode >= 58 && keyCode <= 69) {
        return L"F" + std::to_wstring(keyCode - 57);
    }
    for (const NamedCode& named : kNamedCodes) {
        if (named.code == keyCode) {
            return named.name;
        }
    }
    return {};
}
