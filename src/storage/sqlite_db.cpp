#include "storage/sqlite_db.h"

#include <sqlite3.h>

#include <climits>

#include "storage/sqlite_result.h"
#include "storage/sqlite_statement.h"

static_assert(SQLiteDB::kOpenReadOnly == SQLITE_OPEN_READONLY);
static_assert(SQLiteDB::kOpenReadWrite == SQLITE_OPEN_READWRITE);
static_assert(SQLiteDB::kOpenCreate == SQLITE_OPEN_CREATE);
static_assert(SQLiteDB::kOpenFullMutex == SQLITE_OPEN_FULLMUTEX);
static_assert(sqlite_result::kOk == SQLITE_OK && sqlite_result::kMisuse == SQLITE_MISUSE &&
              sqlite_result::kRow == SQLITE_ROW && sqlite_result::kDone == SQLITE_DONE);

void SQLiteDB::Closer::operator()(sqlite3* connection) const {
    // Stops a running statement of another thread; the close completes once every statement
    // of the connection is finalised.
    sqlite3_interrupt(connection);
    sqlite3_close_v2(connection);
}

SQLiteDB::SQLiteDB() = default;

SQLiteDB::~SQLiteDB() = default;

bool SQLiteDB::Open(const std::string& path, int flags) {
    connection_.reset();
    if (path.empty()) {
        return false;
    }
    sqlite3* opened = nullptr;
    const int code = sqlite3_open_v2(path.c_str(), &opened, flags, nullptr);
    // SQLite hands out a connection also when the open fails, so that its error can be read.
    std::unique_ptr<sqlite3, Closer> connection(opened);
    if (code != SQLITE_OK) {
        return false;
    }
    connection_ = std::move(connection);
    Execute("PRAGMA synchronous = OFF; ");
    return true;
}

bool SQLiteDB::Close() {
    if (!connection_) {
        return true;
    }
    if (sqlite3_close(connection_.get()) != SQLITE_OK) {
        return false;
    }
    // The connection is gone; only the handle is left to forget.
    static_cast<void>(connection_.release());
    return true;
}

int SQLiteDB::Prepare(SQLiteStatement& statement, std::string_view sql) {
    statement.Finalize();
    if (!connection_ || sql.empty()) {
        return sqlite_result::kMisuse;
    }
    if (sql.size() > static_cast<size_t>(INT_MAX)) {
        return SQLITE_TOOBIG;
    }
    sqlite3_stmt* prepared = nullptr;
    const int code = sqlite3_prepare_v2(connection_.get(), sql.data(), static_cast<int>(sql.size()),
                                        &prepared, nullptr);
    // A failed prepare hands out no statement, so the object stays empty.
    statement.Attach(prepared);
    return code;
}

int SQLiteDB::Execute(const char* sql, RowCallback callback, void* context) {
    if (!connection_ || sql == nullptr) {
        return sqlite_result::kMisuse;
    }
    return sqlite3_exec(connection_.get(), sql, callback, context, nullptr);
}

int64_t SQLiteDB::LastInsertId() const {
    if (!connection_) {
        return -1;
    }
    return sqlite3_last_insert_rowid(connection_.get());
}
