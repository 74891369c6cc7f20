// The fixed key sequences of the Windows functions (assignment type 7, values 1 to 15), as HID
// usages: a modifier is pressed first and released last.
#pragma once

#include <cstdint>
#include <span>

struct ShortcutKeyEvent {
    std::uint8_t usage = 0;
    bool press = false;

    bool operator==(const ShortcutKeyEvent&) const = default;
};

// The events of shortcut `number`, in order; empty for a number outside 1 to 15.
std::span<const ShortcutKeyEvent> FixedShortcutEvents(int number);
