// One SQLite connection: open, close, prepare statements, execute SQL text.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class SQLiteStatement;
struct sqlite3;

class SQLiteDB {
public:
    // Open flags: read-only, read-write, create, and SQLite's full-mutex threading mode.
    static constexpr int kOpenReadOnly = 0x1;
    static constexpr int kOpenReadWrite = 0x2;
    static constexpr int kOpenCreate = 0x4;
    static constexpr int kOpenFullMutex = 0x10000;

    // The row callback of Execute, with sqlite3_exec's signature.
    using RowCallback = int (*)(void* context, int columns, char** values, char** names);

    SQLiteDB();
    virtual ~SQLiteDB();
    SQLiteDB(const SQLiteDB&) = delete;
    SQLiteDB& operator=(const SQLiteDB&) = delete;

    // Closes any open connection, then opens the file at the UTF-8 path with the flags. An
    // empty path fails. The connection skips syncing to disk (configuration pages write on
    // every change), which costs durability on power loss only, not on a crash of the process.
    bool Open(const std::string& path, int flags);
    // True when closed or already closed; false (connection kept) while SQLite refuses.
    bool Close();
    bool IsOpen() const { return connection_ != nullptr; }

    // Finalises what the statement held, then prepares the SQL text into it. 21 without a
    // connection or text.
    int Prepare(SQLiteStatement& statement, std::string_view sql);
    // Runs one or more statements of SQL text. 21 without a connection or text.
    int Execute(const char* sql, RowCallback callback = nullptr, void* context = nullptr);
    // The row id of the last successful insert on this connection; -1 without a connection.
    int64_t LastInsertId() const;

private:
    struct Closer {
        void operator()(sqlite3* connection) const;
    };

    std::unique_ptr<sqlite3, Closer> connection_;
};
