// Indexing a document text: every element with its extent and its links, and the findings of
// the scan in the result text.
#pragma once

#include <string_view>

#include "xml/element_index.h"
#include "xml/xml_result_text.h"

// The longest text the index can address (its offsets are 32-bit).
constexpr size_t kMaxXmlTextLength = 0x7FFFFFFF;

// Indexes the elements of `text` into `index` (record 0 is the document). The whole text is
// always indexed, also after faults. True when the text is well formed: no fault, and exactly
// one top-level element.
bool ParseXml(std::wstring_view text, ElementIndex& index, XmlResultText& result);
