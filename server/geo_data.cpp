// SPDX-License-Identifier: GPL-3.0-or-later
#include "geo_data.h"

#include "common/atomic_file.h"
#include "common/leading_number.h"
#include "common/text.h"
#include "place_names.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <tuple>
#include <unordered_set>

namespace orbisk::server {
namespace {

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
    // "Quebec City" is "Québec", "Dawson" is "Dawson City": the word is
    // often left out, on either side.
    constexpr std::string_view kCity = " city";
    const std::string other = name.ends_with(kCity) ? name.substr(0, name.size() - kCity.size())
                                                    : name + std::string(kCity);
    if (const auto found = places_.find(other + "|" + code);
        !other.empty() && found != places_.end())
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
    // The exchange itself, else the block of exchanges it begins (7185 for 718-5xx).
    for (size_t digits = std::min<size_t>(nxx.size(), 3); digits > 0; --digits)
        if (const auto found = exchanges_.find(npa + nxx.substr(0, digits));
            found != exchanges_.end())
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
// Rings of cells around the point, nearest first, until no farther ring can
// hold a closer city. Distances are those of a flat map scaled at the
// point's latitude; of two cities as close, the larger (earlier) wins.
std::string GeoData::AreaCodeOf(const Place& town) const {
    if (const auto own = townAreaCodes_.find(PlaceKey(town.name, town.region));
        own != townAreaCodes_.end())
        return own->second;
    const double lat = town.lat, lng = town.lng;
    const std::string& region = town.region;
    const double scale = std::cos(lat * M_PI / 180);
    std::string best;
    double bestDistance = 0;
    for (const auto& [code, place] : areaCodes_) {
        if (IsNonGeographicAreaCode(code) || place.region != region)
            continue;
        const auto overlaid = overlays_.find(code);
        const std::string& npa = overlaid == overlays_.end() ? code : overlaid->second;
        const double dx = (place.lng - lng) * scale;
        const double dy = place.lat - lat;
        const double distance = dx * dx + dy * dy;
        if (best.empty() || distance < bestDistance || (distance == bestDistance && npa < best)) {
            best = npa;
            bestDistance = distance;
        }
    }
    return best;
}

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

// A scan of every code: the demo search asks once per page.
std::vector<Place> GeoData::PostalPlacesNear(double lat, double lng, double dLat,
                                             double dLng) const {
    std::vector<std::pair<double, const Place*>> near;
    const double scale = std::cos(lat * M_PI / 180);
    for (const auto* codes : {&zips_, &fsas_})
        for (const auto& [code, place] : *codes)
            if (std::abs(place.lat - lat) <= dLat && std::abs(place.lng - lng) <= dLng)
                near.emplace_back(std::hypot(place.lat - lat, (place.lng - lng) * scale), &place);
    std::sort(near.begin(), near.end(), [](const auto& a, const auto& b) {
        return std::tie(a.first, a.second->lat, a.second->lng) <
               std::tie(b.first, b.second->lat, b.second->lng);
    });
    std::vector<Place> places;
    for (const auto& [distance, place] : near)
        places.push_back(*place);
    return places;
}

} // namespace orbisk::server
