// The program-wide database of the connected keyboard type: one SQLite file per keyboard type,
// <user data folder>db/<layout name>_data_v1.db, holding its profiles, key assignments, macros
// and lighting. One lock serialises every operation, also opening, closing and deleting, so
// the user-interface thread and the worker never interleave on the connection.
//
// Operations fail quietly: with no database open, writes return false, inserts 0, reads false
// and lists nothing.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "lumoui/base/cstring.h"
#include "storage/key_assignment.h"
#include "storage/light_records.h"
#include "storage/macro_record.h"
#include "storage/profile_record.h"
#include "storage/sqlite_db.h"

class DeviceDatabase {
public:
    // The program's one instance, made on first use and closed at process exit.
    static DeviceDatabase& Instance();

    // The program uses Instance(); separate instances serve tests and tools.
    DeviceDatabase();
    ~DeviceDatabase();
    DeviceDatabase(const DeviceDatabase&) = delete;
    DeviceDatabase& operator=(const DeviceDatabase&) = delete;

    // The database file of a layout under a user data folder. The layout name is made safe as
    // one path component, so no name can place the file outside the db folder.
    static CString FilePath(const CString& userDataFolder, const CString& layoutName);

    // Opens the layout's file, creating it with the full schema when there is none. A
    // connection already open to that file is kept; one open to another file is closed
    // first. False when the file cannot be opened or is not a database.
    bool OpenForDevice(const CString& userDataFolder, const CString& layoutName);
    // Removes the layout's file and what SQLite keeps beside it, closing it first when it is
    // the open one. True when no file is left.
    bool DeleteForDevice(const CString& userDataFolder, const CString& layoutName);
    // Closes, deletes and opens again: a fresh, empty database for the layout.
    bool ResetForDevice(const CString& userDataFolder, const CString& layoutName);
    // Creates the file at the path last opened, with every table and index; true at once when
    // a connection is open.
    bool Create();
    // True when no connection is left open.
    bool Close();

    // The result of the last open; false after Close.
    bool IsOpened() const;
    // The full UTF-8 path of the file last opened or created.
    std::string Path() const;

    // Profiles.
    int InsertProfile(const ProfileRecord& record);
    bool DeleteProfile(int profile);
    bool RenameProfile(int profile, const CString& name);
    bool GetProfileName(int profile, CString& name);
    int ListProfiles(std::vector<ProfileRecord>& records);
    // Exactly this profile has status 1 afterwards.
    bool SetActiveProfile(int profile);
    // The first profile with status 1, or 0.
    int GetActiveProfile();

    // The text settings of profile 1, written once with the default profiles. True when every
    // row was written; a failing row does not stop the others.
    bool WriteDefaultConfig();

    // Key assignments. Saving replaces the key's row; a record whose macro_value and
    // macro_value2 are both 0 leaves the key without a row (its default function). The new
    // key_id, or 0 when nothing was written. Key code 0 is ignored.
    int SaveKeyAssignment(const KeyAssignment& record);
    bool GetKeyAssignment(int profile, int fn_layer, int key_code, KeyAssignment& record);
    int ListKeyAssignments(int profile, int fn_layer, std::vector<KeyAssignment>& records);
    bool DeleteKeyAssignments(int profile);
    // The text parameter of a function (program path, address, text, profile); its id serves
    // as the assignment's macro_value.
    int InsertKeyParameter(const CString& description, const CString& parameter, int type);
    // Leaves the outputs as they are when there is no such row, and still returns true; false
    // only when the database could not be read.
    bool GetKeyParameter(int id, CString& description, CString& parameter, int& type);

    // Macros. A new macro plays once with recorded delays.
    int InsertMacro(const CString& name);
    int ImportMacro(const MacroRecord& record);
    bool RenameMacro(int macro_id, const CString& name);
    // Stores play_times, delay_type, delay_time and loop_type.
    bool UpdateMacroOptions(const MacroRecord& record);
    // Also removes the macro's events and every key assignment that plays it.
    bool DeleteMacro(int macro_id);
    bool GetMacroPlayTimes(int macro_id, int& play_times);
    bool GetMacro(int macro_id, MacroRecord& record);
    int ListMacros(std::vector<MacroRecord>& records);
    int InsertMacroEvent(const MacroEvent& event);
    // All in one transaction; events that fail alone are skipped.
    void InsertMacroEvents(const std::vector<MacroEvent>& events);
    // In record_index order.
    int ListMacroEvents(int macro_id, std::vector<MacroEvent>& events);
    bool DeleteMacroEvents(int macro_id);
    // The macro's events whose type is not 1.
    int CountMacroActions(int macro_id);

    // Light modes of a profile, identified by their mode number.
    int CountLightModes(int profile);
    int InsertLightMode(const LightModeRecord& record);
    // Stores brightness, speed, direction, colorful, colorindex, color_value, config_func and
    // reserved.
    bool UpdateLightMode(int profile, int mode, const LightModeRecord& record);
    // Exactly this mode of this profile has status 1 afterwards, across all profiles.
    bool SetActiveLightMode(int profile, int mode);
    int GetActiveLightMode(int profile);
    bool GetLightMode(int profile, int mode, LightModeRecord& record);
    int ListLightModes(int profile, std::vector<LightModeRecord>& records);

    // Per-key colours. Inserting runs in one transaction, skipping rows that fail alone; the
    // number of records passed in once it is committed, 0 when it could not be.
    int InsertKeyColours(const std::vector<KeyColour>& records);
    // Removes the first slot's colours of every profile.
    bool DeleteKeyColours();
    int ListKeyColours(int light_id, std::vector<KeyColour>& records);

    // The music visualizer's one layer (profile 1, layer 1).
    int CountMusicLayers();
    int InsertMusicLayer(const CString& name, int foremode);
    bool GetMusicLayer(int layer_id, MusicLayerRecord& record);
    // Stores deviceindex, foremode, fore_amplitude, backmode and backb_right into layer 1.
    bool UpdateMusicLayer(const MusicLayerRecord& record);
    bool SelectMusicLayer();
    int GetSelectedMusicLayer();

private:
    // These expect the lock to be held.
    bool OpenLocked(const CString& userDataFolder, const CString& layoutName);
    bool DeleteLocked(const CString& userDataFolder, const CString& layoutName);
    bool CreateLocked();
    bool CloseLocked();
    bool RunSchema();

    SQLiteDB database_;
    mutable std::mutex lock_;
    std::string path_;
    bool opened_ = false;
};
