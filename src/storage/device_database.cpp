// Opening, creating, closing and deleting the database file of a keyboard type.
#include "storage/device_database.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "os/folders.h"
#include "os/safe_file_name.h"
#include "storage/database_schema.h"
#include "storage/sql_query.h"
#include "storage/sqlite_auto_transaction.h"

namespace {

constexpr int kOpenExisting = SQLiteDB::kOpenReadWrite | SQLiteDB::kOpenFullMutex;
constexpr int kOpenOrCreate = kOpenExisting | SQLiteDB::kOpenCreate;

// The files SQLite keeps beside a database while it writes; a journal left by a crash would
// be played into whatever database is later created under the same name.
constexpr const char* kCompanionSuffixes[] = {"-journal", "-wal", "-shm"};

bool FileExists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

bool RemoveFile(const std::string& path) {
    return unlink(path.c_str()) == 0 || errno == ENOENT;
}

// The number of tables and indexes in the file; -1 when it cannot be read as a database.
int SchemaObjectCount(SQLiteDB& database) {
    return sql_query::ReadInt(database, "SELECT count(*) FROM sqlite_master", -1);
}

}  // namespace

DeviceDatabase& DeviceDatabase::Instance() {
    static DeviceDatabase instance;
    return instance;
}

DeviceDatabase::DeviceDatabase() = default;

DeviceDatabase::~DeviceDatabase() {
    const std::lock_guard guard(lock_);
    CloseLocked();
}

CString DeviceDatabase::FilePath(const CString& userDataFolder, const CString& layoutName) {
    CString folder = userDataFolder;
    if (!folder.empty() && folder.back() != L'/') {
        folder += L'/';
    }
    return folder + L"db/" + SafeFileNameComponent(layoutName) + L"_data_v1.db";
}

bool DeviceDatabase::OpenForDevice(const CString& userDataFolder, const CString& layoutName) {
    const std::lock_guard guard(lock_);
    return OpenLocked(userDataFolder, layoutName);
}

bool DeviceDatabase::OpenLocked(const CString& userDataFolder, const CString& layoutName) {
    const CString wide = FilePath(userDataFolder, layoutName);
    const std::string path = WideToUtf8(wide);
    // Keeping a connection to another keyboard's file would write this keyboard's settings
    // into it.
    if (database_.IsOpen() && path != path_) {
        CloseLocked();
    }
    path_ = path;

    bool ok = false;
    if (FileExists(path_)) {
        if (database_.IsOpen()) {
            ok = true;
        } else if (database_.Open(path_, kOpenExisting)) {
            const int objects = SchemaObjectCount(database_);
            // A file that holds nothing at all was left by a creation that did not finish.
            ok = objects > 0 || (objects == 0 && RunSchema());
            if (!ok) {
                database_.Close();
            }
        }
    } else {
        const CString folder = wide.substr(0, wide.rfind(L'/') + 1);
        ok = CreateFolderPath(folder) && CreateLocked();
    }
    opened_ = ok;
    return ok;
}

bool DeviceDatabase::Create() {
    const std::lock_guard guard(lock_);
    return CreateLocked();
}

bool DeviceDatabase::CreateLocked() {
    if (database_.IsOpen()) {
        return true;
    }
    if (!database_.Open(path_, kOpenOrCreate)) {
        return false;
    }
    if (!RunSchema()) {
        database_.Close();
        return false;
    }
    return true;
}

bool DeviceDatabase::RunSchema() {
    // One transaction, so that a crash leaves either the whole schema or none of it.
    SQLiteAutoTransaction transaction(&database_);
    if (!transaction.Begin()) {
        return false;
    }
    for (const char* statement : SchemaStatements()) {
        if (database_.Execute(statement) != sqlite_result::kOk) {
            return false;
        }
    }
    return transaction.End();
}

bool DeviceDatabase::Close() {
    const std::lock_guard guard(lock_);
    return CloseLocked();
}

bool DeviceDatabase::CloseLocked() {
    opened_ = false;
    return database_.Close();
}

bool DeviceDatabase::DeleteForDevice(const CString& userDataFolder, const CString& layoutName) {
    const std::lock_guard guard(lock_);
    return DeleteLocked(userDataFolder, layoutName);
}

bool DeviceDatabase::DeleteLocked(const CString& userDataFolder, const CString& layoutName) {
    const std::string path = WideToUtf8(FilePath(userDataFolder, layoutName));
    // Writes to a file deleted while open would be lost without a trace.
    if (database_.IsOpen() && path == path_ && !CloseLocked()) {
        return false;
    }
    bool removed = RemoveFile(path);
    for (const char* suffix : kCompanionSuffixes) {
        removed = RemoveFile(path + suffix) && removed;
    }
    return removed;
}

bool DeviceDatabase::ResetForDevice(const CString& userDataFolder, const CString& layoutName) {
    const std::lock_guard guard(lock_);
    CloseLocked();
    return DeleteLocked(userDataFolder, layoutName) && OpenLocked(userDataFolder, layoutName);
}

bool DeviceDatabase::IsOpened() const {
    const std::lock_guard guard(lock_);
    return opened_;
}

std::string DeviceDatabase::Path() const {
    const std::lock_guard guard(lock_);
    return path_;
}
