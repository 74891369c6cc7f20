// A transaction that is rolled back when it goes out of scope before it was ended.
#pragma once

class SQLiteDB;

class SQLiteAutoTransaction {
public:
    explicit SQLiteAutoTransaction(SQLiteDB* database);
    // Rolls back a transaction that was begun and not ended.
    virtual ~SQLiteAutoTransaction();
    SQLiteAutoTransaction(const SQLiteAutoTransaction&) = delete;
    SQLiteAutoTransaction& operator=(const SQLiteAutoTransaction&) = delete;

    // False when already active, without a database or when "BEGIN" fails.
    bool Begin();
    // Commits with "END". When that fails the transaction stays active, so that it is rolled
    // back rather than left open.
    bool End();

    bool IsActive() const { return active_; }

private:
    SQLiteDB* database_;
    bool active_ = false;
};
