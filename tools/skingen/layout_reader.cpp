#include "layout_reader.h"

#include <charconv>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <string_view>

namespace {

std::string Unescape(const std::string& text) {
    static const std::map<std::string, std::string> named = {
        {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}};
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t end = text[i] == '&' ? text.find(';', i) : std::string::npos;
        if (end == std::string::npos) {
            out.push_back(text[i]);
            continue;
        }
        const auto it = named.find(text.substr(i + 1, end - i - 1));
        if (it == named.end()) {
            out.push_back(text[i]);
            continue;
        }
        out += it->second;
        i = end;
    }
    return out;
}

// The attributes of the tag that starts at `begin` (at its '<'), up to its closing '>'.
std::map<std::string, std::string> Attributes(const std::string& xml, size_t begin) {
    std::map<std::string, std::string> attributes;
    const size_t end = xml.find('>', begin);
    size_t i = xml.find_first_of(" \t\r\n", begin);
    while (i < end) {
        const size_t equals = xml.find('=', i);
        if (equals >= end) {
            break;
        }
        const size_t name_begin = xml.find_first_not_of(" \t\r\n", i);
        const std::string name =
            xml.substr(name_begin, xml.find_last_not_of(" \t\r\n=", equals) - name_begin + 1);
        const size_t quote = xml.find_first_of("\"'", equals);
        const size_t close = xml.find(xml[quote], quote + 1);
        if (quote >= end || close == std::string::npos) {
            break;
        }
        attributes[name] = Unescape(xml.substr(quote + 1, close - quote - 1));
        i = close + 1;
    }
    return attributes;
}

// The start of the next tag named `name` at or after `from`, or npos.
size_t FindTag(const std::string& xml, const std::string& name, size_t from) {
    for (size_t at = xml.find("<" + name, from); at != std::string::npos;
         at = xml.find("<" + name, at + 1)) {
        const char next = xml[at + 1 + name.size()];
        if (next == ' ' || next == '\t' || next == '\r' || next == '\n' || next == '/' ||
            next == '>') {
            return at;
        }
    }
    return std::string::npos;
}

int Number(const std::map<std::string, std::string>& attributes, const std::string& name,
           int base = 10) {
    const auto it = attributes.find(name);
    return it == attributes.end()
               ? 0
               : static_cast<int>(std::strtol(it->second.c_str(), nullptr, base));
}

}  // namespace

std::optional<KeyboardLayout> ReadKeyboardLayout(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string xml((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t keyboard_at = FindTag(xml, "Keyboard", 0);
    if (!in || keyboard_at == std::string::npos) {
        std::cerr << path << ": no Keyboard element\n";
        return std::nullopt;
    }
    const auto keyboard = Attributes(xml, keyboard_at);
    KeyboardLayout layout;
    layout.image = keyboard.count("image") ? keyboard.at("image") : "";
    layout.width = Number(keyboard, "width");
    layout.height = Number(keyboard, "height");
    if (layout.image.empty() || layout.width <= 0 || layout.height <= 0) {
        std::cerr << path << ": the Keyboard element names no picture of a positive size\n";
        return std::nullopt;
    }
    for (size_t at = FindTag(xml, "key", keyboard_at); at != std::string::npos;
         at = FindTag(xml, "key", at + 1)) {
        const auto attributes = Attributes(xml, at);
        LayoutKey key;
        key.code = Number(attributes, "code", 16);
        key.name = attributes.count("name") ? attributes.at("name") : "";
        const std::string rect = attributes.count("rect") ? attributes.at("rect") : "";
        std::string_view rest(rect);
        for (int* field : {&key.x, &key.y, &key.width, &key.height}) {
            const char* end = std::from_chars(rest.data(), rest.data() + rest.size(), *field).ptr;
            rest.remove_prefix(static_cast<size_t>(end - rest.data()));
            if (!rest.empty() && rest.front() == '#') {
                rest.remove_prefix(1);
            }
        }
        layout.keys.push_back(key);
    }
    return layout;
}
