#include "storage/device_database.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>

#include "os/folders.h"
#include "storage/database_files.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

// The columns of every table, in the order stored files have them.
const std::map<std::string, std::vector<std::string>> kTableColumns = {
    {"t_configdata", {"config_id", "profile", "key", "value"}},
    {"t_profile_data", {"profile", "name", "status", "app", "type"}},
    {"t_key_macro_data",
     {"key_id", "profile", "fn_layer", "key_code", "layout_value", "layout_desc", "macro_type",
      "macro_value", "macro_value2", "macro_value3", "macro_desc"}},
    {"t_key_otherdata", {"macro_value", "macro_desc", "param", "type"}},
    {"t_macro_data",
     {"macro_id", "play_times", "delay_type", "delay_time", "link_count", "loop_type", "name"}},
    {"t_macrorecord",
     {"record_id", "macro_id", "type", "record_index", "desc", "value", "delay_time"}},
    {"t_light_data",
     {"light_id", "profile", "name", "mode", "brightness", "speed", "direction", "colorful",
      "colorindex", "color_value", "config_func", "reserved", "status"}},
    {"t_key_light_data", {"keylight_id", "profile", "light_id", "key_code", "key_rgb"}},
    {"t_musiclayer_data",
     {"layer_id", "profile", "name", "deviceindex", "foremode", "fore_amplitude", "backmode",
      "backb_right", "sel"}},
};

const std::vector<std::string> kIndexes = {
    "keyindex",         "keylightindex",   "lightindex",   "macroidindex",
    "macrorecordindex", "musiclayerindex", "otheridindex", "profileindex",
};

void ExpectFullSchema(const std::string& path) {
    std::vector<std::string> tables;
    for (const auto& [table, columns] : kTableColumns) {
        tables.push_back(table);
        EXPECT_EQ(QueryColumn(path, "SELECT name FROM pragma_table_info('" + table + "')"), columns)
            << table;
    }
    EXPECT_EQ(SchemaNames(path, "table"), tables);
    EXPECT_EQ(SchemaNames(path, "index"), kIndexes);
}

void MakeDatabaseWithTable(const std::string& path, const char* sql) {
    fs::create_directories(fs::path(path).parent_path());
    SQLiteDB database;
    ASSERT_TRUE(database.Open(path, SQLiteDB::kOpenReadWrite | SQLiteDB::kOpenCreate));
    ASSERT_EQ(database.Execute(sql), sqlite_result::kOk);
}

TEST_F(DeviceDatabaseTest, FreshFileHasEveryTableAndIndexAndNoRows) {
    EXPECT_EQ(File(), home_.DataHome() + "/Brimlow Files/db/TestBoard_data_v1.db");
    EXPECT_EQ(db_.Path(), File());
    EXPECT_TRUE(db_.IsOpened());
    ExpectFullSchema(File());
    for (const auto& [table, columns] : kTableColumns) {
        EXPECT_EQ(CountRows(File(), table), 0) << table;
    }
}

TEST(DeviceDatabaseOpenTest, ExistingFileOpensWithoutSchemaStatements) {
    IsolatedHome home;
    const CString folder = GetUserDataFolder();
    const std::string path = WideToUtf8(DeviceDatabase::FilePath(folder, L"Old"));
    MakeDatabaseWithTable(path, "CREATE TABLE other(x INTEGER)");

    DeviceDatabase db;
    EXPECT_TRUE(db.OpenForDevice(folder, L"Old"));
    EXPECT_EQ(SchemaNames(path, "table"), std::vector<std::string>{"other"});
    EXPECT_EQ(SchemaNames(path, "index"), std::vector<std::string>{});
}

TEST(DeviceDatabaseOpenTest, EmptyFileLeftByAnUnfinishedCreationGetsTheSchema) {
    IsolatedHome home;
    const CString folder = GetUserDataFolder();
    const std::string path = WideToUtf8(DeviceDatabase::FilePath(folder, L"Empty"));
    fs::create_directories(fs::path(path).parent_path());
    home.Folder().WriteFile(fs::relative(path, home.Folder().Path()).string(), "");

    DeviceDatabase db;
    EXPECT_TRUE(db.OpenForDevice(folder, L"Empty"));
    ExpectFullSchema(path);
}

