// The data operations on a fresh keyboard database.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "storage/database_files.h"
#include "storage/device_database.h"

namespace {

using ProfilesTest = DeviceDatabaseTest;
using KeyAssignmentsTest = DeviceDatabaseTest;
using MacrosTest = DeviceDatabaseTest;
using LightingTest = DeviceDatabaseTest;

KeyAssignment Key(int profile, int fn_layer, int key_code, int type, int value, int value2 = 0) {
    return {.profile = profile,
            .fn_layer = fn_layer,
            .key_code = key_code,
            .layout_value = 0,
            .layout_desc = L"",
            .macro_type = type,
            .macro_value = value,
            .macro_value2 = value2,
            .macro_value3 = 0,
            .macro_desc = L"F\u00f6nction"};
}

std::vector<int> ActiveProfiles(DeviceDatabase& db) {
    std::vector<ProfileRecord> profiles;
    db.ListProfiles(profiles);
    std::vector<int> active;
    for (const ProfileRecord& profile : profiles) {
        if (profile.status == 1) {
            active.push_back(profile.profile);
        }
    }
    return active;
}

TEST_F(ProfilesTest, InsertListRenameDelete) {
    // Status and type always start at 0, whatever the record says.
    EXPECT_EQ(db_.InsertProfile({.name = L"Profile 1", .status = 1, .app = L"app", .type = 4}), 1);
    EXPECT_EQ(db_.InsertProfile({.name = L"Profil \u00e9"}), 2);
    EXPECT_TRUE(db_.RenameProfile(1, L"Gaming"));

    std::vector<ProfileRecord> profiles;
    ASSERT_EQ(db_.ListProfiles(profiles), 2);
    EXPECT_EQ(profiles[0], (ProfileRecord{1, L"Gaming", 0, L"app", 0}));
    EXPECT_EQ(profiles[1], (ProfileRecord{2, L"Profil \u00e9", 0, L"", 0}));

    CString name = L"stale";
    EXPECT_TRUE(db_.GetProfileName(2, name));
    EXPECT_EQ(name, L"Profil \u00e9");
    EXPECT_FALSE(db_.GetProfileName(9, name));
    EXPECT_EQ(name, L"");

    EXPECT_TRUE(db_.DeleteProfile(1));
    ASSERT_EQ(db_.ListProfiles(profiles), 1);
    EXPECT_EQ(profiles[0].profile, 2);
    // Ids are never reused.
    EXPECT_EQ(db_.InsertProfile({.name = L"new"}), 3);
}

TEST_F(ProfilesTest, ExactlyOneProfileIsActive) {
    for (int i = 0; i < 3; ++i) {
        ASSERT_GT(db_.InsertProfile({.name = L"p"}), 0);
    }
    EXPECT_EQ(db_.GetActiveProfile(), 0);
    for (const int profile : {2, 3, 1, 3}) {
        EXPECT_TRUE(db_.SetActiveProfile(profile));
        EXPECT_EQ(ActiveProfiles(db_), std::vector<int>{profile});
        EXPECT_EQ(db_.GetActiveProfile(), profile);
    }
    // A profile that does not exist leaves none active.
    EXPECT_TRUE(db_.SetActiveProfile(42));
    EXPECT_EQ(ActiveProfiles(db_), std::vector<int>{});
    EXPECT_EQ(db_.GetActiveProfile(), 0);
}

TEST_F(ProfilesTest, DefaultConfigRowsAreWrittenForProfileOne) {
    EXPECT_TRUE(db_.WriteDefaultConfig());
    EXPECT_EQ(QueryColumn(File(),
                          "SELECT profile || ' ' || key || '=' || value FROM "
                          "t_configdata ORDER BY config_id"),
              (std::vector<std::string>{"1 version=1.0.1", "1 keyboard_layout=1", "1 fn_layer=0",
                                        "1 lightmode=1", "1 sleep_light=1", "1 userlight=0",
                                        "1 customlight_run=0", "1 gamemode=0", "1 disable_alttab=0",
                                        "1 disable_altf4=0", "1 disable_win=0"}));
}

TEST_F(KeyAssignmentsTest, SavingReplacesTheKeysRow) {
    const int first = db_.SaveKeyAssignment(Key(1, 0, 4, 2, 30));
    ASSERT_GT(first, 0);
    KeyAssignment stored;
    ASSERT_TRUE(db_.GetKeyAssignment(1, 0, 4, stored));
    KeyAssignment expected = Key(1, 0, 4, 2, 30);
    expected.key_id = first;
    EXPECT_EQ(stored, expected);

    // The same key again: one row, with a new id.
    const int second = db_.SaveKeyAssignment(Key(1, 0, 4, 7, 3));
    EXPECT_GT(second, first);
    std::vector<KeyAssignment> keys;
    ASSERT_EQ(db_.ListKeyAssignments(1, 0, keys), 1);
    EXPECT_EQ(keys[0].key_id, second);
    EXPECT_EQ(keys[0].macro_type, 7);

    // macro_value2 alone is a function too.
    EXPECT_GT(db_.SaveKeyAssignment(Key(1, 0, 5, 2, 0, 2)), 0);
    EXPECT_EQ(db_.ListKeyAssignments(1, 0, keys), 2);
}

TEST_F(KeyAssignmentsTest, ZeroValuesRestoreTheDefaultAndTouchNoOtherKey) {
    ASSERT_GT(db_.SaveKeyAssignment(Key(1, 0, 4, 2, 30)), 0);
    ASSERT_GT(db_.SaveKeyAssignment(Key(1, 1, 4, 2, 31)), 0);
    ASSERT_GT(db_.SaveKeyAssignment(Key(2, 0, 4, 2, 32)), 0);
    ASSERT_GT(db_.SaveKeyAssignment(Key(1, 0, 5, 2, 33)), 0);

    EXPECT_EQ(db_.SaveKeyAssignment(Key(1, 0, 4, 2, 0)), 0);
    KeyAssignment stored;
    EXPECT_FALSE(db_.GetKeyAssignment(1, 0, 4, stored));
    EXPECT_TRUE(db_.GetKeyAssignment(1, 1, 4, stored));
    EXPECT_TRUE(db_.GetKeyAssignment(2, 0, 4, stored));
    EXPECT_TRUE(db_.GetKeyAssignment(1, 0, 5, stored));

    // Key code 0 is never stored and deletes nothing.
    EXPECT_EQ(db_.SaveKeyAssignment(Key(1, 0, 0, 2, 30)), 0);
    EXPECT_EQ(CountRows(File(), "t_key_macro_data"), 3);

    EXPECT_TRUE(db_.DeleteKeyAssignments(1));
    std::vector<KeyAssignment> keys;
    EXPECT_EQ(db_.ListKeyAssignments(1, 0, keys), 0);
    EXPECT_EQ(db_.ListKeyAssignments(1, 1, keys), 0);
    EXPECT_EQ(db_.ListKeyAssignments(2, 0, keys), 1);
}

TEST_F(KeyAssignmentsTest, KeyParameters) {
    const int id = db_.InsertKeyParameter(L"notes.txt", L"/home/me/notes.txt", 8);
    ASSERT_GT(id, 0);
    CString description, parameter;
    int type = 0;
    EXPECT_TRUE(db_.GetKeyParameter(id, description, parameter, type));
    EXPECT_EQ(description, L"notes.txt");
    EXPECT_EQ(parameter, L"/home/me/notes.txt");
    EXPECT_EQ(type, 8);

    // No such row: true, and the outputs stay as the caller set them.
    description = L"keep";
    parameter = L"keep too";
    type = -1;
    EXPECT_TRUE(db_.GetKeyParameter(id + 1, description, parameter, type));
    EXPECT_EQ(description, L"keep");
    EXPECT_EQ(parameter, L"keep too");
    EXPECT_EQ(type, -1);
}

TEST_F(MacrosTest, InsertImportUpdateRename) {
    const int created = db_.InsertMacro(L"Macro 1");
    ASSERT_GT(created, 0);
    MacroRecord macro;
    ASSERT_TRUE(db_.GetMacro(created, macro));
    EXPECT_EQ(macro, (MacroRecord{created, 1, 1, 0, 0, 0, L"Macro 1"}));

    const int imported = db_.ImportMacro({0, 5, 3, 10, 2, 16, L"Import\u00e9"});
    ASSERT_GT(imported, created);
    ASSERT_TRUE(db_.GetMacro(imported, macro));
    EXPECT_EQ(macro, (MacroRecord{imported, 5, 3, 10, 2, 16, L"Import\u00e9"}));

    // Options leave link_count and the name alone.
    EXPECT_TRUE(db_.UpdateMacroOptions({imported, 9, 2, 20, 0, 32, L"ignored"}));
    EXPECT_TRUE(db_.RenameMacro(imported, L"Renamed"));
    ASSERT_TRUE(db_.GetMacro(imported, macro));
    EXPECT_EQ(macro, (MacroRecord{imported, 9, 2, 20, 2, 32, L"Renamed"}));

    int playTimes = 0;
    EXPECT_TRUE(db_.GetMacroPlayTimes(imported, playTimes));
    EXPECT_EQ(playTimes, 9);
    EXPECT_FALSE(db_.GetMacroPlayTimes(99, playTimes));

    std::vector<MacroRecord> macros;
    ASSERT_EQ(db_.ListMacros(macros), 2);
    EXPECT_EQ(macros[0].macro_id, created);
    EXPECT_EQ(macros[1].macro_id, imported);
}

TEST_F(MacrosTest, EventsComeInRecordIndexOrder) {
    const int id = db_.InsertMacro(L"m");
    // Stored out of order, with a type 1 event that is no action.
    const std::vector<MacroEvent> events = {
        {0, id, 3, 2, L"A", 65, 0},
        {0, id, 2, 0, L"A", 65, 120},
        {0, id, 1, 1, L"", 0, 50},
    };
    db_.InsertMacroEvents(events);
    EXPECT_GT(db_.InsertMacroEvent({0, id + 1, 2, 0, L"B", 66, 0}), 0);

    std::vector<MacroEvent> stored;
    ASSERT_EQ(db_.ListMacroEvents(id, stored), 3);
    EXPECT_EQ(stored[0].record_index, 0);
    EXPECT_EQ(stored[0].delay_time, 120);
    EXPECT_EQ(stored[1].type, 1);
    EXPECT_EQ(stored[2].record_index, 2);
    EXPECT_EQ(stored[2].desc, L"A");
    EXPECT_EQ(db_.CountMacroActions(id), 2);

    EXPECT_TRUE(db_.DeleteMacroEvents(id));
    EXPECT_EQ(db_.ListMacroEvents(id, stored), 0);
    EXPECT_EQ(db_.ListMacroEvents(id + 1, stored), 1);
}

TEST_F(MacrosTest, DeletingAMacroRemovesItsEventsAndTheKeysThatPlayIt) {
    const int doomed = db_.InsertMacro(L"doomed");
    const int kept = db_.InsertMacro(L"kept");
    db_.InsertMacroEvents({{0, doomed, 2, 0, L"A", 65, 0}, {0, doomed, 3, 1, L"A", 65, 0}});
    db_.InsertMacroEvents({{0, kept, 2, 0, L"B", 66, 0}});
    ASSERT_GT(db_.SaveKeyAssignment(Key(1, 0, 4, kMacroFunctionType, doomed)), 0);
    ASSERT_GT(db_.SaveKeyAssignment(Key(2, 1, 5, kMacroFunctionType, doomed)), 0);
    ASSERT_GT(db_.SaveKeyAssignment(Key(1, 0, 6, kMacroFunctionType, kept)), 0);
    // Other function types whose value happens to equal the macro id stay.
    ASSERT_GT(db_.SaveKeyAssignment(Key(1, 0, 7, 2, doomed)), 0);
    ASSERT_GT(db_.SaveKeyAssignment(Key(1, 0, 8, 7, doomed)), 0);

    EXPECT_TRUE(db_.DeleteMacro(doomed));

    MacroRecord macro;
    EXPECT_FALSE(db_.GetMacro(doomed, macro));
    EXPECT_TRUE(db_.GetMacro(kept, macro));
    std::vector<MacroEvent> events;
    EXPECT_EQ(db_.ListMacroEvents(doomed, events), 0);
    EXPECT_EQ(db_.ListMacroEvents(kept, events), 1);
    EXPECT_EQ(QueryColumn(File(), "SELECT key_code FROM t_key_macro_data ORDER BY key_code"),
              (std::vector<std::string>{"6", "7", "8"}));
}

TEST_F(LightingTest, LightModesPerProfile) {
    const LightModeRecord wave{0, 1, L"411", 3, 4, 2, 1, 0, 2, 0x0000FF, 0x27, 0, 0};
    const int waveId = db_.InsertLightMode(wave);
    ASSERT_GT(waveId, 0);
    ASSERT_GT(db_.InsertLightMode({0, 1, L"412", 4, 1, 1, 0, 1, 0, 0, 0x1, 0, 0}), 0);
    ASSERT_GT(db_.InsertLightMode({0, 2, L"411", 3, 1, 1, 0, 1, 0, 0, 0x1, 0, 0}), 0);
    EXPECT_EQ(db_.CountLightModes(1), 2);
    EXPECT_EQ(db_.CountLightModes(3), 0);

    LightModeRecord stored;
    ASSERT_TRUE(db_.GetLightMode(1, 3, stored));
    LightModeRecord expected = wave;
    expected.light_id = waveId;
    EXPECT_EQ(stored, expected);

    // The update stores the parameters, never the identity, name or status.
    const LightModeRecord changed{99, 9, L"other", 9, 5, 3, 2, 1, 7, 0x00FF00, 0x3F, 1, 1};
    EXPECT_TRUE(db_.UpdateLightMode(1, 3, changed));
    ASSERT_TRUE(db_.GetLightMode(1, 3, stored));
    EXPECT_EQ(stored, (LightModeRecord{waveId, 1, L"411", 3, 5, 3, 2, 1, 7, 0x00FF00, 0x3F, 1, 0}));
    ASSERT_TRUE(db_.GetLightMode(2, 3, stored));
    EXPECT_EQ(stored.brightness, 1);

    std::vector<LightModeRecord> modes;
    ASSERT_EQ(db_.ListLightModes(1, modes), 2);
    EXPECT_EQ(modes[0].mode, 3);
    EXPECT_EQ(modes[1].mode, 4);
}

TEST_F(LightingTest, OneActiveLightModeAcrossAllProfiles) {
    for (const int profile : {1, 2}) {
        for (const int mode : {1, 2}) {
            ASSERT_GT(db_.InsertLightMode({.profile = profile, .mode = mode}), 0);
        }
    }
    EXPECT_TRUE(db_.SetActiveLightMode(1, 2));
    EXPECT_EQ(db_.GetActiveLightMode(1), 2);
    EXPECT_EQ(db_.GetActiveLightMode(2), 0);

    EXPECT_TRUE(db_.SetActiveLightMode(2, 1));
    EXPECT_EQ(db_.GetActiveLightMode(1), 0);
    EXPECT_EQ(db_.GetActiveLightMode(2), 1);
    EXPECT_EQ(CountRows(File(), "t_light_data WHERE status = 1"), 1);
}

TEST_F(LightingTest, KeyColoursOfTheFirstSlot) {
    std::vector<KeyColour> colours;
    for (int key = 0; key < 110; ++key) {
        colours.push_back({0, 1 + key % 2, kFirstKeyColourSlot, 4 + key, 0x010203 * key});
    }
    EXPECT_EQ(db_.InsertKeyColours(colours), 110);
    EXPECT_EQ(db_.InsertKeyColours({{0, 1, kFirstKeyColourSlot + 1, 4, 0xFF}}), 1);

    std::vector<KeyColour> stored;
    ASSERT_EQ(db_.ListKeyColours(kFirstKeyColourSlot, stored), 110);
    for (size_t i = 0; i < stored.size(); ++i) {
        colours[i].keylight_id = stored[i].keylight_id;
        EXPECT_EQ(stored[i], colours[i]);
    }

    // Every profile's first slot goes; other slots stay.
    EXPECT_TRUE(db_.DeleteKeyColours());
    EXPECT_EQ(db_.ListKeyColours(kFirstKeyColourSlot, stored), 0);
    EXPECT_EQ(db_.ListKeyColours(kFirstKeyColourSlot + 1, stored), 1);
    EXPECT_EQ(db_.InsertKeyColours({}), 0);
}

TEST_F(LightingTest, TheOneMusicLayer) {
    EXPECT_EQ(db_.CountMusicLayers(), 0);
    EXPECT_EQ(db_.GetSelectedMusicLayer(), 0);
    ASSERT_EQ(db_.InsertMusicLayer(L"Layer", 2), 1);
    EXPECT_EQ(db_.CountMusicLayers(), 1);

    MusicLayerRecord layer;
    ASSERT_TRUE(db_.GetMusicLayer(1, layer));
    EXPECT_EQ(layer, (MusicLayerRecord{1, 1, L"Layer", 0, 2, 300, 0, 100}));

    // Always written into layer 1.
    EXPECT_TRUE(db_.UpdateMusicLayer({7, 7, L"ignored", 3, 4, 250, 1, 80}));
    ASSERT_TRUE(db_.GetMusicLayer(1, layer));
    EXPECT_EQ(layer, (MusicLayerRecord{1, 1, L"Layer", 3, 4, 250, 1, 80}));
    EXPECT_FALSE(db_.GetMusicLayer(7, layer));

    EXPECT_TRUE(db_.SelectMusicLayer());
    EXPECT_EQ(db_.GetSelectedMusicLayer(), 1);
}

}  // namespace
