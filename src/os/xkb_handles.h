// xkbcommon objects held by unique_ptr: each drops its reference when its owner goes.
#pragma once

#include <xkbcommon/xkbcommon.h>

#include <memory>

struct XkbDeleter {
    void operator()(xkb_context* context) const { xkb_context_unref(context); }
    void operator()(xkb_keymap* keymap) const { xkb_keymap_unref(keymap); }
};

using XkbContextPtr = std::unique_ptr<xkb_context, XkbDeleter>;
using XkbKeymapPtr = std::unique_ptr<xkb_keymap, XkbDeleter>;
