// The user's interface language as a Windows language identifier (1033 for US English, 1036
// for French, ...), taken from LC_ALL, LC_MESSAGES or LANG, the first that is set.
#pragma once

int SystemUiLanguage();
