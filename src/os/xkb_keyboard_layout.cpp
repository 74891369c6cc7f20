#include "os/xkb_keyboard_layout.h"

#include "lumoui/win/x11/x11_keymap.h"
#include "os/xkb_handles.h"

namespace {

// The one keysym at a shift level of the key in the first group, or NoSymbol.
xkb_keysym_t KeysymAt(xkb_keymap* keymap, xkb_keycode_t key, xkb_level_index_t level) {
    const xkb_keysym_t* syms = nullptr;
    const int count = xkb_keymap_key_get_syms_by_level(keymap, key, 0, level, &syms);
    return count == 1 ? syms[0] : XKB_KEY_NoSymbol;
}

// The virtual key the window system gives a key's events: named by its unshifted symbol,
// else by its shifted one, else by its position.
int VirtualKeyOfKey(xkb_keymap* keymap, xkb_keycode_t key) {
    UINT vk = LumoUI::VirtualKeyFromKeysym(KeysymAt(keymap, key, 0));
    if (vk == 0) {
        vk = LumoUI::VirtualKeyFromKeysym(KeysymAt(keymap, key, 1));
    }
    if (vk == 0) {
        vk = LumoUI::VirtualKeyFromKeycode(key);
    }
    return static_cast<int>(vk);
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
    // Where two keys give the same virtual key, the one with the lower key code keeps it.
    const xkb_keycode_t last = xkb_keymap_max_keycode(keymap.get());
    for (xkb_keycode_t key = xkb_keymap_min_keycode(keymap.get()); key <= last; ++key) {
        const LumoUI::KeyScanCode scan = LumoUI::ScanCodeFromKeycode(key);
        const int vk = VirtualKeyOfKey(keymap.get(), key);
        if (scan.scanCode == 0 || scan.scanCode >= result->virtualKeyOfScanCode_.size() ||
            vk <= 0 || vk >= static_cast<int>(result->scanCodeOfVirtualKey_.size())) {
            continue;
        }
        if (result->scanCodeOfVirtualKey_[vk] == 0) {
            result->scanCodeOfVirtualKey_[vk] = static_cast<std::uint8_t>(scan.scanCode);
        }
        // Without its E0 prefix the scan code of an extended key names another key.
        if (!scan.extended && result->virtualKeyOfScanCode_[scan.scanCode] == 0) {
            result->virtualKeyOfScanCode_[scan.scanCode] = static_cast<std::uint8_t>(vk);
        }
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
