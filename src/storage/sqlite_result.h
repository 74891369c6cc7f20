// The SQLite result codes the program looks at, so that callers need not include sqlite3.h.
#pragma once

namespace sqlite_result {

inline constexpr int kOk = 0;
inline constexpr int kMisuse = 21;  // also returned when there is no connection or statement
inline constexpr int kRow = 100;
inline constexpr int kDone = 101;

// A write step succeeded: the statement ran to its end or produced a row.
inline constexpr bool IsWriteSuccess(int code) {
    return code == kOk || code == kRow || code == kDone;
}

}  // namespace sqlite_result
