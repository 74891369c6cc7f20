// The udev rules that let the logged-in user open the hidraw nodes of every catalogued
// keyboard, so the program needs no root rights.
#pragma once

#include <string>
#include <vector>

#include "device/match_entry.h"

// One rule per distinct vendor and product id, in catalogue order. A rule matches the hid
// device above the hidraw node by its kernel name ("0003:1A2B:3C4D.0005"), so it holds for
// every bus (USB cable and receiver, Bluetooth) and tags the node for uaccess. Ids outside
// 0 to 0xFFFF are left out.
std::string FormatUdevRules(const std::vector<MatchEntry>& entries);
