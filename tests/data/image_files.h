// Sizes and frame counts read from the headers of the image files the build writes (PNG, GIF,
// ICO), for the tests of the program folder's images.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace image_files {

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Size& size) {
    return out << size.width << "x" << size.height;
}

inline uint32_t BigEndian32(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

inline int LittleEndian16(const std::string& bytes, size_t at) {
    return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

// The size in a PNG file's header, or 0 x 0 when the bytes are no PNG file.
inline Size PngSize(const std::string& bytes) {
    if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1A\n") != 0 ||
        bytes.compare(12, 4, "IHDR") != 0) {
        return {};
    }
    return {static_cast<int>(BigEndian32(bytes, 16)), static_cast<int>(BigEndian32(bytes, 20))};
}

struct GifFacts {
    Size size;
    int frames = 0;
    bool complete = false;  // the blocks run up to the trailer
};

inline GifFacts ReadGif(const std::string& bytes) {
    GifFacts facts;
    if (bytes.size() < 13 || bytes.compare(0, 6, "GIF89a") != 0) {
        return facts;
    }
    facts.size = {LittleEndian16(bytes, 6), LittleEndian16(bytes, 8)};
    const auto flags = static_cast<unsigned char>(bytes[10]);
    size_t at = 13 + ((flags & 0x80) ? 3u << ((flags & 7) + 1) : 0);
    const auto skip_blocks = [&]() {
        while (at < bytes.size() && bytes[at] != 0) {
            at += 1 + static_cast<unsigned char>(bytes[at]);
        }
        ++at;
    };
    while (at < bytes.size()) {
        const char kind = bytes[at];
        if (kind == ';') {
            facts.complete = true;
            break;
        }
        if (kind == '!') {
            at += 2;
            skip_blocks();
        } else if (kind == ',' && at + 10 <= bytes.size()) {
            ++facts.frames;
            const auto local = static_cast<unsigned char>(bytes[at + 9]);
            at += 10 + ((local & 0x80) ? 3u << ((local & 7) + 1) : 0) + 1;
            skip_blocks();
        } else {
            break;
        }
    }
    return facts;
}

// The sizes an ICO file's directory lists, each checked to point at a PNG image of that size.
inline std::vector<int> IcoSizes(const std::string& bytes) {
    std::vector<int> sizes;
    if (bytes.size() < 6 || LittleEndian16(bytes, 0) != 0 || LittleEndian16(bytes, 2) != 1) {
        return sizes;
    }
    const int count = LittleEndian16(bytes, 4);
    for (int i = 0; i < count && 6 + 16 * (i + 1) <= static_cast<int>(bytes.size()); ++i) {
        const size_t entry = 6 + 16 * i;
        const int side = static_cast<unsigned char>(bytes[entry]);
        const size_t length = LittleEndian16(bytes, entry + 8) | LittleEndian16(bytes, entry + 10)
                                                                     << 16;
        const size_t offset = LittleEndian16(bytes, entry + 12) | LittleEndian16(bytes, entry + 14)
                                                                      << 16;
        const Size png =
            offset + length <= bytes.size() ? PngSize(bytes.substr(offset, length)) : Size{};
        const int size = side == 0 ? 256 : side;
        sizes.push_back(png == Size{size, size} ? size : -1);
    }
    return sizes;
}

}  // namespace image_files
