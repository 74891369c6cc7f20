// Telling UTF-8 apart from 8-bit code pages in a file without a byte-order mark.
#pragma once

#include <string_view>

struct Utf8Scan {
    // Sequences of two to four bytes met before the end or the first fault.
    int multiByteCount = 0;
    // The run failed only because its last sequence was cut short by the end of the bytes.
    bool failedAtEnd = false;
};

// True when the bytes, up to their end or the first zero byte, are well-formed UTF-8: every
// byte from 0x80 starts (0xC2 to 0xF4) or continues (0x80 to 0xBF) a sequence of two to four
// bytes, with no overlong form, no surrogate and nothing beyond U+10FFFF, so that a run that
// passes decodes without a replacement character.
bool IsValidUtf8(std::string_view bytes, Utf8Scan* scan = nullptr);
