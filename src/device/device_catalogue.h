// The device catalogue in memory: the keyboards and their connection modes in file order, and
// the facts about the program itself.
#pragma once

#include <vector>

#include "device/catalogue_record.h"
#include "lumoui/base/cstring.h"

struct ProgramFacts {
    CString version;
    CString websiteUrl;
    CString storeUrl;
    // Base address of the program update check and download.
    CString upgradeUrl;
    CString copyright;
};

struct DeviceCatalogue {
    // One record per keyboard, with zeros beyond name, device type and device info.
    std::vector<CatalogueRecord> keyboards;
    // One record per connection mode over all keyboards.
    std::vector<CatalogueRecord> modes;
    ProgramFacts facts;

    // The first keyboard of that device type, or none.
    const CatalogueRecord* KeyboardOfType(int deviceType) const;
};
