#include "lumoui/win/x11/x11_keymap.h"

#include <X11/XF86keysym.h>
#include <X11/keysym.h>
#include <xkbcommon/xkbcommon.h>

#include <iterator>

#include "lumoui/win/virtual_keys.h"

namespace LumoUI {

namespace {

struct KeysymKey {
    unsigned long keysym;
    UINT vk;
};

// Keysyms that name a key of their own (letters, digits, function and keypad keys are ranges).
constexpr KeysymKey kKeysymKeys[] = {
    {XK_BackSpace, VK_BACK},
    {XK_Tab, VK_TAB},
    {XK_ISO_Left_Tab, VK_TAB},
    {XK_Clear, VK_CLEAR},
    {XK_Return, VK_RETURN},
    {XK_Pause, VK_PAUSE},
    {XK_Scroll_Lock, VK_SCROLL},
    {XK_Sys_Req, VK_SNAPSHOT},
    {XK_Print, VK_SNAPSHOT},
    {XK_Escape, VK_ESCAPE},
    {XK_Delete, VK_DELETE},
    {XK_Home, VK_HOME},
    {XK_Left, VK_LEFT},
    {XK_Up, VK_UP},
    {XK_Right, VK_RIGHT},
    {XK_Down, VK_DOWN},
    {XK_Prior, VK_PRIOR},
    {XK_Next, VK_NEXT},
    {XK_End, VK_END},
    {XK_Begin, VK_CLEAR},
    {XK_Select, VK_SELECT},
    {XK_Insert, VK_INSERT},
    {XK_Menu, VK_APPS},
    {XK_Help, VK_HELP},
    {XK_Break, VK_CANCEL},
    {XK_Num_Lock, VK_NUMLOCK},
    {XK_KP_Space, VK_SPACE},
    {XK_KP_Tab, VK_TAB},
    {XK_KP_Enter, VK_RETURN},
    {XK_KP_Home, VK_HOME},
    {XK_KP_Left, VK_LEFT},
    {XK_KP_Up, VK_UP},
    {XK_KP_Right, VK_RIGHT},
    {XK_KP_Down, VK_DOWN},
    {XK_KP_Prior, VK_PRIOR},
    {XK_KP_Next, VK_NEXT},
    {XK_KP_End, VK_END},
    {XK_KP_Begin, VK_CLEAR},
    {XK_KP_Insert, VK_INSERT},
    {XK_KP_Delete, VK_DELETE},
    {XK_KP_Multiply, VK_MULTIPLY},
    {XK_KP_Add, VK_ADD},
    {XK_KP_Separator, VK_SEPARATOR},
    {XK_KP_Subtract, VK_SUBTRACT},
    {XK_KP_Decimal, VK_DECIMAL},
    {XK_KP_Divide, VK_DIVIDE},
    {XK_Shift_L, VK_LSHIFT},
    {XK_Shift_R, VK_RSHIFT},
    {XK_Control_L, VK_LCONTROL},
    {XK_Control_R, VK_RCONTROL},
    {XK_Caps_Lock, VK_CAPITAL},
    {XK_Alt_L, VK_LMENU},
    {XK_Alt_R, VK_RMENU},
    {XK_Meta_L, VK_LMENU},
    {XK_Meta_R, VK_RMENU},
    {XK_ISO_Level3_Shift, VK_RMENU},  // AltGr
    {XK_Super_L, VK_LWIN},
    {XK_Super_R, VK_RWIN},
    {XK_space, VK_SPACE},
    {XK_semicolon, VK_OEM_1},
    {XK_colon, VK_OEM_1},
    {XK_equal, VK_OEM_PLUS},
    {XK_plus, VK_OEM_PLUS},
    {XK_comma, VK_OEM_COMMA},
    {XK_minus, VK_OEM_MINUS},
    {XK_underscore, VK_OEM_MINUS},
    {XK_period, VK_OEM_PERIOD},
    {XK_slash, VK_OEM_2},
    {XK_question, VK_OEM_2},
    {XK_grave, VK_OEM_3},
    {XK_asciitilde, VK_OEM_3},
    {XK_bracketleft, VK_OEM_4},
    {XK_braceleft, VK_OEM_4},
    {XK_backslash, VK_OEM_5},
    {XK_bar, VK_OEM_5},
    {XK_bracketright, VK_OEM_6},
    {XK_braceright, VK_OEM_6},
    {XK_apostrophe, VK_OEM_7},
    {XK_quotedbl, VK_OEM_7},
    {XK_less, VK_OEM_102},  // the extra key of 102-key keyboards
    {XF86XK_AudioMute, VK_VOLUME_MUTE},
    {XF86XK_AudioLowerVolume, VK_VOLUME_DOWN},
    {XF86XK_AudioRaiseVolume, VK_VOLUME_UP},
    {XF86XK_AudioNext, VK_MEDIA_NEXT_TRACK},
    {XF86XK_AudioPrev, VK_MEDIA_PREV_TRACK},
    {XF86XK_AudioStop, VK_MEDIA_STOP},
    {XF86XK_AudioPlay, VK_MEDIA_PLAY_PAUSE},
    {XF86XK_AudioPause, VK_MEDIA_PLAY_PAUSE},
    {XF86XK_Mail, VK_LAUNCH_MAIL},
    {XF86XK_AudioMedia, VK_LAUNCH_MEDIA_SELECT},
    {XF86XK_MyComputer, VK_LAUNCH_APP1},
    {XF86XK_Calculator, VK_LAUNCH_APP2},
    {XF86XK_Back, VK_BROWSER_BACK},
    {XF86XK_Forward, VK_BROWSER_FORWARD},
    {XF86XK_Refresh, VK_BROWSER_REFRESH},
    {XF86XK_Stop, VK_BROWSER_STOP},
    {XF86XK_Search, VK_BROWSER_SEARCH},
    {XF86XK_Favorites, VK_BROWSER_FAVORITES},
    {XF86XK_HomePage, VK_BROWSER_HOME},
    {XF86XK_Sleep, VK_SLEEP},
};

// Evdev codes 2 to 53 of the main block (X key codes 10 to 61) with their US keys.
constexpr UINT kMainBlock[] = {
    '1',       '2',          '3',           '4',         '5',     '6',      '7',      '8',
    '9',       '0',          VK_OEM_MINUS,  VK_OEM_PLUS, VK_BACK, VK_TAB,   'Q',      'W',
    'E',       'R',          'T',           'Y',         'U',     'I',      'O',      'P',
    VK_OEM_4,  VK_OEM_6,     VK_RETURN,     VK_LCONTROL, 'A',     'S',      'D',      'F',
    'G',       'H',          'J',           'K',         'L',     VK_OEM_1, VK_OEM_7, VK_OEM_3,
    VK_LSHIFT, VK_OEM_5,     'Z',           'X',         'C',     'V',      'B',      'N',
    'M',       VK_OEM_COMMA, VK_OEM_PERIOD, VK_OEM_2,
};
constexpr unsigned kEvdevOffset = 8;  // X key code of evdev code 0
constexpr unsigned kMainBlockFirst = 2;
constexpr unsigned kEvdev102nd = 86;

struct ExtendedScan {
    unsigned evdev;
    UINT scanCode;
};

// Keys beyond the main block whose make codes carry the E0 prefix.
constexpr ExtendedScan kExtendedScans[] = {
    {96, 0x1C},   // keypad Enter
    {97, 0x1D},   // right Ctrl
    {98, 0x35},   // keypad /
    {99, 0x37},   // Print Screen
    {100, 0x38},  // right Alt
    {102, 0x47},  // Home
    {103, 0x48},  // Up
    {104, 0x49},  // Page Up
    {105, 0x4B},  // Left
    {106, 0x4D},  // Right
    {107, 0x4F},  // End
    {108, 0x50},  // Down
    {109, 0x51},  // Page Down
    {110, 0x52},  // Insert
    {111, 0x53},  // Delete
    {113, 0x20},  // mute
    {114, 0x2E},  // volume down
    {115, 0x30},  // volume up
    {125, 0x5B},  // left Windows key
    {126, 0x5C},  // right Windows key
    {127, 0x5D},  // menu key
    {163, 0x19},  // next track
    {164, 0x22},  // play/pause
    {165, 0x10},  // previous track
    {166, 0x24},  // stop
};
// Up to F12, evdev codes are the make codes themselves.
constexpr unsigned kLastPlainScan = 88;

}  // namespace

UINT VirtualKeyFromKeysym(unsigned long keysym) {
    if (keysym >= XK_a && keysym <= XK_z) {
        return static_cast<UINT>('A' + (keysym - XK_a));
    }
    if (keysym >= XK_A && keysym <= XK_Z) {
        return static_cast<UINT>('A' + (keysym - XK_A));
    }
    if (keysym >= XK_0 && keysym <= XK_9) {
        return static_cast<UINT>('0' + (keysym - XK_0));
    }
    if (keysym >= XK_F1 && keysym <= XK_F24) {
        return static_cast<UINT>(VK_F1 + (keysym - XK_F1));
    }
    if (keysym >= XK_KP_0 && keysym <= XK_KP_9) {
        return static_cast<UINT>(VK_NUMPAD0 + (keysym - XK_KP_0));
    }
    for (const KeysymKey& k : kKeysymKeys) {
        if (k.keysym == keysym) {
            return k.vk;
        }
    }
    return 0;
}

UINT VirtualKeyFromKeycode(unsigned keycode) {
    if (keycode < kEvdevOffset) {
        return 0;
    }
    const unsigned evdev = keycode - kEvdevOffset;
    if (evdev == kEvdev102nd) {
        return VK_OEM_102;
    }
    if (evdev >= kMainBlockFirst && evdev - kMainBlockFirst < std::size(kMainBlock)) {
        return kMainBlock[evdev - kMainBlockFirst];
    }
    return 0;
}

KeyScanCode ScanCodeFromKeycode(unsigned keycode) {
    if (keycode < kEvdevOffset) {
        return {};
    }
    const unsigned evdev = keycode - kEvdevOffset;
    if (evdev <= kLastPlainScan) {
        return {evdev, false};
    }
    for (const ExtendedScan& e : kExtendedScans) {
        if (e.evdev == evdev) {
            return {e.scanCode, true};
        }
    }
    return {};
}

wchar_t CharacterFromKeysym(unsigned long keysym, bool ctrl, bool alt) {
    if (ctrl && !alt) {
        if (keysym >= XK_a && keysym <= XK_z) {
            return static_cast<wchar_t>(keysym - XK_a + 1);
        }
        if (keysym >= XK_A && keysym <= XK_Z) {
            return static_cast<wchar_t>(keysym - XK_A + 1);
        }
        return 0;
    }
    // Delete types nothing on this system's keyboards, though its keysym has a code point.
    if (keysym == XK_Delete || keysym == XK_KP_Delete) {
        return 0;
    }
    const uint32_t code = xkb_keysym_to_utf32(static_cast<xkb_keysym_t>(keysym));
    return code <= 0x10FFFF ? static_cast<wchar_t>(code) : 0;
}

}  // namespace LumoUI
