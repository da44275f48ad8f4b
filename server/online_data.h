// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "answer_cache.h"
#include "nominatim.h"
#include "online_settings_source.h"
#include "overpass.h"
#include "page_language.h"
#include "request_pacer.h"
#include "upstream_fetch.h"

#include <atomic>
#include <optional>
#include <string>
#include <vector>

namespace orbisk::server {

// OpenStreetMap's geocoder and local search, asked when the settings turn
// them on: each answer is cached, the geocoder is asked at its pace, and
// any failure gives nothing, so that the caller answers from the offline
// data at once.
class OnlineData {
public:
    OnlineData(OnlineSettingsSource& settings, AnswerCache& cache,
               UpstreamLimits limits = UpstreamLimits{});

    // The address's position, or nothing (no geocoder, no match, a failure).
    std::optional<UpstreamPoint> Street(const StreetQuery& query);
    // The named places around the point matching the keyword, nearest first,
    // or nothing when no local search is on or it failed.
    std::optional<std::vector<OsmPlace>> Places(const std::string& keyword, double lat, double lng);

    // A note for the map page when a service the user turned on failed in
    // the last minutes and has not answered since; empty otherwise.
    std::string OfflineNote(PageLanguage language = PageLanguage::English);

private:
    std::optional<std::string> Cached(const std::string& key);
    void Failed(const std::string& service, const std::string& reason);
    void Answered();

    OnlineSettingsSource& settings_;
    AnswerCache& cache_;
    UpstreamLimits limits_;
    RequestPacer nominatimPace_;
    std::atomic<long long> lastFailure_{0}; // steady-clock milliseconds
    // Which came last, a failure or an answer: two in one millisecond are
    // still in order.
    std::atomic<unsigned long long> outcomes_{0};
    std::atomic<unsigned long long> lastFailureOutcome_{0};
    std::atomic<unsigned long long> lastAnswerOutcome_{0};
};

} // namespace orbisk::server
