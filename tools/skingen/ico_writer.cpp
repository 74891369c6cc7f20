#include "ico_writer.h"

#include <cstdint>

namespace {

void PutWord(std::string& out, uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

void PutLong(std::string& out, uint32_t value) {
    PutWord(out, static_cast<uint16_t>(value & 0xFFFF));
    PutWord(out, static_cast<uint16_t>(value >> 16));
}

}  // namespace

std::string EncodeIco(const std::vector<IconImage>& images) {
    std::string out;
    PutWord(out, 0);  // reserved
    PutWord(out, 1);  // icon
    PutWord(out, static_cast<uint16_t>(images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (const IconImage& image : images) {
        const char side = static_cast<char>(image.size >= 256 ? 0 : image.size);  // 0 means 256
        out.push_back(side);
        out.push_back(side);
        out.push_back('\0');  // no palette
        out.push_back('\0');
        PutWord(out, 1);   // colour planes
        PutWord(out, 32);  // bits per pixel
        PutLong(out, static_cast<uint32_t>(image.png.size()));
        PutLong(out, offset);
        offset += static_cast<uint32_t>(image.png.size());
    }
    for (const IconImage& image : images) {
        out += image.png;
    }
    return out;
}
