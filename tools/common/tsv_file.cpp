#include "tsv_file.h"

#include <charconv>
#include <fstream>
#include <iostream>
#include <sstream>

std::optional<std::vector<TsvRow>> ReadTsvFile(const std::string& path, size_t min_cells) {
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

std::optional<int> ParsePositiveInt(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end || value <= 0) {
        return std::nullopt;
    }
    return value;
}
