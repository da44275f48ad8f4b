// SPDX-License-Identifier: GPL-3.0-or-later
// Reading OpenStreetMap's answers: the documented forms, and what a failing
// or hostile service sends instead.
#include "data_table.h"
#include "html_text.h"
#include "nominatim.h"
#include "overpass.h"
#include "search_listings.h"
#include "settings/online_settings.h"

#include <gtest/gtest.h>

namespace orbisk::server {
namespace {

std::string Blank(const std::string& field) {
    return field == " " ? "" : field;
}

TEST(OnlineAnswers, NominatimAnswersAreReadAsDocumented) {
    const auto rows = test::DataTable("server/nominatim_answers.tsv");
    ASSERT_GE(rows.size(), 10u);
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 5u) << row[0];
        const NominatimPlace place = ReadNominatimAnswer(row[4]);
        const Outcome expected = row[1] == "found"     ? Outcome::Found
                                 : row[1] == "nomatch" ? Outcome::NoMatch
                                                       : Outcome::Failed;
        EXPECT_EQ(place.outcome, expected) << row[0];
        if (expected != Outcome::Found)
            continue;
        EXPECT_NEAR(place.at.lat, std::stod(row[2]), 1e-9) << row[0];
        EXPECT_NEAR(place.at.lng, std::stod(row[3]), 1e-9) << row[0];
    }
}

TEST(OnlineAnswers, OverpassElementsAreListedFromTheirTags) {
    const auto rows = test::DataTable("server/overpass_elements.tsv");
    ASSERT_GE(rows.size(), 10u);
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 11u) << row[0];
        std::string reason;
        const auto places =
            ReadOverpassAnswer("{\"version\":0.6,\"elements\":[" + row[10] + "]}", 40, -75, reason);
        ASSERT_TRUE(places) << row[0] << ": " << reason;
        ASSERT_EQ(places->size(), row[1] == "yes" ? 1u : 0u) << row[0];
        if (places->empty())
            continue;
        const SearchListing listing = OsmListingsPage(*places, 1).listings.at(0);
        EXPECT_EQ(listing.title, row[2]) << row[0];
        EXPECT_EQ(listing.street, Blank(row[3])) << row[0];
        EXPECT_EQ(listing.city, Blank(row[4])) << row[0];
        EXPECT_EQ(listing.region, Blank(row[5])) << row[0];
        EXPECT_EQ(listing.npa + listing.nxx + listing.line,
                  Blank(row[6]) + Blank(row[7]) + Blank(row[8]))
            << row[0];
        EXPECT_EQ(listing.url, row[9]) << row[0];
    }
}

TEST(OnlineAnswers, WhatIsNoAnswerGivesNothing) {
    const std::string deep(200000, '[');
    const std::string deepObject = "{\"elements\":[" + std::string(100000, '{') + "]}";
    for (const std::string& body :
         {std::string(""), std::string("{\"elements\":{}}"),
          std::string("<html>504 Gateway Timeout</html>"), std::string("{\"elements\":[{\"lat\":1"),
          deep, deepObject, std::string("{\"elements\":[\"\xff\xfe\"]}")}) {
        std::string reason;
        EXPECT_FALSE(ReadOverpassAnswer(body, 0, 0, reason)) << body.substr(0, 40);
        EXPECT_FALSE(reason.empty());
        EXPECT_EQ(ReadNominatimAnswer(body).outcome, Outcome::Failed) << body.substr(0, 40);
    }
}

TEST(OnlineAnswers, PlacesAreNumberedNearestFirstAndPaged) {
    std::string elements;
    for (int i = 14; i >= 0; --i)
        elements += std::string(elements.empty() ? "" : ",") +
                    "{\"type\":\"node\",\"lat\":" + std::to_string(41.88 + i * 0.001) +
                    ",\"lon\":-87.63,\"tags\":{\"name\":\"P" + std::to_string(i) + "\"}}";
    std::string reason;
    const auto places =
        ReadOverpassAnswer("{\"elements\":[" + elements + "]}", 41.88, -87.63, reason);
    ASSERT_TRUE(places);
    ASSERT_EQ(places->size(), 15u);
    EXPECT_EQ(places->front().name, "P0");
    EXPECT_EQ(PlacesFromText(PlacesToText(*places)).back().name, "P14");
    const struct {
        int first, total, listed;
        const char* firstName;
    } pages[] = {{1, 15, 10, "P0"}, {11, 15, 5, "P10"}, {0, 15, 10, "P0"}, {16, 15, 0, ""}};
    for (const auto& page : pages) {
        const ListingsPage listed = OsmListingsPage(*places, page.first);
        EXPECT_EQ(listed.total, page.total);
        EXPECT_FALSE(listed.demo);
        ASSERT_EQ(static_cast<int>(listed.listings.size()), page.listed) << page.first;
        if (page.listed)
            EXPECT_EQ(listed.listings[0].title, page.firstName);
    }
}

