// SPDX-License-Identifier: GPL-3.0-or-later
#include "search_listings.h"

#include <algorithm>

namespace orbisk::server {
namespace {

SearchListing FromPlace(const OsmPlace& place) {
    SearchListing listing{place.name, place.street, place.city,   place.region, "",           "",
                          "",         "",           place.at.lat, place.at.lng, place.website};
    if (SplitNorthAmericanNumber(place.phone, listing.npa, listing.nxx, listing.line))
        listing.phone = "(" + listing.npa + ") " + listing.nxx + "-" + listing.line;
    return listing;
}

} // namespace

ListingsPage DemoListingsPage(const DemoSearchPage& page) {
    ListingsPage listings{page.total, page.first, true, {}};
    for (const DemoBusiness& b : page.businesses)
        listings.listings.push_back({b.title, b.street, b.city, b.region, "555-" + b.phoneLine,
                                     b.areaCode.empty() ? "555" : b.areaCode, "555", b.phoneLine,
                                     b.lat, b.lng, b.url});
    return listings;
}

ListingsPage OsmListingsPage(const std::vector<OsmPlace>& places, int first) {
    ListingsPage page{static_cast<int>(places.size()), std::max(first, 1), false, {}};
    for (size_t i = static_cast<size_t>(page.first) - 1;
         i < places.size() && page.listings.size() < DemoDirectory::kPageSize; ++i)
        page.listings.push_back(FromPlace(places[i]));
    return page;
}

bool SplitNorthAmericanNumber(const std::string& text, std::string& npa, std::string& nxx,
                              std::string& line) {
    std::string digits;
    for (const char c : text) {
        if (c >= '0' && c <= '9')
            digits += c;
        else if (c == ';') // OpenStreetMap separates several numbers so
            break;
        else if (std::string_view("+-(). ").find(c) == std::string_view::npos)
            return false;
    }
    if (digits.size() == 11 && digits[0] == '1')
        digits.erase(0, 1);
    // Neither an area code nor an exchange starts with 0 or 1.
    if (digits.size() != 10 || digits[0] < '2' || digits[3] < '2')
        return false;
    npa = digits.substr(0, 3);
    nxx = digits.substr(3, 3);
    line = digits.substr(6);
    return true;
}

} // namespace orbisk::server
