// Reading the device catalogue, config.xml in the program folder: the program's name alone at
// start-up, and the whole catalogue when the main window starts.
#pragma once

#include "device/catalogue_consumer.h"
#include "device/device_catalogue.h"
#include "lumoui/base/cstring.h"

// The catalogue shipped beside the program: <program folder>config.xml.
CString CatalogueFilePath();

// The `name` of config > software, found from the top whether or not device.info comes
// first. False, leaving `name` alone, when the file cannot be read, is not well formed or has
// no config/software element.
bool ReadProgramName(const CString& path, CString& name);

// Rebuilds the keyboard and mode lists of `catalogue` from the file, in file order, and hands
// each keyboard row, match entry and about text to `consumer` as it is read. The program facts
// found (version, addresses, copyright) replace those in `catalogue`. Elements are searched
// forward among siblings: `software` counts only after `device.info`, and its children only in
// the order website, store, upgrade, copyright. False, with both lists empty, when the file
// cannot be read, is not well formed or has no `config` root. The main window then loads the
// layout of device type 201 and registers for device notifications, whatever the result.
bool LoadCatalogue(const CString& path, DeviceCatalogue& catalogue, CatalogueConsumer& consumer);
