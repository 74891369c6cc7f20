// The table of the program's texts (data/language/texts.tsv): one row per text number with
// where it is shown, the room it has there and its English and French wording.
#pragma once

#include <optional>
#include <string>
#include <vector>

// The space a text has where it is shown: one line of at most `width` pixels, or a block of
// wrapped lines `width` × `height`, at a font size of `size` pixels. None for tooltips and the
// system's own windows, which size themselves to the text.
struct TextRoom {
    enum class Kind { kNone, kLine, kBlock };
    Kind kind = Kind::kNone;
    int width = 0;
    int height = 0;
    int size = 0;
};

struct TextEntry {
    int line = 0;
    int number = 0;
    std::string where;
    TextRoom room;
    std::string english;
    std::string french;
};

// The language codes of the two files and the texts each takes from an entry.
enum class Language { kEnglish = 1033, kFrench = 1036 };
const std::string& TextOf(const TextEntry& entry, Language language);

// Parses "width@size", "widthxheight@size" or "-"; none when the text is malformed.
std::optional<TextRoom> ParseTextRoom(const std::string& text);

// Reads and checks the table: numbers ascending without repeats, every text non-empty, without
// blanks or a pair of quotes around it (the language file reader would drop them) and within
// the reader's 259 characters. Problems are reported on stderr; none when there was one.
std::optional<std::vector<TextEntry>> ReadLanguageTable(const std::string& path);
