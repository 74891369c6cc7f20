// Keys of an X display as the window system names them: virtual-key codes from keysyms (and,
// for keys whose symbols name no key, from the key's position), scan codes from key codes, and
// the character a key types.
#pragma once

#include "lumoui/base/lumoui_export.h"
#include "lumoui/win/win_types.h"

namespace LumoUI {

// The virtual key of a keysym; 0 when it names none.
LUMOUI_API UINT VirtualKeyFromKeysym(unsigned long keysym);

// The virtual key at a key code's position on a US keyboard (X key codes are evdev codes + 8);
// 0 when the code is not one of the main block. For layouts whose symbols name no key.
LUMOUI_API UINT VirtualKeyFromKeycode(unsigned keycode);

struct KeyScanCode {
    UINT scanCode = 0;  // the PC keyboard's make code (set 1), without its E0 prefix
    bool extended = false;
};
LUMOUI_API KeyScanCode ScanCodeFromKeycode(unsigned keycode);

// The character that a key with `keysym` types, with Ctrl and Alt as held: Ctrl with a letter
// gives its control code, Ctrl with anything else nothing; 0 for keys that type nothing.
LUMOUI_API wchar_t CharacterFromKeysym(unsigned long keysym, bool ctrl, bool alt);

}  // namespace LumoUI
