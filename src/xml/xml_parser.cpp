#include "xml/xml_parser.h"

#include <unordered_map>
#include <vector>

#include "xml/xml_markup.h"

namespace {

bool IsAsciiLetter(wchar_t ch) {
    return (ch >= L'a' && ch <= L'z') || (ch >= L'A' && ch <= L'Z');
}

bool StartsStartTag(wchar_t ch) {
    return IsAsciiLetter(ch) || ch == L':' || ch == L'_' || ch >= 123;
}

CString Number(size_t value) {
    return std::to_wstring(value);
}

class Parser {
public:
    Parser(std::wstring_view text, ElementIndex& index, XmlResultText& result)
        : text_(text), index_(index), result_(result) {}

    bool Run();

private:
    struct OpenElement {
        int32_t record;
        std::wstring_view name;
        // The next open element further out with the same name, or -1.
        int outerSameName;
    };

    // Each returns the offset after the node that starts with '<' at `pos`.
    size_t StartTag(size_t pos);
    size_t EndTag(size_t pos);
    size_t Markup(size_t pos);
    size_t DocumentType(size_t pos);
    // Finds `terminator` from `from`; on failure reports the node as cut short.
    size_t NodeEnd(size_t pos, size_t from, std::wstring_view terminator, const wchar_t* kind);

    size_t SyntaxError(const wchar_t* word, size_t pos);
    size_t Unterminated(const wchar_t* kind, size_t pos);

    void Push(int32_t record, std::wstring_view name);
    void Pop();
    // Closes the open elements from the innermost down to `depth` (exclusive) as non-ended.
    void CutOff(size_t depth, size_t offset);

