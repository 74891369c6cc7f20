// Key assignments and the text parameters of key functions.
#include "storage/device_database.h"
#include "storage/row_readers.h"
#include "storage/sql_query.h"
#include "storage/sqlite_auto_transaction.h"

using namespace sql_query;

int DeviceDatabase::SaveKeyAssignment(const KeyAssignment& record) {
    if (record.key_code == 0) {
        return 0;
    }
    const std::lock_guard guard(lock_);
    // The old row goes only together with the new one arriving, so a failed insert keeps the
    // key's function.
    SQLiteAutoTransaction transaction(&database_);
    if (!transaction.Begin() ||
        !Write(database_,
               "DELETE FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?",
               record.profile, record.fn_layer, record.key_code)) {
        return 0;
    }
    int key_id = 0;
    if (record.macro_value != 0 || record.macro_value2 != 0) {
        key_id = Insert(database_,
                        "INSERT INTO t_key_macro_data(profile, fn_layer, key_code, layout_value, "
                        "layout_desc, macro_type, macro_value, macro_value2, macro_value3, "
                        "macro_desc) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?);",
                        record.profile, record.fn_layer, record.key_code, record.layout_value,
                        record.layout_desc, record.macro_type, record.macro_value,
                        record.macro_value2, record.macro_value3, record.macro_desc);
        if (key_id == 0) {
            return 0;
        }
    }
    return transaction.End() ? key_id : 0;
}

bool DeviceDatabase::GetKeyAssignment(int profile, int fn_layer, int key_code,
                                      KeyAssignment& record) {
    const std::lock_guard guard(lock_);
    return ReadRow(
        database_,
        "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?",
        [&](const SQLiteStatement& row) { record = ReadKeyAssignmentRow(row); }, profile, fn_layer,
        key_code);
}

int DeviceDatabase::ListKeyAssignments(int profile, int fn_layer,
                                       std::vector<KeyAssignment>& records) {
    const std::lock_guard guard(lock_);
    return ReadRows(database_, "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ?",
                    records, ReadKeyAssignmentRow, profile, fn_layer);
}

bool DeviceDatabase::DeleteKeyAssignments(int profile) {
    const std::lock_guard guard(lock_);
    return Write(database_, "DELETE FROM t_key_macro_data WHERE profile = ?", profile);
}

int DeviceDatabase::InsertKeyParameter(const CString& description, const CString& parameter,
                                       int type) {
    const std::lock_guard guard(lock_);
    return Insert(database_,
                  "INSERT INTO t_key_otherdata(macro_desc, param, type) VALUES (?, ?, ?);",
                  description, parameter, type);
}

bool DeviceDatabase::GetKeyParameter(int id, CString& description, CString& parameter, int& type) {
    const std::lock_guard guard(lock_);
    SQLiteStatement statement;
    Prepare(database_, statement,
            "SELECT macro_desc, param, type FROM t_key_otherdata WHERE macro_value = ?", id);
    const int code = statement.Step();
    if (code == sqlite_result::kRow) {
        description = statement.GetString(0);
        parameter = statement.GetString(1);
        type = statement.GetInt(2);
    }
    return code == sqlite_result::kRow || code == sqlite_result::kDone;
}
