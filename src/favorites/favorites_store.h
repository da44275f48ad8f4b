#pragma once

#include "favorites/favorites_list.h"

#include <filesystem>

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
    // Replaces the stored favorites with the list, atomically.
    bool Save();

private:
    FavoritesList& list_;
    std::filesystem::path storeFile_;
};

// "%3i-%s": the position right-aligned in three characters, a hyphen, the title.
std::string FavoriteValueName(int position, const std::string& title);

} // namespace orbisk
