// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/registry_key.h"
#include "settings/store_recovery.h"
#include "temp_dir.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace orbisk {
namespace {

std::string Contents(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

struct StoreCase {
    const char* what;
    std::function<void(const std::filesystem::path&)> make;
    bool unreadable;
};

// What is no store is moved aside whole, with its journal, and the user is
// told where; a good store, an empty one or none stays as it is.
TEST(StoreRecovery, SetsAsideOnlyWhatIsNoReadableStore) {
    const StoreCase cases[] = {
        {"garbage", [](const auto& p) { std::ofstream(p) << "SQLite format 3 but not really"; },
         true},
        {"truncated database",
         [](const auto& p) {
             RewriteKey(p, RegistryRoot::CurrentUser, "Software\\A", {{"1", "x"}});
             std::filesystem::resize_file(p, 1000);
         },
         true},
        {"directory", [](const auto& p) { std::filesystem::create_directory(p); }, true},
        {"fifo", [](const auto& p) { mkfifo(p.c_str(), 0600); }, true},
        {"good store",
         [](const auto& p) {
             RewriteKey(p, RegistryRoot::CurrentUser, "Software\\A", {{"1", "x"}});
         },
         false},
        {"empty file", [](const auto& p) { std::ofstream{p}; }, false},
        {"missing", [](const auto&) {}, false},
    };
    for (const StoreCase& c : cases) {
        test::TempDir dir;
        const auto store = dir / "registry.sqlite3";
        c.make(store);
        std::ofstream(store.string() + "-wal") << "journal";
        const bool regular = std::filesystem::is_regular_file(store);
        const std::string before = regular ? Contents(store) : "";
        const StoreCheck check = SetAsideUnreadableStore(store);
        EXPECT_EQ(check.unreadable, c.unreadable) << c.what;
        if (!c.unreadable) {
            EXPECT_TRUE(check.backup.empty()) << c.what;
            continue;
        }
        ASSERT_FALSE(check.backup.empty()) << c.what;
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(store))) << c.what;
        EXPECT_FALSE(std::filesystem::exists(store.string() + "-wal")) << c.what;
        EXPECT_EQ(Contents(check.backup.string() + "-wal"), "journal") << c.what;
        if (regular) {
            EXPECT_EQ(Contents(check.backup), before) << c.what;
        }
        const std::string message = UnreadableStoreMessage(store, check);
        EXPECT_NE(message.find(check.backup.string()), std::string::npos) << message;
        EXPECT_TRUE(RewriteKey(store, RegistryRoot::CurrentUser, "Software\\A", {{"1", "y"}}))
            << c.what << ": a new store takes the old one's place";
    }
}

} // namespace
} // namespace orbisk
