// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "geo_data.h"

#include <optional>
#include <string>
#include <vector>

namespace orbisk::server {

// A listing of the demo telephone and street directory. No public directory
// exists offline, so these few invented listings, all marked demo, are all
// the reverse lookup and the street services know.
struct DemoListing {
    std::string npa, nxx, xxxx;
    std::string name1, name2;
    std::string number, street;
    std::string city, region, zip, country;
    double lat = 0, lng = 0;
};

// A business found by the demo local search.
struct DemoBusiness {
    std::string title;
    std::string street;
    std::string city;
    std::string region;
    std::string areaCode;  // of the place it lies in
    std::string phoneLine; // the last four digits, 01NN
    double lat = 0, lng = 0;
    std::string url;
};

struct DemoSearchPage {
    int total = 0;
    int first = 1;
    std::vector<DemoBusiness> businesses;
};

class DemoDirectory {
public:
    static constexpr int kPageSize = 10;

    explicit DemoDirectory(const GeoData& geo);

    std::optional<DemoListing> ByPhone(const std::string& npa, const std::string& nxx,
                                       const std::string& xxxx) const;
    // "12 Demo St", "12 Demo Street" and the like, in the listing's city.
    std::optional<DemoListing> ByAddress(const std::string& number, const std::string& street,
                                         const std::string& city, const std::string& region) const;
    // Whether the street is the demo street of a city with demo listings.
    bool KnowsStreet(const std::string& street, const std::string& city,
                     const std::string& region) const;
    const std::vector<DemoListing>& Listings() const { return listings_; }

    // One page of invented businesses for a keyword around a point: the same
    // query always gives the same places. Names come from a fixed list of
    // generic words, never from the keyword, so no brand is ever placed.
    DemoSearchPage Search(const std::string& keyword, double lat, double lng, int first) const;

private:
    std::string TownOf(const Place& place) const;
    std::vector<Place> PlacesAround(double lat, double lng) const;
    bool IsListedIn(const DemoListing& listing, const std::string& city,
                    const std::string& region) const;

    const GeoData& geo_;
    std::vector<DemoListing> listings_;
};

} // namespace orbisk::server
