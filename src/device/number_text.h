// Numbers in the attribute values of the catalogue and the layout files. Text that is not a
// number reads as 0, as does a missing attribute.
#pragma once

#include <string_view>

// Decimal: optional blanks, an optional sign, then digits up to the first other character.
// Values beyond the int range are clamped.
int ParseDecimal(std::wstring_view text);

// Hexadecimal: an optional 0x or 0X, then hexadecimal digits up to the first other character.
// Values beyond the int range are clamped.
int ParseHexadecimal(std::wstring_view text);
