// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace orbisk {

// What became of the store file at start-up.
struct StoreCheck {
    bool unreadable = false;
    // Where the unreadable file was kept; empty when it could not be moved.
    std::filesystem::path backup;
};

// A store that exists but is no readable store (not a regular file, not a
// database, damaged) is renamed aside with its journal files, so that the
// program starts with defaults and the user's file is kept for inspection.
StoreCheck SetAsideUnreadableStore(const std::filesystem::path& storeFile);

// The message that tells the user what happened and where the file is.
std::string UnreadableStoreMessage(const std::filesystem::path& storeFile, const StoreCheck& check);

enum class SavedPart { Settings, Favorites };
// Said when the settings or the favorites could not be written to the store.
std::string SaveFailedMessage(SavedPart part, const std::filesystem::path& storeFile);

} // namespace orbisk
