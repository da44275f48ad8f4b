// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_services.h"
#include "search/local_search_result_set.h"
#include "services/param_slot.h"

#include <gtest/gtest.h>

namespace orbisk {
namespace {

std::vector<std::string> Record(const std::string& name, const std::string& npa = "613") {
    std::vector<std::string> values(kSlotCount);
    values[Npa] = npa;
    values[Nxx] = "555";
    values[Xxxx] = "0123";
    values[StreetLine] = "12 Bank St";
    values[City] = "Ottawa";
    values[State] = "ON ";
    values[Zip] = "K1P5N2";
    values[Name1] = name;
    values[Name2] = " (demo)";
    values[Latitude] = "45.42";
    values[Longitude] = "-75.70";
    values[Country] = "CA";
    return values;
}

TEST(ReadResultSet, ReadsCountersResultsAndTheLastMapUrl) {
    LocalSearchResultSet set;
    ASSERT_TRUE(set.ReadResultSet(test::ReadTestData("answers/result_set_us.xml")));
    EXPECT_EQ(set.totalResultsAvailable, 125);
    EXPECT_EQ(set.totalResultsReturned, 2);
    EXPECT_EQ(set.firstResultPosition, 11);
    ASSERT_EQ(set.results.size(), 2u);
    EXPECT_EQ(set.results[0].title, "Capitol Slice & Grill (demo)")
        << "a repeated element replaces";
    EXPECT_EQ(set.results[0].phone, "(202) 555-0111");
    EXPECT_EQ(set.results[0].businessUrl, "http://example.org/slice");
    EXPECT_EQ(set.results[1].city, "");
    EXPECT_EQ(set.resultSetMapUrl, "http://example.org/map?q=pizza");
}

TEST(ReadResultSet, OtherDocumentsGiveZeroCountersAndNonXmlFails) {
    LocalSearchResultSet set;
    set.totalResultsAvailable = 9;
    ASSERT_TRUE(set.ReadResultSet("<Error>over quota</Error>"));
    EXPECT_EQ(set.totalResultsAvailable + set.totalResultsReturned + set.firstResultPosition, 0);
    EXPECT_FALSE(set.ReadResultSet("<html><body>Service unavailable"));
    ASSERT_TRUE(set.ReadResultSet("<ResultSet totalResultsAvailable=\"x\"/>"));
    EXPECT_EQ(set.totalResultsAvailable, 0);
}

TEST(FromRecords, BuildsResultsFromFifteenValuesEach) {
    std::vector<std::string> values = Record("Maple Pizza");
    const auto second = Record("No Phone", "");
    values.insert(values.end(), second.begin(), second.end());
    LocalSearchResultSet set;
    ASSERT_TRUE(set.FromRecords(values));
    EXPECT_EQ(set.totalResultsReturned, 2);
    EXPECT_EQ(set.totalResultsAvailable, -1);
    const LocalSearchResult& first = set.results[0];
    EXPECT_EQ(first.title, "Maple Pizza (demo)");
    EXPECT_EQ(first.phone, "(613)555-0123");
    EXPECT_EQ(first.address, "12 Bank St");
    EXPECT_EQ(first.state, "ON K1P5N2");
    EXPECT_EQ(first.latitude + first.longitude, "45.42-75.70");
    EXPECT_EQ(first.businessUrl, "");
    EXPECT_EQ(set.results[1].phone, "") << "no area code, no phone";
    values.pop_back();
    ASSERT_TRUE(set.FromRecords(values));
    EXPECT_EQ(set.results.size(), 1u) << "a partial record is no record";
}

TEST(ResultSetToXml, WritesResultsInReverseWithTheMapUrlLast) {
    LocalSearchResultSet set;
    for (const char* title : {"A", "B", "C"})
        set.results.push_back({title, "", "", "", "", "1", "2", ""});
    set.totalResultsAvailable = -1;
    set.totalResultsReturned = 3;
    set.firstResultPosition = 1;
    set.resultSetMapUrl = "lat=1&q=a b";
    std::string text;
    ASSERT_TRUE(set.ToXml(text));
    EXPECT_EQ(text.rfind("<ResultSet totalResultsAvailable=\"-1\" totalResultsReturned=\"3\" "
                         "firstResultPosition=\"1\"><Result>",
                         0),
              0u);
    EXPECT_LT(text.find("<Title>C</Title>"), text.find("<Title>B</Title>"));
    EXPECT_LT(text.find("<Title>B</Title>"), text.find("<Title>A</Title>"));
    EXPECT_NE(
        text.find(
            "<Title>A</Title><Address/><City/><State/><Phone/><Latitude>1</Latitude><Longitude>2"
            "</Longitude><BusinessUrl/></Result><ResultSetMapUrl>lat=1&amp;q=a b</ResultSetMapUrl>"
            "</ResultSet>"),
        std::string::npos);
    LocalSearchResultSet read;
    ASSERT_TRUE(read.ReadResultSet(text));
    EXPECT_EQ(read.results.size(), 3u);
    EXPECT_EQ(read.results[0].title, "C");
    EXPECT_EQ(read.resultSetMapUrl, "lat=1&q=a b");
}

} // namespace
} // namespace orbisk
