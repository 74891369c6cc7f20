// Character sets by name, and conversions between document text and the bytes of a file in a
// Windows code page. The 8-bit and multi-byte code pages are converted by the C library's
// iconv; UTF-8, UTF-16 and UTF-32 are converted here.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "lumoui/base/cstring.h"

namespace CodePage {
// The "ANSI code page" of the Windows conversions that files without a known encoding fall back
// to. Linux has no system-wide 8-bit code page, so it is fixed to windows-1252 (CP1252), the
// code page of the English and French systems the program ships texts for.
constexpr int kAnsi = 1252;
constexpr int kUtf16Le = 1200;
constexpr int kUtf16Be = 1201;
constexpr int kUtf32Le = 12000;
constexpr int kUtf32Be = 12001;
constexpr int kUtf8 = 65001;

inline bool IsWide(int codePage) {
    return codePage == kUtf16Le || codePage == kUtf16Be || codePage == kUtf32Le ||
           codePage == kUtf32Be;
}
}  // namespace CodePage

// The Windows code page of a character-set name such as "UTF-8", "windows-1252" or "Shift_JIS"
// (case does not matter). Names beginning with "UTF-32" give the UTF-32 code pages; an empty
// name, one of 100 characters or more, and one not in the table give the ANSI code page.
int CodePageOfEncoding(std::wstring_view encoding);

// Decodes bytes of a code page; every byte run the code page does not define becomes U+FFFD.
CString DecodeCodePage(std::string_view bytes, int codePage);

// Encodes text in a code page. A character the code page cannot represent is written as '?'
// and counted in `lost`.
std::string EncodeCodePage(std::wstring_view text, int codePage, size_t& lost);

// Text from UTF-16 code units: surrogate pairs join, a lone surrogate is kept as it is, so
// that writing the text back as UTF-16 restores the units.
CString TextFromUtf16(std::u16string_view units);
// UTF-16 code units of a text; characters beyond U+10FFFF become U+FFFD.
std::u16string Utf16FromText(std::wstring_view text);
