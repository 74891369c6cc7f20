// Profiles and the default configuration rows.
#include "storage/database_schema.h"
#include "storage/device_database.h"
#include "storage/row_readers.h"
#include "storage/sql_query.h"
#include "storage/sqlite_auto_transaction.h"

using namespace sql_query;

int DeviceDatabase::InsertProfile(const ProfileRecord& record) {
    const std::lock_guard guard(lock_);
    return Insert(database_,
                  "INSERT INTO t_profile_data(name, status, app, type) VALUES (?, ?, ?, ?);",
                  record.name, 0, record.app, 0);
}

bool DeviceDatabase::DeleteProfile(int profile) {
    const std::lock_guard guard(lock_);
    return Write(database_, "DELETE FROM t_profile_data WHERE profile = ?", profile);
}

bool DeviceDatabase::RenameProfile(int profile, const CString& name) {
    const std::lock_guard guard(lock_);
    return Write(database_, "UPDATE t_profile_data SET name = ? WHERE profile = ?", name, profile);
}

bool DeviceDatabase::GetProfileName(int profile, CString& name) {
    const std::lock_guard guard(lock_);
    name.clear();
    return ReadRow(
        database_, "SELECT name FROM t_profile_data WHERE profile = ?",
        [&](const SQLiteStatement& row) { name = row.GetString(0); }, profile);
}

int DeviceDatabase::ListProfiles(std::vector<ProfileRecord>& records) {
    const std::lock_guard guard(lock_);
    return ReadRows(database_, "SELECT * FROM t_profile_data", records, ReadProfileRow);
}

bool DeviceDatabase::SetActiveProfile(int profile) {
    const std::lock_guard guard(lock_);
    // Both updates or neither, so that a crash between them cannot leave no active profile.
    SQLiteAutoTransaction transaction(&database_);
    return transaction.Begin() && Write(database_, "UPDATE t_profile_data SET status = ?", 0) &&
           Write(database_, "UPDATE t_profile_data SET status = ? WHERE profile = ?", 1, profile) &&
           transaction.End();
}

int DeviceDatabase::GetActiveProfile() {
    const std::lock_guard guard(lock_);
    return ReadInt(database_, "SELECT profile FROM t_profile_data WHERE status = ?", 0, 1);
}

bool DeviceDatabase::WriteDefaultConfig() {
    const std::lock_guard guard(lock_);
    bool all = true;
    for (const DefaultConfigRow& row : DefaultConfigRows()) {
        all = Write(database_, "INSERT INTO t_configdata(profile, key, value) VALUES (?, ?, ?);", 1,
                    CString(row.key), CString(row.value)) &&
              all;
    }
    return all;
}
