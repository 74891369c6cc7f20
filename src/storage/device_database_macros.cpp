// Macros and their events.
#include "storage/device_database.h"
#include "storage/row_readers.h"
#include "storage/sql_query.h"
#include "storage/sqlite_auto_transaction.h"

using namespace sql_query;

namespace {

constexpr const char* kInsertMacro =
    "INSERT INTO t_macro_data(play_times, delay_type, delay_time, link_count, loop_type, name) "
    "VALUES (?, ?, ?, ?, ?, ?);";
constexpr const char* kInsertMacroEvent =
    "INSERT INTO t_macrorecord(macro_id, type, record_index, desc, value, delay_time) "
    "VALUES (?, ?, ?, ?, ?, ?);";
constexpr const char* kListMacroEvents =
    "SELECT * FROM t_macrorecord WHERE macro_id = ? ORDER BY record_index ASC";

int InsertEvent(SQLiteDB& database, const MacroEvent& event) {
    return Insert(database, kInsertMacroEvent, event.macro_id, event.type, event.record_index,
                  event.desc, event.value, event.delay_time);
}

}  // namespace

int DeviceDatabase::InsertMacro(const CString& name) {
    const std::lock_guard guard(lock_);
    return Insert(database_, kInsertMacro, 1, 1, 0, 0, 0, name);
}

int DeviceDatabase::ImportMacro(const MacroRecord& record) {
    const std::lock_guard guard(lock_);
    return Insert(database_, kInsertMacro, record.play_times, record.delay_type, record.delay_time,
                  record.link_count, record.loop_type, record.name);
}

bool DeviceDatabase::RenameMacro(int macro_id, const CString& name) {
    const std::lock_guard guard(lock_);
    return Write(database_, "UPDATE t_macro_data SET name = ? WHERE macro_id = ?", name, macro_id);
}

bool DeviceDatabase::UpdateMacroOptions(const MacroRecord& record) {
    const std::lock_guard guard(lock_);
    return Write(database_,
                 "UPDATE t_macro_data SET play_times = ?, delay_type = ?, delay_time = ?, "
                 "loop_type = ? WHERE macro_id = ?",
                 record.play_times, record.delay_type, record.delay_time, record.loop_type,
                 record.macro_id);
}

bool DeviceDatabase::DeleteMacro(int macro_id) {
    const std::lock_guard guard(lock_);
    // One transaction: keys never point to a macro that is gone.
    SQLiteAutoTransaction transaction(&database_);
    if (!transaction.Begin() ||
        !Write(database_, "DELETE FROM t_macro_data WHERE macro_id = ?", macro_id)) {
        return false;
    }
    Write(database_, "DELETE FROM t_macrorecord WHERE macro_id = ?", macro_id);
    return Write(database_, "DELETE FROM t_key_macro_data WHERE macro_type = ? and macro_value = ?",
                 kMacroFunctionType, macro_id) &&
           transaction.End();
}

bool DeviceDatabase::GetMacroPlayTimes(int macro_id, int& play_times) {
    const std::lock_guard guard(lock_);
    return ReadRow(
        database_, "SELECT play_times FROM t_macro_data WHERE macro_id = ?",
        [&](const SQLiteStatement& row) { play_times = row.GetInt(0); }, macro_id);
}

bool DeviceDatabase::GetMacro(int macro_id, MacroRecord& record) {
    const std::lock_guard guard(lock_);
    return ReadRow(
        database_, "SELECT * FROM t_macro_data WHERE macro_id = ?",
        [&](const SQLiteStatement& row) { record = ReadMacroRow(row); }, macro_id);
}

int DeviceDatabase::ListMacros(std::vector<MacroRecord>& records) {
    const std::lock_guard guard(lock_);
    return ReadRows(database_, "SELECT * FROM t_macro_data", records, ReadMacroRow);
}

int DeviceDatabase::InsertMacroEvent(const MacroEvent& event) {
    const std::lock_guard guard(lock_);
    return InsertEvent(database_, event);
}

void DeviceDatabase::InsertMacroEvents(const std::vector<MacroEvent>& events) {
    const std::lock_guard guard(lock_);
    SQLiteAutoTransaction transaction(&database_);
    if (!transaction.Begin()) {
        return;
    }
    for (const MacroEvent& event : events) {
        InsertEvent(database_, event);
    }
    transaction.End();
}

int DeviceDatabase::ListMacroEvents(int macro_id, std::vector<MacroEvent>& events) {
    const std::lock_guard guard(lock_);
    return ReadRows(database_, kListMacroEvents, events, ReadMacroEventRow, macro_id);
}

bool DeviceDatabase::DeleteMacroEvents(int macro_id) {
    const std::lock_guard guard(lock_);
    return Write(database_, "DELETE FROM t_macrorecord WHERE macro_id = ?", macro_id);
}

int DeviceDatabase::CountMacroActions(int macro_id) {
    const std::lock_guard guard(lock_);
    SQLiteStatement statement;
    Prepare(database_, statement, kListMacroEvents, macro_id);
    int actions = 0;
    while (statement.Step() == sqlite_result::kRow) {
        // Column 2 is the event's type.
        if (statement.GetInt(2) != 1) {
            ++actions;
        }
    }
    return actions;
}
