// The language files (<code>.lan) that the program reads its texts from.
#pragma once

#include <string>
#include <vector>

#include "language_table.h"

// The whole file for `language`: section "KB.DIALOG" with one "number=text" line per entry,
// UTF-8 without a byte-order mark, lines ended with LF.
std::string LanguageFileText(const std::vector<TextEntry>& entries, Language language);

// "<folder>/<code>.lan".
std::string LanguageFilePath(const std::string& folder, Language language);
