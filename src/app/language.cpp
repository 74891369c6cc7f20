#include "app/language.h"

#include "app/registry_settings.h"
#include "os/system_language.h"

void SettleLanguage() {
    int language = ReadLanguageSetting();
    if (language == 0) {
        language = SystemUiLanguage() == 1033 ? 1033 : 1036;
        WriteLanguageSetting(language);
    }
    CurrentLanguage = language;
}
