#include "geo_data.h"

#include "common/atomic_file.h"
#include "common/leading_number.h"
#include "common/text.h"

#include <algorithm>
#include <cctype>
#include <cmath>

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
    return Lower(Trimmed(name)) + "|" + Upper(Trimmed(region));
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
        ReadTable(directory / "prefixes.tsv", 3, error, [&](const auto& f) {
            if (f[0].size() == 3)
                areaCodes_[f[0]] = f[2];
            else
                exchanges_[f[0]] = {0, 0, f[1], f[2]};
        });
    if (!loaded)
        return false;
    // Places known by their zip codes: the mean of their zips; cities win.
    std::unordered_map<std::string, std::pair<Place, int>> sums;
    for (const auto& [zip, place] : zips_) {
        auto& [sum, count] = sums[PlaceKey(place.name, place.region)];
        sum = {sum.lat + place.lat, sum.lng + place.lng, place.name, place.region};
        ++count;
    }
    for (const auto& [key, sum] : sums)
        places_[key] = {sum.first.lat / sum.second, sum.first.lng / sum.second, sum.first.name,
                        sum.first.region};
    for (const City& city : cities_)
        places_[PlaceKey(city.place.name, city.place.region)] = city.place;
    // An exchange lies at its city; one whose city is unknown at its region's centre.
    for (auto& [prefix, place] : exchanges_) {
        if (const auto city = CityIn(place.name, place.region)) {
            place.lat = city->lat;
            place.lng = city->lng;
        } else if (const Region* region = FindRegion(place.region)) {
            place.lat = region->lat;
            place.lng = region->lng;
        }
    }
    return true;
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
    if (compact.size() < 3)
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
    const std::string name = Trimmed(city);
    if (name.empty())
        return std::nullopt;
    const auto found = places_.find(PlaceKey(name, region));
    if (found != places_.end())
        return found->second;
    // "Washington D.C." and other spellings of the capital.
    const auto capital = places_.find(PlaceKey("Washington", "DC"));
    if (Upper(Trimmed(region)) == "DC" && capital != places_.end())
        return capital->second;
    return std::nullopt;
}

std::optional<Place> GeoData::Exchange(const std::string& npa, const std::string& nxx) const {
    if (const auto found = exchanges_.find(npa + nxx); found != exchanges_.end())
        return found->second;
    const auto area = areaCodes_.find(npa);
    if (area == areaCodes_.end())
        return std::nullopt;
    const Region* region = FindRegion(area->second);
    if (!region)
        return std::nullopt;
    // The region's largest city stands for an exchange the data does not know.
    for (const City& city : cities_)
        if (city.place.region == region->code)
            return city.place;
    return Place{region->lat, region->lng, "", region->code};
}

const Region* GeoData::FindRegion(const std::string& code) const {
    const auto found = regions_.find(Upper(Trimmed(code)));
    return found == regions_.end() ? nullptr : &found->second;
}

const City* GeoData::NearestCity(double lat, double lng) const {
    const City* nearest = nullptr;
    double best = 0;
    for (const City& city : cities_) {
        const double dx = (city.place.lng - lng) * std::cos(lat * M_PI / 180);
        const double dy = city.place.lat - lat;
        const double distance = dx * dx + dy * dy;
        if (!nearest || distance < best) {
            nearest = &city;
            best = distance;
        }
    }
    return nearest;
}

} // namespace orbisk::server
