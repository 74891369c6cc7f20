// What one key does, as stored in t_key_macro_data: one row per reassigned key of a profile
// and Fn layer. A key without a row has its default function.
#pragma once

#include "lumoui/base/cstring.h"

struct KeyAssignment {
    int key_id = 0;
    int profile = 0;
    int fn_layer = 0;  // 0 normal layer, 1 Fn layer
    int key_code = 0;  // never 0 in a stored row
    int layout_value = 0;
    CString layout_desc{};
    int macro_type = 0;  // the function type
    int macro_value = 0;
    int macro_value2 = 0;
    int macro_value3 = 0;
    CString macro_desc{};  // the function's name as shown

    bool operator==(const KeyAssignment&) const = default;
};

// Function types of an assignment (macro_type) that the keyboard itself can carry out.
// A disabled key; macro_value 1.
inline constexpr int kDisabledFunctionType = 1;
// Another key or a media function; macro_value is its code.
inline constexpr int kKeyFunctionType = 2;
// Plays a macro; macro_value is the macro id.
inline constexpr int kMacroFunctionType = 3;
// A Windows function, a fixed key sequence; macro_value is its number, 1 to 15.
inline constexpr int kShortcutFunctionType = 7;