TEST(OnlineAnswers, TheKeywordIsMatchedAsPlainText) {
    const struct {
        const char* keyword;
        const char* pattern;
    } cases[] = {{"Pizza", "\"~\"Pizza\",i]"},
                 {"a.b", "\"~\"a\\\\.b\",i]"},
                 {"say \"hi\"", "\"~\"say \\\"hi\\\"\",i]"},
                 {"back\\slash", "\"~\"back\\\\\\\\slash\",i]"},
                 {"(.*)", "\"~\"\\\\(\\\\.\\\\*\\\\)\",i]"}};
    for (const auto& c : cases) {
        const std::string body =
            DecodeFormValue(OverpassQueryBody(c.keyword, 41.88, -87.63).substr(5));
        EXPECT_NE(body.find(c.pattern), std::string::npos) << c.keyword << " → " << body;
        EXPECT_NE(body.find("(around:5000,41.880000,-87.630000)"), std::string::npos);
    }
}

TEST(OnlineAnswers, NorthAmericanNumbersAreSplit) {
    const struct {
        const char* text;
        const char* digits; // empty when it is no such number
    } cases[] = {{"+1 416-555-0123", "4165550123"},
                 {"(416) 555 0123", "4165550123"},
                 {"14165550123", "4165550123"},
                 {"416.555.0123;416-555-0199", "4165550123"},
                 {"+33 1 42 68 53 00", ""},
                 {"555-0123", ""},
                 {"1-800-FLOWERS", ""},
                 {"016 555 0123", ""},
                 {"", ""}};
    for (const auto& c : cases) {
        std::string npa, nxx, line;
        const bool split = SplitNorthAmericanNumber(c.text, npa, nxx, line);
        EXPECT_EQ(split, *c.digits != '\0') << c.text;
        if (split)
            EXPECT_EQ(npa + nxx + line, c.digits) << c.text;
    }
}

TEST(OnlineAnswers, SettingsFileLines) {
    const struct {
        const char* text;
        const char* nominatim;
        const char* overpass;
        long intervalMs;
        size_t problems;
    } cases[] = {
        {"", "", "", 1000, 0},
        {"online = yes", kPublicNominatim, kPublicOverpass, 1000, 0},
        {"online=no\nnominatim = http://geo.example.org", "", "", 1000, 0},
        {"# office\nnominatim = https://geo.example.org/ # own\n", "https://geo.example.org/", "",
         1000, 0},
        {"online = yes\noverpass = http://10.0.0.5/api/interpreter", kPublicNominatim,
         "http://10.0.0.5/api/interpreter", 1000, 0},
        {"nominatim-interval = 0.2\nnominatim = http://g", "http://g", "", 200, 0},
        {"nominatim = file:///etc/passwd", "", "", 1000, 1},
        {"nominatim = http://", "", "", 1000, 1},
        {"nominatim-interval = nan\nonline = maybe\ncolour = blue", "", "", 1000, 3},
    };
    for (const auto& c : cases) {
        std::vector<std::string> problems;
        const OnlineSettings settings = ParseOnlineSettings(c.text, problems);
        EXPECT_EQ(settings.nominatim, c.nominatim) << c.text;
        EXPECT_EQ(settings.overpass, c.overpass) << c.text;
        EXPECT_EQ(settings.nominatimInterval.count(), c.intervalMs) << c.text;
        EXPECT_EQ(problems.size(), c.problems) << c.text;
    }
}

} // namespace
} // namespace orbisk::server