TEST(DeviceDatabaseOpenTest, FileThatIsNoDatabaseIsRefusedAndKept) {
    IsolatedHome home;
    const CString folder = GetUserDataFolder();
    const std::string path = WideToUtf8(DeviceDatabase::FilePath(folder, L"Junk"));
    const std::string junk(4096, 'x');
    home.Folder().WriteFile(fs::relative(path, home.Folder().Path()).string(), junk);

    DeviceDatabase db;
    EXPECT_FALSE(db.OpenForDevice(folder, L"Junk"));
    EXPECT_FALSE(db.IsOpened());
    EXPECT_EQ(db.InsertProfile({.name = L"x"}), 0);
    EXPECT_EQ(ReadFileBytes(path), junk);
}

TEST_F(DeviceDatabaseTest, OpenForDeviceKeepsAnOpenConnectionToTheSameFile) {
    ASSERT_GT(db_.InsertProfile({.name = L"kept"}), 0);
    // Move the open file aside and put another database at its path: a reopen would find it.
    fs::rename(File(), File() + ".aside");
    MakeDatabaseWithTable(File(), "CREATE TABLE other(x INTEGER)");

    EXPECT_TRUE(db_.OpenForDevice(GetUserDataFolder(), kLayout));
    std::vector<ProfileRecord> profiles;
    ASSERT_EQ(db_.ListProfiles(profiles), 1);
    EXPECT_EQ(profiles[0].name, L"kept");
}

TEST_F(DeviceDatabaseTest, OpenForDeviceOfAnotherLayoutSwitchesToItsFile) {
    ASSERT_GT(db_.InsertProfile({.name = L"first board"}), 0);

    ASSERT_TRUE(db_.OpenForDevice(GetUserDataFolder(), L"OtherBoard"));
    EXPECT_EQ(db_.Path(), FileOf(L"OtherBoard"));
    std::vector<ProfileRecord> profiles;
    EXPECT_EQ(db_.ListProfiles(profiles), 0);
    ASSERT_GT(db_.InsertProfile({.name = L"second board"}), 0);

    EXPECT_EQ(CountRows(File(), "t_profile_data"), 1);
    EXPECT_EQ(CountRows(FileOf(L"OtherBoard"), "t_profile_data"), 1);
}

