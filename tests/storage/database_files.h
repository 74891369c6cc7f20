// Test helpers that look into a database file through a connection of their own, and a
// fixture with a keyboard's database opened in a home of its own.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "os/folders.h"
#include "storage/device_database.h"
#include "storage/sqlite_db.h"
#include "storage/sqlite_result.h"
#include "storage/sqlite_statement.h"
#include "support/temp_folder.h"

// The first column of every row of a query, as text.
inline std::vector<std::string> QueryColumn(const std::string& path, const std::string& sql) {
    SQLiteDB database;
    std::vector<std::string> values;
    if (!database.Open(path, SQLiteDB::kOpenReadOnly)) {
        ADD_FAILURE() << "cannot open " << path;
        return values;
    }
    SQLiteStatement statement;
    EXPECT_EQ(database.Prepare(statement, sql), sqlite_result::kOk) << sql;
    while (statement.Step() == sqlite_result::kRow) {
        const char* text = statement.GetText(0);
        values.emplace_back(text != nullptr ? text : "");
    }
    return values;
}

// The names of the file's own tables or indexes ("table", "index"), SQLite's left out.
inline std::vector<std::string> SchemaNames(const std::string& path, const std::string& type) {
    return QueryColumn(path, "SELECT name FROM sqlite_master WHERE type = '" + type +
                                 "' AND name NOT LIKE 'sqlite_%' ORDER BY name");
}

inline int CountRows(const std::string& path, const std::string& table) {
    const auto counts = QueryColumn(path, "SELECT count(*) FROM " + table);
    return counts.empty() ? -1 : std::stoi(counts[0]);
}

inline std::string IntegrityCheck(const std::string& path) {
    const auto result = QueryColumn(path, "PRAGMA integrity_check");
    return result.empty() ? "no answer" : result[0];
}

// A keyboard's database, opened fresh for each test.
class DeviceDatabaseTest : public ::testing::Test {
protected:
    static constexpr const wchar_t* kLayout = L"TestBoard";

    void SetUp() override { ASSERT_TRUE(db_.OpenForDevice(GetUserDataFolder(), kLayout)); }

    static std::string FileOf(const CString& layout) {
        return WideToUtf8(DeviceDatabase::FilePath(GetUserDataFolder(), layout));
    }
    static std::string File() { return FileOf(kLayout); }

    IsolatedHome home_;
    DeviceDatabase db_;
};
