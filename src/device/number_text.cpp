#include "device/number_text.h"

#include <climits>
#include <cstdint>

namespace {

int DigitValue(wchar_t ch, int base) {
    int value = -1;
    if (ch >= L'0' && ch <= L'9') {
        value = ch - L'0';
    } else if (ch >= L'a' && ch <= L'f') {
        value = ch - L'a' + 10;
    } else if (ch >= L'A' && ch <= L'F') {
        value = ch - L'A' + 10;
    }
    return value < base ? value : -1;
}

// Digits from the start of `text` in `base`; at most INT_MAX (or INT_MAX + 1 when negative).
int64_t ParseDigits(std::wstring_view text, int base, bool negative) {
    const int64_t limit = negative ? -static_cast<int64_t>(INT_MIN) : INT_MAX;
    int64_t value = 0;
    for (const wchar_t ch : text) {
        const int digit = DigitValue(ch, base);
        if (digit < 0) {
            break;
        }
        value = value * base + digit;
        if (value > limit) {
            return limit;
        }
    }
    return value;
}

}  // namespace

int ParseDecimal(std::wstring_view text) {
    while (!text.empty() && (text.front() == L' ' || text.front() == L'\t')) {
        text.remove_prefix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == L'-' || text.front() == L'+')) {
        negative = text.front() == L'-';
        text.remove_prefix(1);
    }
    const int64_t value = ParseDigits(text, 10, negative);
    return static_cast<int>(negative ? -value : value);
}

int ParseHexadecimal(std::wstring_view text) {
    if (text.size() >= 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
        text.remove_prefix(2);
    }
    return static_cast<int>(ParseDigits(text, 16, false));
}
