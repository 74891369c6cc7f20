#include "xml/xml_file_codec.h"

#include "xml/code_page.h"
#include "xml/element_index.h"
#include "xml/utf8_validation.h"
#include "xml/xml_escape.h"
#include "xml/xml_markup.h"
#include "xml/xml_parser.h"

namespace {

// How much of a file's start is searched for its declared encoding.
constexpr size_t kPrefixLength = 1024;

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

CString Number(size_t value) {
    return std::to_wstring(value);
}

CString Attribute(std::wstring_view tag, size_t from, std::wstring_view name) {
    AttributeSpan span;
    size_t afterLast = 0;
    if (!FindAttribute(tag, from, name, span, afterLast)) {
        return {};
    }
    return UnescapeValue(span.Value(tag));
}

// "text/html; charset=windows-1252" -> "windows-1252".
CString CharsetOfContentType(const CString& content) {
    const size_t at = FoldedAscii(content).find(L"charset=");
    if (at == CString::npos) {
        return {};
    }
    std::wstring_view charset = std::wstring_view(content).substr(at + 8);
    const size_t end = charset.find_first_of(L"; \t\"'");
    return CString(charset.substr(0, end));
}

CString HtmlCharset(std::wstring_view text) {
    ElementIndex index;
    XmlResultText ignored;
    ParseXml(text, index, ignored);
    bool inHtml = false;
    bool inHead = false;
    for (int32_t number = 1; number < index.Count(); ++number) {
        const ElementRecord& record = index[number];
        const auto start = static_cast<size_t>(record.start);
        const std::wstring_view tag = text.substr(start, record.startTagLength);
        const size_t nameEnd = TagNameEnd(tag, 1);
        const std::wstring_view name = tag.substr(1, nameEnd - 1);
        if (!inHtml) {
            inHtml = EqualNoCase(name, L"html");
        } else if (!inHead) {
            inHead = EqualNoCase(name, L"head");
        } else if (EqualNoCase(name, L"meta") &&
                   EqualNoCase(Attribute(tag, nameEnd, L"http-equiv"), L"Content-Type")) {
            return CharsetOfContentType(Attribute(tag, nameEnd, L"content"));
        }
    }
    return {};
}

}  // namespace

CString DeclaredEncoding(std::wstring_view text) {
    text = text.substr(0, kPrefixLength);
    if (text.starts_with(L"<?xml") &&
        (text.size() == 5 || IsXmlSpace(text[5]) || text[5] == L'?')) {
        const size_t end = text.find(L"?>");
        const std::wstring_view declaration =
            text.substr(0, end == std::wstring_view::npos ? text.size() : end + 2);
        return Attribute(declaration, 5, L"encoding");
    }
    return HtmlCharset(text);
}

CString DecodeXmlFile(std::string_view bytes, ByteOrderMarks& marks, XmlResultText& result) {
    marks = {};
    CString encoding;
    int wideCodePage = 0;
    if (bytes.starts_with(kUtf8Mark)) {
        marks.utf8 = true;
        encoding = L"UTF-8";
        bytes.remove_prefix(kUtf8Mark.size());
    } else if (bytes.starts_with(kUtf16LeMark)) {
        marks.utf16Le = true;
        encoding = L"UTF-16LE";
        wideCodePage = CodePage::kUtf16Le;
        bytes.remove_prefix(kUtf16LeMark.size());
    } else if (bytes.starts_with(kUtf16BeMark)) {
        marks.utf16Be = true;
        encoding = L"UTF-16BE";
        wideCodePage = CodePage::kUtf16Be;
        bytes.remove_prefix(kUtf16BeMark.size());
    }
    if (!encoding.empty()) {
        result.Add(L"bom");
    }

    if (wideCodePage != 0) {
        const size_t units = bytes.size() / 2;
        result.Add(L"read", {{L"encoding", encoding}, {L"length", Number(units)}});
        std::string data;
        data.reserve(units * 2);
        size_t zeros = 0;
        for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
            if (bytes[i] == 0 && bytes[i + 1] == 0) {
                ++zeros;
            } else {
                data.append(bytes.substr(i, 2));
            }
        }
        if (zeros > 0) {
            result.Add(L"nulls_removed", {{L"count", Number(zeros)}});
        }
        if (wideCodePage == CodePage::kUtf16Be) {
            result.Add(L"endian_swap");
        }
        return DecodeCodePage(data, wideCodePage);
    }

    if (encoding.empty()) {
        encoding = DeclaredEncoding(Utf8ToWide(bytes.substr(0, kPrefixLength)));
        if (encoding.empty() && bytes.starts_with('<')) {
            encoding = L"UTF-8";
        }
    }
    const int readEntry =
        result.Add(L"read", {{L"encoding", encoding}, {L"length", Number(bytes.size())}});
    std::string withoutZeros;
    std::string_view data = bytes;
    if (bytes.find('\0') != std::string_view::npos) {
        withoutZeros.reserve(bytes.size());
        for (const char byte : bytes) {
            if (byte != 0) {
                withoutZeros += byte;
            }
        }
        data = withoutZeros;
        result.Add(L"nulls_removed", {{L"count", Number(bytes.size() - data.size())}});
    }
    if (encoding.empty()) {
        if (IsValidUtf8(data)) {
            encoding = L"UTF-8";
            result.Set(readEntry, L"encoding", encoding);
        }
        result.Add(L"utf8_detection");
    }
    int codePage = CodePageOfEncoding(encoding);
    if (CodePage::IsWide(codePage)) {
        // A UTF-16 or UTF-32 declaration that could be read as 8-bit text, with no mark in
        // front: the file is not what it declares, and the 8-bit reading is the one that works.
        codePage = CodePage::kUtf8;
    }
    CString text = DecodeCodePage(data, codePage);
    result.Add(L"converted_to", {{L"encoding", L"UTF-16"}, {L"length", Number(text.size())}});
    return text;
}

EncodedXml EncodeXmlFile(std::wstring_view text, const ByteOrderMarks& marks,
                         XmlResultText& result) {
    EncodedXml encoded;
    if (marks.utf8) {
        encoded.encoding = L"UTF-8";
        encoded.bytes = kUtf8Mark;
    } else if (marks.utf16Le) {
        encoded.encoding = L"UTF-16LE";
        encoded.bytes = kUtf16LeMark;
    } else if (marks.utf16Be) {
        encoded.encoding = L"UTF-16BE";
        encoded.bytes = kUtf16BeMark;
    } else {
        encoded.encoding = DeclaredEncoding(text);
        if (encoded.encoding.empty()) {
            encoded.encoding = L"UTF-8";
        }
    }
    if (!encoded.bytes.empty()) {
        result.Add(L"bom");
    }
    const int codePage = CodePageOfEncoding(encoded.encoding);
    size_t lost = 0;
    if (codePage == CodePage::kUtf16Le || codePage == CodePage::kUtf16Be) {
        if (codePage == CodePage::kUtf16Be) {
            result.Add(L"endian_swap");
        }
        encoded.bytes += EncodeCodePage(text, codePage, lost);
        return encoded;
    }
    result.Add(L"converted_from", {{L"encoding", L"UTF-16"}, {L"length", Number(text.size())}});
    encoded.bytes += EncodeCodePage(text, codePage, lost);
    if (lost > 0) {
        result.Add(L"conversion_loss");
    }
    return encoded;
}
