// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/store_recovery.h"

#include "common/user_text.h"
#include "settings/registry_key.h"

#include <ctime>
#include <sqlite3.h>
#include <sys/stat.h>

namespace orbisk {
namespace {

// A regular file that SQLite opens and finds whole.
bool IsReadableStore(const std::filesystem::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    if (info.st_size == 0)
        return true; // created but never written: an empty store
    sqlite3* db = nullptr;
    bool whole = false;
    if (RegistryKey::OpenForReading(file, &db)) {
        sqlite3_stmt* check = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA quick_check", -1, &check, nullptr) == SQLITE_OK &&
            sqlite3_step(check) == SQLITE_ROW) {
            const auto* answer = sqlite3_column_text(check, 0);
            whole = answer && std::string(reinterpret_cast<const char*>(answer)) == "ok";
        }
        sqlite3_finalize(check);
    }
    sqlite3_close_v2(db);
    return whole;
}

std::string Timestamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

} // namespace

StoreCheck SetAsideUnreadableStore(const std::filesystem::path& storeFile) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(storeFile, error);
    if (error || !std::filesystem::exists(status) || IsReadableStore(storeFile))
        return {};
    StoreCheck check{true, {}};
    const std::filesystem::path backup = storeFile.string() + ".unreadable-" + Timestamp();
    std::filesystem::rename(storeFile, backup, error);
    if (error)
        return check;
    check.backup = backup;
    // The journal belongs to the file set aside; left behind, it would be
    // replayed into the new store.
    for (const char* suffix : {"-wal", "-shm"})
        std::filesystem::rename(storeFile.string() + suffix, backup.string() + suffix, error);
    return check;
}

std::string UnreadableStoreMessage(const std::filesystem::path& storeFile,
                                   const StoreCheck& check) {
    if (check.backup.empty())
        return Arg(Tr("Store", "The settings and favorites file %1 cannot be read, and it could "
                               "not be moved aside. Orbisk starts with its default settings and "
                               "no favorites; changes cannot be saved until the file is removed "
                               "or repaired."),
                   {storeFile.string()});
    return Arg(Tr("Store", "The settings and favorites file %1 cannot be read. Orbisk starts with "
                           "its default settings and no favorites.\n\nThe unreadable file was "
                           "kept as %2."),
               {storeFile.string(), check.backup.string()});
}

std::string SaveFailedMessage(SavedPart part, const std::filesystem::path& storeFile) {
    return Arg(part == SavedPart::Settings
                   ? Tr("Store", "Your settings could not be saved to %1. The changes stay in "
                                 "effect until Orbisk is closed.")
                   : Tr("Store", "Your favorites could not be saved to %1. The changes stay in "
                                 "effect until Orbisk is closed."),
               {storeFile.string()});
}

} // namespace orbisk
