#include "xml/xml_markup.h"

CString FoldedAscii(std::wstring_view text) {
    CString folded(text);
    for (wchar_t& ch : folded) {
        ch = FoldAscii(ch);
    }
    return folded;
}

bool EqualNoCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

size_t TagNameEnd(std::wstring_view text, size_t from) {
    size_t i = from;
    while (i < text.size() && !IsXmlSpace(text[i]) && text[i] != L'/' && text[i] != L'>') {
        ++i;
    }
    return i;
}

std::wstring_view NameToken(std::wstring_view name) {
    size_t end = 0;
    while (end < name.size() && name[end] != L' ' && name[end] != L'=' && name[end] != L'/' &&
           name[end] != L'[' && name[end] != L']') {
        ++end;
    }
    return name.substr(0, end);
}

bool IsWritableName(std::wstring_view name) {
    if (name.empty()) {
        return false;
    }
    const wchar_t first = name.front();
    const bool startsTag = (first >= L'A' && first <= L'Z') || (first >= L'a' && first <= L'z') ||
                           first == L':' || first == L'_' || first >= 123;
    return startsTag && name.find_first_of(L" \t\r\n/>=<\"'&?![]") == std::wstring_view::npos;
}

StartTagEnd ScanStartTag(std::wstring_view text, size_t pos) {
    const size_t nameEnd = TagNameEnd(text, pos + 1);
    wchar_t lastMark = 0;
    size_t lastCloseQuote = std::wstring_view::npos;
    size_t i = pos + 1;
    while (i < text.size() && text[i] != L'>') {
        const wchar_t ch = text[i];
        if ((ch == L'"' || ch == L'\'') && lastMark == L'=') {
            const size_t close = text.find(ch, i + 1);
            if (close == std::wstring_view::npos) {
                return {};
            }
            lastCloseQuote = close;
            lastMark = ch;
            i = close + 1;
            continue;
        }
        if (!IsXmlSpace(ch)) {
            lastMark = ch;
        }
        ++i;
    }
    if (i >= text.size()) {
        return {};
    }
    const size_t slash = i - 1;
    const bool empty =
        slash > pos && text[slash] == L'/' &&
        (slash == nameEnd || IsXmlSpace(text[slash - 1]) || slash - 1 == lastCloseQuote);
    return {i, empty};
}

std::wstring_view AttributeSpan::Value(std::wstring_view tag) const {
    if (quoted) {
        return tag.substr(valueStart + 1, valueEnd - valueStart - 2);
    }
    return tag.substr(valueStart, valueEnd - valueStart);
}

bool FindAttribute(std::wstring_view tag, size_t from, std::wstring_view name, AttributeSpan& found,
                   size_t& afterLast) {
    const size_t n = tag.size();
    const std::wstring_view wanted = NameToken(name);
    afterLast = from;
    size_t i = from;
    while (true) {
        while (i < n && IsXmlSpace(tag[i])) {
            ++i;
        }
        if (i >= n || tag[i] == L'/' || tag[i] == L'>' || tag[i] == L'?') {
            return false;
        }
        AttributeSpan span;
        span.nameStart = i;
        while (i < n && !IsXmlSpace(tag[i]) && tag[i] != L'=' && tag[i] != L'>' && tag[i] != L'/') {
            ++i;
        }
        span.nameEnd = i;
        size_t j = i;
        while (j < n && IsXmlSpace(tag[j])) {
            ++j;
        }
        if (j < n && tag[j] == L'=') {
            span.hasEquals = true;
            i = j + 1;
            while (i < n && IsXmlSpace(tag[i])) {
                ++i;
            }
            span.valueStart = i;
            if (i < n && (tag[i] == L'"' || tag[i] == L'\'')) {
                const size_t close = tag.find(tag[i], i + 1);
                // A quote left open (only in a tag that is cut short) runs to the tag's end.
                span.quoted = close != std::wstring_view::npos;
                i = span.quoted ? close + 1 : n;
            } else {
                while (i < n && !IsXmlSpace(tag[i]) && tag[i] != L'>') {
                    ++i;
                }
            }
            span.valueEnd = i;
        } else {
            span.valueStart = span.valueEnd = span.nameEnd;
        }
        afterLast = span.hasEquals ? span.valueEnd : span.nameEnd;
        if (tag.substr(span.nameStart, span.nameEnd - span.nameStart) == wanted &&
            !wanted.empty()) {
            found = span;
            return true;
        }
    }
}
