#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "lumoui/core/manager.h"
#include "os/folders.h"
#include "os/safe_file_name.h"
#include "os/settings_key.h"
#include "os/single_instance.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;
using LumoUI::Manager;

namespace {

TEST(FoldersTest, CreateFolderPathCreatesEveryLevel) {
    TempFolder folder;
    const std::string deep = folder / "a/b/c";
    EXPECT_TRUE(CreateFolderPath(Utf8ToWide(deep)));
    EXPECT_TRUE(fs::is_directory(deep));

    // An existing folder succeeds and is left as it is.
    folder.WriteFile("a/b/c/keep.txt", "x");
    EXPECT_TRUE(CreateFolderPath(Utf8ToWide(deep)));
    EXPECT_TRUE(fs::exists(folder / "a/b/c/keep.txt"));
}

TEST(FoldersTest, CreateFolderPathFailsWhereAFileStands) {
    TempFolder folder;
    folder.WriteFile("taken", "x");
    EXPECT_FALSE(CreateFolderPath(Utf8ToWide(folder / "taken")));
    EXPECT_FALSE(CreateFolderPath(Utf8ToWide(folder / "taken/below")));
}

TEST(FoldersTest, ProgramFolderIsTheExecutablesFolder) {
    const CString folder = GetProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), L'/');
    EXPECT_TRUE(fs::exists(WideToUtf8(folder) + "os_tests"));
}

TEST(FoldersTest, UserDataFolderIsNamedAfterTheProgram) {
    IsolatedHome home;
    EXPECT_EQ(GetUserDataFolder(), Utf8ToWide(home.DataHome() + "/Brimlow Files/"));

    // A relative XDG_DATA_HOME is ignored, as the base directory rules say.
    home.Environment().Set("XDG_DATA_HOME", "relative/share");
    EXPECT_EQ(GetUserDataFolder(), Utf8ToWide(home.Folder().Path() + "/.local/share/Brimlow Files/"));
}

TEST(FoldersTest, ProgramNamesCannotLeaveTheirFolder) {
    const struct {
        CString name;
        CString safe;
    } cases[] = {
        {L"Brimlow", L"Brimlow"},
        {L"", L""},
        {L"..", L"__"},
        {L".", L"_"},
        {L"../../etc", L".._.._etc"},
        {L"a/b\\c", L"a_b_c"},
        {L"new\nline\x7F", L"new_line_"},
        {L"Clavier \u00E9t\u00E9", L"Clavier \u00E9t\u00E9"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SafeFileNameComponent(c.name), c.safe) << WideToUtf8(c.name);
    }

    IsolatedHome home;
    const CString saved = Manager::GetDeviceName();
    Manager::SetDeviceName(L"../..");
    EXPECT_EQ(GetUserDataFolder(), Utf8ToWide(home.DataHome() + "/.._.. Files/"));
    Manager::SetDeviceName(saved);
    EXPECT_EQ(SettingsKey::PathOf(L".."), Utf8ToWide(home.ConfigHome() + "/__/settings.ini"));
    EXPECT_EQ(SingleInstanceLock::PathOf(L"a/b"), Utf8ToWide(home.RuntimeFolder() + "/a_b.lock"));
}

}  // namespace
