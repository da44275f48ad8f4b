// SPDX-License-Identifier: GPL-3.0-or-later
// Asking OpenStreetMap's services as a good citizen: cached, paced, named,
// and falling back to the offline data at once when they fail.
#include "answer_cache.h"
#include "online_data.h"
#include "orbisk_server.h"
#include "osm_stand_in.h"
#include "protocol/parameter_codec.h"
#include "services/http_client.h"
#include "temp_dir.h"

#include <fstream>
#include <gtest/gtest.h>

namespace orbisk::server {
namespace {

using namespace std::chrono_literals;

const char* kWhiteHouse = R"([{"lat":"38.8976633","lon":"-77.0365739","name":"White House"}])";
const StreetQuery kPennsylvaniaAvenue{"1600", "Pennsylvania Ave NW", "Washington", "DC", "", "us"};

std::string Places(int count, const std::string& name = "Pizza") {
    std::string elements;
    for (int i = 0; i < count; ++i)
        elements += std::string(i ? "," : "") +
                    "{\"type\":\"node\",\"lat\":" + std::to_string(41.88 + i * 0.001) +
                    ",\"lon\":-87.63,\"tags\":{\"name\":\"" + name + " " + std::to_string(i + 1) +
                    "\",\"phone\":\"+1 312 555 01" + (i < 9 ? "0" : "") + std::to_string(i + 1) +
                    "\"}}";
    return "{\"elements\":[" + elements + "]}";
}

class OnlineDataTest : public ::testing::Test {
protected:
    OnlineDataTest()
        : source(OnlineSettings{osm.NominatimBase(), osm.OverpassUrl(), 0ms}, {}),
          cache(dir / "answers.sqlite3"), online(source, cache, {1000ms, 400ms, 1 << 20}) {}

