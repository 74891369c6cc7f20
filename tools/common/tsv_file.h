// Reading the tab-separated tables of the developer tools.
#pragma once

#include <optional>
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
std::optional<std::vector<TsvRow>> ReadTsvFile(const std::string& path, size_t min_cells);

// `text` as a number above 0 when it is nothing but decimal digits; none otherwise.
std::optional<int> ParsePositiveInt(std::string_view text);
