// Loads arbitrary bytes as an XML file, walks the document and edits it with a script taken
// from the input. A document that loaded well formed must stay in step with its text: walking
// it gives the same tree as parsing its text afresh.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_file.h"
#include "xml/xml_document.h"
#include "xml/xml_markup.h"

namespace {

// The element tree in one line, walked without recursion so deep nesting cannot exhaust the
// stack.
CString Walk(XmlDocument& document) {
    CString outline;
    document.ResetPosition();
    int depth = 0;
    while (true) {
        if (document.FindElement()) {
            const CString name = document.GetTagName();
            if (name.empty()) {
                std::abort();
            }
            outline += name + L"[" + document.GetAttribute(L"x") + L"]{";
            if (!document.EnterElement()) {
                std::abort();
            }
            ++depth;
            continue;
        }
        if (depth == 0) {
            return outline;
        }
        if (!document.LeaveElement()) {
            std::abort();
        }
        --depth;
        outline += L"}";
    }
}

// Every element of the index lies where the text says: its start tag scans to its recorded
// length, its end tag closes its name, it lies inside its parent's content and after its
// previous sibling.
void CheckIndex(const XmlDocument& document) {
    const std::wstring_view text = document.Text();
    const ElementIndex& index = document.Index();
    if (static_cast<size_t>(index[0].length) != text.size()) {
        std::abort();
    }
    for (int32_t number = 1; number < index.Count(); ++number) {
        const ElementRecord& record = index[number];
        const auto start = static_cast<size_t>(record.start);
        const auto end = static_cast<size_t>(record.End());
        if (record.start < 0 || end > text.size() || text[start] != L'<' ||
            record.length < static_cast<int32_t>(record.startTagLength + record.endTagLength) ||
            ScanStartTag(text, start).close != start + record.startTagLength - 1) {
            std::abort();
        }
        const std::wstring_view name =
            text.substr(start + 1, TagNameEnd(text, start + 1) - start - 1);
        if (record.endTagLength > 0) {
            const std::wstring_view endTag = text.substr(end - record.endTagLength);
            if (!endTag.starts_with(L"</") || endTag.substr(2, TagNameEnd(endTag, 2) - 2) != name) {
                std::abort();
            }
        }
        const ElementRecord& parent = index[record.parent];
        const int32_t contentStart =
            record.parent == 0 ? 0 : parent.start + static_cast<int32_t>(parent.startTagLength);
        if (record.start < contentStart ||
            record.End() > parent.End() - static_cast<int32_t>(parent.endTagLength)) {
            std::abort();
        }
        if (record.next != 0 && index[record.next].start < record.End()) {
            std::abort();
        }
    }
}

const wchar_t* const kNames[] = {L"a", L"b", L"x", L"key", L"config", L"", L"a b", L"1"};

void Edit(XmlDocument& document, FuzzedDataProvider& script) {
    const int steps = script.ConsumeIntegralInRange(0, 24);
    for (int i = 0; i < steps; ++i) {
        const CString name =
            kNames[script.ConsumeIntegralInRange<size_t>(0, std::size(kNames) - 1)];
        switch (script.ConsumeIntegralInRange(0, 6)) {
            case 0:
                document.FindElement(name);
                break;
            case 1:
                document.EnterElement();
                break;
            case 2:
                document.LeaveElement();
                break;
            case 3:
                document.AddElement(name);
                break;
            case 4:
                document.SetAttribute(name, Utf8ToWide(script.ConsumeRandomLengthString(16)));
                break;
            case 5:
                document.SetAttribute(name, script.ConsumeIntegral<int>());
                break;
            default:
                document.GetAttribute(name);
                break;
        }
    }
}

}  // namespace

// The input: one byte n, n bytes of editing script, then the file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const size_t scriptLength = std::min<size_t>(data[0], size - 1);
    const std::string script(reinterpret_cast<const char*>(data) + 1, scriptLength);
    const std::string file(reinterpret_cast<const char*>(data) + 1 + scriptLength,
                           size - 1 - scriptLength);

    const std::string& path = WriteFuzzFile(file);
    XmlDocument document;
    const bool wellFormed = document.LoadFile(Utf8ToWide(path));
    Walk(document);
    document.ResultText();
    CheckIndex(document);

    FuzzedDataProvider steps(reinterpret_cast<const uint8_t*>(script.data()), script.size());
    document.ResetPosition();
    Edit(document, steps);
    CheckIndex(document);

    if (wellFormed) {
        XmlDocument reparsed;
        reparsed.SetText(document.Text());
        const CString result = reparsed.ResultText();
        if ((!result.empty() && result != L"<root_has_sibling/>") ||
            Walk(document) != Walk(reparsed)) {
            std::abort();
        }
    }
    document.SaveFile(Utf8ToWide(path));
    return 0;
}
