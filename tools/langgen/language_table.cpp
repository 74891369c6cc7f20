#include "language_table.h"

#include <iostream>

#include "tsv_file.h"

namespace {

constexpr size_t kMaxTextLength = 259;

// The number in text[begin, end), when it is a positive one.
bool ParseInt(const std::string& text, size_t begin, size_t end, int& value) {
    const auto number = ParsePositiveInt(std::string_view(text).substr(begin, end - begin));
    value = number.value_or(0);
    return number.has_value();
}

// Characters as the program counts them: one per Unicode code point.
size_t CodePointCount(const std::string& utf8) {
    size_t count = 0;
    for (const char ch : utf8) {
        if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

bool IsBlank(char ch) {
    return ch == ' ' || ch == '\t';
}

// Why `text` cannot stand in a language file as it is, or nothing when it can.
const char* TextProblem(const std::string& text) {
    if (text.empty()) {
        return "is empty";
    }
    if (IsBlank(text.front()) || IsBlank(text.back())) {
        return "starts or ends with a blank";
    }
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
        text.back() == text.front()) {
        return "is enclosed in quotes";
    }
    if (CodePointCount(text) > kMaxTextLength) {
        return "is longer than 259 characters";
    }
    return nullptr;
}

}  // namespace

const std::string& TextOf(const TextEntry& entry, Language language) {
    return language == Language::kEnglish ? entry.english : entry.french;
}

std::optional<TextRoom> ParseTextRoom(const std::string& text) {
    TextRoom room;
    if (text == "-") {
        return room;
    }
    const size_t at = text.find('@');
    if (at == std::string::npos || !ParseInt(text, at + 1, text.size(), room.size)) {
        return std::nullopt;
    }
    const size_t by = text.find('x');
    if (by != std::string::npos && by < at) {
        room.kind = TextRoom::Kind::kBlock;
        if (!ParseInt(text, 0, by, room.width) || !ParseInt(text, by + 1, at, room.height)) {
            return std::nullopt;
        }
    } else {
        room.kind = TextRoom::Kind::kLine;
        if (!ParseInt(text, 0, at, room.width)) {
            return std::nullopt;
        }
    }
    return room;
}

std::optional<std::vector<TextEntry>> ReadLanguageTable(const std::string& path) {
    const auto rows = ReadTsvFile(path, 5);
    if (!rows) {
        return std::nullopt;
    }
    std::vector<TextEntry> entries;
    bool ok = true;
    const auto fail = [&](int line, const std::string& what) {
        std::cerr << path << ":" << line << ": " << what << "\n";
        ok = false;
    };
    for (const TsvRow& row : *rows) {
        TextEntry entry;
        entry.line = row.line;
        const std::string& number = row.cells[0];
        if (!ParseInt(number, 0, number.size(), entry.number)) {
            fail(row.line, "text number '" + number + "' is not a positive number");
            continue;
        }
        if (!entries.empty() && entry.number <= entries.back().number) {
            fail(row.line, "text number " + number + " is not above the one before it");
        }
        entry.where = row.cells[1];
        const auto room = ParseTextRoom(row.cells[2]);
        if (!room) {
            fail(row.line, "room '" + row.cells[2] + "' is neither W@S, WxH@S nor -");
        } else {
            entry.room = *room;
        }
        entry.english = row.cells[3];
        entry.french = row.cells[4];
        for (const Language language : {Language::kEnglish, Language::kFrench}) {
            if (const char* problem = TextProblem(TextOf(entry, language))) {
                fail(row.line,
                     "the " + std::to_string(static_cast<int>(language)) + " text " + problem);
            }
        }
        entries.push_back(std::move(entry));
    }
    if (!ok) {
        return std::nullopt;
    }
    return entries;
}
