// What reading the catalogue hands to the rest of the program as it goes: the rows of the
// device list, the HID device manager's match table and the texts of the about area. The
// main window implements it and passes each call on to the component concerned.
#pragma once

#include "device/match_entry.h"
#include "lumoui/base/cstring.h"

class CatalogueConsumer {
public:
    virtual ~CatalogueConsumer() = default;

    // One row of the device list per keyboard, in file order.
    virtual void AddKeyboardRow(const CString& name, int deviceType) = 0;
    // One match entry per connection mode, in file order.
    virtual void AddMatchEntry(const MatchEntry& entry) = 0;
    // The version label's text, "Ver: " and the version.
    virtual void SetVersionText(const CString& text) = 0;
    // The legal line of the about area.
    virtual void SetLegalText(const CString& text) = 0;
};
