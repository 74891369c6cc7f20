#include "xml/xml_escape.h"

#include "xml/named_references.h"

namespace {

// A reference ends with a ';' at most this many characters after its '&'.
constexpr size_t kMaxReferenceLength = 9;

bool IsDigit(wchar_t ch) {
    return ch >= L'0' && ch <= L'9';
}

int HexDigitValue(wchar_t ch) {
    if (IsDigit(ch)) {
        return ch - L'0';
    }
    if (ch >= L'a' && ch <= L'f') {
        return ch - L'a' + 10;
    }
    if (ch >= L'A' && ch <= L'F') {
        return ch - L'A' + 10;
    }
    return -1;
}

// "#65", "#x41" or a name; 0 when it names no character.
char32_t ResolveReference(std::wstring_view reference) {
    if (reference.empty()) {
        return 0;
    }
    if (reference.front() != L'#') {
        return LookUpNamedReference(reference);
    }
    std::wstring_view digits = reference.substr(1);
    const bool hex = !digits.empty() && (digits.front() == L'x' || digits.front() == L'X');
    if (hex) {
        digits.remove_prefix(1);
    }
    if (digits.empty()) {
        return 0;
    }
    // At most eight digits fit between '&' and ';', so the value cannot overflow.
    char32_t value = 0;
    for (const wchar_t ch : digits) {
        const int digit = hex ? HexDigitValue(ch) : (IsDigit(ch) ? ch - L'0' : -1);
        if (digit < 0) {
            return 0;
        }
        value = value * (hex ? 16 : 10) + static_cast<char32_t>(digit);
    }
    // Surrogates and values beyond U+10FFFF are no characters; leave such references alone.
    if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return 0;
    }
    return value;
}

}  // namespace

CString EscapeValue(std::wstring_view text, bool escapeQuotes) {
    CString escaped;
    escaped.reserve(text.size() + text.size() / 10 + 7);
    for (const wchar_t ch : text) {
        switch (ch) {
            case L'<':
                escaped += L"&lt;";
                break;
            case L'&':
                escaped += L"&amp;";
                break;
            case L'>':
                escaped += L"&gt;";
                break;
            case L'\'':
                escaped += escapeQuotes ? L"&apos;" : L"'";
                break;
            case L'"':
                escaped += escapeQuotes ? L"&quot;" : L"\"";
                break;
            default:
                escaped += ch;
        }
    }
    return escaped;
}

CString UnescapeValue(std::wstring_view value) {
    CString text;
    text.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        const wchar_t ch = value[i];
        if (ch != L'&') {
            text += ch;
            continue;
        }
        size_t end = i + 1;
        while (end < value.size() && end - i <= kMaxReferenceLength && value[end] != L';' &&
               value[end] < 0x80) {
            ++end;
        }
        if (end < value.size() && end - i <= kMaxReferenceLength + 1 && value[end] == L';') {
            if (const char32_t codePoint = ResolveReference(value.substr(i + 1, end - i - 1))) {
                text += static_cast<wchar_t>(codePoint);
                i = end;
                continue;
            }
        }
        text += ch;
    }
    return text;
}
