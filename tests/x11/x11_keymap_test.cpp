// Keys of the X display as virtual keys, scan codes and typed characters.
#include <gtest/gtest.h>

#include "lumoui/win/virtual_keys.h"
#include "lumoui/win/x11/x11_keymap.h"

// After the test framework, whose headers Xlib's macros would break.
#include <X11/XF86keysym.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

using namespace LumoUI;

namespace {

TEST(X11Keymap, KeysymsNameTheirKeys) {
    struct Case {
        unsigned long keysym;
        UINT vk;
    };
    const Case cases[] = {
        {XK_a, 'A'},
        {XK_Z, 'Z'},
        {XK_0, '0'},
        {XK_9, '9'},
        {XK_F1, VK_F1},
        {XK_F12, VK_F12},
        {XK_F24, VK_F24},
        {XK_Home, VK_HOME},
        {XK_Prior, VK_PRIOR},
        {XK_Next, VK_NEXT},
        {XK_Down, VK_DOWN},
        {XK_Insert, VK_INSERT},
        {XK_KP_0, VK_NUMPAD0},
        {XK_KP_9, VK_NUMPAD9},
        {XK_KP_End, VK_END},  // keypad 1 without Num Lock
        {XK_KP_Decimal, VK_DECIMAL},
        {XK_KP_Enter, VK_RETURN},
        {XK_Shift_L, VK_LSHIFT},
        {XK_Shift_R, VK_RSHIFT},
        {XK_Control_R, VK_RCONTROL},
        {XK_Alt_L, VK_LMENU},
        {XK_ISO_Level3_Shift, VK_RMENU},
        {XK_Super_L, VK_LWIN},
        {XK_Menu, VK_APPS},
        {XK_Caps_Lock, VK_CAPITAL},
        {XK_Num_Lock, VK_NUMLOCK},
        {XK_Print, VK_SNAPSHOT},
        {XK_ISO_Left_Tab, VK_TAB},
        {XK_minus, VK_OEM_MINUS},
        {XK_grave, VK_OEM_3},
        {XK_apostrophe, VK_OEM_7},
        {XK_less, VK_OEM_102},
        {XF86XK_AudioPlay, VK_MEDIA_PLAY_PAUSE},
        {XF86XK_AudioRaiseVolume, VK_VOLUME_UP},
        {XF86XK_AudioMute, VK_VOLUME_MUTE},
        {XF86XK_AudioNext, VK_MEDIA_NEXT_TRACK},
        {XF86XK_Mail, VK_LAUNCH_MAIL},
        {XF86XK_HomePage, VK_BROWSER_HOME},
        {XK_eacute, 0},  // a character, not a key
        {NoSymbol, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VirtualKeyFromKeysym(c.keysym), c.vk) << XKeysymToString(c.keysym);
    }
}

TEST(X11Keymap, KeyCodesGiveTheirPositionAndScanCode) {
    struct Case {
        unsigned keycode;  // evdev + 8
        UINT vk;           // by position on a US keyboard
        UINT scanCode;
        bool extended;
    };
    const Case cases[] = {
        {9, 0, 0x01, false},            // Escape: not of the main block
        {10, '1', 0x02, false},         //
        {19, '0', 0x0B, false},         //
        {24, 'Q', 0x10, false},         // A on French keyboards
        {38, 'A', 0x1E, false},         //
        {61, VK_OEM_2, 0x35, false},    // slash
        {94, VK_OEM_102, 0x56, false},  // the key beside left Shift
        {95, 0, 0x57, false},           // F11
        {104, 0, 0x1C, true},           // keypad Enter
        {105, 0, 0x1D, true},           // right Ctrl
        {113, 0, 0x4B, true},           // Left
        {119, 0, 0x53, true},           // Delete
        {133, 0, 0x5B, true},           // left Windows key
        {172, 0, 0x22, true},           // play/pause
        {3, 0, 0, false},               // below the evdev range
        {250, 0, 0, false},             // beyond what has a scan code
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keycode);
        EXPECT_EQ(VirtualKeyFromKeycode(c.keycode), c.vk);
        const KeyScanCode scan = ScanCodeFromKeycode(c.keycode);
        EXPECT_EQ(scan.scanCode, c.scanCode);
        EXPECT_EQ(scan.extended, c.extended);
    }
}

TEST(X11Keymap, CharactersFollowTheModifiers) {
    struct Case {
        unsigned long keysym;
        bool ctrl;
        bool alt;
        wchar_t character;
    };
    const Case cases[] = {
        {XK_a, false, false, L'a'},
        {XK_A, false, false, L'A'},
        {XK_eacute, false, false, L'\u00e9'},
        {XK_EuroSign, false, false, L'\u20ac'},
        {XK_a, true, false, 0x01},  // Ctrl+A
        {XK_Z, true, false, 0x1A},  // Ctrl+Shift+Z
        {XK_1, true, false, 0},     // Ctrl with a non-letter types nothing
        {XK_at, true, true, L'@'},  // AltGr (Ctrl+Alt) types as usual
        {XK_Return, false, false, L'\r'},
        {XK_BackSpace, false, false, L'\b'},
        {XK_Tab, false, false, L'\t'},
        {XK_Escape, false, false, 0x1B},
        {XK_KP_5, false, false, L'5'},
        {XK_Delete, false, false, 0},
        {XK_Left, false, false, 0},
        {XK_F1, false, false, 0},
        {XK_Shift_L, false, false, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CharacterFromKeysym(c.keysym, c.ctrl, c.alt), c.character)
            << XKeysymToString(c.keysym);
    }
}

}  // namespace
