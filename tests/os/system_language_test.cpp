#include <gtest/gtest.h>

#include "os/system_language.h"
#include "support/temp_folder.h"

namespace {

TEST(SystemLanguageTest, LanguageIdentifierFromTheLocaleVariables) {
    const struct {
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        int expected;
    } cases[] = {
        {"", "", "en_US.UTF-8", 1033},
        {"", "", "fr_FR.UTF-8", 1036},
        {"", "", "fr_CA", 3084},
        {"", "", "en_GB.UTF-8", 2057},
        {"", "de_DE.UTF-8", "en_US.UTF-8", 1031},      // LC_MESSAGES before LANG
        {"fr_FR@euro", "de_DE.UTF-8", "en_US", 1036},  // LC_ALL before both
        {"", "", "C.UTF-8", 1033},
        {"", "", "", 1033},
        {"", "", "xx_YY", 0},
        {"", "", "it", 1040},
    };
    for (const auto& c : cases) {
        ScopedEnvironment env;
        env.Set("LC_ALL", c.lcAll);
        env.Set("LC_MESSAGES", c.lcMessages);
        env.Set("LANG", c.lang);
        EXPECT_EQ(SystemUiLanguage(), c.expected) << c.lcAll << "|" << c.lcMessages << "|" << c.lang;
    }
}

}  // namespace
