// The steps every data operation takes on a connection: prepare one fixed SQL text, bind its
// values in order, step, and read rows. Values are never written into SQL text.
#pragma once

#include <string_view>
#include <vector>

#include "lumoui/base/cstring.h"
#include "storage/sqlite_db.h"
#include "storage/sqlite_result.h"
#include "storage/sqlite_statement.h"

namespace sql_query {

inline int BindValue(SQLiteStatement& statement, int index, int value) {
    return statement.BindInt(index, value);
}

inline int BindValue(SQLiteStatement& statement, int index, const CString& value) {
    return statement.BindText(index, value);
}

// Prepares the text and binds the values to parameters 1, 2, ... When anything fails the
// statement is left empty, so stepping it reports failure instead of running with a value
// missing.
template <typename... Values>
void Prepare(SQLiteDB& database, SQLiteStatement& statement, std::string_view sql,
             const Values&... values) {
    if (database.Prepare(statement, sql) != sqlite_result::kOk) {
        return;
    }
    int index = 0;
    const bool bound = ((BindValue(statement, ++index, values) == sqlite_result::kOk) && ...);
    if (!bound) {
        statement.Finalize();
    }
}

// Runs a statement that writes; true when its step succeeded.
template <typename... Values>
bool Write(SQLiteDB& database, std::string_view sql, const Values&... values) {
    SQLiteStatement statement;
    Prepare(database, statement, sql, values...);
    return sqlite_result::IsWriteSuccess(statement.Step());
}

// Runs an insert; the new row id, or 0 when it failed.
template <typename... Values>
int Insert(SQLiteDB& database, std::string_view sql, const Values&... values) {
    if (!Write(database, sql, values...)) {
        return 0;
    }
    return static_cast<int>(database.LastInsertId());
}

// Hands the first row of a query to `read`; false when there is none.
template <typename Read, typename... Values>
bool ReadRow(SQLiteDB& database, std::string_view sql, Read&& read, const Values&... values) {
    SQLiteStatement statement;
    Prepare(database, statement, sql, values...);
    if (statement.Step() != sqlite_result::kRow) {
        return false;
    }
    read(statement);
    return true;
}

// Replaces the list with one record per row of a query; the number of rows.
template <typename Record, typename... Values>
int ReadRows(SQLiteDB& database, std::string_view sql, std::vector<Record>& records,
             Record (*read)(const SQLiteStatement&), const Values&... values) {
    records.clear();
    SQLiteStatement statement;
    Prepare(database, statement, sql, values...);
    while (statement.Step() == sqlite_result::kRow) {
        records.push_back(read(statement));
    }
    return static_cast<int>(records.size());
}

// The first column of the first row as an integer, or `missing` when there is no row.
template <typename... Values>
int ReadInt(SQLiteDB& database, std::string_view sql, int missing, const Values&... values) {
    int result = missing;
    ReadRow(
        database, sql, [&](const SQLiteStatement& row) { result = row.GetInt(0); }, values...);
    return result;
}

}  // namespace sql_query
