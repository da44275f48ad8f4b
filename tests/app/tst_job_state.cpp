// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/core/job_state.h"
#include "app/core/resize_settling.h"

#include <gtest/gtest.h>

namespace orbisk {
namespace {

// One paging command with the keyword field's text, the page the job asks
// for, the answer the job brings back and the status line that follows.
struct PagingStep {
    const char* command; // "next", "previous", "restart", "clear"
    const char* field;
    int askedFirst;
    LocalSearchCounters answer;
    const char* status;
    bool previousEnabled;
    bool restarted = false; // the job began again at 1: the map had moved
};

JobResult Answered(LocalSearchCounters counters) {
    JobResult result;
    result.counters = counters;
    return result;
}

void Apply(JobState& state, const PagingStep& step) {
    const std::string command = step.command;
    if (command == "next")
        state.NextPage(step.field);
    else if (command == "previous")
        state.PreviousPage(step.field);
    else if (command == "restart")
        state.RestartSearch(step.field);
    else
        state.ClearKeyword();
}

TEST(JobState, PagingFollowsTheKeywordAndTheAnswers) {
    const PagingStep steps[] = {
        {"next", "Pizza", 11, {29, 10, 11}, "11 to 20 of 29", true},
        {"next", "Pizza", 21, {29, 9, 21}, "21 to 29 of 29", true},
        {"previous", "Pizza", 12, {29, 10, 12}, "12 to 21 of 29", true},
        {"previous", "Pizza", 2, {29, 10, 2}, "2 to 11 of 29", true},
        {"previous", "Pizza", 1, {29, 10, 1}, "1 to 10 of 29", false},
        {"next", "Pizza", 11, {31, 10, 1}, "1 to 10 of 31 (new area)", false, true},
        {"next", "Coffee", 1, {-1, 10, 1}, "1 to 10", false},
        {"restart", "Coffee", 1, {0, 0, 1}, "0 to 0 of 0", false},
        {"clear", "", 1, {0, 0, 1}, " No current search", false},
    };
    JobState state;
    state.ApplyResult(Answered({29, 10, 1}), "Orbisk");
    for (const PagingStep& step : steps) {
        SCOPED_TRACE(std::string(step.command) + " " + step.field);
        Apply(state, step);
        EXPECT_EQ(state.Counters().first, step.askedFirst);
        JobResult result = Answered(step.answer);
        result.searchRestarted = step.restarted;
        state.ApplyResult(result, "Orbisk");
        const LocalSearchStatus status = state.SearchStatus(false);
        EXPECT_EQ(status.text, step.status);
        EXPECT_EQ(status.previousEnabled, step.previousEnabled);
    }
}

// A Go or a marker set ends the search: no later job draws its results again.
TEST(JobState, EndingASearchTakesItsResultsAlong) {
    JobState state;
    JobResult result = Answered({24, 10, 11});
    result.localSearchResults = "<ResultSet totalResultsAvailable=\"24\"/>";
    state.ApplyResult(result, "Orbisk");
    state.ClearKeyword();
    EXPECT_EQ(state.LocalSearchResults(), "");
    EXPECT_EQ(state.SearchStatus(false).text, " No current search");
    EXPECT_EQ(state.Counters().first, 1);
    // An answer that comes after the search ended pages from the first result.
    state.ApplyResult(Answered({24, 10, 11}), "Orbisk");
    EXPECT_EQ(state.Counters().first, 1);
}

TEST(JobState, AFinishedJobSetsTheLastPlaceAndTheTitle) {
    JobState state;
    EXPECT_EQ(state.Title("Orbisk", false), "Orbisk");
    JobResult result;
    result.caption = "Seattle, WA";
    result.lastCaption = "Seattle";
    result.lastParams = "SH=3&LAT=47.6";
    result.canadian = true;
    state.ApplyResult(result, "Orbisk");
    EXPECT_EQ(state.Title("Orbisk", false), "Orbisk - Seattle, WA");
    EXPECT_EQ(state.Title("Orbisk", true), "Orbisk - Seattle, WA *");
    EXPECT_EQ(state.LastParams(), "SH=3&LAT=47.6");
    JobSnapshot job;
    state.Begin(kActionMarkerSetLoaded, 16);
    state.FillSnapshot(job);
    EXPECT_TRUE(job.canadian);
    EXPECT_EQ(job.jobCode, 16);
    EXPECT_EQ(job.lastCaption, "Seattle");
    EXPECT_EQ(job.actionCode, kActionMarkerSetLoaded);
    // While the job runs, "<" stays grey whatever the counters say.
    state.ApplyResult(Answered({29, 10, 11}), "Orbisk");
    EXPECT_TRUE(state.SearchStatus(false).previousEnabled);
    EXPECT_FALSE(state.SearchStatus(true).previousEnabled);
    state.MarkerSetLoaded("United States");
    EXPECT_FALSE(state.Canadian());
}

// "r" a resize, "t" a tick; "!" is a tick that asks for a new map.
TEST(ResizeSettling, AsksOnceTheSizeHeldStillForTenTicks) {
    const struct {
        const char* events;
        const char* asks;
    } cases[] = {
        {"tttttttttttt", "tttttttttttt"},
        {"rtttttttttttt", "rttttttttttt!"},
        {"rtttttrtttttttttttt", "rtttttrttttttttttt!"},
        {"rtttttttttttttttttttt", "rttttttttttt!tttttttt"},
        {"rrtttttttttttt", "rrttttttttttt!"},
    };
    for (const auto& c : cases) {
        ResizeSettling settling;
        std::string asks;
        for (const char event : std::string(c.events)) {
            if (event == 'r')
                settling.Resized();
            asks += event == 't' && settling.Tick() ? '!' : event;
        }
        EXPECT_EQ(asks, c.asks) << c.events;
    }
}

} // namespace
} // namespace orbisk
