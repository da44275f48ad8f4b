// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_services.h"
#include "search/local_search_request.h"
#include "search/local_search_result_set.h"

#include <gtest/gtest.h>

namespace orbisk {
namespace {

std::string Param(const test::FakeServices::Received& received, const std::string& name) {
    const auto found = received.params.find(name);
    return found == received.params.end() ? "<absent>" : found->second;
}

class LocalSearchTest : public ::testing::Test {
protected:
    LocalSearchOutcome Run(bool canadian, LocalSearchCounters counters = {0, 0, 1},
                           const char* keyword = "pizza") {
        return RunLocalSearch("45.42", "-75.70", keyword, counters, canadian,
                              {&definitions, "", {}});
    }

    test::FakeServices services;
    ServiceDefinitions definitions = services.Definitions();
};

TEST_F(LocalSearchTest, UnitedStatesAnswersGoToTheMapUnchanged) {
    const std::string answer = test::ReadTestData("answers/result_set_us.xml");
    services.Answer("/us-search", answer);
    const LocalSearchOutcome outcome = Run(false, {0, 0, 11}, "pizza & pasta, 2.0?");
    EXPECT_EQ(outcome.resultsText, answer);
    EXPECT_EQ(outcome.counters.total, 125);
    EXPECT_EQ(outcome.counters.returned, 2);
    EXPECT_EQ(outcome.counters.first, 11);
    const auto received = services.Requests().at(0);
    EXPECT_EQ(Param(received, "lat") + " " + Param(received, "lng"), "45.42 -75.70");
    EXPECT_EQ(Param(received, "start"), "11");
    EXPECT_EQ(Param(received, "q"), "pizza & pasta, 2.0?") << "the escaped keyword arrives whole";
}

TEST_F(LocalSearchTest, AnAnswerThatIsNotXmlIsSentButCountsNothing) {
    services.Answer("/us-search", "<html>busy");
    const LocalSearchOutcome outcome = Run(false, {50, 10, 21});
    EXPECT_EQ(outcome.resultsText, "<html>busy");
    EXPECT_EQ(outcome.counters.total, 50);
    EXPECT_EQ(outcome.counters.first, 21);
}

TEST_F(LocalSearchTest, FailedOrSkippedSearchesKeepTheCounters) {
    definitions.geocoders.erase(definitions.geocoders.begin() + 5);
    const LocalSearchOutcome outcome = Run(false, {50, 10, 21});
    EXPECT_EQ(outcome.resultsText, "");
    EXPECT_EQ(outcome.counters.total, 50);
    EXPECT_EQ(outcome.error, "") << "a service the definitions do not offer is no failure";
    EXPECT_EQ(
        RunLocalSearch("", "-75", "pizza", {1, 1, 1}, false, {&definitions, "", {}}).counters.total,
        1);
    EXPECT_TRUE(services.Requests().empty());
}

// A service that is offered but cannot be reached says so, in both countries.
TEST_F(LocalSearchTest, AServiceThatDoesNotAnswerSaysSo) {
    for (GeoCoderDefinition& geocoder : definitions.geocoders)
        for (RequestDefinition& request : geocoder.requests)
            request.server = "127.0.0.1:1";
    for (bool canadian : {false, true}) {
        const LocalSearchOutcome outcome = Run(canadian, {50, 10, 21});
        EXPECT_EQ(outcome.error.rfind("The local search service did not answer (127.0.0.1:", 0), 0u)
            << outcome.error;
        EXPECT_EQ(outcome.counters.total, 50);
    }
}

TEST_F(LocalSearchTest, CanadaRecordsBecomeAResultSetWithoutRepeats) {
    services.Answer("/ca-search",
                    test::ReadTestData("answers/local_search_ca.txt") +
                        "<r>Maple Pizza (demo)|12 Bank St|613-555-0101|45.4201|-75.7003</r>");
    const LocalSearchOutcome outcome = Run(true, {0, 0, 1});
    EXPECT_EQ(outcome.counters.total, -1);
    EXPECT_EQ(outcome.counters.returned, 3);
    EXPECT_EQ(outcome.counters.first, 1);
    LocalSearchResultSet set;
    ASSERT_TRUE(set.ReadResultSet(outcome.resultsText));
    ASSERT_EQ(set.results.size(), 3u);
    EXPECT_EQ(set.results[0].title, "Byward Oven (demo)");
    EXPECT_EQ(set.totalResultsAvailable, -1);
    EXPECT_EQ(set.resultSetMapUrl, "lat=45.42&lng=-75.70&q=pizza&first=1");
}

TEST_F(LocalSearchTest, ACanadaSearchThatFindsNothingShowsNoResult) {
    services.Answer("/ca-search", "no results here");
    const LocalSearchOutcome outcome = Run(true, {7, 7, 1});
    EXPECT_EQ(outcome.counters.returned, 0);
    EXPECT_EQ(outcome.counters.total, -1);
    LocalSearchResultSet set;
    ASSERT_TRUE(set.ReadResultSet(outcome.resultsText));
    EXPECT_TRUE(set.results.empty());
}

} // namespace
} // namespace orbisk
