// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "protocol/map_request_builder.h"
#include "search/local_search_status.h"
#include "services/location_inputs.h"

#include <string>

namespace orbisk {

// Action codes: what started a job, sent with its request.
enum ActionCode : int {
    kActionStart = 0,
    kActionFavorite = 1,
    kActionSettings = 2,
    kActionGo = 3,
    kActionResize = 4,
    kActionNextPage = 5,
    kActionPreviousPage = 6,
    kActionRestartSearch = 7,
    kActionMarkerAdded = 8,
    kActionMarkerSetEdited = 9,
    kActionMarkerSetLoaded = 10,
    kActionCommandLineFile = 11,
};

// The state every job reads and writes, apart from any window: what to
// locate, the local search and its counters, the last located place, and
// the job in flight. The window shows it; these rules change it.
class JobState {
public:
    LocateMode locateMode = LocateMode::Phone;
    LocationInputs inputs = LocationInputs::BuiltInDefaults();
    std::string country = "United States";
    std::string keyword = "Pizza"; // the current local search; "" when none
    LocalSearchCounters counters{0, 0, 1};
    std::string searchLatitude; // where the last page was asked around
    std::string searchLongitude;
    bool searchRestarted = false; // paging began again because the map had moved
    std::string lastCaption;      // of the last finished job, as favorites keep it
    std::string lastParams;
    std::string localSearchResults;
    int actionCode = kActionStart;
    int jobCode = 0;
    bool busy = false;
    bool canadianResult = false;

    // A new job: busy until its page has loaded or failed.
    void BeginJob(int newJobCode);
    // The fields of a job's snapshot that this state holds.
    void FillSnapshot(JobSnapshot& job) const;
    // A finished job's counters, last place and local search answer, and the
    // title's caption.
    void ApplyResult(const JobResult& result, const std::string& productTitle);

    // The status line; without a current search the counters restart at 1.
    // A search that began again because the map moved says so.
    LocalSearchStatus SearchStatus();
    void ClearKeyword();
    // ">", "<" and the restart icon, with the keyword field's text.
    void NextPage(const std::string& fieldText);
    void PreviousPage(const std::string& fieldText);
    void RestartSearch(const std::string& fieldText);
    // A favorite's place becomes the last place; the job replays it.
    void ReplayFavorite(const std::string& title, const std::string& parameters);
    // A marker set brings its own country.
    void MarkerSetLoaded(const std::string& markerSetCountry, int action);

    // The product title, with the caption of the last located place once
    // there is one, and " *" while markers are unsaved.
    std::string Title(const std::string& productTitle, bool markersModified) const;

private:
    std::string caption_;      // the title without its unsaved mark
    std::string shownCaption_; // the place or set it names
};

} // namespace orbisk
