#include "os/ini_file.h"

#include <cwctype>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace {

constexpr size_t kMaxValueLength = 259;

std::wstring_view Trim(std::wstring_view text) {
    const auto blank = [](wchar_t ch) { return ch == L' ' || ch == L'\t' || ch == L'\r'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool EqualNoCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::towlower(static_cast<wint_t>(a[i])) != std::towlower(static_cast<wint_t>(b[i]))) {
            return false;
        }
    }
    return true;
}

CString DecodeUtf16(std::string_view bytes, bool bigEndian) {
    CString text;
    text.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(bytes[i + (bigEndian ? 1 : 0)]);
        const auto hi = static_cast<unsigned char>(bytes[i + (bigEndian ? 0 : 1)]);
        char32_t unit = static_cast<char32_t>(lo | (hi << 8));
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size()) {
            const auto lo2 = static_cast<unsigned char>(bytes[i + 2 + (bigEndian ? 1 : 0)]);
            const auto hi2 = static_cast<unsigned char>(bytes[i + 2 + (bigEndian ? 0 : 1)]);
            const char32_t low = static_cast<char32_t>(lo2 | (hi2 << 8));
            if (low >= 0xDC00 && low <= 0xDFFF) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        if (unit >= 0xD800 && unit <= 0xDFFF) {
            unit = 0xFFFD;
        }
        text.push_back(static_cast<wchar_t>(unit));
    }
    return text;
}

bool ReadFileText(const CString& path, CString& text) {
    std::ifstream file(WideToUtf8(path), std::ios::binary);
    if (!file) {
        return false;
    }
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::string_view view(bytes);
    if (view.starts_with("\xFF\xFE")) {
        text = DecodeUtf16(view.substr(2), false);
    } else if (view.starts_with("\xFE\xFF")) {
        text = DecodeUtf16(view.substr(2), true);
    } else if (view.starts_with("\xEF\xBB\xBF")) {
        text = Utf8ToWide(view.substr(3));
    } else {
        text = Utf8ToWide(view);
    }
    return true;
}

}  // namespace

CString ReadIniString(const CString& section, const CString& key, const CString& path) {
    CString text;
    if (!ReadFileText(path, text)) {
        return {};
    }
    bool inSection = false;
    std::wstring_view rest(text);
    while (!rest.empty()) {
        const size_t end = rest.find(L'\n');
        const std::wstring_view line = Trim(rest.substr(0, end));
        rest = (end == std::wstring_view::npos) ? std::wstring_view() : rest.substr(end + 1);

        if (line.empty() || line.front() == L';') {
            continue;
        }
        if (line.front() == L'[') {
            const size_t close = line.find(L']');
            const std::wstring_view name =
                Trim(line.substr(1, close == std::wstring_view::npos ? line.npos : close - 1));
            // Only the first section of that name is searched, as the Windows reader does.
            if (inSection) {
                break;
            }
            inSection = EqualNoCase(name, section);
            continue;
        }
        if (!inSection) {
            continue;
        }
        const size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos || !EqualNoCase(Trim(line.substr(0, equals)), key)) {
            continue;
        }
        std::wstring_view value = Trim(line.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        return CString(value.substr(0, kMaxValueLength));
    }
    return {};
}
