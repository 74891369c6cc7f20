#include "app/registry_settings.h"

#include <climits>
#include <cwchar>

#include "lumoui/base/format.h"
#include "lumoui/core/manager.h"
#include "os/settings_key.h"

namespace {

// The registry read hands over at most 255 bytes of text; a longer value does not fit and
// reads as absent.
constexpr size_t kMaxValueChars = 127;

// The leading decimal number of a text, as the C runtime's _wtoi reads it: blanks, an optional
// sign, digits; 0 when there is no number.
int DecimalValue(const CString& text) {
    wchar_t* end = nullptr;
    const long value = std::wcstol(text.c_str(), &end, 10);
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

// Reads a value of the settings key, creating the key when it is missing. The key's state
// decides the result otherwise: `createdResult` when it had to be created, `createFailedResult`
// when that failed, `openFailedResult` when it exists but cannot be opened.
int ReadIntValue(const CString& valueName, int createdResult, int createFailedResult,
                 int openFailedResult) {
    const CString keyName = LumoUI::Manager::GetDeviceName();
    SettingsKey key;
    switch (key.Open(keyName)) {
        case SettingsKey::OpenResult::Missing:
            return key.Create(keyName) ? createdResult : createFailedResult;
        case SettingsKey::OpenResult::Failed:
            return openFailedResult;
        case SettingsKey::OpenResult::Opened:
            break;
    }
    const auto text = key.QueryValue(valueName);
    if (!text || text->size() > kMaxValueChars) {
        return 0;
    }
    return DecimalValue(*text);
}

}  // namespace

int ReadLanguageSetting() { return ReadIntValue(L"LCID", 0, 1033, 1033); }

int ReadRegistryInt(const CString& valueName) { return ReadIntValue(valueName, 0, 0, 0); }

void WriteRegistryString(const CString& valueName, const CString& text) {
    SettingsKey key;
    if (key.Open(LumoUI::Manager::GetDeviceName()) == SettingsKey::OpenResult::Opened) {
        key.SetValue(valueName, text);
    }
}

void WriteLanguageSetting(int languageId) {
    WriteRegistryString(L"LCID", Format(L"%d", languageId));
}
