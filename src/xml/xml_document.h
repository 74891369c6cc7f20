// The program's one XML reader and writer. A document holds the whole text and an index of
// where each element lies in it; the caller walks the elements one level at a time, reads and
// sets attributes and adds elements. Edits splice the text, so whatever is not touched stays
// exactly as it was loaded.
#pragma once

#include <string_view>

#include "lumoui/base/cstring.h"
#include "xml/element_index.h"
#include "xml/xml_file_codec.h"
#include "xml/xml_result_text.h"

class XmlDocument {
public:
    XmlDocument();

    // Replaces the whole text and indexes it; the position goes back to the top. True when
    // the text is well formed (exactly one top-level element, no faults).
    bool SetText(std::wstring_view text);
    // Reads, decodes and indexes a file. True when it was read and is well formed.
    bool LoadFile(const CString& path);
    // Encodes the text and writes it to a file; the document itself is unchanged.
    bool SaveFile(const CString& path);

    // Goes back to the top of the document, with no current element, as after parsing.
    void ResetPosition();
    // Steps to the next sibling after the current element (or to the parent's first child when
    // there is none) whose tag name is `name`, or to the next one at all when `name` is empty.
    // Nothing changes when there is none.
    bool FindElement(std::wstring_view name = {});
    // Goes down into the current element; the child that was current when it was last left
    // becomes current again.
    bool EnterElement();
    // Goes up to the parent, which becomes the current element again.
    bool LeaveElement();

    // The tag name of the current element; empty when there is none.
    CString GetTagName() const;
    // The value of an attribute of the current element with its references resolved; empty when
    // there is no current element or no such attribute.
    CString GetAttribute(std::wstring_view name) const;
    // Sets or adds an attribute of the current element.
    bool SetAttribute(std::wstring_view name, std::wstring_view value);
    bool SetAttribute(std::wstring_view name, int value);
    // Adds an empty element after the current element, or as the last child of the parent when
    // there is none; it becomes the current element.
    bool AddElement(std::wstring_view name);

    // What the last SetText, LoadFile or SaveFile found and did, as a sequence of empty
    // elements.
    CString ResultText() const { return result_.Text(); }
    const CString& Text() const { return text_; }
    // Where each element lies in the text; for diagnosis.
    const ElementIndex& Index() const { return index_; }

private:
    bool Parse();
    std::wstring_view TagName(int32_t element) const;
    std::wstring_view StartTag(int32_t element) const;
    // Replaces `removed` characters at `offset` and keeps the index in step.
    bool Splice(size_t offset, size_t removed, std::wstring_view inserted);
    // Makes an empty parent <a/> into <a> CR LF element CR LF </a>; newStart is where the
    // element now starts.
    bool SplitEmptyParent(std::wstring_view element, int32_t& newStart);

    CString text_;
    ElementIndex index_;
    // The element whose children are walked, the current element (0: none), and the child
    // that was current when the current element was last left.
    int32_t parent_ = 0;
    int32_t current_ = 0;
    int32_t child_ = 0;
    ByteOrderMarks marks_;
    XmlResultText result_;
};
