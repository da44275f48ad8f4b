// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/registry_key.h"

#include "common/sqlite_statement.h"
#include "common/user_dirs.h"

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sqlite3.h>
#include <unistd.h>

namespace orbisk {
namespace {

constexpr int kTypeString = 1; // REG_SZ
constexpr int kTypeDword = 4;  // REG_DWORD
constexpr int kBusyTimeoutMs = 10'000;
constexpr int kConnectAttempts = 20;
constexpr useconds_t kConnectRetryMicroseconds = 25'000;

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS registry_keys(
    path TEXT PRIMARY KEY COLLATE NOCASE
);
CREATE TABLE IF NOT EXISTS registry_values(
    key  TEXT NOT NULL COLLATE NOCASE REFERENCES registry_keys(path) ON DELETE CASCADE,
    name TEXT NOT NULL COLLATE NOCASE,
    type INTEGER NOT NULL,
    data BLOB NOT NULL,
    UNIQUE(key, name)
);
)sql";

// Runs `body` inside a savepoint, so it is atomic on its own and nests inside
// a transaction the caller holds.
template <typename Body> bool Atomically(sqlite3* db, Body body) {
    if (!Execute(db, "SAVEPOINT registry_op"))
        return false;
    if (body())
        return Execute(db, "RELEASE registry_op");
    Execute(db, "ROLLBACK TO registry_op");
    Execute(db, "RELEASE registry_op");
    return false;
}

std::string FullPath(RegistryRoot, const std::string& path) {
    return "HKEY_CURRENT_USER\\" + path;
}

bool IsUsablePath(const std::string& path) {
    return !path.empty() && path.front() != '\\' && path.back() != '\\' &&
           path.find("\\\\") == std::string::npos && path.find('\0') == std::string::npos;
}

std::string UpToFirstZero(const std::string& bytes) {
    return bytes.substr(0, bytes.find('\0'));
}

// The store holds the user's own data: only the user may read it. Its folder
// is closed to others when the store made it or it is Orbisk's own; a folder
// that was there before (a shared one such as /tmp) keeps its mode, and the
// file's own 0600 guards the store there.
bool PrepareStoreFile(const std::filesystem::path& file) {
    std::error_code error;
    const bool made = std::filesystem::create_directories(file.parent_path(), error);
    if (error)
        return false;
    if (made || file.parent_path().filename() == "orbisk")
        std::filesystem::permissions(file.parent_path(), std::filesystem::perms::owner_all, error);
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

} // namespace

RegistryKey::RegistryKey(std::filesystem::path storeFile) : storeFile_(std::move(storeFile)) {}

RegistryKey::~RegistryKey() {
    Close();
}

std::filesystem::path RegistryKey::DefaultStoreFile() {
    std::filesystem::path base = UserBaseDirectory(UserDir::Config);
    if (base.empty())
        base = ".config";
    return base / "orbisk" / "registry.sqlite3";
}

bool RegistryKey::OpenForReading(const std::filesystem::path& storeFile, sqlite3** db) {
    if (sqlite3_open_v2(storeFile.c_str(), db, SQLITE_OPEN_READONLY | SQLITE_OPEN_FULLMUTEX,
                        nullptr) == SQLITE_OK &&
        Execute(*db, "SELECT count(*) FROM sqlite_schema"))
        return true;
    sqlite3_close_v2(*db);
    *db = nullptr;
    // Nothing can write a store in a folder no one may write: it is read as it stands.
    std::string uri = "file:";
    for (const char c : storeFile.string()) {
        if (c == '%' || c == '?' || c == '#')
            uri += c == '%' ? "%25" : c == '?' ? "%3f" : "%23";
        else
            uri += c;
    }
    uri += "?immutable=1";
    if (sqlite3_open_v2(uri.c_str(), db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) ==
        SQLITE_OK)
        return true;
    sqlite3_close_v2(*db);
    *db = nullptr;
    return false;
}

// Two programs setting up a new store at once can meet a lock that SQLite
// reports at once rather than waits for (one upgrading its read while the
// other writes): the set-up is tried again a few times before it fails.
bool RegistryKey::Connect(bool mayCreate) {
    if (db_)
        return true;
    if (mayCreate && !PrepareStoreFile(storeFile_))
        return false;
    for (int attempt = 0; attempt < kConnectAttempts; ++attempt) {
        if (attempt > 0)
            ::usleep(kConnectRetryMicroseconds);
        if (sqlite3_open_v2(storeFile_.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX,
                            nullptr) == SQLITE_OK) {
            sqlite3_busy_timeout(db_, kBusyTimeoutMs);
            if (Execute(db_, "PRAGMA journal_mode=WAL") &&
                Execute(db_, "PRAGMA synchronous=FULL") && Execute(db_, "PRAGMA foreign_keys=ON") &&
                Execute(db_, kSchema))
                return true;
        }
        Close();
        // A store in a folder that cannot be written can still be read; any
        // other failure leaves no connection that could not write.
        if (::access(storeFile_.parent_path().c_str(), W_OK) != 0)
            return !mayCreate && OpenForReading(storeFile_, &db_);
    }
    return false;
}

void RegistryKey::Close() {
    if (db_) {
        if (inTransaction_)
            Execute(db_, "ROLLBACK");
        sqlite3_close_v2(db_);
    }
    db_ = nullptr;
    keyPath_.clear();
    inTransaction_ = false;
}

bool RegistryKey::KeyExists(const std::string& path) {
    Statement query(db_, "SELECT 1 FROM registry_keys WHERE path = ?1");
    return query.Ok() && query.Bind(1, path).Step() == SQLITE_ROW;
}

bool RegistryKey::Open(RegistryRoot root, const std::string& path) {
    keyPath_.clear();
    if (!inTransaction_)
        Close();
    if (!IsUsablePath(path) || !Connect(false))
        return false;
    const std::string full = FullPath(root, path);
    if (!KeyExists(full)) {
        if (!inTransaction_)
            Close();
        return false;
    }
    keyPath_ = full;
    return true;
}

bool RegistryKey::Create(RegistryRoot root, const std::string& path) {
    keyPath_.clear();
    if (!inTransaction_)
        Close();
    if (!IsUsablePath(path) || !Connect(true))
        return false;
    const std::string full = FullPath(root, path);
    const bool created = Atomically(db_, [&] {
        for (size_t end = full.find('\\'); end != std::string::npos;
             end = full.find('\\', end + 1)) {
            Statement insert(db_, "INSERT OR IGNORE INTO registry_keys(path) VALUES(?1)");
            if (!insert.Ok() || !insert.Bind(1, full.substr(0, end)).Run())
                return false;
        }
        Statement insert(db_, "INSERT OR IGNORE INTO registry_keys(path) VALUES(?1)");
        return insert.Ok() && insert.Bind(1, full).Run();
    });
    if (!created) {
        if (!inTransaction_)
            Close();
        return false;
    }
    keyPath_ = full;
    return true;
}

bool RegistryKey::WriteString(const std::string& name, const std::string& text) {
    if (!IsOpen())
        return false;
    Statement upsert(
        db_, "INSERT INTO registry_values(key, name, type, data) VALUES(?1, ?2, ?3, ?4) "
             "ON CONFLICT(key, name) DO UPDATE SET type = excluded.type, data = excluded.data");
    return upsert.Ok() &&
           upsert.Bind(1, keyPath_).Bind(2, name).Bind(3, kTypeString).BindBlob(4, text).Run();
}

bool RegistryKey::WriteDword(const std::string& name, uint32_t value) {
    if (!IsOpen())
        return false;
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    Statement upsert(
        db_, "INSERT INTO registry_values(key, name, type, data) VALUES(?1, ?2, ?3, ?4) "
             "ON CONFLICT(key, name) DO UPDATE SET type = excluded.type, data = excluded.data");
    return upsert.Ok() &&
           upsert.Bind(1, keyPath_).Bind(2, name).Bind(3, kTypeDword).BindBlob(4, bytes).Run();
}

bool RegistryKey::ReadValue(const std::string& name, int& type, std::string& data) {
    if (!IsOpen())
        return false;
    Statement query(db_, "SELECT type, data FROM registry_values WHERE key = ?1 AND name = ?2");
    if (!query.Ok() || query.Bind(1, keyPath_).Bind(2, name).Step() != SQLITE_ROW)
        return false;
    type = query.ColumnInt(0);
    data = query.ColumnBytes(1);
    return true;
}

bool RegistryKey::ReadDword(const std::string& name, uint32_t& value) {
    value = 0;
    int type = 0;
    std::string data;
    if (!ReadValue(name, type, data) || type != kTypeDword || data.size() != 4)
        return false;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(data[i]);
    return true;
}

bool RegistryKey::ReadString(const std::string& name, std::string& text) {
    text.clear();
    int type = 0;
    std::string data;
    if (!ReadValue(name, type, data))
        return false;
    if (!data.empty() && data.back() == '\0')
        data.pop_back();
    if (data.size() > kMaxStringChars)
        return false;
    text = UpToFirstZero(data);
    return true;
}

RegistryStatus RegistryKey::EnumerateValues(std::vector<RegistryValue>& values) {
    return EnumerateValues(values, kMaxEnumNameChars, kMaxEnumDataBytes);
}

RegistryStatus RegistryKey::EnumerateValues(std::vector<RegistryValue>& values, size_t maxNameBytes,
                                            size_t maxDataBytes) {
    values.clear();
    if (!IsOpen())
        return RegistryStatus::Failed;
    Statement query(db_, "SELECT name, data FROM registry_values WHERE key = ?1 ORDER BY rowid");
    if (!query.Ok())
        return RegistryStatus::Failed;
    query.Bind(1, keyPath_);
    int step = SQLITE_ROW;
    while ((step = query.Step()) == SQLITE_ROW) {
        RegistryValue value{query.ColumnBytes(0), query.ColumnBytes(1)};
        if (value.name.size() > maxNameBytes || value.data.size() > maxDataBytes)
            return RegistryStatus::MoreData;
        value.data = UpToFirstZero(value.data);
        values.push_back(std::move(value));
    }
    return step == SQLITE_DONE ? RegistryStatus::NoMoreItems : RegistryStatus::Failed;
}

bool RegistryKey::DeleteKey(RegistryRoot root, const std::string& path) {
    if (!IsUsablePath(path))
        return false;
    const bool ownConnection = db_ == nullptr;
    if (!Connect(false))
        return false;
    const std::string full = FullPath(root, path);
    const bool deleted = Atomically(db_, [&] {
        Statement children(
            db_,
            "SELECT 1 FROM registry_keys WHERE substr(path, 1, length(?1)) = ?1 COLLATE NOCASE");
        if (!children.Ok() || children.Bind(1, full + "\\").Step() != SQLITE_DONE)
            return false;
        Statement remove(db_, "DELETE FROM registry_keys WHERE path = ?1");
        return remove.Ok() && remove.Bind(1, full).Run() && sqlite3_changes(db_) == 1;
    });
    if (ownConnection)
        Close();
    return deleted;
}

bool RegistryKey::BeginTransaction() {
    if (inTransaction_ || !Connect(true))
        return false;
    inTransaction_ = Execute(db_, "BEGIN IMMEDIATE");
    return inTransaction_;
}

bool RegistryKey::CommitTransaction() {
    if (!inTransaction_ || !Execute(db_, "COMMIT"))
        return false;
    inTransaction_ = false;
    return true;
}

bool RewriteKey(const std::filesystem::path& storeFile, RegistryRoot root, const std::string& path,
                const std::vector<RegistryValue>& values) {
    return RewriteKey(storeFile, root, path, 0, 0,
                      [&values](const std::vector<RegistryValue>&) { return values; });
}

bool RewriteKey(const std::filesystem::path& storeFile, RegistryRoot root, const std::string& path,
                size_t maxNameBytes, size_t maxDataBytes, const ValuesFromStored& compose) {
    RegistryKey key(storeFile);
    if (!key.BeginTransaction())
        return false;
    std::vector<RegistryValue> stored;
    if (maxNameBytes > 0 && key.Open(root, path))
        key.EnumerateValues(stored, maxNameBytes, maxDataBytes);
    const std::vector<RegistryValue> values = compose(stored);
    key.DeleteKey(root, path);
    if (!key.Create(root, path))
        return false;
    for (const RegistryValue& value : values)
        key.WriteString(value.name, value.data);
    return key.CommitTransaction();
}

} // namespace orbisk
