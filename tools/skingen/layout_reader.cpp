#include "layout_reader.h"

#include <algorithm>
#include <iostream>
#include <string_view>

#include "device/number_text.h"
#include "xml/xml_document.h"

namespace {

// x, y, width and height of a key's `rect`, separated by "#".
void ReadRect(const CString& rect, LayoutKey& key) {
    size_t start = 0;
    for (int* field : {&key.x, &key.y, &key.width, &key.height}) {
        const size_t hash = std::min(rect.find(L'#', start), rect.size());
        *field = ParseDecimal(std::wstring_view(rect).substr(start, hash - start));
        start = std::min(hash + 1, rect.size());
    }
}

}  // namespace

std::optional<KeyboardLayout> ReadKeyboardLayout(const std::string& path) {
    XmlDocument xml;
    if (!xml.LoadFile(Utf8ToWide(path)) || !xml.FindElement(L"device.info") ||
        !xml.EnterElement() || !xml.FindElement(L"Keyboard")) {
        std::cerr << path << ": no device.info > Keyboard element\n";
        return std::nullopt;
    }
    KeyboardLayout layout;
    layout.image = WideToUtf8(xml.GetAttribute(L"image"));
    layout.width = ParseDecimal(xml.GetAttribute(L"width"));
    layout.height = ParseDecimal(xml.GetAttribute(L"height"));
    if (layout.image.empty() || layout.width <= 0 || layout.height <= 0) {
        std::cerr << path << ": the Keyboard element names no picture of a positive size\n";
        return std::nullopt;
    }
    if (xml.EnterElement() && xml.FindElement(L"KeyItems") && xml.EnterElement()) {
        while (xml.FindElement(L"key")) {
            LayoutKey key;
            key.code = ParseHexadecimal(xml.GetAttribute(L"code"));
            key.name = WideToUtf8(xml.GetAttribute(L"name"));
            ReadRect(xml.GetAttribute(L"rect"), key);
            layout.keys.push_back(key);
        }
    }
    return layout;
}
