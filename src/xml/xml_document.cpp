#include "xml/xml_document.h"

#include <string>

#include "xml/xml_escape.h"
#include "xml/xml_file_io.h"
#include "xml/xml_markup.h"
#include "xml/xml_parser.h"

namespace {

// Documents are small (catalogue, layouts, exchange files); anything much larger is refused
// rather than read into memory.
constexpr size_t kMaxFileSize = 256u << 20;

CString Number(size_t value) {
    return std::to_wstring(value);
}

}  // namespace

XmlDocument::XmlDocument() {
    Parse();
}

bool XmlDocument::SetText(std::wstring_view text) {
    result_.Clear();
    marks_ = {};
    text_.assign(text);
    return Parse();
}

bool XmlDocument::LoadFile(const CString& path) {
    result_.Clear();
    marks_ = {};
    std::string bytes;
    FileFailure failure;
    if (!ReadWholeFile(path, kMaxFileSize, bytes, failure)) {
        result_.Add(L"file_error", {{L"msg", failure.message}, {L"n", Number(failure.number)}});
        text_.clear();
        Parse();
        return false;
    }
    text_ = DecodeXmlFile(bytes, marks_, result_);
    return Parse();
}

bool XmlDocument::SaveFile(const CString& path) {
    result_.Clear();
    WritableFile file;
    FileFailure failure;
    const auto fail = [&] {
        result_.Add(L"file_error", {{L"msg", failure.message}, {L"n", Number(failure.number)}});
        return false;
    };
    if (!file.Create(path, failure)) {
        return fail();
    }
    const EncodedXml encoded = EncodeXmlFile(text_, marks_, result_);
    if (!file.Write(encoded.bytes, failure)) {
        return fail();
    }
    result_.Add(L"write",
                {{L"encoding", encoded.encoding}, {L"length", Number(encoded.bytes.size())}});
    if (!file.Close(failure)) {
        return fail();
    }
    return true;
}

void XmlDocument::ResetPosition() {
    parent_ = 0;
    current_ = 0;
    child_ = 0;
}

bool XmlDocument::FindElement(std::wstring_view name) {
    const std::wstring_view wanted = NameToken(name);
    const int32_t first = current_ != 0 ? index_[current_].next : index_[parent_].firstChild;
    for (int32_t element = first; element != 0; element = index_[element].next) {
        if (wanted.empty() || TagName(element) == wanted) {
            current_ = element;
            child_ = 0;
            return true;
        }
    }
    return false;
}

bool XmlDocument::EnterElement() {
    if (current_ == 0) {
        return false;
    }
    parent_ = current_;
    current_ = child_;
    child_ = 0;
    return true;
}

bool XmlDocument::LeaveElement() {
    if (parent_ == 0) {
        return false;
    }
    child_ = current_;
    current_ = parent_;
    parent_ = index_[current_].parent;
    return true;
}

CString XmlDocument::GetTagName() const {
    return current_ != 0 ? CString(TagName(current_)) : CString();
}

CString XmlDocument::GetAttribute(std::wstring_view name) const {
    if (current_ == 0) {
        return {};
    }
    const std::wstring_view tag = StartTag(current_);
    AttributeSpan span;
    size_t afterLast = 0;
    if (!FindAttribute(tag, TagNameEnd(tag, 1), name, span, afterLast)) {
        return {};
    }
    return UnescapeValue(span.Value(tag));
}

bool XmlDocument::SetAttribute(std::wstring_view name, int value) {
    return SetAttribute(name, std::to_wstring(value));
}

bool XmlDocument::SetAttribute(std::wstring_view name, std::wstring_view value) {
    if (current_ == 0 || !IsWritableName(name)) {
        return false;
    }
    const std::wstring_view tag = StartTag(current_);
    const CString quoted = L"\"" + EscapeValue(value, true) + L"\"";
    AttributeSpan span;
    size_t afterLast = 0;
    size_t offset = 0;
    size_t removed = 0;
    CString inserted;
    if (FindAttribute(tag, TagNameEnd(tag, 1), name, span, afterLast)) {
        if (span.hasEquals) {
            offset = span.valueStart;
            removed = span.valueEnd - span.valueStart;
            inserted = quoted;
        } else {
            offset = span.nameEnd;
            inserted = L"=" + quoted;
        }
    } else {
        offset = afterLast;
        inserted = L" " + CString(name) + L"=" + quoted;
    }
    const size_t tagLength = tag.size() - removed + inserted.size();
    if (tagLength > ElementRecord::kMaxStartTagLength) {
        return false;
    }
    // The new tag must still end where it did and still close its element or not, or the
    // text would no longer say what the index says (for example a value given to the bare
    // attribute in <a flag/>, which is not empty, would make it empty).
    CString changed(tag);
    changed.replace(offset, removed, inserted);
    const StartTagEnd end = ScanStartTag(changed, 0);
    const ElementRecord& record = index_[current_];
    const bool empty = record.endTagLength == 0 && !record.Has(ElementRecord::kNonEnded);
    if (end.close != changed.size() - 1 || end.empty != empty) {
        return false;
    }
    if (!Splice(static_cast<size_t>(index_[current_].start) + offset, removed, inserted)) {
        return false;
    }
    index_[current_].startTagLength = static_cast<uint32_t>(tagLength);
    return true;
}

