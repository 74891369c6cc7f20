// What the keyboard pictures need from a layout file: the picture's name and size and every
// key's code, label and rectangle on it, read with the program's own XML document and number
// rules, so the picture shows the keys exactly where the program will hit-test them.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct LayoutKey {
    int code = 0;
    std::string name;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct KeyboardLayout {
    std::string image;  // file name below the skin's keyboard folder
    int width = 0;
    int height = 0;
    std::vector<LayoutKey> keys;
};

// Reads the `Keyboard` element and its `key` elements; none (with a message on stderr) when the
// file cannot be read or has no picture of a positive size.
std::optional<KeyboardLayout> ReadKeyboardLayout(const std::string& path);
