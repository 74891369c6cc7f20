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

// Function type of an assignment that plays a macro; its macro_value is the macro id.
inline constexpr int kMacroFunctionType = 3;
