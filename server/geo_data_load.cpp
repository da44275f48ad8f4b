// SPDX-License-Identifier: GPL-3.0-or-later
// Loading the converted tables and indexing them once at start-up.
#include "common/atomic_file.h"
#include "common/strict_number.h"
#include "common/text.h"
#include "geo_data.h"
#include "place_names.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_set>

namespace orbisk::server {
namespace {

// The largest table, the zip codes, is a few megabytes.
constexpr size_t kMaxTableBytes = 256u * 1024 * 1024;

// Calls `take` with the fields of every line that has at least `count`;
// other lines, and those `take` refuses, count as malformed.
template <typename Take>
bool ReadTable(const std::filesystem::path& file, size_t count, std::string& error,
               size_t& malformed, Take take) {
    std::string text;
    if (!ReadWholeFile(file, kMaxTableBytes, text)) {
        error = "cannot read " + file.string() + " (build the server data first)";
        return false;
    }
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const std::string line = text.substr(start, end - start);
        const std::vector<std::string> fields = Split(line, '\t');
        if (!line.empty() && (fields.size() < count || !take(fields)))
            ++malformed;
        start = end + 1;
    }
    return true;
}

// Sortation areas are named "Rimouski Central" or "Edmonton (north Central /
// ...)": the place is what comes before the part of town.
std::string FsaPlaceName(const std::string& name) {
    std::string place = Trimmed(name.substr(0, name.find(" (")));
    for (const char* part : {" Central", " North", " South", " East", " West", " Northeast",
                             " Northwest", " Southeast", " Southwest", " Downtown"}) {
        const std::string suffix = part;
        if (place.size() > suffix.size() &&
            place.compare(place.size() - suffix.size(), suffix.size(), suffix) == 0)
            return place.substr(0, place.size() - suffix.size());
    }
    return place;
}

// A place whose coordinates are numbers on the globe, or none.
std::optional<Place> MakePlace(const std::string& lat, const std::string& lng,
                               const std::string& name, const std::string& region) {
    const auto y = StrictLatitude(lat);
    const auto x = StrictLongitude(lng);
    if (!y || !x)
        return std::nullopt;
    return Place{*y, *x, name, region};
}

// A postal code's place, with its room on land when the table gives it
// (older tables have none: every point counts as inland).
std::optional<Place> MakePostalPlace(const std::vector<std::string>& f) {
    auto place = MakePlace(f[1], f[2], f[3], f[4]);
    if (!place || f.size() < 6)
        return place;
    const auto room = StrictNumber(f[5], -1, 1);
    if (!room)
        return std::nullopt;
    place->landRoom = *room;
    return place;
}

} // namespace

bool GeoData::Load(const std::filesystem::path& directory, std::string& error) {
    size_t& bad = malformedLines_;
    const auto into = [](auto& table, const std::string& key) {
        return [&table, key](const std::optional<Place>& place) {
            if (place)
                table[key] = *place;
            return place.has_value();
        };
    };
    const bool loaded =
        ReadTable(directory / "regions.tsv", 5, error, bad,
                  [&](const auto& f) {
                      const auto place = MakePlace(f[3], f[4], "", f[0]);
                      if (place)
                          regions_[f[0]] = {f[0], f[1], f[2], place->lat, place->lng};
                      return place.has_value();
                  }) &&
        ReadTable(directory / "zips.tsv", 5, error, bad,
                  [&](const auto& f) { return into(zips_, f[0])(MakePostalPlace(f)); }) &&
        ReadTable(directory / "fsa.tsv", 5, error, bad,
                  [&](const auto& f) { return into(fsas_, f[0])(MakePostalPlace(f)); }) &&
        ReadTable(directory / "cities.tsv", 5, error, bad,
                  [&](const auto& f) {
                      const auto place = MakePlace(f[2], f[3], f[0], f[1]);
                      const auto population = StrictInteger64(f[4], 0, 100000000);
                      if (place && population)
                          cities_.push_back({*place, static_cast<long>(*population)});
                      return place && population;
                  }) &&
        ReadTable(directory / "towns.tsv", 5, error, bad,
                  [&](const auto& f) {
                      const auto place = MakePlace(f[2], f[3], f[0], f[1]);
                      const auto population = StrictInteger64(f[4], 0, 100000000);
                      if (place && population)
                          towns_.push_back({*place, static_cast<long>(*population)});
                      return place && population;
                  }) &&
        ReadTable(directory / "overlays.tsv", 2, error, bad,
                  [&](const auto& f) {
                      overlays_[f[0]] = f[1];
                      return f[0].size() == 3 && f[1].size() == 3;
                  }) &&
        ReadTable(directory / "in_service.tsv", 2, error, bad,
                  [&](const auto& f) {
                      inService_[f[0]] = f[1];
                      return f[0].size() == 3 && (f[1] == "US" || f[1] == "CA");
                  }) &&
        ReadTable(directory / "prefixes.tsv", 3, error, bad, [&](const auto& f) {
            const bool digits = std::all_of(f[0].begin(), f[0].end(), ::isdigit);
            if (!digits || f[0].size() < 3 || f[0].size() > 6)
                return false;
            (f[0].size() == 3 ? areaCodes_ : exchanges_)[f[0]] = {0, 0, f[1], f[2]};
            return true;
        });
    if (!loaded)
        return false;
    for (const auto& [code, region] : regions_) {
        regionCodes_[RegionKey(code)] = code;
        regionCodes_[RegionKey(region.name)] = code;
    }
    IndexPlaces();
    IndexCities();
    const auto located = LocateExchanges();
    exchangesAtTheirCity_ = located.size();
    for (const auto& prefix : located)
        codesWithExchanges_.insert(prefix.substr(0, 3));
    LocateAreaCodes(located);
    return true;
}

