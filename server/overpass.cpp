// SPDX-License-Identifier: GPL-3.0-or-later
#include "overpass.h"

#include "common/bounded_json.h"
#include "common/number_format.h"
#include "common/strict_number.h"
#include "common/text.h"
#include "html_text.h"

#include <algorithm>
#include <cmath>

namespace orbisk::server {
namespace {

constexpr int kMaxDepth = 16;
constexpr size_t kMaxKeywordBytes = 100;

// The keyword as a regular expression matching it literally, inside an
// Overpass string literal.
std::string LiteralPattern(const std::string& keyword) {
    std::string pattern;
    for (const char c : keyword.substr(0, kMaxKeywordBytes)) {
        if (static_cast<unsigned char>(c) < ' ')
            continue;
        // The literal's own escape first, then the pattern's.
        const std::string literal =
            c == '\\' || c == '"' ? std::string("\\") + c : std::string(1, c);
        const bool special = std::string_view("\\^$.|?*+()[]{}").find(c) != std::string_view::npos;
        pattern += (special ? "\\\\" : "") + literal;
    }
    return pattern;
}

std::string Tag(const nlohmann::json& tags, const char* name, const char* alternative = nullptr) {
    std::string text = JsonText(tags, name);
    if (text.empty() && alternative)
        text = JsonText(tags, alternative);
    return text;
}

std::optional<UpstreamPoint> Position(const nlohmann::json& element) {
    const nlohmann::json* source = &element;
    if (const auto center = element.find("center"); center != element.end() && center->is_object())
        source = &*center;
    const auto lat = source->find("lat");
    const auto lon = source->find("lon");
    if (lat == source->end() || lon == source->end() || !lat->is_number() || !lon->is_number())
        return std::nullopt;
    const double y = lat->get<double>();
    const double x = lon->get<double>();
    if (!std::isfinite(y) || !std::isfinite(x) || std::abs(y) > 90 || std::abs(x) > 180)
        return std::nullopt;
    return UpstreamPoint{y, x};
}

std::optional<OsmPlace> PlaceOf(const nlohmann::json& element) {
    if (!element.is_object())
        return std::nullopt;
    const auto tags = element.find("tags");
    const auto at = Position(element);
    if (tags == element.end() || !tags->is_object() || !at)
        return std::nullopt;
    OsmPlace place;
    place.name = Tag(*tags, "name");
    if (Trimmed(place.name).empty())
        return std::nullopt;
    place.street = Trimmed(Tag(*tags, "addr:housenumber") + " " + Tag(*tags, "addr:street"));
    place.city = Tag(*tags, "addr:city");
    place.region = Tag(*tags, "addr:state", "addr:province");
    place.phone = Tag(*tags, "phone", "contact:phone");
    place.website = SafeLink(Tag(*tags, "website", "contact:website"));
    place.at = *at;
    return place;
}

double SquaredDistance(const UpstreamPoint& a, double lat, double lng) {
    const double dx = (a.lng - lng) * std::cos(lat * M_PI / 180);
    const double dy = a.lat - lat;
    return dx * dx + dy * dy;
}

// Tabs and line ends cannot be in a cached field: they separate fields.
std::string Field(const std::string& text) {
    std::string clean = text;
    std::replace_if(
        clean.begin(), clean.end(), [](char c) { return c == '\t' || c == '\n'; }, ' ');
    return clean;
}

} // namespace

std::string OverpassQueryBody(const std::string& keyword, double lat, double lng) {
    const std::string around = "(around:" + std::to_string(kSearchRadiusMetres) + "," +
                               FormatFixed(lat, 6) + "," + FormatFixed(lng, 6) + ")";
    const std::string pattern = LiteralPattern(Trimmed(keyword));
    std::string query = "[out:json][timeout:5];(";
    for (const char* key : {"name", "cuisine", "shop", "amenity"})
        query += "nwr" + around + "[\"name\"][\"" + key + "\"~\"" + pattern + "\",i];";
    query += ");out center tags " + std::to_string(kMaxPlaces) + ";";
    return "data=" + EncodeQueryValue(query);
}

std::optional<std::vector<OsmPlace>> ReadOverpassAnswer(const std::string& body, double lat,
                                                        double lng, std::string& reason) {
    const auto parsed = ParseBoundedJson(body, kMaxDepth);
    const nlohmann::json* elements = nullptr;
    if (parsed && parsed->is_object())
        if (const auto found = parsed->find("elements");
            found != parsed->end() && found->is_array())
            elements = &*found;
    if (!elements) {
        reason = "the local search's answer is not an Overpass answer";
        return std::nullopt;
    }
    std::vector<OsmPlace> places;
    for (const nlohmann::json& element : *elements)
        if (auto place = PlaceOf(element); place && places.size() < kMaxPlaces)
            places.push_back(std::move(*place));
    std::stable_sort(places.begin(), places.end(), [&](const OsmPlace& a, const OsmPlace& b) {
        return SquaredDistance(a.at, lat, lng) < SquaredDistance(b.at, lat, lng);
    });
    return places;
}

std::string PlacesToText(const std::vector<OsmPlace>& places) {
    std::string text;
    for (const OsmPlace& place : places)
        text += Field(place.name) + "\t" + Field(place.street) + "\t" + Field(place.city) + "\t" +
                Field(place.region) + "\t" + Field(place.phone) + "\t" + Field(place.website) +
                "\t" + FormatFixed(place.at.lat, 7) + "\t" + FormatFixed(place.at.lng, 7) + "\n";
    return text;
}

std::vector<OsmPlace> PlacesFromText(const std::string& text) {
    std::vector<OsmPlace> places;
    for (const std::string& line : Split(text, '\n')) {
        const std::vector<std::string> f = Split(line, '\t');
        const auto lat = f.size() == 8 ? StrictLatitude(f[6]) : std::nullopt;
        const auto lng = f.size() == 8 ? StrictLongitude(f[7]) : std::nullopt;
        if (lat && lng)
            places.push_back({f[0], f[1], f[2], f[3], f[4], f[5], {*lat, *lng}});
    }
    return places;
}

} // namespace orbisk::server
