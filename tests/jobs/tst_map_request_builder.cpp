// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_services.h"
#include "jobs/map_request_builder.h"
#include "protocol/parameter_codec.h"
#include "raw_http_server.h"

#include <gtest/gtest.h>

namespace orbisk {
namespace {

std::string Decoded(const std::string& encoded) {
    std::string text;
    EXPECT_TRUE(ParameterCodec().Decode(encoded, text)) << encoded.substr(0, 40);
    return text;
}

// The three parts of a "QLM=" body, decoded.
struct Body {
    std::string q, l, m;
};

Body Open(const std::string& body) {
    EXPECT_EQ(body.rfind("QLM=", 0), 0u) << body.substr(0, 40);
    const std::string w = Decoded(body.substr(4));
    const size_t l = w.find("&L=");
    const size_t m = w.find("&M=");
    EXPECT_EQ(w.rfind("Q=", 0), 0u);
    Body parts;
    parts.q = Decoded(w.substr(2, l - 2));
    const std::string ls = w.substr(l + 3, m - l - 3);
    const std::string ms = w.substr(m + 3);
    parts.l = ls.empty() ? "" : Decoded(ls);
    parts.m = ms.empty() ? "" : Decoded(ms);
    return parts;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.rfind(prefix, 0) == 0;
}

class MapRequestTest : public ::testing::Test {
protected:
    void SetUp() override {
        job.inputs = LocationInputs::BuiltInDefaults();
        job.keyword = "Pizza";
        job.definitions = services.Definitions();
        job.mapView = {"-80", "-70", "35", "40", 6};
        job.computerName = "desk.example.org";
    }
    JobResult Build(int code, int action = 0) {
        job.jobCode = code;
        job.actionCode = action;
        return BuildMapRequest(job);
    }
    void AddMarker() {
        Marker marker;
        marker.lat = "38.9";
        marker.lng = "-77.0";
        marker.title = "Home & away";
        job.markerSet.AddMarker(marker);
        job.markerSet.title = "Trip";
        job.markerSet.centerLat = "38.89874800";
        job.markerSet.centerLng = "-77.03768400";
        job.markerSet.zoom = 9;
    }

