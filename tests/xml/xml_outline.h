// A document's element tree in one line, walked through the document's own navigation:
// "a{b[x=1],c}" for <a><b x="1"/><c/></a>. Comparing the outline of an edited document with
// that of its text parsed afresh shows whether the edits kept the index in step.
#pragma once

#include "xml/xml_document.h"

inline CString Outline(XmlDocument& document) {
    CString outline;
    document.ResetPosition();
    int depth = 0;
    bool first = true;
    while (true) {
        if (document.FindElement()) {
            outline += first ? L"" : L",";
            outline += document.GetTagName();
            if (const CString x = document.GetAttribute(L"x"); !x.empty()) {
                outline += L"[x=" + x + L"]";
            }
            document.EnterElement();
            ++depth;
            first = true;
            outline += L"{";
            continue;
        }
        if (depth == 0) {
            break;
        }
        document.LeaveElement();
        --depth;
        first = false;
        if (outline.ends_with(L"{")) {
            outline.pop_back();
        } else {
            outline += L"}";
        }
    }
    return outline;
}

inline CString OutlineOfText(const CString& text) {
    XmlDocument reparsed;
    reparsed.SetText(text);
    return Outline(reparsed);
}
