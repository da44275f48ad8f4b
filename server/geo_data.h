// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace orbisk::server {

// A named point: a zip code's place, a city, a province's centre.
struct Place {
    double lat = 0;
    double lng = 0;
    std::string name;   // city or place; empty for a whole region
    std::string region; // two-letter state or province code
    // For a postal code: the share of a demo pin's stray from this point
    // that stays on land; negative when the point itself lies in water.
    double landRoom = 1;
};

struct City {
    Place place;
    long population = 0;
};

struct Region {
    std::string code;
    std::string name;
    std::string country; // "US" or "CA"
    double lat = 0;
    double lng = 0;
};

// The geographic data the stand-in services answer from, loaded once from
// the converted files of the data directory. Lookups are case-insensitive
// where people type names.
class GeoData {
public:
    // False, with `error` in plain words, when a file is missing or unreadable.
    bool Load(const std::filesystem::path& directory, std::string& error);

    std::optional<Place> Zip(const std::string& zip) const;
    // A forward sortation area (K1A) or a full postal code (K1A 0B1); falls
    // back to the province of the first letter, then its centre.
    std::optional<Place> PostalCode(const std::string& code) const;
    // A city in a state or province; also small places known only by zip codes.
    std::optional<Place> CityIn(const std::string& city, const std::string& region) const;
    // The place of an area code and exchange; an unknown exchange falls back
    // to its area code's area; toll-free and other non-geographic codes,
    // and codes not in service, give nothing.
    std::optional<Place> Exchange(const std::string& npa, const std::string& nxx) const;
    const Region* FindRegion(const std::string& code) const;
    // The two-letter code of a region given by code, name or abbreviation; empty when none.
    std::string RegionCode(const std::string& region) const;
    // Cities by falling population, for labels and demo places.
    const std::vector<City>& Cities() const { return cities_; }
    // Every town of 1,000 people, by falling population.
    const std::vector<City>& Towns() const { return towns_; }
    // What the data covers, for a check of the data files.
    struct Coverage {
        size_t areaCodes = 0;
        size_t areaCodesInService = 0;
        std::vector<std::string> unresolvedInService; // or placed outside their country
        size_t areaCodesWithExchanges = 0;
        size_t exchanges = 0;
        size_t exchangesAtTheirCity = 0; // the others fall back to their area code
        size_t placesUnitedStates = 0;
        size_t placesCanada = 0;
        size_t zips = 0;
        size_t sortationAreas = 0;
        size_t malformedLines = 0;
    };
    Coverage Covered() const;

    // The places of the zip codes and sortation areas within a box of half
    // sides `dLat` and `dLng` around a point, nearest first.
    std::vector<Place> PostalPlacesNear(double lat, double lng, double dLat, double dLng) const;

    // The city closest to a point, found in a grid of whole degrees.
    const City* NearestCity(double lat, double lng) const;
    // The area code most of the town's exchanges have; else the geographic
    // code of its region whose place lies nearest, an overlay given as the
    // code it overlays; "" when none.
    std::string AreaCodeOf(const Place& town) const;

private:
    void IndexPlaces();
    void IndexCities();
    static size_t CellOf(int latCell, int lngCell);
    std::unordered_set<std::string> LocateExchanges();
    void LocateAreaCodes(const std::unordered_set<std::string>& located);
    const City* LargestCityIn(const std::string& region) const;

    std::unordered_map<std::string, Place> zips_;
    std::unordered_map<std::string, Place> fsas_;
    std::unordered_map<std::string, Place> places_;    // "PlaceNameKey|REGION"
    std::unordered_map<std::string, Place> exchanges_; // NPA + exchange, or its first digits
    std::unordered_map<std::string, Place> areaCodes_; // NPA -> where it stands
    std::unordered_map<std::string, std::string> townAreaCodes_; // PlaceKey -> its NPA
    std::unordered_map<std::string, std::string> overlays_;      // overlay NPA -> base NPA
    std::unordered_map<std::string, std::string> inService_;     // NPA -> "US" or "CA"
    std::unordered_map<std::string, Region> regions_;
    std::unordered_map<std::string, std::string> regionCodes_; // RegionKey -> code
    std::vector<City> cities_;
    std::vector<City> towns_;                  // by falling population
    std::vector<std::vector<uint32_t>> cells_; // city indices by whole degree
    size_t malformedLines_ = 0;
    size_t exchangesAtTheirCity_ = 0;
    std::unordered_set<std::string> codesWithExchanges_;
};

// Toll-free, premium and other codes that name no place (800, 900, 500, ...).
bool IsNonGeographicAreaCode(const std::string& npa);

// Lower-case ASCII letters; other bytes unchanged.
std::string Lower(std::string text);

} // namespace orbisk::server
