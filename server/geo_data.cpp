#include "geo_data.h"

#include "common/atomic_file.h"
#include "common/leading_number.h"
#include "common/text.h"
#include "place_names.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <unordered_set>

namespace orbisk::server {
namespace {

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', start)) {
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

// The largest table, the zip codes, is a few megabytes.
constexpr size_t kMaxTableBytes = 256u * 1024 * 1024;

// Calls `take` with the fields of every line that has at least `count`.
template <typename Take>
bool ReadTable(const std::filesystem::path& file, size_t count, std::string& error, Take take) {
    std::string text;
    if (!ReadWholeFile(file, kMaxTableBytes, text)) {
        error = "cannot read " + file.string() + " (build the server data first)";
        return false;
    }
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const std::vector<std::string> fields = Fields(text.substr(start, end - start));
        if (fields.size() >= count)
            take(fields);
        start = end + 1;
    }
    return true;
}

Place MakePlace(const std::string& lat, const std::string& lng, const std::string& name,
                const std::string& region) {
    return {LeadingNumber(lat), LeadingNumber(lng), name, region};
}

std::string PlaceKey(const std::string& name, const std::string& region) {
    return PlaceNameKey(name) + "|" + region;
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

// The first letter of a postal code names its province (X is shared by NT and NU).
const char* ProvinceOfLetter(char letter) {
    switch (letter) {
    case 'A': return "NL";
    case 'B': return "NS";
    case 'C': return "PE";
    case 'E': return "NB";
    case 'G':
    case 'H':
    case 'J': return "QC";
    case 'K':
    case 'L':
    case 'M':
    case 'N':
    case 'P': return "ON";
    case 'R': return "MB";
    case 'S': return "SK";
    case 'T': return "AB";
    case 'V': return "BC";
    case 'X': return "NT";
    case 'Y': return "YT";
    default: return nullptr;
    }
}

// "K1A" or "K1A0B1": letter, digit, letter, then digit, letter, digit.
bool IsPostalCodeShape(const std::string& compact) {
    if (compact.size() != 3 && compact.size() != 6)
        return false;
    for (size_t i = 0; i < compact.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(compact[i]);
        if (i % 2 == 0 ? !std::isalpha(c) : !std::isdigit(c))
            return false;
    }
    return true;
}

} // namespace

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return c < 0x80 ? static_cast<char>(std::tolower(c)) : static_cast<char>(c);
    });
    return text;
}

bool GeoData::Load(const std::filesystem::path& directory, std::string& error) {
    const bool loaded =
        ReadTable(directory / "regions.tsv", 5, error,
                  [&](const auto& f) {
                      regions_[f[0]] = {f[0], f[1], f[2], LeadingNumber(f[3]), LeadingNumber(f[4])};
                  }) &&
        ReadTable(directory / "zips.tsv", 5, error,
                  [&](const auto& f) { zips_[f[0]] = MakePlace(f[1], f[2], f[3], f[4]); }) &&
        ReadTable(directory / "fsa.tsv", 5, error,
                  [&](const auto& f) { fsas_[f[0]] = MakePlace(f[1], f[2], f[3], f[4]); }) &&
        ReadTable(directory / "cities.tsv", 5, error,
                  [&](const auto& f) {
                      cities_.push_back({MakePlace(f[2], f[3], f[0], f[1]),
                                         static_cast<long>(LeadingNumber(f[4]))});
                  }) &&
        ReadTable(directory / "towns.tsv", 5, error,
                  [&](const auto& f) { towns_.push_back(MakePlace(f[2], f[3], f[0], f[1])); }) &&
        ReadTable(directory / "prefixes.tsv", 3, error, [&](const auto& f) {
            if (f[0].size() == 3)
                areaCodes_[f[0]] = {0, 0, f[1], f[2]};
            else
                exchanges_[f[0]] = {0, 0, f[1], f[2]};
        });
    if (!loaded)
        return false;
    for (const auto& [code, region] : regions_) {
        regionCodes_[RegionKey(code)] = code;
        regionCodes_[RegionKey(region.name)] = code;
    }
    IndexPlaces();
    IndexCities();
    LocateAreaCodes(LocateExchanges());
    return true;
}

