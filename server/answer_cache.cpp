// SPDX-License-Identifier: GPL-3.0-or-later
#include "answer_cache.h"

#include "common/sqlite_statement.h"
#include "common/user_dirs.h"

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sqlite3.h>
#include <vector>

namespace orbisk::server {
namespace {

constexpr const char* kSchema =
    "PRAGMA journal_mode=WAL;"
    "CREATE TABLE IF NOT EXISTS answers(key TEXT PRIMARY KEY, value BLOB NOT NULL,"
    " stored INTEGER NOT NULL);"
    "CREATE INDEX IF NOT EXISTS answers_by_age ON answers(stored);";

} // namespace

int64_t AnswerCache::SystemClock() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

AnswerCache::AnswerCache(std::filesystem::path file, int64_t maxBytes, Clock now)
    : file_(std::move(file)), maxBytes_(maxBytes), now_(std::move(now)) {}

AnswerCache::~AnswerCache() {
    sqlite3_close_v2(db_);
}

// Tried once: without a usable file the server answers as before, asking
// the services every time.
bool AnswerCache::Open() {
    if (tried_ || file_.empty())
        return db_ != nullptr;
    tried_ = true;
    std::error_code fsError;
    std::filesystem::create_directories(file_.parent_path(), fsError);
    // The answers tell where the user looked: only the user may read them.
    if (!fsError)
        std::filesystem::permissions(file_.parent_path(), std::filesystem::perms::owner_all,
                                     fsError);
    if (!fsError &&
        sqlite3_open_v2(file_.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) ==
            SQLITE_OK &&
        sqlite3_busy_timeout(db_, 1000) == SQLITE_OK && Execute(db_, kSchema)) {
        Statement total(db_, "SELECT coalesce(sum(length(value)), 0) FROM answers");
        stored_ = total.Step() == SQLITE_ROW ? total.ColumnInt64(0) : 0;
        return true;
    }
    std::cerr << "orbisk-server: cannot keep answers in " << file_.string() << ": "
              << (fsError ? fsError.message()
                          : std::string(db_ ? sqlite3_errmsg(db_) : "no memory"))
              << "\n";
    sqlite3_close_v2(db_);
    db_ = nullptr;
    return false;
}

std::optional<std::string> AnswerCache::Get(const std::string& key) {
    std::lock_guard lock(mutex_);
    if (!Open())
        return std::nullopt;
    const int64_t oldest = now_() - std::chrono::seconds(kMaxAge).count();
    Statement query(db_, "SELECT value FROM answers WHERE key = ? AND stored >= ?");
    query.Bind(1, key).Bind(2, oldest);
    if (query.Step() != SQLITE_ROW)
        return std::nullopt;
    return query.ColumnBytes(0);
}

void AnswerCache::Put(const std::string& key, const std::string& value) {
    std::lock_guard lock(mutex_);
    if (!Open() || static_cast<int64_t>(value.size()) > maxBytes_)
        return;
    Statement old(db_, "SELECT length(value) FROM answers WHERE key = ?");
    old.Bind(1, key);
    const int64_t replaced = old.Step() == SQLITE_ROW ? old.ColumnInt64(0) : 0;
    Statement put(db_, "INSERT OR REPLACE INTO answers(key, value, stored) VALUES(?, ?, ?)");
    put.Bind(1, key).Bind(2, value).Bind(3, now_());
    if (!put.Run())
        return;
    stored_ += static_cast<int64_t>(value.size()) - replaced;
    if (stored_ > maxBytes_)
        Trim();
}

// Drops what is too old, then the oldest until the answers fit in three
// quarters of the bound, so trimming is rare.
void AnswerCache::Trim() {
    const int64_t oldest = now_() - std::chrono::seconds(kMaxAge).count();
    Statement expired(db_, "DELETE FROM answers WHERE stored < ?");
    expired.Bind(1, oldest).Run();
    std::vector<std::string> dropped;
    {
        Statement ages(db_,
                       "SELECT key, length(value) FROM answers ORDER BY stored DESC, rowid DESC");
        int64_t kept = 0;
        while (ages.Step() == SQLITE_ROW)
            if ((kept += ages.ColumnInt64(1)) > maxBytes_ / 4 * 3)
                dropped.push_back(ages.ColumnBytes(0));
    }
    Execute(db_, "BEGIN");
    for (const std::string& key : dropped)
        Statement(db_, "DELETE FROM answers WHERE key = ?").Bind(1, key).Run();
    Execute(db_, "COMMIT");
    Statement total(db_, "SELECT coalesce(sum(length(value)), 0) FROM answers");
    stored_ = total.Step() == SQLITE_ROW ? total.ColumnInt64(0) : 0;
}

std::filesystem::path DefaultAnswerCacheFile() {
    // A systemd unit's own cache folder, where it has one.
    if (const char* unit = std::getenv("CACHE_DIRECTORY");
        unit && unit[0] == '/' && !std::strchr(unit, ':'))
        return std::filesystem::path(unit) / "answers.sqlite3";
    const std::filesystem::path base = UserBaseDirectory(UserDir::Cache);
    return base.empty() ? base : base / "orbisk-server" / "answers.sqlite3";
}

} // namespace orbisk::server
