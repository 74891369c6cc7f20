// A keyboard layout as the program sees it: which physical key (scan code set 1, without the
// E0 prefix) carries a Windows virtual-key code under that layout, and back. The layout is an
// xkbcommon keymap compiled from a layout name ("us", "fr") and variant; each key has the
// virtual key the window system gives its events (lumoui/win/x11/x11_keymap.h), so a key
// recorded from those events finds its way back to the same physical key.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class XkbKeyboardLayout {
public:
    // A layout without keys: every look-up gives 0.
    XkbKeyboardLayout() = default;

    // Compiles the keymap of `layout` and `variant`; empty names take xkbcommon's defaults
    // (the XKB_DEFAULT_* environment, else "us"). None when the layout cannot be compiled.
    static std::unique_ptr<XkbKeyboardLayout> Load(const std::string& layout,
                                                   const std::string& variant = {});

    // The scan code of the key that carries `virtualKey`, or 0 when no key does.
    int ScanCodeOfVirtualKey(int virtualKey) const;
    // The virtual key of the key with `scanCode`, or 0 when the layout gives it none.
    int VirtualKeyOfScanCode(int scanCode) const;

private:
    std::array<std::uint8_t, 256> scanCodeOfVirtualKey_{};
    std::array<std::uint8_t, 128> virtualKeyOfScanCode_{};
};
