// The program-wide interface language: 1033 (English) or 1036 (French) for the texts shipped;
// a stored value of another language is kept as it is.
#pragma once

#include <atomic>

inline std::atomic<int> CurrentLanguage{0};

// Sets CurrentLanguage from the stored setting; on the first run (nothing stored) from the
// system language, 1033 for US English and 1036 for every other language, and stores it.
void SettleLanguage();