TEST_F(DeviceDatabaseTest, ClosedDatabaseFailsEveryOperationQuietly) {
    const KeyAssignment key{.profile = 1, .key_code = 4, .macro_type = 2, .macro_value = 5};
    const MacroRecord macro{.macro_id = 1, .play_times = 1, .name = L"m"};
    const MacroEvent event{.macro_id = 1, .type = 2, .value = 65};
    const LightModeRecord light{.profile = 1, .mode = 1};
    const std::vector<KeyColour> colours(3, KeyColour{.light_id = 128, .key_code = 4});
    // Each entry returns what the operation reported, which must be false or 0.
    const std::map<std::string, std::function<int(DeviceDatabase&)>> operations = {
        {"InsertProfile", [](auto& db) { return db.InsertProfile({.name = L"p"}); }},
        {"DeleteProfile", [](auto& db) { return int{db.DeleteProfile(1)}; }},
        {"RenameProfile", [](auto& db) { return int{db.RenameProfile(1, L"n")}; }},
        {"SetActiveProfile", [](auto& db) { return int{db.SetActiveProfile(1)}; }},
        {"GetActiveProfile", [](auto& db) { return db.GetActiveProfile(); }},
        {"WriteDefaultConfig", [](auto& db) { return int{db.WriteDefaultConfig()}; }},
        {"SaveKeyAssignment", [&](auto& db) { return db.SaveKeyAssignment(key); }},
        {"DeleteKeyAssignments", [](auto& db) { return int{db.DeleteKeyAssignments(1)}; }},
        {"InsertKeyParameter", [](auto& db) { return db.InsertKeyParameter(L"d", L"p", 8); }},
        {"InsertMacro", [](auto& db) { return db.InsertMacro(L"m"); }},
        {"ImportMacro", [&](auto& db) { return db.ImportMacro(macro); }},
        {"RenameMacro", [](auto& db) { return int{db.RenameMacro(1, L"n")}; }},
        {"UpdateMacroOptions", [&](auto& db) { return int{db.UpdateMacroOptions(macro)}; }},
        {"DeleteMacro", [](auto& db) { return int{db.DeleteMacro(1)}; }},
        {"InsertMacroEvent", [&](auto& db) { return db.InsertMacroEvent(event); }},
        {"DeleteMacroEvents", [](auto& db) { return int{db.DeleteMacroEvents(1)}; }},
        {"CountMacroActions", [](auto& db) { return db.CountMacroActions(1); }},
        {"CountLightModes", [](auto& db) { return db.CountLightModes(1); }},
        {"InsertLightMode", [&](auto& db) { return db.InsertLightMode(light); }},
        {"UpdateLightMode", [&](auto& db) { return int{db.UpdateLightMode(1, 1, light)}; }},
        {"SetActiveLightMode", [](auto& db) { return int{db.SetActiveLightMode(1, 1)}; }},
        {"GetActiveLightMode", [](auto& db) { return db.GetActiveLightMode(1); }},
        {"InsertKeyColours", [&](auto& db) { return db.InsertKeyColours(colours); }},
        {"DeleteKeyColours", [](auto& db) { return int{db.DeleteKeyColours()}; }},
        {"CountMusicLayers", [](auto& db) { return db.CountMusicLayers(); }},
        {"InsertMusicLayer", [](auto& db) { return db.InsertMusicLayer(L"l", 1); }},
        {"UpdateMusicLayer", [](auto& db) { return int{db.UpdateMusicLayer({})}; }},
        {"SelectMusicLayer", [](auto& db) { return int{db.SelectMusicLayer()}; }},
        {"GetSelectedMusicLayer", [](auto& db) { return db.GetSelectedMusicLayer(); }},
        {"InsertMacroEvents",
         [&](auto& db) {
             db.InsertMacroEvents({event, event});
             return 0;
         }},
    };

    // Reads leave their outputs as they were, lists are emptied.
    const auto expectReadsFail = [](DeviceDatabase& db) {
        CString name = L"untouched";
        EXPECT_FALSE(db.GetProfileName(1, name));
        EXPECT_EQ(name, L"");
        KeyAssignment key{.key_id = 7};
        EXPECT_FALSE(db.GetKeyAssignment(1, 0, 4, key));
        EXPECT_EQ(key.key_id, 7);
        CString description = L"d", parameter = L"p";
        int type = 9;
        EXPECT_FALSE(db.GetKeyParameter(1, description, parameter, type));
        EXPECT_EQ(description + parameter, L"dp");
        EXPECT_EQ(type, 9);
        int playTimes = 5;
        EXPECT_FALSE(db.GetMacroPlayTimes(1, playTimes));
        EXPECT_EQ(playTimes, 5);
        MacroRecord macro;
        EXPECT_FALSE(db.GetMacro(1, macro));
        LightModeRecord light;
        EXPECT_FALSE(db.GetLightMode(1, 1, light));
        MusicLayerRecord layer;
        EXPECT_FALSE(db.GetMusicLayer(1, layer));

        std::vector<ProfileRecord> profiles(2);
        EXPECT_EQ(db.ListProfiles(profiles), 0);
        EXPECT_TRUE(profiles.empty());
        std::vector<KeyAssignment> keys(2);
        EXPECT_EQ(db.ListKeyAssignments(1, 0, keys), 0);
        EXPECT_TRUE(keys.empty());
        std::vector<MacroRecord> macros(2);
        EXPECT_EQ(db.ListMacros(macros), 0);
        EXPECT_TRUE(macros.empty());
        std::vector<MacroEvent> events(2);
        EXPECT_EQ(db.ListMacroEvents(1, events), 0);
        EXPECT_TRUE(events.empty());
        std::vector<LightModeRecord> lights(2);
        EXPECT_EQ(db.ListLightModes(1, lights), 0);
        EXPECT_TRUE(lights.empty());
        std::vector<KeyColour> colours(2);
        EXPECT_EQ(db.ListKeyColours(128, colours), 0);
        EXPECT_TRUE(colours.empty());
    };

    DeviceDatabase neverOpened;
    ASSERT_TRUE(db_.Close());
    EXPECT_FALSE(db_.IsOpened());
    for (DeviceDatabase* db : {&neverOpened, &db_}) {
        for (const auto& [name, operation] : operations) {
            EXPECT_EQ(operation(*db), 0) << name;
        }
        expectReadsFail(*db);
    }
    EXPECT_TRUE(db_.Close());
    // Nothing reached the file.
    EXPECT_EQ(CountRows(File(), "t_profile_data"), 0);
    EXPECT_EQ(CountRows(File(), "t_macrorecord"), 0);
}

