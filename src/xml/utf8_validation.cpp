#include "xml/utf8_validation.h"

bool IsValidUtf8(std::string_view bytes, Utf8Scan* scan) {
    Utf8Scan local;
    Utf8Scan& result = scan != nullptr ? *scan : local;
    result = {};
    size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead == 0) {
            break;
        }
        if (lead < 0x80) {
            ++i;
            continue;
        }
        size_t length;
        char32_t value;
        if ((lead & 0xE0) == 0xC0) {
            length = 2, value = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, value = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, value = lead & 0x07;
        } else {
            // A continuation byte in lead position, or a five- or six-byte lead.
            return false;
        }
        for (size_t k = 1; k < length; ++k) {
            if (i + k >= bytes.size()) {
                result.failedAtEnd = true;
                return false;
            }
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            value = (value << 6) | (next & 0x3F);
        }
        static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
        if (value < kMinimum[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
            return false;
        }
        ++result.multiByteCount;
        i += length;
    }
    return true;
}
