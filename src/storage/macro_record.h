// A macro (t_macro_data) and one of its events (t_macrorecord).
#pragma once

#include "lumoui/base/cstring.h"

struct MacroRecord {
    int macro_id = 0;
    int play_times = 0;
    int delay_type = 0;  // 1 recorded delays, 2 no delays, 3 a fixed delay
    int delay_time = 0;  // the fixed delay in milliseconds
    int link_count = 0;
    int loop_type = 0;  // 0 play play_times times, 16 while held, 32 until pressed again
    CString name{};

    bool operator==(const MacroRecord&) const = default;
};

struct MacroEvent {
    int record_id = 0;
    int macro_id = 0;
    int type = 0;          // 2 key pressed, 3 key released
    int record_index = 0;  // position in the macro
    CString desc{};        // the key's name
    int value = 0;         // virtual-key code
    int delay_time = 0;    // milliseconds to wait after this event

    bool operator==(const MacroEvent&) const = default;
};

// Macro event types that reach the keyboard; other types (mouse, pure delays) stay on the PC.
inline constexpr int kMacroKeyPress = 2;
inline constexpr int kMacroKeyRelease = 3;
