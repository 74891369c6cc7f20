// The diagnostic text that a document's load, parse and save leave behind: one empty element
// per event, in the order the events happened, for example
// <bom/><read encoding="UTF-8" length="812"/><utf8_detection/>.
#pragma once

#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

#include "lumoui/base/cstring.h"

class XmlResultText {
public:
    // Entries are dropped once the text has reached this many characters.
    static constexpr size_t kMaxLength = 1000;

    void Clear();

    // Adds an entry with its attributes; returns its number for a later change, or -1 when the
    // text is already full.
    int Add(std::wstring_view word,
            std::initializer_list<std::pair<std::wstring_view, CString>> attributes = {});
    // Sets (or adds) an attribute of an earlier entry in place.
    void Set(int entry, std::wstring_view name, const CString& value);

    CString Text() const;

private:
    struct Entry {
        CString word;
        std::vector<std::pair<CString, CString>> attributes;
    };
    static size_t LengthOf(const Entry& entry);
    static void Append(const Entry& entry, CString& text);

    std::vector<Entry> entries_;
    size_t length_ = 0;
};
