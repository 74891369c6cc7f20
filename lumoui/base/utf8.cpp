#include "lumoui/base/cstring.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Decodes one well-formed sequence starting at text[i]; returns its length, or 0 when the
// bytes there do not start a well-formed sequence.
size_t DecodeOne(std::string_view text, size_t i, char32_t& out) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const unsigned char lead = byte(0);
    size_t length;
    char32_t value;
    char32_t minimum;
    if (lead < 0x80) {
        out = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (size_t k = 1; k < length; ++k) {
        if (!IsContinuation(byte(k))) {
            return 0;
        }
        value = (value << 6) | (byte(k) & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return 0;
    }
    out = value;
    return length;
}

}  // namespace

CString Utf8ToWide(std::string_view text) {
    // Never more characters than bytes: write in place, then cut to the length used.
    CString result(text.size(), L'\0');
    size_t out = 0;
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            result[out++] = static_cast<wchar_t>(lead);
            ++i;
            continue;
        }
        char32_t value;
        const size_t length = DecodeOne(text, i, value);
        if (length == 0) {
            // One replacement per ill-formed lead byte and the continuation bytes after it.
            result[out++] = static_cast<wchar_t>(kReplacement);
            ++i;
            while (i < text.size() && IsContinuation(static_cast<unsigned char>(text[i]))) {
                ++i;
            }
            continue;
        }
        result[out++] = static_cast<wchar_t>(value);
        i += length;
    }
    result.resize(out);
    return result;
}

std::string WideToUtf8(std::wstring_view text) {
    // At most four bytes per character: write in place, then cut to the length used.
    std::string result(text.size() * 4, '\0');
    char* out = result.data();
    const auto put = [&out](char32_t byte) { *out++ = static_cast<char>(byte); };
    for (const wchar_t ch : text) {
        char32_t value = static_cast<char32_t>(ch);
        if (value < 0x80) {
            put(value);
            continue;
        }
        if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
            value = kReplacement;
        }
        if (value < 0x800) {
            put(0xC0 | (value >> 6));
            put(0x80 | (value & 0x3F));
        } else if (value < 0x10000) {
            put(0xE0 | (value >> 12));
            put(0x80 | ((value >> 6) & 0x3F));
            put(0x80 | (value & 0x3F));
        } else {
            put(0xF0 | (value >> 18));
            put(0x80 | ((value >> 12) & 0x3F));
            put(0x80 | ((value >> 6) & 0x3F));
            put(0x80 | (value & 0x3F));
        }
    }
    result.resize(static_cast<size_t>(out - result.data()));
    return result;
}
