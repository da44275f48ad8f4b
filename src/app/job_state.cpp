// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/job_state.h"

#include "app/window_title.h"

namespace orbisk {

void JobState::BeginJob(int newJobCode) {
    busy = true;
    jobCode = newJobCode;
}

void JobState::FillSnapshot(JobSnapshot& job) const {
    job.jobCode = jobCode;
    job.actionCode = actionCode;
    job.locateMode = locateMode;
    job.inputs = inputs;
    job.keyword = keyword;
    job.counters = counters;
    job.searchLatitude = searchLatitude;
    job.searchLongitude = searchLongitude;
    job.lastCaption = lastCaption;
    job.lastParams = lastParams;
    job.localSearchResults = localSearchResults;
    job.canadian = canadianResult;
    job.shownCaption = shownCaption_;
}

void JobState::ApplyResult(const JobResult& result, const std::string& productTitle) {
    lastCaption = result.lastCaption;
    lastParams = result.lastParams;
    localSearchResults = result.localSearchResults;
    counters = result.counters;
    searchLatitude = result.searchLatitude;
    searchLongitude = result.searchLongitude;
    searchRestarted = result.searchRestarted;
    canadianResult = result.canadian;
    shownCaption_ = result.caption;
    caption_ = TitleBase(productTitle, result.caption);
}

LocalSearchStatus JobState::SearchStatus() {
    LocalSearchStatus status = ShowLocalSearchStatus(keyword, counters);
    counters.first = status.first;
    if (searchRestarted && !IsNoKeyword(keyword))
        status.text += kNewAreaRemark;
    status.previousEnabled = status.previousEnabled && !busy;
    return status;
}

// The old results go with their keyword, so no later job draws them again.
void JobState::ClearKeyword() {
    keyword.clear();
    searchRestarted = false;
    localSearchResults.clear();
    counters = LocalSearchCounters{0, 0, 1};
}

void JobState::NextPage(const std::string& fieldText) {
    counters.first = NextFirst(fieldText, keyword, counters);
    keyword = fieldText;
    actionCode = kActionNextPage;
}

void JobState::PreviousPage(const std::string& fieldText) {
    counters.first = PreviousFirst(fieldText, keyword, counters);
    keyword = fieldText;
    actionCode = kActionPreviousPage;
}

void JobState::RestartSearch(const std::string& fieldText) {
    keyword = fieldText;
    counters.first = 1;
    actionCode = kActionRestartSearch;
}

void JobState::ReplayFavorite(const std::string& title, const std::string& parameters) {
    lastCaption = title;
    lastParams = parameters;
    actionCode = kActionFavorite;
}

void JobState::MarkerSetLoaded(const std::string& markerSetCountry, int action) {
    canadianResult = markerSetCountry == "Canada";
    actionCode = action;
}

std::string JobState::Title(const std::string& productTitle, bool markersModified) const {
    return WindowTitle(caption_.empty() ? productTitle : caption_, markersModified);
}

} // namespace orbisk
