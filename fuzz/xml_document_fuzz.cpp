// Loads arbitrary bytes as an XML file, walks the document and edits it with a script taken
// from the input. A document that loaded well formed must stay in step with its text: walking
// it gives the same tree as parsing its text afresh.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "xml/xml_document.h"

namespace {

const std::string& FilePath() {
    static const std::string path = [] {
        std::string pattern = "/tmp/xml-fuzz-XXXXXX";
        const int fd = mkstemp(pattern.data());
        if (fd >= 0) {
            close(fd);
        }
        return pattern;
    }();
    return path;
}

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

    const std::string& path = FilePath();
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        std::fwrite(file.data(), 1, file.size(), out);
        std::fclose(out);
    }
    XmlDocument document;
    const bool wellFormed = document.LoadFile(Utf8ToWide(path));
    Walk(document);
    document.ResultText();

    FuzzedDataProvider steps(reinterpret_cast<const uint8_t*>(script.data()), script.size());
    document.ResetPosition();
    Edit(document, steps);

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
