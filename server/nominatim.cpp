// SPDX-License-Identifier: GPL-3.0-or-later
#include "nominatim.h"

#include "common/bounded_json.h"
#include "common/strict_number.h"
#include "common/text.h"
#include "html_text.h"

namespace orbisk::server {
namespace {

constexpr int kMaxDepth = 16;

void Add(std::string& url, const char* name, const std::string& value) {
    const std::string trimmed = Trimmed(value);
    if (!trimmed.empty())
        url += std::string("&") + name + "=" + EncodeQueryValue(trimmed);
}

} // namespace

std::string NominatimSearchUrl(const std::string& base, const StreetQuery& query) {
    std::string url = base;
    while (!url.empty() && url.back() == '/')
        url.pop_back();
    url += "/search?format=jsonv2&limit=1&countrycodes=" + EncodeQueryValue(query.country);
    Add(url, "street", Trimmed(query.number + " " + query.street));
    Add(url, "city", query.city);
    Add(url, "state", query.region);
    Add(url, "postalcode", query.postalCode);
    return url;
}

NominatimPlace ReadNominatimAnswer(const std::string& body) {
    const auto parsed = ParseBoundedJson(body, kMaxDepth);
    if (!parsed || !parsed->is_array())
        return {Outcome::Failed, {}, "the geocoder's answer is not a list of places"};
    if (parsed->empty())
        return {Outcome::NoMatch, {}, ""};
    const nlohmann::json& first = parsed->front();
    if (!first.is_object())
        return {Outcome::Failed, {}, "the geocoder's answer is not a list of places"};
    const auto lat = StrictLatitude(JsonText(first, "lat"));
    const auto lng = StrictLongitude(JsonText(first, "lon"));
    if (!lat || !lng)
        return {Outcome::Failed, {}, "the geocoder's place has no position in range"};
    return {Outcome::Found, {*lat, *lng}, ""};
}

} // namespace orbisk::server
