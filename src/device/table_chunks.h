// The chunked first-family table transfers: each report carries the command, the chunk
// length, the chunk offset (low byte first) and 60 bytes of the table from that offset.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>

#include "device/report_bytes.h"

inline constexpr int kTableChunkSize = 60;

// One chunk report. The data is copied as far as the table reaches; the rest stays zero.
inline OutputReportBytes TableChunkReport(std::uint8_t command, int length, int offset,
                                          std::span<const std::uint8_t> table) {
    OutputReportBytes report{};
    report[1] = command;
    report[2] = static_cast<std::uint8_t>(length);
    report[3] = static_cast<std::uint8_t>(offset & 0xFF);
    report[4] = static_cast<std::uint8_t>((offset >> 8) & 0xFF);
    if (offset >= 0 && static_cast<size_t>(offset) < table.size()) {
        const size_t count =
            std::min<size_t>(kTableChunkSize, table.size() - static_cast<size_t>(offset));
        std::copy_n(table.begin() + offset, count, report.begin() + 5);
    }
    return report;
}

// `Count` chunks 60 table bytes apart; every chunk but the last says 60, the last `lastLength`.
template <size_t Count>
std::array<OutputReportBytes, Count> TableChunkReports(std::uint8_t command,
                                                       std::span<const std::uint8_t> table,
                                                       int lastLength) {
    std::array<OutputReportBytes, Count> reports{};
    for (size_t i = 0; i < Count; ++i) {
        const int offset = static_cast<int>(i) * kTableChunkSize;
        reports[i] =
            TableChunkReport(command, i + 1 == Count ? lastLength : kTableChunkSize, offset, table);
    }
    return reports;
}
