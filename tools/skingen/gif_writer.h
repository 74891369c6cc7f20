// A small GIF89a encoder for the skin's animation: 256-colour frames sharing one palette,
// played in a loop.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct GifColour {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
};

struct GifAnimation {
    int width = 0;
    int height = 0;
    int delay_centiseconds = 5;
    std::array<GifColour, 256> palette{};
    // Palette indexes, width × height per frame, row by row.
    std::vector<std::vector<uint8_t>> frames;
};

// The file's bytes.
std::string EncodeGif(const GifAnimation& animation);
