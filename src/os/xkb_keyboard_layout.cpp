#include "os/xkb_keyboard_layout.h"

#include "os/xkb_handles.h"

namespace {

// A key of the typing block: its scan code (also its evdev key code) and the virtual key it
// has on a US keyboard.
struct CharacterKey {
    std::uint8_t scanCode;
    std::uint8_t usVirtualKey;
};

constexpr CharacterKey kCharacterKeys[] = {
    {0x02, '1'}, {0x03, '2'}, {0x04, '3'}, {0x05, '4'}, {0x06, '5'}, {0x07, '6'}, {0x08, '7'},
    {0x09, '8'}, {0x0A, '9'}, {0x0B, '0'}, {0x0C, 189}, {0x0D, 187}, {0x10, 'Q'}, {0x11, 'W'},
    {0x12, 'E'}, {0x13, 'R'}, {0x14, 'T'}, {0x15, 'Y'}, {0x16, 'U'}, {0x17, 'I'}, {0x18, 'O'},
    {0x19, 'P'}, {0x1A, 219}, {0x1B, 221}, {0x1E, 'A'}, {0x1F, 'S'}, {0x20, 'D'}, {0x21, 'F'},
    {0x22, 'G'}, {0x23, 'H'}, {0x24, 'J'}, {0x25, 'K'}, {0x26, 'L'}, {0x27, 186}, {0x28, 222},
    {0x29, 192}, {0x2B, 220}, {0x2C, 'Z'}, {0x2D, 'X'}, {0x2E, 'C'}, {0x2F, 'V'}, {0x30, 'B'},
    {0x31, 'N'}, {0x32, 'M'}, {0x33, 188}, {0x34, 190}, {0x35, 191}, {0x56, 226},
};

// Keys whose virtual key does not follow the layout.
struct FixedKey {
    std::uint8_t virtualKey;
    std::uint8_t scanCode;
    // Reached only with the E0 prefix, so its scan code alone names another key.
    bool extended;
};

constexpr FixedKey kFixedKeys[] = {
    {27, 0x01, false},  {8, 0x0E, false},   {9, 0x0F, false},   {13, 0x1C, false},
    {162, 0x1D, false}, {160, 0x2A, false}, {161, 0x36, false}, {164, 0x38, false},
    {32, 0x39, false},  {20, 0x3A, false},  {112, 0x3B, false}, {113, 0x3C, false},
    {114, 0x3D, false}, {115, 0x3E, false}, {116, 0x3F, false}, {117, 0x40, false},
    {118, 0x41, false}, {119, 0x42, false}, {120, 0x43, false}, {121, 0x44, false},
    {144, 0x45, false}, {145, 0x46, false}, {122, 0x57, false}, {123, 0x58, false},
    {106, 0x37, false}, {103, 0x47, false}, {104, 0x48, false}, {105, 0x49, false},
    {109, 0x4A, false}, {100, 0x4B, false}, {101, 0x4C, false}, {102, 0x4D, false},
    {107, 0x4E, false}, {97, 0x4F, false},  {98, 0x50, false},  {99, 0x51, false},
    {96, 0x52, false},  {110, 0x53, false}, {44, 0x37, true},   {163, 0x1D, true},
    {165, 0x38, true},  {45, 0x52, true},   {46, 0x53, true},   {36, 0x47, true},
    {35, 0x4F, true},   {33, 0x49, true},   {34, 0x51, true},   {37, 0x4B, true},
    {38, 0x48, true},   {39, 0x4D, true},   {40, 0x50, true},   {111, 0x35, true},
    {91, 0x5B, true},   {92, 0x5C, true},   {93, 0x5D, true},
};

// xkb key codes are evdev key codes plus 8.
constexpr xkb_keycode_t kEvdevOffset = 8;

// The one character a key types at a shift level of the first group, or 0.
char32_t CharacterAt(xkb_keymap* keymap, xkb_keycode_t key, xkb_level_index_t level) {
    const xkb_keysym_t* syms = nullptr;
    const int count = xkb_keymap_key_get_syms_by_level(keymap, key, 0, level, &syms);
    return count == 1 ? static_cast<char32_t>(xkb_keysym_to_utf32(syms[0])) : 0;
}

bool IsLetter(char32_t c) {
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
}
bool IsDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}
int LetterKey(char32_t c) {
    return static_cast<int>(c >= U'a' ? c - U'a' + U'A' : c);
}

