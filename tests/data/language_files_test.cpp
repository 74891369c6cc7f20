// The shipped language files against the text table they are made from.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "lumoui/base/format.h"
#include "os/ini_file.h"
#include "support/temp_folder.h"
#include "tools/common/tsv_file.h"

namespace {

struct TableText {
    int number = 0;
    std::string english;
    std::string french;
};

std::vector<TableText> ReadTextTable() {
    std::vector<TableText> texts;
    const auto rows = ReadTsvFile(BRIMLOW_SOURCE_DIR "/data/language/texts.tsv", 5);
    if (rows) {
        for (const TsvRow& row : *rows) {
            texts.push_back(
                {ParsePositiveInt(row.cells[0]).value_or(0), row.cells[3], row.cells[4]});
        }
    }
    return texts;
}

// The language files as the program folder ships them.
std::string LanguageFile(int code) {
    return std::string(BRIMLOW_OUT_DIR) + "/language/" + std::to_string(code) + ".lan";
}

// The keys of section "KB.DIALOG", as the file spells them.
std::multiset<std::string> KeysOf(const std::string& path) {
    std::multiset<std::string> keys;
    std::istringstream lines(ReadFileBytes(path).value_or(""));
    bool in_section = false;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("[")) {
            in_section = line.starts_with("[KB.DIALOG]");
        } else if (in_section && line.find('=') != std::string::npos) {
            keys.insert(line.substr(0, line.find('=')));
        }
    }
    return keys;
}

TEST(LanguageFilesTest, BothFilesCarryExactlyTheTableNumbersOnce) {
    const std::vector<TableText> table = ReadTextTable();
    ASSERT_FALSE(table.empty());
    std::multiset<std::string> numbers;
    for (const TableText& text : table) {
        numbers.insert(std::to_string(text.number));
    }
    for (const int code : {1033, 1036}) {
        EXPECT_EQ(KeysOf(LanguageFile(code)), numbers) << code;
    }
}

TEST(LanguageFilesTest, EveryTextReadsBackThroughTheProgramsReaderAsTheTableHasIt) {
    for (const TableText& text : ReadTextTable()) {
        const CString key = Format(L"%d", text.number);
        EXPECT_EQ(ReadIniString(L"KB.DIALOG", key, Utf8ToWide(LanguageFile(1033))),
                  Utf8ToWide(text.english))
            << text.number;
        EXPECT_EQ(ReadIniString(L"KB.DIALOG", key, Utf8ToWide(LanguageFile(1036))),
                  Utf8ToWide(text.french))
            << text.number;
    }
}

// Default profile and macro names are made from these words, and a language switch recognises
// names by their first characters: "Profile 2" becomes "Profil 2" in French and back.
TEST(LanguageFilesTest, DefaultNameWordsAreTheOnesTheRenamingRulesExpect) {
    const struct {
        int number;
        int language;
        const wchar_t* word;
    } cases[] = {{65, 1033, L"Profile"},
                 {65, 1036, L"Profil"},
                 {331, 1033, L"Macro"},
                 {331, 1036, L"Macro"}};
    for (const auto& c : cases) {
        EXPECT_EQ(ReadIniString(L"KB.DIALOG", Format(L"%d", c.number),
                                Utf8ToWide(LanguageFile(c.language))),
                  c.word)
            << c.number << " in " << c.language;
    }
}

}  // namespace
