#include <gtest/gtest.h>

#include <filesystem>

#include "app/language.h"
#include "app/registry_settings.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

class LanguageTest : public testing::Test {
protected:
    std::string SettingsFile() const { return home_.ConfigHome() + "/Brimlow/settings.ini"; }
    void SetSystemLanguage(const char* lang) {
        home_.Environment().Set("LC_ALL", "");
        home_.Environment().Set("LC_MESSAGES", "");
        home_.Environment().Set("LANG", lang);
    }

    IsolatedHome home_;
};

TEST_F(LanguageTest, FirstRunTakesTheSystemLanguageAndStoresIt) {
    const struct {
        const char* lang;
        int expected;
    } cases[] = {{"en_US.UTF-8", 1033}, {"fr_FR.UTF-8", 1036}, {"de_DE.UTF-8", 1036}};
    for (const auto& c : cases) {
        fs::remove_all(home_.ConfigHome());
        SetSystemLanguage(c.lang);
        SettleLanguage();
        EXPECT_EQ(CurrentLanguage, c.expected) << c.lang;
        EXPECT_EQ(ReadFileBytes(SettingsFile()), "LCID=" + std::to_string(c.expected) + "\n");
    }
}

TEST_F(LanguageTest, StoredValueIsUsedUnchanged) {
    home_.Folder().WriteFile("config/Brimlow/settings.ini", "LCID=2052\nexit_mode=1\n");
    SetSystemLanguage("fr_FR.UTF-8");
    SettleLanguage();
    EXPECT_EQ(CurrentLanguage, 2052);
    EXPECT_EQ(ReadRegistryInt(L"exit_mode"), 1);
    EXPECT_EQ(ReadRegistryInt(L"EXIT_MODE"), 1);  // value names ignore case, as in the registry
}

TEST_F(LanguageTest, KeyWithoutValueIsSettledAsOnAFirstRun) {
    home_.Folder().WriteFile("config/Brimlow/settings.ini", "exit_mode=2\n");
    SetSystemLanguage("en_US.UTF-8");
    SettleLanguage();
    EXPECT_EQ(CurrentLanguage, 1033);
    EXPECT_EQ(ReadFileBytes(SettingsFile()), "exit_mode=2\nLCID=1033\n");
}

TEST_F(LanguageTest, ValuesThatAreNotNumbersReadAsZero) {
    home_.Folder().WriteFile("config/Brimlow/settings.ini",
                             "LCID=french\nexit_mode= 12abc\nbig=" + std::string(200, '1') + "\n");
    EXPECT_EQ(ReadLanguageSetting(), 0);
    EXPECT_EQ(ReadRegistryInt(L"exit_mode"), 12);
    EXPECT_EQ(ReadRegistryInt(L"big"), 0);  // too long for the value buffer
    EXPECT_EQ(ReadRegistryInt(L"missing"), 0);
}

TEST_F(LanguageTest, UnreadableKeyGivesEnglishAndWritesNothing) {
    // A folder where the settings file should be cannot be opened, even by root.
    fs::create_directories(SettingsFile());
    SetSystemLanguage("fr_FR.UTF-8");
    EXPECT_EQ(ReadLanguageSetting(), 1033);
    EXPECT_EQ(ReadRegistryInt(L"exit_mode"), 0);
    WriteRegistryString(L"exit_mode", L"1");
    EXPECT_TRUE(fs::is_directory(SettingsFile()));
}

TEST_F(LanguageTest, KeyThatCannotBeCreatedGivesEnglish) {
    // The config home is a file, so the key's folder cannot be made.
    home_.Folder().WriteFile("config", "not a folder");
    EXPECT_EQ(ReadLanguageSetting(), 1033);
    EXPECT_EQ(ReadRegistryInt(L"exit_mode"), 0);
}

TEST_F(LanguageTest, WritesReplaceTheFileAndKeepOtherValues) {
    SetSystemLanguage("en_US.UTF-8");
    SettleLanguage();
    WriteRegistryString(L"exit_mode", L"2");
    WriteLanguageSetting(1036);
    WriteRegistryString(L"note", L"two\nlines \\ here");
    EXPECT_EQ(ReadLanguageSetting(), 1036);
    EXPECT_EQ(ReadRegistryInt(L"exit_mode"), 2);
    EXPECT_EQ(ReadFileBytes(SettingsFile()), "exit_mode=2\nLCID=1036\nnote=two\\nlines \\\\ here\n");
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(home_.ConfigHome() + "/Brimlow"),
                            fs::directory_iterator()),
              1);
}

}  // namespace
