// The per-user base folders of the XDG base directory rules. Each ends with '/'.
#pragma once

#include "lumoui/base/cstring.h"

// $HOME, or the home folder of the password database when HOME is unset.
CString HomeFolder();
// $XDG_DATA_HOME, or ~/.local/share when it is unset or not absolute.
CString UserDataHome();
// $XDG_CONFIG_HOME, or ~/.config when it is unset or not absolute.
CString UserConfigHome();
// $XDG_RUNTIME_DIR when it is set and absolute; empty otherwise.
CString UserRuntimeFolder();
