// A HID device interface that came or went, named in the Windows form (os/hid_interface_name.h).
#pragma once

#include <functional>

#include "lumoui/base/cstring.h"

enum class DeviceChange { Arrival, Removal };

using DeviceChangeCallback = std::function<void(DeviceChange change, const CString& name)>;
