// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace orbisk::server {

// A street address as the client's street services receive it.
struct StreetQuery {
    std::string number, street, city, region, postalCode;
    std::string country; // "us" or "ca"
};

struct UpstreamPoint {
    double lat = 0, lng = 0;
};

enum class Outcome { Found, NoMatch, Failed };

struct NominatimPlace {
    Outcome outcome = Outcome::Failed;
    UpstreamPoint at;
    std::string reason; // why it failed
};

// The structured search of a Nominatim API at `base` for one address in its
// country, as JSON: at most one match.
std::string NominatimSearchUrl(const std::string& base, const StreetQuery& query);

// The first match of a search answer: an array of places whose "lat" and
// "lon" are numbers as text. An empty array is no match; anything else, or
// a match whose position is not a number in range, is a failed answer.
NominatimPlace ReadNominatimAnswer(const std::string& body);

} // namespace orbisk::server
