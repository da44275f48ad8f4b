// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/core/job_state.h"

#include "app/core/window_title.h"

namespace orbisk {

void JobState::StartWith(const LocationInputs& defaults) {
    inputs_ = defaults;
    keyword_ = defaults.localSearchKey;
}

void JobState::Locate(LocateMode mode, const LocationInputs& inputs) {
    locateMode_ = mode;
    inputs_ = inputs;
}

void JobState::Begin(int actionCode, int jobCode) {
    actionCode_ = actionCode;
    jobCode_ = jobCode;
}

void JobState::FillSnapshot(JobSnapshot& job) const {
    job.jobCode = jobCode_;
    job.actionCode = actionCode_;
    job.locateMode = locateMode_;
    job.inputs = inputs_;
    job.keyword = keyword_;
    job.counters = counters_;
    job.searchLatitude = searchLatitude_;
    job.searchLongitude = searchLongitude_;
    job.lastCaption = lastCaption_;
    job.lastParams = lastParams_;
    job.localSearchResults = localSearchResults_;
    job.canadian = canadianResult_;
    job.shownCaption = shownCaption_;
}

void JobState::ApplyResult(const JobResult& result, const std::string& productTitle) {
    lastCaption_ = result.lastCaption;
    lastParams_ = result.lastParams;
    localSearchResults_ = result.localSearchResults;
    counters_ = result.counters;
    // Without a search, paging starts again from the first result.
    if (IsNoKeyword(keyword_))
        counters_.first = 1;
    searchLatitude_ = result.searchLatitude;
    searchLongitude_ = result.searchLongitude;
    searchRestarted_ = result.searchRestarted;
    canadianResult_ = result.canadian;
    shownCaption_ = result.caption;
    caption_ = TitleBase(productTitle, result.caption);
}

LocalSearchStatus JobState::SearchStatus(bool busy) const {
    LocalSearchStatus status = ShowLocalSearchStatus(keyword_, counters_);
    if (searchRestarted_ && !IsNoKeyword(keyword_))
        status.text += NewAreaRemark();
    status.previousEnabled = status.previousEnabled && !busy;
    return status;
}

// The old results go with their keyword, so no later job draws them again.
void JobState::ClearKeyword() {
    keyword_.clear();
    searchRestarted_ = false;
    localSearchResults_.clear();
    counters_ = LocalSearchCounters{0, 0, 1};
}

void JobState::NextPage(const std::string& fieldText) {
    counters_.first = NextFirst(fieldText, keyword_, counters_);
    keyword_ = fieldText;
}

void JobState::PreviousPage(const std::string& fieldText) {
    counters_.first = PreviousFirst(fieldText, keyword_, counters_);
    keyword_ = fieldText;
}

void JobState::RestartSearch(const std::string& fieldText) {
    keyword_ = fieldText;
    counters_.first = 1;
}

void JobState::ReplayFavorite(const std::string& title, const std::string& parameters) {
    lastCaption_ = title;
    lastParams_ = parameters;
}

void JobState::MarkerSetLoaded(const std::string& markerSetCountry) {
    canadianResult_ = markerSetCountry == "Canada";
}

std::string JobState::Title(const std::string& productTitle, bool markersModified) const {
    return WindowTitle(caption_.empty() ? productTitle : caption_, markersModified);
}

} // namespace orbisk
