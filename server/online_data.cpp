// SPDX-License-Identifier: GPL-3.0-or-later
#include "online_data.h"

#include "common/number_format.h"
#include "common/strict_number.h"
#include "common/text.h"

#include <cmath>
#include <iostream>

namespace orbisk::server {
namespace {

// The note stays this long after a failure with no answer since.
constexpr long long kNoteMs = 3 * 60 * 1000;
// A lookup waits at most this long for its turn at the geocoder.
constexpr std::chrono::milliseconds kMaxQueueWait{5000};

long long NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::string Lower(const std::string& text) {
    std::string lower = text;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

} // namespace

OnlineData::OnlineData(OnlineSettingsSource& settings, AnswerCache& cache, UpstreamLimits limits)
    : settings_(settings), cache_(cache), limits_(limits) {}

std::optional<UpstreamPoint> OnlineData::Street(const StreetQuery& query) {
    const OnlineSettings settings = settings_.Current();
    if (settings.nominatim.empty() || Trimmed(query.street).empty())
        return std::nullopt;
    const std::string url = NominatimSearchUrl(settings.nominatim, query);
    // The cache holds "lat,lng", or "" for an address the geocoder does not know.
    if (const auto cached = cache_.Get("nominatim " + Lower(url))) {
        const std::vector<std::string> pair = Split(*cached, ',');
        const auto lat = pair.size() == 2 ? StrictLatitude(pair[0]) : std::nullopt;
        const auto lng = pair.size() == 2 ? StrictLongitude(pair[1]) : std::nullopt;
        if (!lat || !lng)
            return std::nullopt;
        return UpstreamPoint{*lat, *lng};
    }
    if (!nominatimPace_.WaitTurn(settings.nominatimInterval, kMaxQueueWait)) {
        Failed("the geocoder", "too many lookups are waiting");
        return std::nullopt;
    }
    const UpstreamAnswer answer = FetchUpstream(url, limits_);
    const NominatimPlace place = answer.ok ? ReadNominatimAnswer(answer.body)
                                           : NominatimPlace{Outcome::Failed, {}, answer.reason};
    if (place.outcome == Outcome::Failed) {
        Failed("the geocoder", place.reason);
        return std::nullopt;
    }
    Answered();
    if (place.outcome == Outcome::NoMatch) {
        cache_.Put("nominatim " + Lower(url), "");
        return std::nullopt;
    }
    cache_.Put("nominatim " + Lower(url),
               FormatFixed(place.at.lat, 7) + "," + FormatFixed(place.at.lng, 7));
    return place.at;
}

std::optional<std::vector<OsmPlace>> OnlineData::Places(const std::string& keyword, double lat,
                                                        double lng) {
    const OnlineSettings settings = settings_.Current();
    if (settings.overpass.empty() || Trimmed(keyword).empty())
        return std::nullopt;
    // Every page of one search comes from one answer: the key rounds the
    // centre to about a hundred metres.
    const std::string body = OverpassQueryBody(Lower(keyword), std::round(lat * 1000) / 1000,
                                               std::round(lng * 1000) / 1000);
    const std::string key = "overpass " + settings.overpass + " " + body;
    if (const auto cached = cache_.Get(key))
        return PlacesFromText(*cached);
    const UpstreamAnswer answer = PostUpstream(settings.overpass, body, limits_);
    std::string reason = answer.reason;
    auto places = answer.ok ? ReadOverpassAnswer(answer.body, lat, lng, reason) : std::nullopt;
    if (!places) {
        Failed("the local search", reason);
        return std::nullopt;
    }
    Answered();
    cache_.Put(key, PlacesToText(*places));
    return places;
}

std::string OnlineData::OfflineNote(PageLanguage language) {
    if (!settings_.Current().Any())
        return "";
    const long long failure = lastFailure_;
    if (failure == 0 || lastFailureOutcome_ < lastAnswerOutcome_ || NowMs() - failure > kNoteMs)
        return "";
    return TextsFor(language).onlineUnreachable;
}

void OnlineData::Failed(const std::string& service, const std::string& reason) {
    lastFailure_ = NowMs();
    lastFailureOutcome_ = ++outcomes_;
    std::cerr << "orbisk-server: " << service << " failed (" << reason
              << "); answering from the offline data\n";
}

void OnlineData::Answered() {
    lastAnswerOutcome_ = ++outcomes_;
}

} // namespace orbisk::server
