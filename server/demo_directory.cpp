// SPDX-License-Identifier: GPL-3.0-or-later
#include "demo_directory.h"

#include "common/text.h"
#include "place_names.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace orbisk::server {
namespace {

struct DemoCity {
    const char* npa;
    const char* city;
    const char* region;
    const char* zip;
    const char* country;
};

constexpr DemoCity kDemoCities[] = {
    {"202", "Washington", "DC", "20500", "US"},  {"212", "New York City", "NY", "10001", "US"},
    {"312", "Chicago", "IL", "60601", "US"},     {"213", "Los Angeles", "CA", "90012", "US"},
    {"617", "Boston", "MA", "02108", "US"},      {"206", "Seattle", "WA", "98101", "US"},
    {"217", "Springfield", "IL", "62701", "US"}, {"613", "Ottawa", "ON", "K1P 1J1", "CA"},
    {"416", "Toronto", "ON", "M5H 2N2", "CA"},   {"604", "Vancouver", "BC", "V6B 1A1", "CA"},
};
constexpr int kListingsPerCity = 3;

constexpr const char* kAdjectives[] = {"Maple",     "Harbor",  "Cedar",    "Union",
                                       "Riverside", "Summit",  "Lakeview", "Granite",
                                       "Willow",    "Prairie", "Birch",    "Meadow"};
constexpr const char* kNouns[] = {"Corner",  "Square", "Park",    "Hill",
                                  "Station", "Point",  "Commons", "Landing"};

struct Category {
    const char* word;
    const char* kind;
};

// Keywords the demo search knows; anything else finds generic places.
constexpr Category kCategories[] = {
    {"pizza", "Pizzeria"},        {"coffee", "Coffee House"},   {"cafe", "Cafe"},
    {"bank", "Savings Bank"},     {"school", "School"},         {"daycare", "Daycare"},
    {"restaurant", "Restaurant"}, {"hotel", "Hotel"},           {"pharmacy", "Pharmacy"},
    {"grocery", "Grocery"},       {"gas", "Gas Station"},       {"library", "Library"},
    {"hardware", "Hardware"},     {"bakery", "Bakery"},         {"park", "Park"},
    {"hospital", "Clinic"},       {"dentist", "Dental Office"}, {"doctor", "Medical Office"},
    {"museum", "Museum"},         {"book", "Book Shop"},
};

uint64_t Hash(const std::string& text) {
    uint64_t hash = 1469598103934665603ull;
    for (unsigned char c : text)
        hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

std::string KindOf(const std::string& keyword) {
    const std::string lower = Lower(keyword);
    for (const Category& category : kCategories)
        if (lower.find(category.word) != std::string::npos)
            return category.kind;
    return "Place";
}

// "Demo St", "demo street", "DEMO ST." all name the demo street.
bool IsDemoStreet(const std::string& street) {
    const std::string lower = Lower(Trimmed(street));
    return lower == "demo st" || lower == "demo st." || lower == "demo street";
}

std::string TwoDigits(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value % 100);
    return text;
}

} // namespace

DemoDirectory::DemoDirectory(const GeoData& geo) : geo_(geo) {
    int number = 0;
    for (const DemoCity& demo : kDemoCities) {
        const auto centre = geo.CityIn(demo.city, demo.region);
        if (!centre)
            continue;
        // At the listing's own zip or sortation area, so that the address
        // and the point agree (a city's centre can lie in its harbour).
        const auto code =
            std::string(demo.country) == "CA" ? geo.PostalCode(demo.zip) : geo.Zip(demo.zip);
        const Place& at = code ? *code : *centre;
        for (int i = 0; i < kListingsPerCity; ++i, ++number) {
            DemoListing listing;
            listing.npa = demo.npa;
            listing.nxx = "555";
            listing.xxxx = "01" + TwoDigits(number);
            listing.name1 = "Demo Listing " + std::to_string(number + 1);
            listing.name2 = "(demo)";
            listing.number = std::to_string(100 + 10 * i);
            listing.street = "Demo St";
            listing.city = centre->name;
            listing.region = demo.region;
            listing.zip = demo.zip;
            listing.country = demo.country;
            const double room = std::max(at.landRoom, 0.0);
            listing.lat = at.lat + 0.001 * (i + 1) * room;
            listing.lng = at.lng - 0.0012 * (i + 1) * room;
            listings_.push_back(listing);
        }
    }
}