// The virtual keys that name a character on every layout.
int PunctuationKey(char32_t c) {
    switch (c) {
        case U'+':
            return 187;
        case U',':
            return 188;
        case U'-':
            return 189;
        case U'.':
            return 190;
        default:
            return 0;
    }
}

// The virtual key the characters of a key give it: a letter on its base level, a digit on
// either level, a letter on the shifted level, then + , - . on either level; 0 for none.
int VirtualKeyFromCharacters(xkb_keymap* keymap, std::uint8_t scanCode) {
    const xkb_keycode_t key = scanCode + kEvdevOffset;
    const char32_t base = CharacterAt(keymap, key, 0);
    const char32_t shifted = CharacterAt(keymap, key, 1);
    if (IsLetter(base)) {
        return LetterKey(base);
    }
    for (const char32_t c : {base, shifted}) {
        if (IsDigit(c)) {
            return static_cast<int>(c);
        }
    }
    if (IsLetter(shifted)) {
        return LetterKey(shifted);
    }
    for (const char32_t c : {base, shifted}) {
        if (const int vk = PunctuationKey(c)) {
            return vk;
        }
    }
    return 0;
}

}  // namespace

std::unique_ptr<XkbKeyboardLayout> XkbKeyboardLayout::Load(const std::string& layout,
                                                           const std::string& variant) {
    const XkbContextPtr context(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
    if (!context) {
        return nullptr;
    }
    // A layout that cannot be compiled is an ordinary result here, not worth a message.
    xkb_context_set_log_level(context.get(), XKB_LOG_LEVEL_CRITICAL);
    xkb_rule_names names{};
    names.layout = layout.empty() ? nullptr : layout.c_str();
    names.variant = variant.empty() ? nullptr : variant.c_str();
    const XkbKeymapPtr keymap(
        xkb_keymap_new_from_names(context.get(), &names, XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (!keymap) {
        return nullptr;
    }

    auto result = std::make_unique<XkbKeyboardLayout>();
    auto assign = [&result](int virtualKey, std::uint8_t scanCode, bool reverse) {
        if (virtualKey <= 0 || virtualKey > 255 || result->scanCodeOfVirtualKey_[virtualKey]) {
            return false;
        }
        result->scanCodeOfVirtualKey_[virtualKey] = scanCode;
        if (reverse) {
            result->virtualKeyOfScanCode_[scanCode] = static_cast<std::uint8_t>(virtualKey);
        }
        return true;
    };
    // Characters first, so a key typing "," takes that key even where the US position of
    // another key would give it; keys left without one take their US key when it is free.
    std::array<bool, std::size(kCharacterKeys)> assigned{};
    for (size_t i = 0; i < std::size(kCharacterKeys); ++i) {
        const std::uint8_t scanCode = kCharacterKeys[i].scanCode;
        assigned[i] = assign(VirtualKeyFromCharacters(keymap.get(), scanCode), scanCode, true);
    }
    for (size_t i = 0; i < std::size(kCharacterKeys); ++i) {
        if (!assigned[i]) {
            assign(kCharacterKeys[i].usVirtualKey, kCharacterKeys[i].scanCode, true);
        }
    }
    for (const FixedKey& key : kFixedKeys) {
        assign(key.virtualKey, key.scanCode, !key.extended);
    }
    return result;
}

int XkbKeyboardLayout::ScanCodeOfVirtualKey(int virtualKey) const {
    if (virtualKey < 0 || virtualKey >= static_cast<int>(scanCodeOfVirtualKey_.size())) {
        return 0;
    }
    return scanCodeOfVirtualKey_[virtualKey];
}

int XkbKeyboardLayout::VirtualKeyOfScanCode(int scanCode) const {
    if (scanCode < 0 || scanCode >= static_cast<int>(virtualKeyOfScanCode_.size())) {
        return 0;
    }
    return virtualKeyOfScanCode_[scanCode];
}
