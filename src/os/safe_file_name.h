// Turning outside text (the program name from the catalogue, layout names) into one path
// component that cannot leave the folder it is placed in.
#pragma once

#include "lumoui/base/cstring.h"

// Replaces '/', '\\' and control characters with '_', and a name made only of dots ("." or
// "..") with as many underscores. Everything else, including an empty name, is kept.
CString SafeFileNameComponent(const CString& name);
