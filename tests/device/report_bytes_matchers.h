// Small helpers for the byte tests of the configuration commands.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

// The bytes from `from` up to (not including) `to`.
inline std::vector<std::uint8_t> Bytes(std::span<const std::uint8_t> bytes, size_t from,
                                       size_t to) {
    return {bytes.begin() + static_cast<std::ptrdiff_t>(from),
            bytes.begin() + static_cast<std::ptrdiff_t>(to)};
}

inline bool AllZero(std::span<const std::uint8_t> bytes) {
    for (const std::uint8_t b : bytes) {
        if (b != 0) {
            return false;
        }
    }
    return true;
}
