// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "favorites/favorites_list.h"

#include <filesystem>
#include <vector>

namespace orbisk {

// Keeps the favorites list in the per-user store under
// "Software\Brevant Solutions\Orbisk\Favorites": one value per favorite,
// named "%3i-%s" of position and title, holding the parameters.
class FavoritesStore {
public:
    static constexpr const char* kKeyPath = "Software\\Brevant Solutions\\Orbisk\\Favorites";

    explicit FavoritesStore(FavoritesList& list, std::filesystem::path storeFile);

    // Everything stored, in write order, whatever the maximum in force; a
    // missing key gives an empty list.
    void Load();
    // Replaces the stored favorites with the list, atomically. What another
    // running copy changed in the store since this one last loaded or saved
    // is kept: its additions join the list and its deletions leave it, so
    // that neither copy's save undoes the other's.
    bool Save();

private:
    FavoritesList& list_;
    std::filesystem::path storeFile_;
    std::vector<Favorite> baseline_; // the store as this copy last saw it
};

// "%3i-%s": the position right-aligned in three characters, a hyphen, the title.
std::string FavoriteValueName(int position, const std::string& title);

} // namespace orbisk