GeoData::Coverage GeoData::Covered() const {
    Coverage coverage;
    coverage.areaCodes = areaCodes_.size();
    coverage.areaCodesWithExchanges = codesWithExchanges_.size();
    coverage.exchanges = exchanges_.size();
    coverage.exchangesAtTheirCity = exchangesAtTheirCity_;
    for (const auto& [key, place] : places_) {
        const Region* region = FindRegion(place.region);
        ++(region && region->country == "CA" ? coverage.placesCanada : coverage.placesUnitedStates);
    }
    coverage.zips = zips_.size();
    coverage.sortationAreas = fsas_.size();
    coverage.malformedLines = malformedLines_;
    coverage.areaCodesInService = inService_.size();
    for (const auto& [npa, country] : inService_) {
        const auto place = Exchange(npa, "");
        const Region* region = place ? FindRegion(place->region) : nullptr;
        if (!region || region->country != country)
            coverage.unresolvedInService.push_back(npa);
    }
    std::sort(coverage.unresolvedInService.begin(), coverage.unresolvedInService.end());
    return coverage;
}

// Cities and towns by name, the larger of two namesakes first; then the places known
// only by their zip codes or forward sortation areas, at the mean of them.
void GeoData::IndexPlaces() {
    for (const City& city : cities_)
        places_.emplace(PlaceKey(city.place.name, city.place.region), city.place);
    for (const City& town : towns_)
        places_.emplace(PlaceKey(town.place.name, town.place.region), town.place);
    std::unordered_map<std::string, std::pair<Place, int>> sums;
    const auto add = [&](const Place& place, const std::string& name) {
        auto& [sum, count] = sums[PlaceKey(name, place.region)];
        sum = {sum.lat + place.lat, sum.lng + place.lng, name, place.region};
        ++count;
    };
    for (const auto& [zip, place] : zips_)
        add(place, place.name);
    for (const auto& [fsa, place] : fsas_)
        add(place, FsaPlaceName(place.name));
    for (const auto& [key, sum] : sums)
        places_.emplace(key, Place{sum.first.lat / sum.second, sum.first.lng / sum.second,
                                   sum.first.name, sum.first.region});
}

// An exchange lies at its city. One whose city is unknown lies where its
// area code stands, once that is known. Gives the exchanges located.
std::unordered_set<std::string> GeoData::LocateExchanges() {
    std::unordered_set<std::string> located;
    // Thousands of exchanges share a city: each city is looked up once.
    std::unordered_map<std::string, std::optional<Place>> cities;
    for (auto& [prefix, place] : exchanges_) {
        auto [known, added] = cities.try_emplace(place.name + "|" + place.region);
        if (added)
            known->second = CityIn(place.name, place.region);
        if (const auto& city = known->second) {
            place.lat = city->lat;
            place.lng = city->lng;
            located.insert(prefix);
        }
    }
    return located;
}

