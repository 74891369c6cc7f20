// The thin wrappers of the SQLite connection, statements and transactions.
#include <gtest/gtest.h>

#include <string>

#include "storage/database_files.h"
#include "storage/sqlite_auto_transaction.h"
#include "storage/sqlite_db.h"
#include "storage/sqlite_result.h"
#include "storage/sqlite_statement.h"
#include "support/temp_folder.h"

namespace {

constexpr int kCreate = SQLiteDB::kOpenReadWrite | SQLiteDB::kOpenCreate | SQLiteDB::kOpenFullMutex;

class SQLiteWrappersTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(db_.Open(path_, kCreate));
        ASSERT_EQ(db_.Execute("CREATE TABLE t(id INTEGER PRIMARY KEY AUTOINCREMENT, v TEXT)"),
                  sqlite_result::kOk);
    }

    std::vector<std::string> Values() { return QueryColumn(path_, "SELECT v FROM t ORDER BY id"); }

    TempFolder folder_;
    const std::string path_ = folder_ / "w.db";
    SQLiteDB db_;
};

TEST(SQLiteWrappersClosedTest, WithoutConnectionOrStatementEverythingIsMisuse) {
    SQLiteDB db;
    EXPECT_FALSE(db.IsOpen());
    EXPECT_TRUE(db.Close());
    SQLiteStatement statement;
    EXPECT_EQ(db.Prepare(statement, "SELECT 1"), sqlite_result::kMisuse);
    EXPECT_EQ(db.Execute("SELECT 1"), sqlite_result::kMisuse);
    EXPECT_EQ(db.LastInsertId(), -1);

    EXPECT_TRUE(statement.IsDone());
    EXPECT_EQ(statement.BindInt(1, 5), sqlite_result::kMisuse);
    EXPECT_EQ(statement.BindText(1, CString(L"x")), sqlite_result::kMisuse);
    EXPECT_EQ(statement.Step(), sqlite_result::kMisuse);
    EXPECT_EQ(statement.GetInt(0), 0);
    EXPECT_EQ(statement.GetText(0), nullptr);
    EXPECT_EQ(statement.GetString(0), L"");

    SQLiteAutoTransaction transaction(nullptr);
    EXPECT_FALSE(transaction.Begin());
    SQLiteAutoTransaction closed(&db);
    EXPECT_FALSE(closed.Begin());
    EXPECT_FALSE(closed.IsActive());
}

TEST(SQLiteWrappersClosedTest, OpenFailsWithoutAPathOrAFolder) {
    TempFolder folder;
    SQLiteDB db;
    EXPECT_FALSE(db.Open("", kCreate));
    EXPECT_FALSE(db.Open(folder / "missing/w.db", kCreate));
    EXPECT_FALSE(db.Open(folder / "absent.db", SQLiteDB::kOpenReadWrite));
    EXPECT_FALSE(db.IsOpen());
}

TEST_F(SQLiteWrappersTest, BoundTextIsCopied) {
    SQLiteStatement statement;
    ASSERT_EQ(db_.Prepare(statement, "INSERT INTO t(v) VALUES (?)"), sqlite_result::kOk);
    {
        std::string bytes = "short-lived text";
        ASSERT_EQ(statement.BindText(1, std::string_view(bytes)), sqlite_result::kOk);
        bytes.assign(bytes.size(), '#');
    }
    EXPECT_EQ(statement.Step(), sqlite_result::kDone);
    EXPECT_TRUE(statement.IsDone());
    EXPECT_EQ(db_.LastInsertId(), 1);
    EXPECT_EQ(Values(), std::vector<std::string>{"short-lived text"});
}

TEST_F(SQLiteWrappersTest, WideTextTravelsAsUtf8) {
    const struct {
        CString text;
        std::string stored;
        CString readBack;
    } cases[] = {
        {L"", "", L""},
        {L"caf\u00e9 \u65e5\u672c \U0001F600",
         "caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80",
         L"caf\u00e9 \u65e5\u672c \U0001F600"},
        // Text ends at its first zero character.
        {CString(L"before\0after", 12), "before", L"before"},
    };
    for (const auto& c : cases) {
        SQLiteStatement insert;
        ASSERT_EQ(db_.Prepare(insert, "INSERT INTO t(v) VALUES (?)"), sqlite_result::kOk);
        ASSERT_EQ(insert.BindText(1, c.text), sqlite_result::kOk);
        ASSERT_EQ(insert.Step(), sqlite_result::kDone);

        SQLiteStatement select;
        ASSERT_EQ(db_.Prepare(select, "SELECT v, typeof(v) FROM t WHERE id = ?"),
                  sqlite_result::kOk);
        select.BindInt(1, static_cast<int>(db_.LastInsertId()));
        ASSERT_EQ(select.Step(), sqlite_result::kRow);
        EXPECT_EQ(std::string(select.GetText(0)), c.stored);
        // An empty text stays text, never NULL.
        EXPECT_EQ(std::string(select.GetText(1)), "text");
        EXPECT_EQ(select.GetString(0), c.readBack);
    }
}

TEST_F(SQLiteWrappersTest, PreparingAgainReplacesTheStatement) {
    SQLiteStatement statement;
    ASSERT_EQ(db_.Prepare(statement, "SELECT 1"), sqlite_result::kOk);
    EXPECT_FALSE(statement.IsDone());
    ASSERT_EQ(db_.Prepare(statement, "SELECT 2"), sqlite_result::kOk);
    ASSERT_EQ(statement.Step(), sqlite_result::kRow);
    EXPECT_EQ(statement.GetInt(0), 2);
    EXPECT_EQ(statement.Step(), sqlite_result::kDone);

    // A failed prepare leaves the object empty.
    EXPECT_NE(db_.Prepare(statement, "SELEC nonsense"), sqlite_result::kOk);
    EXPECT_FALSE(statement.IsPrepared());
    EXPECT_EQ(statement.Step(), sqlite_result::kMisuse);
}

TEST_F(SQLiteWrappersTest, TransactionsCommitOnEndAndRollBackOtherwise) {
    {
        SQLiteAutoTransaction transaction(&db_);
        ASSERT_TRUE(transaction.Begin());
        EXPECT_FALSE(transaction.Begin());
        db_.Execute("INSERT INTO t(v) VALUES ('committed')");
        EXPECT_TRUE(transaction.End());
        EXPECT_FALSE(transaction.End());
    }
    {
        SQLiteAutoTransaction transaction(&db_);
        ASSERT_TRUE(transaction.Begin());
        db_.Execute("INSERT INTO t(v) VALUES ('abandoned')");
    }
    EXPECT_EQ(Values(), std::vector<std::string>{"committed"});
    // The connection is usable again: no transaction was left open.
    SQLiteAutoTransaction next(&db_);
    EXPECT_TRUE(next.Begin());
    EXPECT_TRUE(next.End());
}

TEST_F(SQLiteWrappersTest, CloseIsRefusedWhileAStatementLives) {
    SQLiteStatement statement;
    ASSERT_EQ(db_.Prepare(statement, "SELECT v FROM t"), sqlite_result::kOk);
    EXPECT_FALSE(db_.Close());
    EXPECT_TRUE(db_.IsOpen());
    statement.Finalize();
    EXPECT_TRUE(db_.Close());
    EXPECT_FALSE(db_.IsOpen());
}

}  // namespace