std::optional<DemoListing> DemoDirectory::ByPhone(const std::string& npa, const std::string& nxx,
                                                  const std::string& xxxx) const {
    for (const DemoListing& listing : listings_)
        if (listing.npa == Trimmed(npa) && listing.nxx == Trimmed(nxx) &&
            listing.xxxx == Trimmed(xxxx))
            return listing;
    return std::nullopt;
}

std::optional<DemoListing> DemoDirectory::ByAddress(const std::string& number,
                                                    const std::string& street,
                                                    const std::string& city,
                                                    const std::string& region) const {
    if (!IsDemoStreet(street))
        return std::nullopt;
    for (const DemoListing& listing : listings_)
        if (listing.number == Trimmed(number) && IsListedIn(listing, city, region))
            return listing;
    return std::nullopt;
}

bool DemoDirectory::KnowsStreet(const std::string& street, const std::string& city,
                                const std::string& region) const {
    if (!IsDemoStreet(street))
        return false;
    return std::any_of(listings_.begin(), listings_.end(), [&](const DemoListing& listing) {
        return IsListedIn(listing, city, region);
    });
}

// The city and region as people type them ("st. louis", "Ont.").
bool DemoDirectory::IsListedIn(const DemoListing& listing, const std::string& city,
                               const std::string& region) const {
    return PlaceNameKey(listing.city) == PlaceNameKey(city) &&
           listing.region == geo_.RegionCode(region);
}

// A sortation area's name describes a district ("Downtown Toronto (Richmond
// / Adelaide / King)", "Gatineau Northwest"); an address names its town, as
// people write it.
std::string DemoDirectory::TownOf(const Place& place) const {
    const Region* region = geo_.FindRegion(place.region);
    if (!region || region->country != "CA")
        return place.name;
    const City* city = geo_.NearestCity(place.lat, place.lng);
    return city && city->place.region == place.region ? city->place.name : place.name;
}

// Where businesses may lie: the zip codes and sortation areas on land around
// the point, else the nearest city, else the point itself.
std::vector<Place> DemoDirectory::PlacesAround(double lat, double lng) const {
    std::vector<Place> places = geo_.PostalPlacesNear(lat, lng, 0.12, 0.16);
    std::erase_if(places, [](const Place& place) { return place.landRoom < 0; });
    if (!places.empty())
        return places;
    if (const City* city = geo_.NearestCity(lat, lng))
        return {city->place};
    return {Place{lat, lng, "", ""}};
}

DemoSearchPage DemoDirectory::Search(const std::string& keyword, double lat, double lng,
                                     int first) const {
    DemoSearchPage page;
    const std::string kind = KindOf(keyword);
    char area[64];
    std::snprintf(area, sizeof area, "|%.2f|%.2f", lat, lng);
    const uint64_t seed = Hash(Lower(Trimmed(keyword)) + area);
    page.total = 15 + static_cast<int>(seed % 46);
    page.first = std::max(first, 1);
    // Past the last result there is nothing to list, and the position
    // arithmetic below stays far from the end of int.
    if (page.first > page.total)
        return page;
    const std::vector<Place> places = PlacesAround(lat, lng);
    for (int position = page.first; position < page.first + kPageSize && position <= page.total;
         ++position) {
        const uint64_t h = Hash(std::to_string(seed) + "#" + std::to_string(position));
        DemoBusiness business;
        business.title = std::string(kAdjectives[h % std::size(kAdjectives)]) + " " +
                         kNouns[(h >> 8) % std::size(kNouns)] + " " + kind + " (demo)";
        business.street = std::to_string(10 + (h >> 16) % 990) + " Demo St";
        const Place& place = places[(h >> 44) % places.size()];
        business.city = TownOf(place);
        business.region = place.region;
        business.areaCode = geo_.AreaCodeOf({place.lat, place.lng, business.city, place.region});
        business.phoneLine = "01" + TwoDigits(position);
        // Within a few hundred metres of its zip code's point, and no farther
        // than the land around that point reaches.
        const double room = std::max(place.landRoom, 0.0);
        business.lat =
            place.lat + (static_cast<double>((h >> 24) % 2001) - 1000) / 1000 * 0.002 * room;
        business.lng =
            place.lng + (static_cast<double>((h >> 36) % 2001) - 1000) / 1000 * 0.0025 * room;
        business.url = "http://example.com/demo/" + std::to_string(h % 100000);
        page.businesses.push_back(business);
    }
    return page;
}

} // namespace orbisk::server