// An area code stands at the largest city among its known exchanges (a
// mean would fall between the cities of a code as wide as Quebec's 418,
// and the most exchanges can belong to a small town, as 716's do). A code without known exchanges
// lies at the city it is labelled with, else where its base code stands when it is an overlay, else
// at its region's largest city.
void GeoData::LocateAreaCodes(const std::unordered_set<std::string>& located) {
    std::unordered_map<std::string, std::unordered_map<std::string, std::pair<int, Place>>> cities;
    std::unordered_map<std::string, std::map<std::string, int>> codesOfTown;
    for (const auto& prefix : located) {
        const Place& place = exchanges_.at(prefix);
        auto& [count, where] = cities[prefix.substr(0, 3)][place.name + "|" + place.region];
        ++count;
        where = place;
        ++codesOfTown[PlaceKey(place.name, place.region)][prefix.substr(0, 3)];
    }
    // A town's own code is the one most of its exchanges have; the first of equals.
    for (const auto& [town, codes] : codesOfTown)
        townAreaCodes_[town] =
            std::max_element(codes.begin(), codes.end(), [](const auto& a, const auto& b) {
                return a.second < b.second;
            })->first;
    std::unordered_map<std::string, long> populations;
    for (const City& town : towns_)
        populations.emplace(PlaceKey(town.place.name, town.place.region), town.population);
    for (const City& city : cities_)
        populations[PlaceKey(city.place.name, city.place.region)] = city.population;
    const auto weight = [&](const auto& entry) {
        const Place& place = entry.second.second;
        const auto found = populations.find(PlaceKey(place.name, place.region));
        return std::pair(found == populations.end() ? 0L : found->second, entry.second.first);
    };
    for (const auto& [npa, byCity] : cities) {
        const auto largest =
            std::max_element(byCity.begin(), byCity.end(),
                             [&](const auto& a, const auto& b) { return weight(a) < weight(b); });
        areaCodes_[npa] = largest->second.second;
    }
    for (auto& [npa, code] : areaCodes_) {
        if (cities.count(npa))
            continue;
        if (const auto city = CityIn(code.name, code.region))
            code = *city;
    }
    // An overlay shares its base code's area; only then is the region's
    // largest city a guess worth making.
    for (const auto& [overlay, base] : overlays_) {
        const auto found = areaCodes_.find(base);
        if (cities.count(overlay) || found == areaCodes_.end() || found->second.lat == 0)
            continue;
        areaCodes_[overlay] = found->second;
    }
    for (auto& [npa, code] : areaCodes_) {
        if (code.lat != 0 || code.lng != 0)
            continue;
        const City* largest = LargestCityIn(code.region);
        const Region* region = FindRegion(code.region);
        if (largest)
            code = largest->place;
        else if (region)
            code = {region->lat, region->lng, "", region->code};
    }
    for (auto& [prefix, place] : exchanges_) {
        if (located.count(prefix))
            continue;
        const auto code = areaCodes_.find(prefix.substr(0, 3));
        const Region* region = FindRegion(place.region);
        if (code != areaCodes_.end() && !code->second.region.empty()) {
            place.lat = code->second.lat;
            place.lng = code->second.lng;
        } else if (region) {
            place.lat = region->lat;
            place.lng = region->lng;
        }
    }
}

const City* GeoData::LargestCityIn(const std::string& region) const {
    for (const City& city : cities_)
        if (city.place.region == region)
            return &city;
    return nullptr;
}

// Whole degrees of latitude and longitude: the cell a point falls in.
size_t GeoData::CellOf(int latCell, int lngCell) {
    return static_cast<size_t>((latCell + 90) * 360 + (lngCell + 180));
}

void GeoData::IndexCities() {
    cells_.assign(180 * 360, {});
    for (size_t i = 0; i < cities_.size(); ++i) {
        const Place& place = cities_[i].place;
        const int latCell = std::clamp(static_cast<int>(std::floor(place.lat)), -90, 89);
        const int lngCell = std::clamp(static_cast<int>(std::floor(place.lng)), -180, 179);
        cells_[CellOf(latCell, lngCell)].push_back(static_cast<uint32_t>(i));
    }
}

} // namespace orbisk::server
