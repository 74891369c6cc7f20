#include "lumoui/base/format.h"

#include <cwchar>
#include <vector>

namespace {

// Rewrites the Windows conventions into the C library's: a plain %s or %c becomes %ls or %lc,
// and %hs or %hc become %s or %c.
std::wstring TranslateConversions(const wchar_t* format) {
    std::wstring out;
    for (const wchar_t* p = format; *p != L'\0'; ++p) {
        out.push_back(*p);
        if (*p != L'%') {
            continue;
        }
        if (p[1] == L'%') {
            out.push_back(*++p);
            continue;
        }
        // Flags, width, precision and length modifiers up to the conversion character.
        std::wstring shortModifiers;
        bool hasLength = false;
        while (p[1] != L'\0' && std::wcschr(L"-+ #0123456789.*hlLqjzt", p[1]) != nullptr) {
            ++p;
            if (*p == L'h') {
                shortModifiers.push_back(L'h');  // placed just before the conversion below
                continue;
            }
            if (std::wcschr(L"lLqjzt", *p) != nullptr) {
                hasLength = true;
            }
            out.push_back(*p);
        }
        const wchar_t conversion = p[1];
        if (conversion == L'\0') {
            break;
        }
        ++p;
        const bool text = conversion == L's' || conversion == L'c';
        if (text && shortModifiers.empty() && !hasLength) {
            out.push_back(L'l');
        } else if (!text) {
            out += shortModifiers;  // %hd and %hhx keep their meaning
        }
        out.push_back(conversion);
    }
    return out;
}

}  // namespace

CString FormatV(const wchar_t* format, va_list args) {
    if (format == nullptr) {
        return {};
    }
    const std::wstring translated = TranslateConversions(format);
    std::vector<wchar_t> buffer(256);
    for (;;) {
        va_list copy;
        va_copy(copy, args);
        const int written = std::vswprintf(buffer.data(), buffer.size(), translated.c_str(), copy);
        va_end(copy);
        if (written >= 0) {
            return CString(buffer.data(), static_cast<size_t>(written));
        }
        // vswprintf does not report the size it needs; grow until it fits, within reason.
        if (buffer.size() >= (1u << 24)) {
            return {};
        }
        buffer.resize(buffer.size() * 4);
    }
}

CString Format(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    CString result = FormatV(format, args);
    va_end(args);
    return result;
}
