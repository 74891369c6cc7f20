#include "storage/sqlite_auto_transaction.h"

#include "storage/sqlite_db.h"
#include "storage/sqlite_result.h"

SQLiteAutoTransaction::SQLiteAutoTransaction(SQLiteDB* database) : database_(database) {}

SQLiteAutoTransaction::~SQLiteAutoTransaction() {
    if (active_) {
        database_->Execute("ROLLBACK");
    }
}

bool SQLiteAutoTransaction::Begin() {
    if (active_ || database_ == nullptr) {
        return false;
    }
    active_ = database_->Execute("BEGIN") == sqlite_result::kOk;
    return active_;
}

bool SQLiteAutoTransaction::End() {
    if (!active_) {
        return false;
    }
    if (database_->Execute("END") != sqlite_result::kOk) {
        return false;
    }
    active_ = false;
    return true;
}