TEST_F(DeviceDatabaseTest, FactoryResetRecreatesAnEmptyDatabase) {
    ASSERT_GT(db_.InsertProfile({.name = L"p"}), 0);
    db_.WriteDefaultConfig();
    ASSERT_GT(db_.InsertMacro(L"m"), 0);

    EXPECT_TRUE(db_.ResetForDevice(GetUserDataFolder(), kLayout));
    EXPECT_TRUE(db_.IsOpened());
    std::vector<ProfileRecord> profiles;
    EXPECT_EQ(db_.ListProfiles(profiles), 0);
    ExpectFullSchema(File());
    EXPECT_EQ(CountRows(File(), "t_configdata"), 0);
    // Row ids start again: the old file and its counters are gone.
    EXPECT_EQ(db_.InsertProfile({.name = L"again"}), 1);
}

TEST_F(DeviceDatabaseTest, DeleteRemovesTheOpenFileAndALeftoverJournal) {
    ASSERT_GT(db_.InsertProfile({.name = L"p"}), 0);
    home_.Folder().WriteFile(fs::relative(File() + "-journal", home_.Folder().Path()).string(),
                             std::string(512, '\x01'));

    EXPECT_TRUE(db_.DeleteForDevice(GetUserDataFolder(), kLayout));
    EXPECT_FALSE(db_.IsOpened());
    EXPECT_FALSE(fs::exists(File()));
    EXPECT_FALSE(fs::exists(File() + "-journal"));
    // Deleting what is not there is no failure.
    EXPECT_TRUE(db_.DeleteForDevice(GetUserDataFolder(), kLayout));

    ASSERT_TRUE(db_.OpenForDevice(GetUserDataFolder(), kLayout));
    EXPECT_EQ(IntegrityCheck(File()), "ok");
    std::vector<ProfileRecord> profiles;
    EXPECT_EQ(db_.ListProfiles(profiles), 0);
}

TEST(DeviceDatabaseOpenTest, LayoutNamesBecomeOneFileInTheDbFolder) {
    IsolatedHome home;
    const CString folder = GetUserDataFolder();
    const std::string dbFolder = home.DataHome() + "/Brimlow Files/db/";
    const struct {
        CString layout;
        std::string file;
    } cases[] = {
        {L"Clavier \u00e9t\u00e9 \u65e5\u672c",
         "Clavier \xC3\xA9t\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC"},
        {L"../../escape", ".._.._escape"},
        {L"a\\b", "a_b"},
    };
    for (const auto& c : cases) {
        const std::string expected = dbFolder + c.file + "_data_v1.db";
        {
            DeviceDatabase db;
            ASSERT_TRUE(db.OpenForDevice(folder, c.layout)) << c.file;
            EXPECT_EQ(db.Path(), expected);
            EXPECT_GT(db.InsertProfile({.name = L"Profil \u00e0 \U0001F600"}), 0);
        }
        EXPECT_TRUE(fs::is_regular_file(expected)) << expected;

        DeviceDatabase reopened;
        ASSERT_TRUE(reopened.OpenForDevice(folder, c.layout));
        CString name;
        EXPECT_TRUE(reopened.GetProfileName(1, name));
        EXPECT_EQ(name, L"Profil \u00e0 \U0001F600");
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dbFolder), fs::directory_iterator()), 3);
}

}  // namespace
