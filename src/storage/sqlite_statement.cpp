#include "storage/sqlite_statement.h"

#include <sqlite3.h>

#include <cstring>

#include "storage/sqlite_result.h"

void SQLiteStatement::Finalizer::operator()(sqlite3_stmt* statement) const {
    sqlite3_finalize(statement);
}

SQLiteStatement::SQLiteStatement() = default;

SQLiteStatement::~SQLiteStatement() = default;

void SQLiteStatement::Attach(sqlite3_stmt* statement) {
    statement_.reset(statement);
    done_ = statement == nullptr;
}

void SQLiteStatement::Finalize() {
    Attach(nullptr);
}

int SQLiteStatement::BindInt(int index, int value) {
    if (!statement_) {
        return sqlite_result::kMisuse;
    }
    return sqlite3_bind_int(statement_.get(), index, value);
}

int SQLiteStatement::BindText(int index, std::string_view utf8) {
    if (!statement_) {
        return sqlite_result::kMisuse;
    }
    // A null pointer would bind NULL; an empty text must stay an empty text.
    const char* bytes = utf8.data() != nullptr ? utf8.data() : "";
    return sqlite3_bind_text64(statement_.get(), index, bytes, utf8.size(), SQLITE_TRANSIENT,
                               SQLITE_UTF8);
}

int SQLiteStatement::BindText(int index, const CString& text) {
    const std::wstring_view wide(text);
    return BindText(index, WideToUtf8(wide.substr(0, wide.find(L'\0'))));
}

int SQLiteStatement::Step() {
    if (!statement_) {
        return sqlite_result::kMisuse;
    }
    const int code = sqlite3_step(statement_.get());
    if (code == sqlite_result::kDone) {
        done_ = true;
    }
    return code;
}

int SQLiteStatement::GetInt(int column) const {
    if (!statement_) {
        return 0;
    }
    return sqlite3_column_int(statement_.get(), column);
}

const char* SQLiteStatement::GetText(int column) const {
    if (!statement_) {
        return nullptr;
    }
    return reinterpret_cast<const char*>(sqlite3_column_text(statement_.get(), column));
}

CString SQLiteStatement::GetString(int column) const {
    const char* text = GetText(column);
    if (text == nullptr) {
        return {};
    }
    return Utf8ToWide(std::string_view(text, std::strlen(text)));
}