bool XmlDocument::AddElement(std::wstring_view name) {
    if (!IsWritableName(name) || name.size() + 3 > ElementRecord::kMaxEndTagLength) {
        return false;
    }
    const CString element = L"<" + CString(name) + L"/>";
    int32_t start = 0;
    if (current_ == 0 && parent_ != 0 && index_[parent_].endTagLength == 0) {
        if (!SplitEmptyParent(element, start)) {
            return false;
        }
    } else {
        size_t offset = 0;
        CString prefix;
        if (current_ != 0) {
            offset = static_cast<size_t>(index_[current_].End());
        } else if (parent_ == 0) {
            offset = text_.size();
        } else {
            const ElementRecord& parent = index_[parent_];
            const int32_t contentStart = parent.start + static_cast<int32_t>(parent.startTagLength);
            const int32_t contentEnd = parent.End() - static_cast<int32_t>(parent.endTagLength);
            if (contentStart == contentEnd) {
                prefix = L"\r\n";
            }
            offset = static_cast<size_t>(contentEnd);
        }
        // Over the line break and blanks in front of the next tag, so the new element starts
        // a line of its own.
        size_t next = offset;
        while (next < text_.size() && IsXmlSpace(text_[next])) {
            ++next;
        }
        if (next == text_.size() || text_[next] == L'<') {
            offset = next;
        }
        if (!Splice(offset, 0, prefix + element + L"\r\n")) {
            return false;
        }
        start = static_cast<int32_t>(offset + prefix.size());
    }

    const int32_t number = index_.Add();
    ElementRecord& record = index_[number];
    record.start = start;
    record.length = static_cast<int32_t>(element.size());
    record.startTagLength = static_cast<uint32_t>(element.size());
    if (current_ != 0) {
        index_.InsertAfter(current_, number);
    } else {
        index_.AppendChild(parent_, number);
    }
    record.SetLevel(index_[parent_].Level() + 1);
    current_ = number;
    child_ = 0;
    return true;
}

bool XmlDocument::SplitEmptyParent(std::wstring_view element, int32_t& newStart) {
    const ElementRecord& parent = index_[parent_];
    // A non-ended element has lost its children to its siblings; it cannot take new ones.
    if (parent.Has(ElementRecord::kNonEnded) || parent.startTagLength < 3) {
        return false;
    }
    const size_t slash = static_cast<size_t>(parent.start) + parent.startTagLength - 2;
    if (text_[slash] != L'/') {
        return false;
    }
    const std::wstring_view name = TagName(parent_);
    const size_t endTagLength = name.size() + 3;
    if (endTagLength > ElementRecord::kMaxEndTagLength) {
        return false;
    }
    // <a/> becomes <a> CR LF <new/> CR LF </a>.
    const CString inserted = L">\r\n" + CString(element) + L"\r\n</" + CString(name);
    if (!Splice(slash, 1, inserted)) {
        return false;
    }
    ElementRecord& split = index_[parent_];
    split.startTagLength = split.startTagLength - 1;
    split.endTagLength = static_cast<uint32_t>(endTagLength);
    newStart = static_cast<int32_t>(slash + 3);
    return true;
}

bool XmlDocument::Parse() {
    ResetPosition();
    return ParseXml(text_, index_, result_);
}

std::wstring_view XmlDocument::StartTag(int32_t element) const {
    const ElementRecord& record = index_[element];
    return std::wstring_view(text_).substr(static_cast<size_t>(record.start),
                                           record.startTagLength);
}

std::wstring_view XmlDocument::TagName(int32_t element) const {
    const std::wstring_view tag = StartTag(element);
    return tag.substr(1, TagNameEnd(tag, 1) - 1);
}

bool XmlDocument::Splice(size_t offset, size_t removed, std::wstring_view inserted) {
    const size_t needed = text_.size() - removed + inserted.size();
    if (needed > kMaxXmlTextLength) {
        return false;
    }
    if (needed > text_.capacity()) {
        text_.reserve(needed + needed / 2 + 128);
    }
    text_.replace(offset, removed, inserted);
    index_.Shift(static_cast<int32_t>(offset), static_cast<int32_t>(removed),
                 static_cast<int32_t>(inserted.size()) - static_cast<int32_t>(removed));
    return true;
}
