// langgen: the language files of the program from the table of its texts.
//
//   langgen --write TABLE FOLDER   writes FOLDER/1033.lan and FOLDER/1036.lan from TABLE
//   langgen --check TABLE FOLDER   fails when those files differ from what TABLE gives, or when
//                                  a text does not fit the room the table gives it
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "language_file.h"
#include "language_table.h"
#include "text_fit.h"

namespace {

// The face the toolkit's texts are drawn with in the program folder.
constexpr const char* kTextFace = "Open Sans";

constexpr Language kLanguages[] = {Language::kEnglish, Language::kFrench};

bool WriteFiles(const std::vector<TextEntry>& entries, const std::string& folder) {
    bool ok = true;
    for (const Language language : kLanguages) {
        const std::string path = LanguageFilePath(folder, language);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << LanguageFileText(entries, language);
        if (!out.flush()) {
            std::cerr << path << ": cannot be written\n";
            ok = false;
        }
    }
    return ok;
}

bool FilesMatchTable(const std::vector<TextEntry>& entries, const std::string& folder) {
    bool ok = true;
    for (const Language language : kLanguages) {
        const std::string path = LanguageFilePath(folder, language);
        std::ifstream in(path, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        if (!in || bytes != LanguageFileText(entries, language)) {
            std::cerr << path
                      << ": differs from the text table; build the language_files "
                         "target to write it again\n";
            ok = false;
        }
    }
    return ok;
}

bool TextsFit(const std::vector<TextEntry>& entries, const std::string& table) {
    const TextFit fit(kTextFace);
    bool ok = true;
    for (const TextEntry& entry : entries) {
        for (const Language language : kLanguages) {
            const std::string& text = TextOf(entry, language);
            if (!fit.Fits(text, entry.room)) {
                const bool line = entry.room.kind == TextRoom::Kind::kLine;
                std::cerr << table << ":" << entry.line << ": text " << entry.number << " ("
                          << static_cast<int>(language) << ") \"" << text << "\" takes "
                          << fit.Measure(text, entry.room) << " px, its place has "
                          << (line ? entry.room.width : entry.room.height) << " px\n";
                ok = false;
            }
        }
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 || (std::string(argv[1]) != "--write" && std::string(argv[1]) != "--check")) {
        std::cerr << "usage: langgen --write|--check TABLE FOLDER\n";
        return 2;
    }
    const std::string mode = argv[1];
    const std::string table = argv[2];
    const std::string folder = argv[3];
    const auto entries = ReadLanguageTable(table);
    if (!entries) {
        return 1;
    }
    if (mode == "--write") {
        return WriteFiles(*entries, folder) ? 0 : 1;
    }
    const bool files = FilesMatchTable(*entries, folder);
    const bool fit = TextsFit(*entries, table);
    return files && fit ? 0 : 1;
}
