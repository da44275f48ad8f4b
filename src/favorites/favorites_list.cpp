// SPDX-License-Identifier: GPL-3.0-or-later
#include "favorites/favorites_list.h"

#include <algorithm>

namespace orbisk {

bool FavoritesList::SetMaximum(int maximum) {
    if (maximum > kLargestMaximum)
        return false;
    maximum_ = std::max(maximum, Count());
    return true;
}

int FavoritesList::Add(const Favorite& favorite) {
    if (Count() >= maximum_)
        return -1;
    items_.push_back(favorite);
    return Count() - 1;
}

bool FavoritesList::GetAt(int position, Favorite& favorite) const {
    if (!InRange(position))
        return false;
    favorite = items_[position];
    return true;
}

bool FavoritesList::RemoveAt(int position) {
    if (!InRange(position))
        return false;
    items_.erase(items_.begin() + position);
    return true;
}

bool FavoritesList::Rename(int position, const std::string& title) {
    if (!InRange(position))
        return false;
    items_[position].title = title;
    return true;
}

void FavoritesList::Restore(std::vector<Favorite> items) {
    items_ = std::move(items);
    maximum_ = std::max(maximum_, Count());
}

} // namespace orbisk
