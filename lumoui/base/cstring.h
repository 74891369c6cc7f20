// The toolkit's and the program's one string type, and its meeting point with UTF-8 (files,
// the database, the network). Conversions never fail: invalid input is replaced with U+FFFD.
#pragma once

#include <string>
#include <string_view>

#include "lumoui/base/lumoui_export.h"

using CString = std::wstring;

// Decodes UTF-8. Every ill-formed sequence (stray continuation bytes, overlong forms,
// surrogates, values above U+10FFFF, truncated sequences) becomes one U+FFFD; embedded zero
// bytes are kept as U+0000, so nothing after them is lost.
LUMOUI_API CString Utf8ToWide(std::string_view text);

// Encodes as UTF-8. Code points that UTF-8 cannot carry (surrogates, values above U+10FFFF)
// become U+FFFD.
LUMOUI_API std::string WideToUtf8(std::wstring_view text);
