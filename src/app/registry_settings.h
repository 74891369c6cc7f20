// The program's settings values ("LCID", "exit_mode"), kept in the settings key named after the
// program. All values are decimal texts; a missing one reads as 0.
#pragma once

#include "lumoui/base/cstring.h"

// The stored language identifier, or 0 when there is none (a missing key is created then). A
// key that can be neither opened nor created gives 1033.
int ReadLanguageSetting();
// Stores the language identifier; nothing happens when the key cannot be opened.
void WriteLanguageSetting(int languageId);

// Like ReadLanguageSetting for any value, except that every failure gives 0.
int ReadRegistryInt(const CString& valueName);
// Stores a text value; nothing happens when the key cannot be opened.
void WriteRegistryString(const CString& valueName, const CString& text);
