// One keyboard, or one connection mode of a keyboard, as the device catalogue describes it.
#pragma once

#include "lumoui/base/cstring.h"

struct CatalogueRecord {
    // The keyboard's name; in a mode record the HID product string of the mode (empty: any).
    CString name;
    // Below 200 the first report family, 200 to 299 the second.
    int deviceType = 0;
    // Base name of the layout file in the layouts folder.
    CString deviceInfo;
    // 0 cable, 1 and 2 the wireless links.
    int connectionMode = 0;
    int vendorId = 0;
    int productId = 0;
    CString description;
    CString spare;
    // Upper-case part of the device interface path by which arrival and removal are recognised.
    CString interfaceFragment;
    // 1 while the mode's interface is found open.
    int connected = 0;
    int reserved = -1;
};
