#include "favorites/favorites_store.h"

#include "settings/registry_key.h"

#include <cstdio>

namespace orbisk {
namespace {

// Titles and parameters are stored whole and read back whole: the store
// has no fixed buffers, so nothing the user saved is cut or skipped.
constexpr size_t kMaxNameBytes = 64 * 1024;
constexpr size_t kMaxDataBytes = 1024 * 1024;

} // namespace

std::string FavoriteValueName(int position, const std::string& title) {
    char number[16];
    std::snprintf(number, sizeof number, "%3i-", position);
    return number + title;
}

FavoritesStore::FavoritesStore(FavoritesList& list, std::filesystem::path storeFile)
    : list_(list), storeFile_(std::move(storeFile)) {}

void FavoritesStore::Load() {
    list_.RemoveAll();
    RegistryKey key(storeFile_);
    if (!key.Open(RegistryRoot::CurrentUser, kKeyPath))
        return;
    std::vector<RegistryValue> values;
    key.EnumerateValues(values, kMaxNameBytes, kMaxDataBytes);
    std::vector<Favorite> favorites;
    for (const RegistryValue& value : values)
        favorites.push_back({value.name.size() > 4 ? value.name.substr(4) : "", value.data});
    list_.Restore(std::move(favorites));
}

bool FavoritesStore::Save() {
    std::vector<RegistryValue> values;
    for (int position = 0; position < list_.Count(); ++position)
        values.push_back({FavoriteValueName(position, list_.Items()[position].title),
                          list_.Items()[position].parameters});
    return RewriteKey(storeFile_, RegistryRoot::CurrentUser, kKeyPath, values);
}

} // namespace orbisk