    test::FakeServices services;
    JobSnapshot job;
};

TEST_F(MapRequestTest, LatLngLocatesWithoutAnyService) {
    job.locateMode = LocateMode::LatLng;
    const JobResult result = Build(1, 3);
    EXPECT_EQ(result.parameters, "SH=3&NS=3&LAT=38.898748&LNG=-77.037684&INFO0=&INFO1=Latitute/"
                                 "Longitute: &INFO2=38.898748/-77.037684");
    EXPECT_EQ(result.caption, "Latitute/Longitute: 38.898748/-77.037684");
    EXPECT_EQ(result.lastParams, result.parameters);
    EXPECT_EQ(result.lastCaption, result.caption);
    EXPECT_EQ(result.query, result.parameters +
                                "&WI=600&HE=370&TYPE=1&NAME=desk.example.org&ACTION=3&DE=7"
                                "&MAPT=1&MAPC=0&ZOOM=6&VER=1.10");
    EXPECT_EQ(result.address, "http://" + services.Host() + "/map/default.asp");
    EXPECT_EQ(Open(result.body).q, result.query);
    EXPECT_TRUE(services.Requests().empty());
}

TEST_F(MapRequestTest, TheStartUpJobLocatesThePhoneAndSearchesAroundIt) {
    services.Answer("/phone", test::ReadTestData("answers/phone_lookup.html"));
    services.Answer("/us-search", test::ReadTestData("answers/result_set_us.xml"));
    const JobResult result = Build(13);
    EXPECT_EQ(result.caption, "Phone: (202)456-1414");
    EXPECT_TRUE(StartsWith(result.parameters,
                           "SH=0&NS=3&NPA=202&NXX=456&XXXX=1414&LAT=38.897700&LNG=-77.036500"
                           "&FZ=-1&INFO0=Phone: (202) 456-1414&INFO1=White House Visitor Office"))
        << result.parameters;
    EXPECT_EQ(result.counters.total, 125);
    EXPECT_EQ(result.localSearchResults, test::ReadTestData("answers/result_set_us.xml"));
    EXPECT_EQ(Open(result.body).l, result.localSearchResults);
    const auto search = services.Requests().back();
    EXPECT_EQ(search.path, "/us-search");
    EXPECT_EQ(search.params.find("lat")->second, "38.897700");
    EXPECT_EQ(search.params.find("q")->second, "Pizza");
}

TEST_F(MapRequestTest, AFailedLocateSendsTheRawKeysWithTheModeAsState) {
    const JobResult result = Build(13);
    EXPECT_TRUE(
        StartsWith(result.parameters,
                   "SH=0&NS=0&NPA=202&NXX=456&XXXX=1414&LAT=&LNG=&FZ=-1&INFO0=&INFO1=&INFO2="))
        << result.parameters;
    EXPECT_EQ(result.localSearchResults, "") << "no place, no search";
    EXPECT_EQ(Open(result.body).l, "");
    EXPECT_EQ(result.locateError, "") << "no match is no failure";
}

// A service that cannot be reached is named with curl's reason, whichever
// of the services a mode tries.
TEST_F(MapRequestTest, AServiceThatCannotBeReachedIsTheLocatesReason) {
    const std::string closed = test::ClosedLoopbackHost();
    for (auto& geocoder : job.definitions.geocoders)
        for (auto& request : geocoder.requests)
            request.server = closed;
    job.inputs.zip = "20502";
    for (const LocateMode mode : {LocateMode::Phone, LocateMode::Zip, LocateMode::Street}) {
        job.locateMode = mode;
        const JobResult result = Build(kLocate);
        EXPECT_TRUE(StartsWith(result.locateError, "The place could not be looked up (" + closed +
                                                       ": Failed to connect"))
            << static_cast<int>(mode) << ": " << result.locateError;
    }
}

TEST_F(MapRequestTest, ZipAndStreetModesSendTheirKeys) {
    job.locateMode = LocateMode::Zip;
    services.Answer("/postal", "id: 45.42,-75.69");
    job.inputs.zip = "K1A 0B1";
    AddMarker();
    JobResult result = Build(1, 3);
    EXPECT_EQ(result.caption, "Zip code(postal code): K1A 0B1");
    EXPECT_TRUE(StartsWith(result.parameters,
                           "SH=1&NS=3&ZIP=K1A 0B1&LAT=45.420000&LNG=-75.690000&FZ=-1&INFO0="));
    EXPECT_TRUE(result.canadian);
    EXPECT_EQ(result.markerSetCountry, "Canada");
    EXPECT_NE(Open(result.body).m.find("Country=\"Canada\""), std::string::npos)
        << "the set goes out as located";
    EXPECT_EQ(result.localSearchResults, "") << "Go clears the previous results";

    job.locateMode = LocateMode::Street;
    job.canadian = true;
    result = Build(1, 3);
    EXPECT_EQ(result.caption, "Address: 1600 Pennsylvania Ave, Washington, DC, United States");
    EXPECT_TRUE(StartsWith(result.parameters,
                           "SH=2&NS=2&STR=Pennsylvania Ave&STN=1600&CITY=Washington&STATE=DC"
                           "&CTY=United States&LAT=&LNG=&FZ=-1"));
    EXPECT_FALSE(result.canadian) << "every locate starts from the United States";
}

TEST_F(MapRequestTest, AResizeBeforeAnyLocateShowsTheViewCentre) {
    job.localSearchResults = "<ResultSet/>";
    const JobResult result = Build(8, 4);
    EXPECT_TRUE(StartsWith(
        result.query, "&NS=3&CLAT=37.50000000&CLNG=-75.00000000&CZOOM=6&WI=600&HE=370&TYPE=8"));
    EXPECT_EQ(Open(result.body).l, "<ResultSet/>") << "the previous results go again";
    EXPECT_EQ(result.lastParams, "");
}

TEST_F(MapRequestTest, PagingSearchesAroundTheViewCentreWithTheLastPlace) {
    services.Answer("/us-search", test::ReadTestData("answers/result_set_us.xml"));
    job.lastParams = "SH=1&NS=3&ZIP=20502";
    job.lastCaption = "Zip code(postal code): 20502";
    job.counters = {125, 10, 11};
    const JobResult result = Build(12, 5);
    EXPECT_EQ(result.caption, "Zip code(postal code): 20502");
    EXPECT_TRUE(StartsWith(result.query,
                           "SH=1&NS=3&ZIP=20502&CLAT=37.50000000&CLNG=-75.00000000&CZOOM=6&WI="));
    const auto search = services.Requests().at(0);
    EXPECT_EQ(search.params.find("lat")->second + " " + search.params.find("start")->second,
              "37.50000000 11");
    EXPECT_FALSE(Open(result.body).l.empty());
}

// The view is 37.5, -75 at its centre, 5 degrees high and 10 wide: paging
// after the map moved by more than a fiftieth asks the new area from 1.
TEST_F(MapRequestTest, PagingAfterTheMapMovedStartsTheNewAreaAtOne) {
    services.Answer("/us-search", test::ReadTestData("answers/result_set_us.xml"));
    const struct {
        const char *lat, *lng;
        int first;
        const char* start;
        bool restarted;
    } kCases[] = {
        {"37.5", "-75", 11, "11", false}, {"37.59", "-75.19", 11, "11", false},
        {"37.7", "-75", 11, "1", true},   {"37.5", "-74.7", 21, "1", true},
        {"37.7", "-75", 1, "1", false},   {"", "", 11, "11", false},
    };
    for (const auto& c : kCases) {
        job.searchLatitude = c.lat;
        job.searchLongitude = c.lng;
        job.counters = {125, 10, c.first};
        const size_t asked = services.Requests().size();
        const JobResult result = Build(12, 5);
        const auto search = services.Requests().at(asked);
        EXPECT_EQ(search.params.find("start")->second, c.start) << c.lat << "," << c.lng;
        EXPECT_EQ(result.searchRestarted, c.restarted) << c.lat << "," << c.lng;
        EXPECT_EQ(result.searchLatitude + " " + result.searchLongitude, "37.50000000 -75.00000000");
    }
}

TEST_F(MapRequestTest, MarkerSetViewAndReplayReuseTheLastParameters) {
    AddMarker();
    JobResult result = Build(16, 10);
    EXPECT_EQ(result.parameters, "&NS=3&CLAT=38.89874800&CLNG=-77.03768400&CZOOM=9");
    EXPECT_EQ(result.caption, "Trip");
    job.lastParams = "SH=1&NS=3&ZIP=20502";
    job.lastCaption = "Zip code(postal code): 20502";
    result = Build(16, 9);
    EXPECT_EQ(result.parameters, "SH=1&NS=3&ZIP=20502&CLAT=38.89874800&CLNG=-77.03768400&CZOOM=9");
    result = Build(32, 1);
    EXPECT_EQ(result.parameters, "SH=1&NS=3&ZIP=20502");
    EXPECT_EQ(result.caption, "Zip code(postal code): 20502");
    EXPECT_EQ(Open(result.body).m, job.markerSet.ToXml());
    // A marker added to a shown set keeps its title, not the place before it.
    job.shownCaption = "Trip";
    EXPECT_EQ(Build(8, 8).caption, "Trip");
}

TEST_F(MapRequestTest, ResultsTravelOnlyWithTheSendResultsBit) {
    job.localSearchResults = "<ResultSet totalResultsAvailable=\"1\"/>";
    job.lastParams = "SH=3&NS=3";
    for (const int code : {8, 16, 32, 2, 10}) {
        const Body body = Open(Build(code).body);
        EXPECT_EQ(body.l.empty(), (code & kSendResults) == 0) << code;
    }
}

TEST_F(MapRequestTest, MarkersTravelUnlessOmitted) {
    EXPECT_EQ(Open(Build(8).body).m, "") << "an empty set adds nothing after &M=";
    AddMarker();
    EXPECT_EQ(Open(Build(8).body).m, job.markerSet.ToXml());
    EXPECT_EQ(Open(Build(8 | kOmitMarkers).body).m, "");
}

TEST_F(MapRequestTest, TheBrowserSizeLessThirtyIsTheMapSize) {
    job.browserWidth = 1000;
    job.browserHeight = 31;
    EXPECT_NE(Build(8).query.find("&WI=970&HE=1&"), std::string::npos);
}

TEST(ComposeBody, FallsBackToFormsWithNotes) {
    const auto failing = [](std::initializer_list<std::string> refused) {
        return [refused](const std::string& in, std::string& out) {
            for (const std::string& prefix : refused)
                if (in.rfind(prefix, 0) == 0)
                    return false;
            out = "<" + in + ">";
            return true;
        };
    };
    EXPECT_EQ(ComposeBody("SH=1", "LS", "MS", failing({})), "QLM=<Q=<SH=1>&L=<LS>&M=<MS>>");
    EXPECT_EQ(ComposeBody("SH=1", "LS", "MS", failing({"LS"})), "QLM=<Q=<SH=1>&L=&M=<MS>>")
        << "notes are dropped";
    EXPECT_EQ(ComposeBody("SH=1", "LS", "MS", failing({"LS", "MS", "Q="})),
              "Q=<SH=1>E=Local search zip errorE=marker set zip errorE=QLM zip error");
    EXPECT_EQ(ComposeBody("SH=1", "", "", failing({"Q="})), "Q=<SH=1>E=QLM zip error");
    EXPECT_EQ(ComposeBody("SH=1", "LS", "MS", failing({"SH"})), "E=parameter zip error");
    EXPECT_EQ(ComposeBody("SH=1", "", "", failing({""})), "E=parameter zip error");
}

TEST(RunJob, ATinyResultsTextIsAnEncodingNoteNotAFailedJob) {
    JobSnapshot job;
    job.jobCode = 8;
    job.localSearchResults = "x";
    const JobOutcome result = RunJob(job);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(Open(result->body).l, "");
}

} // namespace
} // namespace orbisk
