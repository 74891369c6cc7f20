#include "gif_writer.h"

#include <unordered_map>

namespace {

void PutWord(std::string& out, int value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

// Collects variable-length codes least significant bit first and hands them out as the GIF's
// data sub-blocks of at most 255 bytes.
class CodeWriter {
public:
    explicit CodeWriter(std::string& out) : out_(out) {}

    void Put(int code, int size) {
        bits_ |= static_cast<uint32_t>(code) << bit_count_;
        bit_count_ += size;
        while (bit_count_ >= 8) {
            PutByte(static_cast<uint8_t>(bits_ & 0xFF));
            bits_ >>= 8;
            bit_count_ -= 8;
        }
    }

    void Finish() {
        if (bit_count_ > 0) {
            PutByte(static_cast<uint8_t>(bits_ & 0xFF));
        }
        FlushBlock();
        out_.push_back('\0');
    }

private:
    void PutByte(uint8_t byte) {
        block_.push_back(static_cast<char>(byte));
        if (block_.size() == 255) {
            FlushBlock();
        }
    }
    void FlushBlock() {
        if (!block_.empty()) {
            out_.push_back(static_cast<char>(block_.size()));
            out_ += block_;
            block_.clear();
        }
    }

    std::string& out_;
    std::string block_;
    uint32_t bits_ = 0;
    int bit_count_ = 0;
};

// LZW with 8-bit symbols: codes start at 9 bits and grow to 12; a full table is cleared.
void EncodePixels(std::string& out, const std::vector<uint8_t>& pixels) {
    constexpr int kMinCodeSize = 8;
    constexpr int kClear = 1 << kMinCodeSize;
    constexpr int kEnd = kClear + 1;
    out.push_back(static_cast<char>(kMinCodeSize));
    CodeWriter writer(out);
    std::unordered_map<uint32_t, int> table;
    int code_size = kMinCodeSize + 1;
    int last_code = kEnd;
    writer.Put(kClear, code_size);
    if (pixels.empty()) {
        writer.Put(kEnd, code_size);
        writer.Finish();
        return;
    }
    int prefix = pixels[0];
    for (size_t i = 1; i < pixels.size(); ++i) {
        const uint8_t symbol = pixels[i];
        const uint32_t key = static_cast<uint32_t>(prefix) << 8 | symbol;
        const auto found = table.find(key);
        if (found != table.end()) {
            prefix = found->second;
            continue;
        }
        writer.Put(prefix, code_size);
        table.emplace(key, ++last_code);
        if (last_code >= (1 << code_size)) {
            ++code_size;
        }
        if (last_code == 4095) {
            writer.Put(kClear, code_size);
            table.clear();
            code_size = kMinCodeSize + 1;
            last_code = kEnd;
        }
        prefix = symbol;
    }
    writer.Put(prefix, code_size);
    // The reader adds one more table entry on that last code and may widen its codes with it.
    if (last_code + 1 == (1 << code_size) && code_size < 12) {
        ++code_size;
    }
    writer.Put(kEnd, code_size);
    writer.Finish();
}

}  // namespace

std::string EncodeGif(const GifAnimation& animation) {
    std::string out = "GIF89a";
    PutWord(out, animation.width);
    PutWord(out, animation.height);
    out.push_back(static_cast<char>(0xF7));  // global palette of 256 colours, 8-bit resolution
    out.push_back('\0');                     // background colour index
    out.push_back('\0');                     // no aspect ratio
    for (const GifColour& colour : animation.palette) {
        out.push_back(static_cast<char>(colour.r));
        out.push_back(static_cast<char>(colour.g));
        out.push_back(static_cast<char>(colour.b));
    }
    // Loop for ever.
    out += std::string("\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00", 19);
    for (const auto& frame : animation.frames) {
        // Graphic control: each frame stays until the next replaces it, no transparency.
        out += std::string("\x21\xF9\x04\x04", 4);
        PutWord(out, animation.delay_centiseconds);
        out += std::string("\x00\x00", 2);
        out.push_back(',');
        PutWord(out, 0);
        PutWord(out, 0);
        PutWord(out, animation.width);
        PutWord(out, animation.height);
        out.push_back('\0');  // no local palette, not interlaced
        EncodePixels(out, frame);
    }
    out.push_back(';');
    return out;
}
