// Between the bytes of an XML file and the document text: byte-order marks, declared and
// detected encodings, zero bytes, and the conversion itself.
#pragma once

#include <string>
#include <string_view>

#include "lumoui/base/cstring.h"
#include "xml/xml_result_text.h"

// The byte-order marks a document was loaded with; saving writes the first of them again.
struct ByteOrderMarks {
    bool utf8 = false;
    bool utf16Le = false;
    bool utf16Be = false;
};

// The encoding the text declares: the `encoding` of an `xml` declaration at its very start,
// or in an HTML text the charset of a `meta` element with http-equiv "Content-Type" inside
// `html`/`head`. Empty when it declares none. Only the first 1,024 characters are read.
CString DeclaredEncoding(std::wstring_view text);

// Decodes the bytes of a file into document text and sets `marks` to the mark found. What was
// found and done goes to `result`.
CString DecodeXmlFile(std::string_view bytes, ByteOrderMarks& marks, XmlResultText& result);

struct EncodedXml {
    std::string bytes;
    CString encoding;
};

// Encodes document text for a file: in the encoding of the first byte-order mark of `marks`
// with that mark in front, otherwise in the declared encoding (UTF-8 when none is declared).
EncodedXml EncodeXmlFile(std::wstring_view text, const ByteOrderMarks& marks,
                         XmlResultText& result);