    std::wstring_view text_;
    ElementIndex& index_;
    XmlResultText& result_;
    bool illFormed_ = false;
    std::vector<OpenElement> open_;
    // For each tag name, the innermost open element of that name (its depth in open_).
    std::unordered_map<std::wstring_view, int> innermost_;
};

bool Parser::Run() {
    size_t pos = 0;
    while (pos < text_.size()) {
        if (text_[pos] != L'<') {
            const size_t next = text_.find(L'<', pos);
            pos = next == std::wstring_view::npos ? text_.size() : next;
            continue;
        }
        if (pos + 1 >= text_.size()) {
            pos = Unterminated(L"tag", pos);
            continue;
        }
        const wchar_t ch = text_[pos + 1];
        if (ch == L'/') {
            pos = EndTag(pos);
        } else if (ch == L'!' || ch == L'?') {
            pos = Markup(pos);
        } else if (StartsStartTag(ch)) {
            pos = StartTag(pos);
        } else {
            pos = SyntaxError(L"first_tag_syntax", pos);
        }
    }
    CutOff(0, text_.size());

    ElementRecord& document = index_[0];
    document.start = 0;
    document.length = static_cast<int32_t>(text_.size());
    if (illFormed_) {
        document.flagsAndLevel |= ElementRecord::kIllFormed;
    }
    index_.ComputeLevels();
    if (document.firstChild == 0) {
        result_.Add(L"no_root_element");
        return false;
    }
    const bool single = index_[document.firstChild].next == 0;
    if (!single) {
        result_.Add(L"root_has_sibling");
    }
    return single && !illFormed_;
}

size_t Parser::StartTag(size_t pos) {
    const StartTagEnd end = ScanStartTag(text_, pos);
    if (end.close == std::wstring_view::npos) {
        return Unterminated(L"start_tag", pos);
    }
    const size_t tagLength = end.close + 1 - pos;
    if (tagLength > ElementRecord::kMaxStartTagLength) {
        // Longer than the index can record: counted as broken markup.
        return SyntaxError(L"start_tag_too_long", pos);
    }

    const int32_t number = index_.Add();
    ElementRecord& record = index_[number];
    record.start = static_cast<int32_t>(pos);
    record.length = static_cast<int32_t>(tagLength);
    record.startTagLength = static_cast<uint32_t>(tagLength);
    index_.AppendChild(open_.empty() ? 0 : open_.back().record, number);
    if (!end.empty) {
        Push(number, text_.substr(pos + 1, TagNameEnd(text_, pos + 1) - pos - 1));
    }
    return end.close + 1;
}

size_t Parser::EndTag(size_t pos) {
    const size_t close = text_.find(L'>', pos + 2);
    if (close == std::wstring_view::npos) {
        return Unterminated(L"end_tag", pos);
    }
    const size_t nameEnd = TagNameEnd(text_, pos + 2);
    const std::wstring_view name = text_.substr(pos + 2, nameEnd - pos - 2);
    const size_t tagLength = close + 1 - pos;
    const auto match = innermost_.find(name);
    if (match == innermost_.end() || tagLength > ElementRecord::kMaxEndTagLength) {
        result_.Add(L"lone_end_tag", {{L"tagname", CString(name)}, {L"offset", Number(pos)}});
        illFormed_ = true;
        return close + 1;
    }
    const auto depth = static_cast<size_t>(match->second);
    CutOff(depth + 1, pos);
    ElementRecord& record = index_[open_[depth].record];
    record.length = static_cast<int32_t>(close + 1) - record.start;
    record.endTagLength = static_cast<uint32_t>(tagLength);
    Pop();
    return close + 1;
}

size_t Parser::Markup(size_t pos) {
    if (text_[pos + 1] == L'?') {
        return NodeEnd(pos, pos + 2, L"?>", L"processing_instruction");
    }
    if (pos + 2 >= text_.size()) {
        return Unterminated(L"tag", pos);
    }
    switch (text_[pos + 2]) {
        case L'-':
            if (pos + 3 >= text_.size()) {
                return Unterminated(L"comment", pos);
            }
            if (text_[pos + 3] != L'-') {
                return SyntaxError(L"comment_tag_syntax", pos);
            }
            return NodeEnd(pos, pos + 4, L"-->", L"comment");
        case L'[':
            if (pos + 3 >= text_.size()) {
                return Unterminated(L"cdata_section", pos);
            }
            if (text_[pos + 3] != L'C') {
                return SyntaxError(L"cdata_section_syntax", pos);
            }
            return NodeEnd(pos, pos + 4, L"]]>", L"cdata_section");
        case L'D':
            return DocumentType(pos);
        default:
            return SyntaxError(L"exclamation_tag_syntax", pos);
    }
}

size_t Parser::DocumentType(size_t pos) {
    wchar_t quote = 0;
    bool inSubset = false;
    for (size_t i = pos + 3; i < text_.size(); ++i) {
        const wchar_t ch = text_[i];
        if (quote != 0) {
            if (ch == quote) {
                quote = 0;
            }
        } else if (ch == L'"' || ch == L'\'') {
            quote = ch;
        } else if (ch == L'[') {
            inSubset = true;
        } else if (ch == L']') {
            inSubset = false;
        } else if (ch == L'>' && !inSubset) {
            return i + 1;
        } else if (inSubset && ch == L'<' && i + 1 < text_.size() && text_[i + 1] == L'!') {
            // Declarations of the internal subset: ELEMENT, ATTLIST, ENTITY, NOTATION.
            const wchar_t kind = i + 2 < text_.size() ? text_[i + 2] : 0;
            if (kind != L'E' && kind != L'A' && kind != L'N') {
                return SyntaxError(L"doctype_tag_syntax", i);
            }
        }
    }
    return Unterminated(L"document_type", pos);
}

size_t Parser::NodeEnd(size_t pos, size_t from, std::wstring_view terminator, const wchar_t* kind) {
    const size_t end = text_.find(terminator, from);
    if (end == std::wstring_view::npos) {
        return Unterminated(kind, pos);
    }
    return end + terminator.size();
}

size_t Parser::SyntaxError(const wchar_t* word, size_t pos) {
    result_.Add(word, {{L"offset", Number(pos)}});
    illFormed_ = true;
    const size_t next = text_.find(L'>', pos + 1);
    return next == std::wstring_view::npos ? text_.size() : next + 1;
}

size_t Parser::Unterminated(const wchar_t* kind, size_t pos) {
    result_.Add(L"unterminated_tag_syntax", {{L"type", kind}, {L"offset", Number(pos)}});
    illFormed_ = true;
    return text_.size();
}

void Parser::Push(int32_t record, std::wstring_view name) {
    const auto [place, added] = innermost_.try_emplace(name, static_cast<int>(open_.size()));
    open_.push_back({record, name, added ? -1 : place->second});
    place->second = static_cast<int>(open_.size()) - 1;
}

void Parser::Pop() {
    const OpenElement& top = open_.back();
    if (top.outerSameName < 0) {
        innermost_.erase(top.name);
    } else {
        innermost_[top.name] = top.outerSameName;
    }
    open_.pop_back();
}

void Parser::CutOff(size_t depth, size_t offset) {
    // Outermost first, so that each element's children move up only once.
    for (size_t i = depth; i < open_.size(); ++i) {
        const int32_t number = open_[i].record;
        ElementRecord& record = index_[number];
        record.length = static_cast<int32_t>(record.startTagLength);
        record.endTagLength = 0;
        record.flagsAndLevel |= ElementRecord::kNonEnded;
        index_.HoistChildren(number);
        result_.Add(L"unended_start_tag", {{L"tagname", CString(open_[i].name)},
                                           {L"offset", Number(static_cast<size_t>(record.start))},
                                           {L"offset2", Number(offset)}});
        illFormed_ = true;
    }
    while (open_.size() > depth) {
        Pop();
    }
}

}  // namespace

bool ParseXml(std::wstring_view text, ElementIndex& index, XmlResultText& result) {
    index.Reset(text.size() / 64 + 8);
    if (text.empty()) {
        return false;
    }
    if (text.size() > kMaxXmlTextLength) {
        result.Add(L"no_root_element");
        index[0].flagsAndLevel |= ElementRecord::kIllFormed;
        return false;
    }
    return Parser(text, index, result).Run();
}
