// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "jobs/map_request_builder.h"
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
// the job in flight. The window shows it; only these rules change it.
class JobState {
public:
    LocateMode Mode() const { return locateMode_; }
    const LocationInputs& Inputs() const { return inputs_; }
    // The current local search; "" when none.
    const std::string& Keyword() const { return keyword_; }
    const LocalSearchCounters& Counters() const { return counters_; }
    // Of the last finished job, as favorites keep it.
    const std::string& LastCaption() const { return lastCaption_; }
    const std::string& LastParams() const { return lastParams_; }
    const std::string& LocalSearchResults() const { return localSearchResults_; }
    int ActionCode() const { return actionCode_; }
    int JobCode() const { return jobCode_; }
    bool Canadian() const { return canadianResult_; }

    // The definitions' first place and keyword, before the first job.
    void StartWith(const LocationInputs& defaults);
    // Go: what the locate panel holds.
    void Locate(LocateMode mode, const LocationInputs& inputs);
    // A favorite takes the name the user gave the last place.
    void RenameLastPlace(const std::string& name) { lastCaption_ = name; }
    // A new job and what started it.
    void Begin(int actionCode, int jobCode);
    // The fields of a job's snapshot that this state holds.
    void FillSnapshot(JobSnapshot& job) const;
    // A finished job's counters, last place and local search answer, and the
    // title's caption.
    void ApplyResult(const JobResult& result, const std::string& productTitle);

    // The status line; without a current search the counters read from 1.
    // A search that began again because the map moved says so, and "<" waits
    // while a job runs.
    LocalSearchStatus SearchStatus(bool busy) const;
    void ClearKeyword();
    // ">", "<" and the restart icon, with the keyword field's text.
    void NextPage(const std::string& fieldText);
    void PreviousPage(const std::string& fieldText);
    void RestartSearch(const std::string& fieldText);
    // A favorite's place becomes the last place; the job replays it.
    void ReplayFavorite(const std::string& title, const std::string& parameters);
    // A marker set brings its own country.
    void MarkerSetLoaded(const std::string& markerSetCountry);

    // The product title, with the caption of the last located place once
    // there is one, and " *" while markers are unsaved.
    std::string Title(const std::string& productTitle, bool markersModified) const;

private:
    LocateMode locateMode_ = LocateMode::Phone;
    LocationInputs inputs_ = LocationInputs::BuiltInDefaults();
    std::string keyword_ = "Pizza";
    LocalSearchCounters counters_{0, 0, 1};
    std::string searchLatitude_; // where the last page was asked around
    std::string searchLongitude_;
    bool searchRestarted_ = false; // paging began again because the map had moved
    std::string lastCaption_;
    std::string lastParams_;
    std::string localSearchResults_;
    int actionCode_ = kActionStart;
    int jobCode_ = 0;
    bool canadianResult_ = false;
    std::string caption_;      // the title without its unsaved mark
    std::string shownCaption_; // the place or set it names
};

} // namespace orbisk
