// One prepared SQLite statement: binding values, stepping and reading columns.
#pragma once

#include <memory>
#include <string_view>

#include "lumoui/base/cstring.h"

struct sqlite3_stmt;

class SQLiteStatement {
public:
    SQLiteStatement();
    virtual ~SQLiteStatement();
    SQLiteStatement(const SQLiteStatement&) = delete;
    SQLiteStatement& operator=(const SQLiteStatement&) = delete;

    // Parameter indexes count from 1. Each returns the SQLite result code, 21 without a
    // prepared statement.
    int BindInt(int index, int value);
    // SQLite copies the bytes, so they need not outlive the step.
    int BindText(int index, std::string_view utf8);
    // Binds the text as UTF-8, up to its first zero character.
    int BindText(int index, const CString& text);

    // 101 (finished) marks the statement done; 21 without a prepared statement.
    int Step();

    // Column indexes count from 0. Without a statement: 0, null and an empty string.
    int GetInt(int column) const;
    const char* GetText(int column) const;
    // The column's UTF-8 text up to its first zero byte, converted; empty for null.
    CString GetString(int column) const;

    // Releases the prepared statement, if any.
    void Finalize();

    bool IsPrepared() const { return statement_ != nullptr; }
    bool IsDone() const { return done_; }

private:
    friend class SQLiteDB;

    struct Finalizer {
        void operator()(sqlite3_stmt* statement) const;
    };

    // Takes ownership of a freshly prepared statement, finalising the one held before.
    void Attach(sqlite3_stmt* statement);

    bool done_ = true;
    std::unique_ptr<sqlite3_stmt, Finalizer> statement_;
};
