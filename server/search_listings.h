// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "demo_directory.h"
#include "overpass.h"

#include <string>
#include <vector>

namespace orbisk::server {

// One business of a local search answer, from the demo directory or from
// OpenStreetMap, in the fields both countries' answers are written from.
struct SearchListing {
    std::string title, street, city, region;
    std::string phone;          // as the United States answer shows it
    std::string npa, nxx, line; // the Canadian answer's three telephone fields
    double lat = 0, lng = 0;
    std::string url;
};

struct ListingsPage {
    int total = 0;
    int first = 1;
    bool demo = true;
    std::vector<SearchListing> listings;
};

ListingsPage DemoListingsPage(const DemoSearchPage& page);

// Positions first … first + 9 of the places, numbered from 1; a first
// position past the end gives an empty page.
ListingsPage OsmListingsPage(const std::vector<OsmPlace>& places, int first);

// A North American number in any common writing ("+1 416-555-0123",
// "(416) 555 0123", "14165550123") as its area code, exchange and line;
// false for anything else.
bool SplitNorthAmericanNumber(const std::string& text, std::string& npa, std::string& nxx,
                              std::string& line);

} // namespace orbisk::server
