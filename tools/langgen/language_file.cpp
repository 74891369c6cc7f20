#include "language_file.h"

std::string LanguageFileText(const std::vector<TextEntry>& entries, Language language) {
    std::string text =
        "; Generated from texts.tsv by langgen; edit the table and run the language_files target.\n"
        "[KB.DIALOG]\n";
    for (const TextEntry& entry : entries) {
        text += std::to_string(entry.number) + "=" + TextOf(entry, language) + "\n";
    }
    return text;
}

std::string LanguageFilePath(const std::string& folder, Language language) {
    return folder + "/" + std::to_string(static_cast<int>(language)) + ".lan";
}
