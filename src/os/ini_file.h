// Reading values of INI files with the rules of the Windows profile-string reader.
#pragma once

#include "lumoui/base/cstring.h"

// The value of `key` in `[section]` of the file at `path`: section and key match without regard
// to case, the first match wins, blanks around the value are dropped, and one pair of matching
// quotes around it is removed. At most 259 characters are returned; empty when the file, the
// section or the key is missing. The file is UTF-8 (with or without a byte-order mark) or
// UTF-16 with a byte-order mark.
CString ReadIniString(const CString& section, const CString& key, const CString& path);
