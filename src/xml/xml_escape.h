// Attribute values and their character references.
#pragma once

#include <string_view>

#include "lumoui/base/cstring.h"

// The text as an attribute value: '<', '&' and '>' become "&lt;", "&amp;" and "&gt;", and with
// `escapeQuotes` also the apostrophe and the double quotation mark become "&apos;" and "&quot;".
CString EscapeValue(std::wstring_view text, bool escapeQuotes = true);

// An attribute value as text: each "&#65;", "&#x41;" or named reference of HTML 4 ("&amp;",
// "&eacute;" ...) between '&' and a ';' at most nine characters later becomes its character.
// Named references match without regard to case when no name matches exactly. A reference
// that is not recognised, or that names code point 0 or no character at all, stays as it is.
CString UnescapeValue(std::wstring_view value);
