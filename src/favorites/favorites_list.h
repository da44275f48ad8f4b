// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace orbisk {

// A saved search: the caption of a located place and the map request
// parameters that showed it, kept exactly.
struct Favorite {
    std::string title;
    std::string parameters;

    bool operator==(const Favorite&) const = default;
};

// The favorites in menu order, never more than the maximum after an Add.
class FavoritesList {
public:
    static constexpr int kLargestMaximum = 25;

    int Count() const { return static_cast<int>(items_.size()); }
    int Maximum() const { return maximum_; }
    // Refuses more than 25; never goes below the current count.
    bool SetMaximum(int maximum);
    // The new position, or -1 when the list is full.
    int Add(const Favorite& favorite);
    bool GetAt(int position, Favorite& favorite) const;
    bool RemoveAt(int position);
    bool Rename(int position, const std::string& title);
    void RemoveAll() { items_.clear(); }

    // Replaces the items with everything stored, raising the maximum to the
    // count if need be, so that no stored favorite is dropped.
    void Restore(std::vector<Favorite> items);
    const std::vector<Favorite>& Items() const { return items_; }

private:
    bool InRange(int position) const { return position >= 0 && position < Count(); }

    int maximum_ = 10;
    std::vector<Favorite> items_;
};

} // namespace orbisk
