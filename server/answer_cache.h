// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

struct sqlite3;

namespace orbisk::server {

// The outside services' answers, kept on disk in one SQLite file so that a
// repeated lookup asks nobody, even after a restart. Safe to share between
// threads. Entries older than
// kMaxAge are never used; the oldest go first once the file holds more
// than kMaxBytes of answers. Without a usable file nothing is kept, and
// every lookup asks again.
class AnswerCache {
public:
    static constexpr std::chrono::hours kMaxAge{24 * 30};
    static constexpr int64_t kMaxBytes = 64ll * 1024 * 1024;

    // Seconds since the epoch.
    using Clock = std::function<int64_t()>;
    static int64_t SystemClock();

    // The file is opened, or created with its folder (mode 0700), when it is
    // first needed; an empty path keeps nothing.
    explicit AnswerCache(std::filesystem::path file, int64_t maxBytes = kMaxBytes,
                         Clock now = SystemClock);
    ~AnswerCache();
    AnswerCache(const AnswerCache&) = delete;
    AnswerCache& operator=(const AnswerCache&) = delete;

    std::optional<std::string> Get(const std::string& key);
    void Put(const std::string& key, const std::string& value);

private:
    bool Open();
    void Trim();

    std::filesystem::path file_;
    std::mutex mutex_;
    bool tried_ = false;
    sqlite3* db_ = nullptr;
    int64_t maxBytes_;
    Clock now_;
    int64_t stored_ = 0; // bytes of answers in the file
};

// answers.sqlite3 in $CACHE_DIRECTORY (a systemd unit's), else in
// $XDG_CACHE_HOME/orbisk-server or ~/.cache/orbisk-server; empty when no
// home folder is known.
std::filesystem::path DefaultAnswerCacheFile();

} // namespace orbisk::server
