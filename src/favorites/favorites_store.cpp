// SPDX-License-Identifier: GPL-3.0-or-later
#include "favorites/favorites_store.h"

#include "settings/registry_key.h"

#include <algorithm>
#include <cstdio>

namespace orbisk {
namespace {

// Titles and parameters are stored whole and read back whole: the store
// has no fixed buffers, so nothing the user saved is cut or skipped.
constexpr size_t kMaxNameBytes = 64 * 1024;
constexpr size_t kMaxDataBytes = 1024 * 1024;

std::vector<Favorite> FavoritesOf(const std::vector<RegistryValue>& values) {
    std::vector<Favorite> favorites;
    for (const RegistryValue& value : values)
        favorites.push_back({value.name.size() > 4 ? value.name.substr(4) : "", value.data});
    return favorites;
}

// Takes one `favorite` out of `from`; false when it holds none.
bool TakeOne(std::vector<Favorite>& from, const Favorite& favorite) {
    const auto found = std::find(from.begin(), from.end(), favorite);
    if (found == from.end())
        return false;
    from.erase(found);
    return true;
}

// Ours, less what another copy deleted from the store since `baseline`, then
// what it added there.
std::vector<Favorite> Merged(const std::vector<Favorite>& baseline,
                             const std::vector<Favorite>& stored,
                             const std::vector<Favorite>& ours) {
    std::vector<Favorite> added = stored;
    std::vector<Favorite> deleted = baseline;
    for (const Favorite& favorite : baseline)
        if (TakeOne(added, favorite))
            TakeOne(deleted, favorite);
    std::vector<Favorite> merged;
    for (const Favorite& favorite : ours)
        if (!TakeOne(deleted, favorite))
            merged.push_back(favorite);
    for (const Favorite& favorite : added)
        if (std::find(merged.begin(), merged.end(), favorite) == merged.end())
            merged.push_back(favorite);
    return merged;
}

} // namespace

std::string FavoriteValueName(int position, const std::string& title) {
    char number[16];
    std::snprintf(number, sizeof number, "%3i-", position);
    return number + title;
}

FavoritesStore::FavoritesStore(FavoritesList& list, std::filesystem::path storeFile)
    : list_(list), storeFile_(std::move(storeFile)) {}

void FavoritesStore::Load() {
    std::vector<RegistryValue> values;
    RegistryKey key(storeFile_);
    if (key.Open(RegistryRoot::CurrentUser, kKeyPath))
        key.EnumerateValues(values, kMaxNameBytes, kMaxDataBytes);
    baseline_ = FavoritesOf(values);
    list_.Restore(baseline_);
}

// The merge is made from the store as it stands inside the save's transaction.
bool FavoritesStore::Save() {
    std::vector<Favorite> merged;
    const auto compose = [&](const std::vector<RegistryValue>& stored) {
        merged = Merged(baseline_, FavoritesOf(stored), list_.Items());
        std::vector<RegistryValue> values;
        for (size_t position = 0; position < merged.size(); ++position)
            values.push_back({FavoriteValueName(static_cast<int>(position), merged[position].title),
                              merged[position].parameters});
        return values;
    };
    if (!RewriteKey(storeFile_, RegistryRoot::CurrentUser, kKeyPath, kMaxNameBytes, kMaxDataBytes,
                    compose))
        return false;
    if (merged != list_.Items()) {
        const int maximum = list_.Maximum();
        list_.Restore(merged);
        list_.SetMaximum(maximum);
    }
    baseline_ = merged;
    return true;
}

} // namespace orbisk
