// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "nominatim.h"

#include <optional>
#include <string>
#include <vector>

namespace orbisk::server {

// A named point of interest as OpenStreetMap's tags describe it.
struct OsmPlace {
    std::string name;
    std::string street; // "number street" from addr:*
    std::string city, region;
    std::string phone;   // as tagged
    std::string website; // http or https only
    UpstreamPoint at;
};

// Places within this many metres of the point are searched.
inline constexpr int kSearchRadiusMetres = 5000;
// At most this many places come from one answer.
inline constexpr size_t kMaxPlaces = 200;

// The form body of an Overpass query for named places around the point
// whose name, cuisine, shop or amenity matches the keyword, in any case. The
// keyword is matched as plain text, never as a pattern.
std::string OverpassQueryBody(const std::string& keyword, double lat, double lng);

// The named places of an answer, nearest the point first; nothing when the
// answer is not an Overpass JSON answer. Places without a name, or whose
// position is not a number in range, are left out.
std::optional<std::vector<OsmPlace>> ReadOverpassAnswer(const std::string& body, double lat,
                                                        double lng, std::string& reason);

// The places as tab-separated lines, for the cache, and back.
std::string PlacesToText(const std::vector<OsmPlace>& places);
std::vector<OsmPlace> PlacesFromText(const std::string& text);

} // namespace orbisk::server
