#include "os/system_language.h"

#include <cstdlib>
#include <string>
#include <string_view>

namespace {

struct LocaleId {
    std::string_view locale;  // "ll" or "ll_CC"
    int languageId;
};

// Language identifiers of the locales most often met; a language without its country takes
// the identifier of its main country.
constexpr LocaleId kLocales[] = {
    {"en_US", 1033}, {"en_GB", 2057}, {"en_AU", 3081}, {"en_CA", 4105}, {"en_NZ", 5129},
    {"en_IE", 6153}, {"en", 1033},    {"fr_FR", 1036}, {"fr_BE", 2060}, {"fr_CA", 3084},
    {"fr_CH", 4108}, {"fr_LU", 5132}, {"fr", 1036},    {"de_DE", 1031}, {"de_AT", 3079},
    {"de_CH", 2055}, {"de", 1031},    {"es_ES", 3082}, {"es_MX", 2058}, {"es", 3082},
    {"it_IT", 1040}, {"it", 1040},    {"nl_NL", 1043}, {"nl", 1043},    {"pt_BR", 1046},
    {"pt_PT", 2070}, {"pt", 2070},    {"ru_RU", 1049}, {"ru", 1049},    {"pl_PL", 1045},
    {"pl", 1045},    {"ja_JP", 1041}, {"ja", 1041},    {"ko_KR", 1042}, {"ko", 1042},
    {"zh_CN", 2052}, {"zh_TW", 1028}, {"zh", 2052},
};

// Neutral language: a locale not in the table.
constexpr int kUnknownLanguage = 0;

}  // namespace

int SystemUiLanguage() {
    const char* value = nullptr;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        value = std::getenv(name);
        if (value != nullptr && value[0] != '\0') {
            break;
        }
        value = nullptr;
    }
    std::string_view locale = value != nullptr ? value : "C";
    locale = locale.substr(0, locale.find_first_of(".@"));
    // The C locale speaks US English.
    if (locale.empty() || locale == "C" || locale == "POSIX") {
        return 1033;
    }
    for (const std::string_view candidate : {locale, locale.substr(0, locale.find('_'))}) {
        for (const LocaleId& entry : kLocales) {
            if (entry.locale == candidate) {
                return entry.languageId;
            }
        }
    }
    return kUnknownLanguage;
}
