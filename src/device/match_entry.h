// How the HID device manager recognises the interfaces of a catalogued keyboard in one
// connection mode.
#pragma once

#include "lumoui/base/cstring.h"

struct MatchEntry {
    int vendorId = 0;
    int productId = 0;
    // The HID product string the interface must report exactly; empty matches any.
    CString productName;
    int deviceType = 0;
    int connectionMode = 0;
    CString interfaceFragment;
};
