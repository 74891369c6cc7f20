// The X11 backend as the window system's backend table knows it, without Xlib's headers.
#pragma once

#include <memory>

#include "lumoui/win/window_backend.h"

namespace LumoUI {

// Connects to the display that DISPLAY names; none when there is none.
std::unique_ptr<WindowBackend> OpenX11Backend();

}  // namespace LumoUI
