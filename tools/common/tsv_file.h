// Reading the tab-separated tables of the developer tools, and of the tests that check what the
// tools made from them (header only, so both can use it without a library of its own).
#pragma once

#include <charconv>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

// One row of a table: its cells and the line it came from (1-based, for messages).
struct TsvRow {
    int line = 0;
    std::vector<std::string> cells;
};

// The rows of the file at `path`, without blank lines and lines starting with '#'; none when the
// file cannot be read. A row with fewer than `min_cells` cells is reported on stderr and makes the
// whole read fail, so a table typo stops the tool instead of dropping a row.
inline std::optional<std::vector<TsvRow>> ReadTsvFile(const std::string& path, size_t min_cells) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << path << ": cannot be read\n";
        return std::nullopt;
    }
    std::vector<TsvRow> rows;
    std::string line;
    int number = 0;
    bool ok = true;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line[0] == '#') {
            continue;
        }
        TsvRow row;
        row.line = number;
        std::stringstream cells(line);
        std::string cell;
        while (std::getline(cells, cell, '\t')) {
            row.cells.push_back(cell);
        }
        if (line.back() == '\t') {
            row.cells.emplace_back();
        }
        if (row.cells.size() < min_cells) {
            std::cerr << path << ":" << number << ": expected " << min_cells << " cells, found "
                      << row.cells.size() << "\n";
            ok = false;
        }
        rows.push_back(std::move(row));
    }
    if (!ok) {
        return std::nullopt;
    }
    return rows;
}

// `text` as a number above 0 when it is nothing but decimal digits; none otherwise.
inline std::optional<int> ParsePositiveInt(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end || value <= 0) {
        return std::nullopt;
    }
    return value;
}