    test::TempDir dir;
    test::OsmStandIn osm;
    OnlineSettingsSource source;
    AnswerCache cache;
    OnlineData online;
};

TEST_F(OnlineDataTest, AStreetIsAskedOnceWithItsPartsAndTheProgramsName) {
    osm.Answer(200, kWhiteHouse);
    for (int i = 0; i < 3; ++i) {
        const auto at = online.Street(kPennsylvaniaAvenue);
        ASSERT_TRUE(at);
        EXPECT_NEAR(at->lat, 38.8976633, 1e-7);
        EXPECT_NEAR(at->lng, -77.0365739, 1e-7);
    }
    const auto asked = osm.Requests();
    ASSERT_EQ(asked.size(), 1u) << "a repeated lookup asks nobody";
    for (const char* part : {"street=1600 Pennsylvania Ave NW", "city=Washington", "state=DC",
                             "countrycodes=us", "format=jsonv2"})
        EXPECT_NE(asked[0].target.find(part), std::string::npos)
            << part << " in " << asked[0].target;
    EXPECT_EQ(asked[0].userAgent.rfind("Orbisk/", 0), 0u) << asked[0].userAgent;
    EXPECT_EQ(online.OfflineNote(), "");
}

TEST_F(OnlineDataTest, AnUnknownAddressIsRememberedAsUnknown) {
    osm.Answer(200, "[]");
    EXPECT_FALSE(online.Street(kPennsylvaniaAvenue));
    EXPECT_FALSE(online.Street(kPennsylvaniaAvenue));
    EXPECT_EQ(osm.Requests().size(), 1u);
    EXPECT_EQ(online.OfflineNote(), "") << "no match is an answer, not a failure";
}

TEST_F(OnlineDataTest, AFailingServiceGivesNothingAtOnceAndIsAskedAgainLater) {
    const struct {
        int status;
        std::string body;
        std::chrono::milliseconds delay;
    } failures[] = {{429, "Too many requests", 0ms},
                    {503, kWhiteHouse, 0ms},
                    {200, "<html>maintenance</html>", 0ms},
                    {200, kWhiteHouse, 3000ms},
                    {200, std::string(2 << 20, ' ') + "[]", 0ms}};
    for (const auto& failure : failures) {
        osm.Answer(failure.status, failure.body, failure.delay);
        const auto started = std::chrono::steady_clock::now();
        EXPECT_FALSE(online.Street(kPennsylvaniaAvenue)) << failure.status;
        EXPECT_FALSE(online.Places("pizza", 41.88, -87.63)) << failure.status;
        EXPECT_LT(std::chrono::steady_clock::now() - started, 2000ms) << failure.status;
        EXPECT_NE(online.OfflineNote(), "") << failure.status;
    }
    osm.Answer(200, kWhiteHouse);
    EXPECT_TRUE(online.Street(kPennsylvaniaAvenue)) << "failures are never cached";
    EXPECT_EQ(online.OfflineNote(), "") << "an answer since clears the note";
}

TEST_F(OnlineDataTest, EveryPageOfASearchComesFromOneAnswer) {
    osm.Answer(200, Places(15));
    const auto first = online.Places("Pizza", 41.88, -87.63);
    const auto again = online.Places("pizza", 41.8801, -87.6301);
    ASSERT_TRUE(first && again);
    EXPECT_EQ(first->size(), 15u);
    EXPECT_EQ(again->size(), 15u);
    ASSERT_EQ(osm.Requests().size(), 1u);
    EXPECT_NE(osm.Requests()[0].target.find("data=%5Bout%3Ajson%5D"), std::string::npos);
}

TEST(RequestPacer, TurnsAreSpacedAndAQueueTooLongIsNotJoined) {
    RequestPacer pacer;
    const auto started = std::chrono::steady_clock::now();
    EXPECT_TRUE(pacer.WaitTurn(300ms, 1000ms));
    EXPECT_TRUE(pacer.WaitTurn(300ms, 1000ms));
    EXPECT_TRUE(pacer.WaitTurn(300ms, 1000ms));
    EXPECT_GE(std::chrono::steady_clock::now() - started, 600ms);
    EXPECT_FALSE(pacer.WaitTurn(300ms, 100ms)) << "the next turn is 300 ms away";
}

TEST(AnswerCache, AnswersAgeOutAndTheOldestGoFirst) {
    test::TempDir dir;
    int64_t now = 1'000'000;
    {
        AnswerCache cache(dir / "a" / "answers.sqlite3", 10'000, [&now] { return now; });
        cache.Put("old", "kept a month");
        now += 60;
        for (int i = 0; i < 30; ++i, ++now)
            cache.Put("key" + std::to_string(i), std::string(1000, 'x'));
        EXPECT_FALSE(cache.Get("old")) << "pushed out by newer answers";
        EXPECT_FALSE(cache.Get("key0"));
        EXPECT_TRUE(cache.Get("key29"));
        cache.Put("recent", "value");
    }
    EXPECT_EQ(std::filesystem::status(dir / "a").permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_all);
    AnswerCache reopened(dir / "a" / "answers.sqlite3", 10'000, [&now] { return now; });
    EXPECT_EQ(reopened.Get("recent").value_or(""), "value") << "kept across a restart";
    now += std::chrono::seconds(AnswerCache::kMaxAge).count() + 1;
    EXPECT_FALSE(reopened.Get("recent")) << "older than thirty days";
}

TEST(OnlineSettingsSource, TheFileIsReadAgainWhenItChanges) {
    test::TempDir dir;
    const auto file = dir / "orbisk-server.conf";
    OnlineSettingsSource source(std::nullopt, file);
    EXPECT_FALSE(source.Current().Any()) << "no file: offline";
    std::ofstream(file) << "online = yes\n";
    std::this_thread::sleep_for(1100ms);
    EXPECT_EQ(source.Current().nominatim, kPublicNominatim);
    std::ofstream(file) << "online = no # not today\n";
    std::this_thread::sleep_for(1100ms);
    EXPECT_FALSE(source.Current().Any());
    OnlineSettingsSource commandLine(OnlineSettings{"http://g", "", 0ms}, file);
    std::ofstream(file) << "online = yes\n";
    EXPECT_EQ(commandLine.Current().nominatim, "http://g") << "the command line wins";
    EXPECT_EQ(commandLine.Current().overpass, "");
}

// The routes the client asks keep their answer forms; only the source changes.
TEST(OnlineRoutes, TheClientsAnswersComeFromOpenStreetMap) {
    test::OsmStandIn osm;
    test::TempDir dir;
    ServerOptions options;
    options.port = 0;
    options.dataDirectory = ORBISK_SERVER_DATA_DIR;
    options.log = false;
    options.online = OnlineSettings{osm.NominatimBase(), osm.OverpassUrl(), 0ms};
    options.answerCache = dir / "answers.sqlite3";
    OrbiskServer server;
    std::string error;
    ASSERT_TRUE(server.Start(options, error)) << error;
    std::thread thread([&] { server.Run(); });
    const auto ask = [&](const std::string& path, const std::string* body = nullptr) {
        const HttpClient http;
        const HttpAnswer answer = body ? http.Post(server.HostAndPort(), path, *body, "")
                                       : http.Get(server.HostAndPort(), path, "");
        EXPECT_TRUE(answer) << path;
        return answer.value_or("");
    };
    const std::string us = "number=1600&street=Pennsylvania Ave NW&city=Washington&state=DC";
    const std::string ca = "number=290&street=Bremner Blvd&city=Toronto&province=ON";
    osm.Answer(200, kWhiteHouse);
    EXPECT_EQ(ask("/services/geocode/us", &us),
              "status: ok (OpenStreetMap)\ncoords: 38.897663,-77.036574;\n");
    osm.Answer(200, R"([{"lat":"43.6425637","lon":"-79.3870871"}])");
    EXPECT_EQ(ask("/services/geocode/ca", &ca), "match id: 0,0 result 43.642564,-79.387087\n");
    osm.Answer(200, Places(12, "<b>Pizza</b> | Co"));
    const std::string page2 = ask("/services/local/us?lat=41.88&lng=-87.63&query=pizza&start=11");
    EXPECT_NE(page2.find("totalResultsAvailable=\"12\" totalResultsReturned=\"2\" "
                         "firstResultPosition=\"11\">"),
              std::string::npos)
        << page2;
    EXPECT_NE(page2.find("<Title>&lt;b&gt;Pizza&lt;/b&gt; | Co 11</Title>"), std::string::npos);
    EXPECT_NE(page2.find("<Phone>(312) 555-0111</Phone>"), std::string::npos);
    const std::string records = ask("/services/local/ca?lat=43.65&lng=-79.38&query=pizza&first=1");
    EXPECT_NE(records.find("<record>312|555|0112| | | | |bPizza/b / Co 12|"), std::string::npos)
        << records;
    osm.Answer(503, "");
    const std::string demo = ask("/services/local/us?lat=40.71&lng=-74.0&query=bagels&start=1");
    EXPECT_NE(demo.find("demo=\"true\""), std::string::npos) << "the offline answer at once";
    EXPECT_NE(demo.find("(demo)</Title>"), std::string::npos);
    std::string body;
    ASSERT_TRUE(ParameterCodec().Encode("SH=3&LAT=40.71&LNG=-74.0&WI=600&HE=370&ZOOM=6", body));
    body = "Q=" + body;
    EXPECT_NE(
        ask("/map/default.asp", &body)
            .find("\"offline\":\"OpenStreetMap could not be reached: offline data was used.\""),
        std::string::npos);
    server.Stop();
    thread.join();
}

} // namespace
} // namespace orbisk::server
