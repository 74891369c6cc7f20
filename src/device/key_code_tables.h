// The program's key codes and their three tables. A key code is a USB HID keyboard usage (4 to
// 101, 224 to 231), or one of the program's own codes: 50 for the non-US # key, 175 for Fn and
// 232 to 249 for the media and application keys; 0 is no key. Windows virtual-key codes (from
// the recorder, the custom key dialog and the software key functions) turn into key codes
// directly, or through the physical keys of a keyboard layout.
#pragma once

#include "lumoui/base/cstring.h"

class XkbKeyboardLayout;

inline constexpr int kFnKeyCode = 175;

// The key code of a virtual key, or 0 (first-family macros, the custom key dialog, the software
// key functions).
int VirtualKeyToKeyCode(int virtualKey);

// The key code of the physical key that carries `virtualKey` under `layout`, so that a
// recorded key lands on the same key whatever the layout (second-family macros). Modifiers
// and the menu key map directly; otherwise only the letters, the digit row, the punctuation
// keys, Caps Lock, F1 to F12, Print Screen and Scroll Lock have a code. 0 for every other key,
// and for everything but the modifiers without a layout.
int VirtualKeyToKeyCodeForLayout(int virtualKey, const XkbKeyboardLayout* layout);

// The name shown for a key code in the key assignment controls, or the empty string.
CString KeyCodeName(int keyCode);
