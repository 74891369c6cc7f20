// The 253 named character references of HTML 4 ("amp", "lt", "nbsp", "eacute" ...).
#pragma once

#include <string_view>

// The code point of a reference name: an exact match first; otherwise a match without regard to
// case, where of two names that differ only in case the one with a capital letter wins
// ("AMP" -> '&', "EACUTE" -> U+00C9). 0 when the name is unknown.
char32_t LookUpNamedReference(std::wstring_view name);

// The number of names in the table.
size_t NamedReferenceCount();