// Cities and towns by name, the larger of two namesakes first; then the places known
// only by their zip codes or forward sortation areas, at the mean of them.
void GeoData::IndexPlaces() {
    for (const City& city : cities_)
        places_.emplace(PlaceKey(city.place.name, city.place.region), city.place);
    for (const Place& town : towns_)
        places_.emplace(PlaceKey(town.name, town.region), town);
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

// An area code stands where most of its known exchanges are: at the city
// with the most of them (a mean would fall between the cities of a code as
// wide as Quebec's 418). A code without known exchanges lies at the city it
// is labelled with, else at its region's largest city.
void GeoData::LocateAreaCodes(const std::unordered_set<std::string>& located) {
    std::unordered_map<std::string, std::unordered_map<std::string, std::pair<int, Place>>> cities;
    for (const auto& prefix : located) {
        const Place& place = exchanges_.at(prefix);
        auto& [count, where] = cities[prefix.substr(0, 3)][place.name + "|" + place.region];
        ++count;
        where = place;
    }
    for (const auto& [npa, byCity] : cities) {
        const auto most =
            std::max_element(byCity.begin(), byCity.end(), [](const auto& a, const auto& b) {
                return a.second.first < b.second.first;
            });
        areaCodes_[npa] = most->second.second;
    }
    for (auto& [npa, code] : areaCodes_) {
        if (cities.count(npa))
            continue;
        const auto city = CityIn(code.name, code.region);
        const City* largest = LargestCityIn(code.region);
        const Region* region = FindRegion(code.region);
        if (city)
            code = *city;
        else if (largest)
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

std::optional<Place> GeoData::Zip(const std::string& zip) const {
    const auto found = zips_.find(Trimmed(zip));
    if (found == zips_.end())
        return std::nullopt;
    return found->second;
}

std::optional<Place> GeoData::PostalCode(const std::string& code) const {
    std::string compact;
    for (char c : code)
        if (std::isalnum(static_cast<unsigned char>(c)))
            compact += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (!IsPostalCodeShape(compact))
        return std::nullopt;
    if (const auto found = fsas_.find(compact.substr(0, 3)); found != fsas_.end())
        return found->second;
    const char* province = ProvinceOfLetter(compact[0]);
    const Region* region = province ? FindRegion(province) : nullptr;
    if (!region)
        return std::nullopt;
    return Place{region->lat, region->lng, "", region->code};
}

std::optional<Place> GeoData::CityIn(const std::string& city, const std::string& region) const {
    const std::string name = PlaceNameKey(city);
    const std::string code = RegionCode(region);
    if (name.empty() || code.empty())
        return std::nullopt;
    if (const auto found = places_.find(name + "|" + code); found != places_.end())
        return found->second;
    // "Quebec City", "Oklahoma City": the city is often named without the word.
    constexpr std::string_view kCity = " city";
    if (name.size() > kCity.size() && name.ends_with(kCity))
        if (const auto found =
                places_.find(name.substr(0, name.size() - kCity.size()) + "|" + code);
            found != places_.end())
            return found->second;
    // "Washington D.C." and other spellings of the capital.
    const auto capital = places_.find(PlaceKey("Washington", "DC"));
    if (code == "DC" && capital != places_.end())
        return capital->second;
    return std::nullopt;
}

std::string GeoData::RegionCode(const std::string& region) const {
    const std::string key = RegionKey(region);
    const auto found = regionCodes_.find(key);
    return found != regionCodes_.end() ? found->second : AbbreviatedRegion(key);
}

std::optional<Place> GeoData::Exchange(const std::string& npa, const std::string& nxx) const {
    if (IsNonGeographicAreaCode(npa))
        return std::nullopt;
    if (const auto found = exchanges_.find(npa + nxx); found != exchanges_.end())
        return found->second;
    // An exchange the data does not know lies in its own area code's area.
    const auto area = areaCodes_.find(npa);
    if (area == areaCodes_.end() || area->second.region.empty())
        return std::nullopt;
    return area->second;
}

bool IsNonGeographicAreaCode(const std::string& npa) {
    // Toll-free, premium, personal and carrier codes name no place.
    static const std::unordered_set<std::string> kCodes = {
        "800", "833", "844", "855", "866", "877", "888", "900", "500", "521", "522", "533",
        "544", "566", "577", "588", "600", "622", "700", "710", "880", "881", "882"};
    return kCodes.count(npa) > 0;
}

const Region* GeoData::FindRegion(const std::string& code) const {
    const auto found = regions_.find(Upper(Trimmed(code)));
    return found == regions_.end() ? nullptr : &found->second;
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

// Rings of cells around the point, nearest first, until no farther ring can
// hold a closer city. Distances are those of a flat map scaled at the
// point's latitude; of two cities as close, the larger (earlier) wins.
const City* GeoData::NearestCity(double lat, double lng) const {
    if (cities_.empty() || !std::isfinite(lat) || !std::isfinite(lng))
        return nullptr;
    const double scale = std::cos(lat * M_PI / 180);
    const int latCell = std::clamp(static_cast<int>(std::floor(lat)), -90, 89);
    const int lngCell = std::clamp(static_cast<int>(std::floor(lng)), -180, 179);
    const double step = std::min(1.0, std::abs(scale));
    size_t best = cities_.size();
    double bestDistance = 0;
    const auto consider = [&](int latAt, int lngAt) {
        if (latAt < -90 || latAt > 89)
            return;
        const int wrapped = ((lngAt + 180) % 360 + 360) % 360 - 180;
        for (uint32_t index : cells_[CellOf(latAt, wrapped)]) {
            const Place& place = cities_[index].place;
            const double dx = (place.lng - lng) * scale;
            const double dy = place.lat - lat;
            const double distance = dx * dx + dy * dy;
            if (best == cities_.size() || distance < bestDistance ||
                (distance == bestDistance && index < best)) {
                best = index;
                bestDistance = distance;
            }
        }
    };
    for (int ring = 0; ring <= 360; ++ring) {
        const double reach = (ring - 1) * step;
        if (best != cities_.size() && ring > 0 && reach * reach > bestDistance)
            break;
        for (int d = -ring; d <= ring; ++d) {
            consider(latCell - ring, lngCell + d);
            if (ring > 0)
                consider(latCell + ring, lngCell + d);
        }
        for (int d = -ring + 1; d <= ring - 1; ++d) {
            consider(latCell + d, lngCell - ring);
            consider(latCell + d, lngCell + ring);
        }
    }
    return &cities_[best];
}

} // namespace orbisk::server
