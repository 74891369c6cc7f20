// The small pieces of markup reading that the parser, the document and the file decoding share:
// blanks, tag names and the attributes of a start tag.
#pragma once

#include <cstddef>
#include <string_view>

#include "lumoui/base/cstring.h"

// Blank, tab, CR or LF.
inline bool IsXmlSpace(wchar_t ch) {
    return ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n';
}

// ASCII letters folded to lower case; names of character sets and references fold this way.
inline wchar_t FoldAscii(wchar_t ch) {
    return (ch >= L'A' && ch <= L'Z') ? static_cast<wchar_t>(ch - L'A' + L'a') : ch;
}
CString FoldedAscii(std::wstring_view text);
bool EqualNoCase(std::wstring_view a, std::wstring_view b);

// The end of a tag name that starts at `from`: the first blank, tab, CR, LF, '/' or '>' (or the
// end of `text`).
size_t TagNameEnd(std::wstring_view text, size_t from);

// The part of a name given by a caller that is compared with names in the text: up to the
// first blank, '=', '/', '[' or ']'.
std::wstring_view NameToken(std::wstring_view name);

// A name the document can write: it starts like a start tag (a letter, ':', '_' or a
// character at or above code 123) and holds nothing that ends a name or breaks the markup.
bool IsWritableName(std::wstring_view name);

// How a start tag that begins with '<' at `pos` ends: at the first '>' outside a value (a
// quote opens a value only after '='). It closes its element at once when the '>' follows a
// '/' that follows the tag name, a blank or a closing quote.
struct StartTagEnd {
    // Offset of the '>'; npos when the text ends first.
    size_t close = std::wstring_view::npos;
    bool empty = false;
};
StartTagEnd ScanStartTag(std::wstring_view text, size_t pos);

// Where one attribute lies in a tag's text (offsets into that text).
struct AttributeSpan {
    size_t nameStart = 0;
    size_t nameEnd = 0;
    // The value with its quotes, if it had any; empty at nameEnd when there is no '='.
    size_t valueStart = 0;
    size_t valueEnd = 0;
    bool hasEquals = false;
    bool quoted = false;

    // The value without its quotes.
    std::wstring_view Value(std::wstring_view tag) const;
};

// Looks for the attribute `name` in `tag` (a start tag or processing instruction, '<' to '>'),
// reading tokens from `from` until '/', '>' or '?'. The first attribute of that name wins.
// `afterLast` receives the end of the last attribute read (or `from` when there is none), where
// a new attribute goes.
bool FindAttribute(std::wstring_view tag, size_t from, std::wstring_view name, AttributeSpan& found,
                   size_t& afterLast);
