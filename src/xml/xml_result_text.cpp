#include "xml/xml_result_text.h"

#include "xml/xml_escape.h"

void XmlResultText::Clear() {
    entries_.clear();
    length_ = 0;
}

int XmlResultText::Add(std::wstring_view word,
                       std::initializer_list<std::pair<std::wstring_view, CString>> attributes) {
    if (length_ >= kMaxLength) {
        return -1;
    }
    Entry entry{CString(word), {}};
    for (const auto& [name, value] : attributes) {
        entry.attributes.emplace_back(CString(name), value);
    }
    length_ += LengthOf(entry);
    entries_.push_back(std::move(entry));
    return static_cast<int>(entries_.size()) - 1;
}

void XmlResultText::Set(int entry, std::wstring_view name, const CString& value) {
    if (entry < 0 || static_cast<size_t>(entry) >= entries_.size()) {
        return;
    }
    Entry& target = entries_[static_cast<size_t>(entry)];
    length_ -= LengthOf(target);
    bool found = false;
    for (auto& [attributeName, attributeValue] : target.attributes) {
        if (attributeName == name) {
            attributeValue = value;
            found = true;
            break;
        }
    }
    if (!found) {
        target.attributes.emplace_back(CString(name), value);
    }
    length_ += LengthOf(target);
}

CString XmlResultText::Text() const {
    CString text;
    text.reserve(length_);
    for (const Entry& entry : entries_) {
        Append(entry, text);
    }
    return text;
}

size_t XmlResultText::LengthOf(const Entry& entry) {
    CString text;
    Append(entry, text);
    return text.size();
}

void XmlResultText::Append(const Entry& entry, CString& text) {
    text += L'<';
    text += entry.word;
    for (const auto& [name, value] : entry.attributes) {
        text += L' ';
        text += name;
        text += L"=\"";
        text += EscapeValue(value);
        text += L'"';
    }
    text += L"/>";
}
