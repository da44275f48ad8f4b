// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "markers/marker_set.h"
#include "protocol/map_view_state.h"
#include "search/local_search_status.h"
#include "services/http_client.h"
#include "services/location_inputs.h"
#include "services/service_definitions.h"

#include <expected>
#include <functional>
#include <optional>
#include <string>

namespace orbisk {

// The bits of a job code; sent as TYPE.
enum JobBits : int {
    kLocate = 0x01,
    kOmitMarkers = 0x02,
    kLocalSearch = 0x04,
    kSendResults = 0x08,
    kMarkerSetView = 0x10,
    kReplay = 0x20,
};

// Everything a job reads, copied from the window when the job starts, so the
// worker shares nothing with the window thread.
struct JobSnapshot {
    int jobCode = 0;
    int actionCode = 0;
    LocateMode locateMode = LocateMode::Phone;
    LocationInputs inputs;
    std::string keyword; // the current local search; "" when none
    LocalSearchCounters counters;
    // The point the current search's last page was asked around; "" when none.
    std::string searchLatitude;
    std::string searchLongitude;
    int browserWidth = 630;
    int browserHeight = 400;
    std::string lastCaption;
    // What the title names now: a marker set's title after one was shown.
    // A job that moves no place keeps it.
    std::string shownCaption;
    std::string lastParams;
    std::string localSearchResults;
    MapViewState mapView;
    MarkerSet markerSet;
    ServiceDefinitions definitions;
    std::string settingsFragment = "&MAPT=1&MAPC=0&ZOOM=6&VER=1.10";
    int defaultZoom = 6;
    std::string computerName;
    std::string proxyServer;
    bool canadian = false;
    HttpTimeouts timeouts = HttpTimeouts::ServiceCall();
};

// What the job produced: the request, and the state the window applies on its
// own thread before it navigates and sets the title.
struct JobResult {
    std::string caption;
    std::string parameters; // P, chosen by the job's bits
    std::string query;      // Q, P with the request and settings keys
    std::string body;
    std::string address;

    std::string lastCaption;
    std::string lastParams;
    std::string localSearchResults;
    LocalSearchCounters counters;
    // Where this job's search was asked around ("" when it ran none), and
    // whether paging restarted at 1 because the map had moved since the last page.
    std::string searchLatitude;
    std::string searchLongitude;
    bool searchRestarted = false;
    std::string searchError; // why the local search gave nothing, for the user
    std::string locateError; // why the place could not be looked up, for the user
    bool canadian = false;
    std::string markerSetCountry;
};

// Encodes a text; false when it can't (ParameterCodec::Encode by default).
using Encoder = std::function<bool(const std::string&, std::string&)>;

// The POST body: "QLM=" + Encode("Q=" + Encode(Q) + "&L=" + LS + "&M=" + MS),
// or the fallback forms with their "E=" notes when an encoding fails.
std::string ComposeBody(const std::string& query, const std::string& localSearch,
                        const std::string& markerSet, const Encoder& encode);

// Builds the map page request of one job: the locate step, the local search,
// P, Q, the body and the address. Runs on the worker. Throws
// std::invalid_argument when a fixed string it needs is missing.
JobResult BuildMapRequest(const JobSnapshot& job, const Encoder& encode = {});

// A job's result, or why there is none.
// A job's result, or why there is none, for the user.
using JobOutcome = std::expected<JobResult, std::string>;

JobOutcome RunJob(const JobSnapshot& job);

} // namespace orbisk
