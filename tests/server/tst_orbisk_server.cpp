// SPDX-License-Identifier: GPL-3.0-or-later
#include "orbisk_server.h"
#include "protocol/parameter_codec.h"
#include "services/http_client.h"
#include "services/service_definitions.h"

#include <gtest/gtest.h>
#include <httplib.h>
#include <thread>
#include <tuple>
#include <zlib.h>

namespace orbisk::server {
namespace {

std::string Encoded(const std::string& text) {
    std::string out;
    EXPECT_TRUE(ParameterCodec().Encode(text, out));
    return out;
}

// One server on a free port for the whole suite, as a client would meet it.
class OrbiskServerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ServerOptions options;
        options.port = 0;
        options.dataDirectory = ORBISK_SERVER_DATA_DIR;
        options.definitionsVersion = 5;
        options.log = false;
        server = new OrbiskServer;
        std::string error;
        ASSERT_TRUE(server->Start(options, error)) << error;
        thread = new std::thread([] { server->Run(); });
    }
    static void TearDownTestSuite() {
        server->Stop();
        thread->join();
        delete thread;
        delete server;
    }

    static std::string Get(const std::string& path) {
        const HttpAnswer answer = HttpClient().Get(server->HostAndPort(), path, "");
        EXPECT_TRUE(answer) << path;
        return answer.value_or("");
    }
    static std::string Post(const std::string& path, const std::string& body) {
        const HttpAnswer answer = HttpClient().Post(server->HostAndPort(), path, body, "");
        EXPECT_TRUE(answer) << path;
        return answer.value_or("");
    }
    static std::string Gunzipped(const std::string& packed) {
        z_stream stream{};
        if (inflateInit2(&stream, 15 + 16) != Z_OK)
            return "not gzip";
        std::string out;
        char chunk[65536];
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
        stream.avail_in = static_cast<uInt>(packed.size());
        int status = Z_OK;
        while (status == Z_OK) {
            stream.next_out = reinterpret_cast<Bytef*>(chunk);
            stream.avail_out = sizeof chunk;
            status = inflate(&stream, Z_NO_FLUSH);
            out.append(chunk, sizeof chunk - stream.avail_out);
        }
        inflateEnd(&stream);
        return status == Z_STREAM_END ? out : "truncated gzip";
    }
    static bool Contains(const std::string& text, const std::string& part) {
        return text.find(part) != std::string::npos;
    }

    static OrbiskServer* server;
    static std::thread* thread;
};
OrbiskServer* OrbiskServerTest::server = nullptr;
std::thread* OrbiskServerTest::thread = nullptr;

TEST_F(OrbiskServerTest, DirectoryKnowsOnlyDemoListings) {
    const std::string listing = Get("/services/directory/phone?npa=202&nxx=555&line=0100");
    EXPECT_TRUE(Contains(
        listing,
        "<!--listing-->name1=Demo%20Listing%201&amp;name2=(demo)&amp;street=100%20Demo%20St"));
    EXPECT_TRUE(Contains(listing, "&amp;lng=-77."));
    EXPECT_FALSE(
        Contains(Get("/services/directory/phone?npa=202&nxx=456&line=1414"), "<!--listing-->"));
    const std::string city =
        Post("/services/directory/address", "number=1&street=Nowhere Rd&city=Springfield&state=IL");
    EXPECT_TRUE(Contains(city, "<!--listing-->city=Springfield&amp;state=IL<!--/listing-->"))
        << city;
    EXPECT_FALSE(
        Contains(Post("/services/directory/address", "number=1&street=x&city=Atlantis&state=ZZ"),
                 "listing-->"));
}

TEST_F(OrbiskServerTest, ExchangesGiveWesternLongitudesWithoutSign) {
    const std::string exchange = Get("/services/exchange?npa=217&nxx=522");
    EXPECT_TRUE(Contains(exchange, "<City>Springfield</City><State>IL</State>")) << exchange;
    EXPECT_TRUE(Contains(exchange, "<Longitude>89.")) << exchange;
    EXPECT_TRUE(Contains(Get("/services/exchange?npa=613&nxx=000"), "<State>ON</State>"));
    EXPECT_TRUE(Contains(Get("/services/exchange?npa=999&nxx=000"), "<Error>"));
}

TEST_F(OrbiskServerTest, ZipPostalAndCityServices) {
    EXPECT_TRUE(Contains(Get("/services/zip?code=20502&country=US"),
                         "<City>Washington</City><State>DC</State>"));
    EXPECT_TRUE(Contains(Get("/services/zip?code=00000&country=US"), "<Error>"));
    EXPECT_TRUE(Contains(Get("/services/geocode/ca?postal=K1A0B1"), "result 45.42"));
    const std::string province = Get("/services/geocode/ca?postal=K9Z9Z9");
    EXPECT_TRUE(Contains(province, " result ") && !Contains(province, "no result"))
        << "the province of the first letter";
    EXPECT_TRUE(Contains(Get("/services/place?city=Springfield&state=IL&street=&country=US"),
                         "<Latitude>39.8"));
    EXPECT_TRUE(
        Contains(Get("/services/place?city=Springfield&state=IL&street=Nowhere%20Rd&country=US"),
                 "<Error>"));
    EXPECT_TRUE(
        Contains(Post("/services/geocode/us", "number=100&street=Demo St&city=Washington&state=DC"),
                 "coords: 38."));
    EXPECT_EQ(Post("/services/geocode/us",
                   "number=1600&street=Pennsylvania Ave&city=Washington&state=DC"),
              "status: not found\n");
    EXPECT_TRUE(Contains(Post("/services/geocode/ca", "number=&street=&city=Ottawa&province=ON"),
                         "result 45.4"));
}

TEST_F(OrbiskServerTest, LocalSearchPagesAreDeterministicAndDemo) {
    const std::string first = Get("/services/local/us?lat=38.9&lng=-77.03&query=pizza&start=1");
    EXPECT_EQ(first, Get("/services/local/us?lat=38.9&lng=-77.03&query=pizza&start=1"));
    EXPECT_TRUE(Contains(first, "totalResultsReturned=\"10\" firstResultPosition=\"1\""));
    EXPECT_TRUE(Contains(first, "Pizzeria (demo)</Title>"));
    EXPECT_TRUE(Contains(Get("/services/local/us?lat=38.9&lng=-77.03&query=pizza&start=11"),
                         "firstResultPosition=\"11\""));
    const std::string brand =
        Get("/services/local/us?lat=38.9&lng=-77.03&query=Home%20Depot&start=1");
    EXPECT_FALSE(Contains(brand, "Home Depot")) << "a brand typed as keyword is never placed";
    const std::string canada = Get("/services/local/ca?lat=45.42&lng=-75.70&query=coffee&first=1");
    // The area code of the business's own town (Ottawa or Gatineau), then 555-01NN.
    EXPECT_TRUE(Contains(canada, "<record>613|555|0101|") ||
                Contains(canada, "<record>819|555|0101|"))
        << canada;
    EXPECT_TRUE(Contains(canada, "Coffee House (demo)|45."));
}

TEST_F(OrbiskServerTest, MapPageReadsEveryBodyForm) {
    const std::string q =
        "SH=3&NS=3&LAT=38.898748&LNG=-77.037684&INFO0=&INFO1=Latitute/Longitute: &WI=600&HE=370"
        "&TYPE=1&NAME=&ACTION=3&DE=1&MAPT=1&MAPC=0&ZOOM=6&VER=1.10";
    const std::string markers =
        "<DataSet><MarkerSet CenterLng=\"-77\" CenterLat=\"38\"><Marker Lat=\"38.9\" "
        "Lng=\"-77.1\" Title=\"Home\"/></MarkerSet></DataSet>";
    const std::string page =
        Post("/map/default.asp", "QLM=" + Encoded("Q=" + Encoded(q) + "&L=&M=" + Encoded(markers)));
    EXPECT_TRUE(Contains(page, "\"center\":[38.898748,-77.037684],\"zoom\":8"))
        << page.substr(0, 2000);
    EXPECT_TRUE(Contains(page, "\"title\":\"Home\""));
    EXPECT_TRUE(Contains(page, "<body class=\"satellite\">"));
    const std::string fallback = Post("/map/default.asp", "Q=" + Encoded(q) + "E=QLM zip error");
    EXPECT_TRUE(Contains(fallback, "\"center\":[38.898748,-77.037684]"));
    const std::string error = Post("/map/default.asp", "E=parameter zip error");
    EXPECT_TRUE(Contains(error, "<li>parameter zip error</li>"));
    EXPECT_FALSE(Contains(error, "BVXMin"));
}

TEST_F(OrbiskServerTest, MapPageTakesBodiesOfMegabytes) {
    std::string markers = "<DataSet><MarkerSet CenterLng=\"-77\" CenterLat=\"38\">";
    for (int i = 0; i < 3000; ++i)
        markers += "<Marker Lat=\"38." + std::to_string(i) +
                   "\" Lng=\"-77\" Title=\"Marker number " + std::to_string(i * 7919) +
                   "\"><Info>" + std::to_string(i * 104729) + "</Info></Marker>";
    markers += "</MarkerSet></DataSet>";
    const std::string body =
        "QLM=" + Encoded("Q=" + Encoded("&NS=3&WI=600&HE=370") + "&L=&M=" + Encoded(markers));
    ASSERT_GT(body.size(), 16384u) << "beyond what a form body may hold";
    const std::string page = Post("/map/default.asp", body);
    EXPECT_TRUE(Contains(page, "Marker number 7919000")) << page.substr(0, 300);
}

TEST_F(OrbiskServerTest, DefinitionsAreOfferedWithThisServersAddress) {
    EXPECT_EQ(Get("/map/definition/version/"), "5");
    EXPECT_EQ(Get("/map/definition/path/?VER=1.00"), "definitions/Map.dat");
    const HttpAnswer encoded =
        HttpClient().GetFile(server->HostAndPort(), "/map/definitions/Map.dat", "");
    ASSERT_TRUE(encoded);
    std::string text;
    ASSERT_TRUE(ParameterCodec().Decode(*encoded, text));
    ServiceDefinitions definitions;
    ASSERT_TRUE(definitions.ParseDefinitions(text));
    EXPECT_EQ(definitions.definitionVersion, 5);
    EXPECT_EQ(definitions.fixedStrings.At(1), server->HostAndPort());
    EXPECT_EQ(definitions.FindGeoCoder(4)->FindRequest(6)->server, server->HostAndPort());
    EXPECT_EQ(definitions.geocoders.size(), 7u);
}

TEST_F(OrbiskServerTest, ServesTheStaticFilesThePageNeeds) {
    EXPECT_TRUE(Contains(Get("/static/leaflet/leaflet.min.js"), "Leaflet"));
    EXPECT_TRUE(Contains(Get("/static/view.js"), "BVXMin"));
    EXPECT_TRUE(Contains(Get("/static/map.js"), "L.Orbisk.ViewPublisher"));
    EXPECT_TRUE(Contains(Get("/static/outlines.json"), "\"FeatureCollection\""));
    EXPECT_TRUE(Contains(Get("/static/cities.json"), "[\"New York City\","));
    EXPECT_TRUE(Contains(Get("/webpages/Downloads.htm"), "Orbisk"));
}

// Text files go gzipped to a client that takes gzip (compressed once and
// kept), plain to any other. Unchanged files are revalidated, nothing outside
// the files is served.
TEST_F(OrbiskServerTest, StaticFilesGoGzippedOnlyWhenAcceptedAndRevalidate) {
    httplib::Client client("http://" + server->HostAndPort());
    client.set_decompress(false);
    const std::string plain = Get("/static/outlines.json");
    const struct {
        const char* acceptEncoding;
        bool gzipped;
    } kCases[] = {{"gzip, deflate, br", true}, {"br", false},           {"", false},
                  {"GZIP;q=0.5", true},        {"gzip;q=0", false},     {"*", true},
                  {"*;q=0, gzip", true},       {"gzip;q=0.0, *", false}};
    for (const auto& c : kCases) {
        const auto answer =
            client.Get("/static/outlines.json", {{"Accept-Encoding", c.acceptEncoding}});
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->status, 200);
        EXPECT_EQ(answer->get_header_value("Content-Encoding"), c.gzipped ? "gzip" : "")
            << c.acceptEncoding;
        EXPECT_TRUE((c.gzipped ? Gunzipped(answer->body) : answer->body) == plain)
            << c.acceptEncoding;
        EXPECT_EQ(answer->get_header_value("Vary"), "Accept-Encoding");
    }
    const auto gzipped = client.Get("/static/outlines.json", {{"Accept-Encoding", "gzip"}});
    ASSERT_TRUE(gzipped);
    EXPECT_LT(gzipped->body.size(), plain.size() / 3);
    const auto outlines = client.Get("/static/outlines.json");
    ASSERT_TRUE(outlines);
    EXPECT_NE(outlines->get_header_value("ETag"), gzipped->get_header_value("ETag"));
    EXPECT_EQ(outlines->get_header_value("Content-Type"), "application/json");
    const std::string etag = outlines->get_header_value("ETag");
    ASSERT_FALSE(etag.empty());
    const auto again = client.Get("/static/outlines.json", {{"If-None-Match", etag}});
    ASSERT_TRUE(again);
    EXPECT_EQ(again->status, 304);
    EXPECT_TRUE(again->body.empty());
    const auto other = client.Get("/static/map.js", {{"If-None-Match", etag}});
    ASSERT_TRUE(other);
    EXPECT_EQ(other->status, 200);
    EXPECT_EQ(other->get_header_value("Content-Type"), "text/javascript");
    for (const char* path : {"/static/none.js", "/static/../Map.xml", "/static/%2e%2e/Map.xml",
                             "/static/leaflet/../../zips.tsv"}) {
        const auto refused = client.Get(path);
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->status, 404) << path;
    }
}

// Every file the page names carries its content's hash and is kept for a
// year; a name with any other hash is not served.
TEST_F(OrbiskServerTest, ThePageNamesImmutableVersionedFiles) {
    const std::string page = Post("/map/default.asp", "Q=" + Encoded("SH=3&NS=3&LAT=45&LNG=-75"));
    httplib::Client client("http://" + server->HostAndPort());
    std::vector<std::string> urls;
    for (size_t at = page.find("/static/"); at != std::string::npos;
         at = page.find("/static/", at + 1))
        urls.push_back(page.substr(at, page.find_first_of("\"", at) - at));
    ASSERT_EQ(urls.size(), 15u) << page.substr(0, 1500);
    for (const std::string& url : urls) {
        const size_t dot = url.rfind('.');
        ASSERT_GT(dot, 17u);
        const std::string hash = url.substr(dot - 16, 16);
        EXPECT_EQ(hash.find_first_not_of("0123456789abcdef"), std::string::npos) << url;
        const auto answer = client.Get(url);
        ASSERT_TRUE(answer) << url;
        EXPECT_EQ(answer->status, 200) << url;
        EXPECT_EQ(answer->get_header_value("Cache-Control"), "public, max-age=31536000, immutable");
        for (const std::string& forged :
             {url.substr(0, dot - 16) + "0000000000000000" + url.substr(dot),
              url.substr(0, dot - 17) + url.substr(dot - 16)}) {
            const auto refused = client.Get(forged);
            ASSERT_TRUE(refused);
            EXPECT_EQ(refused->status, 404) << forged;
        }
    }
}

TEST_F(OrbiskServerTest, ASecondServerOnTheSamePortSaysSo) {
    ServerOptions options;
    options.port = server->Port();
    options.dataDirectory = ORBISK_SERVER_DATA_DIR;
    OrbiskServer second;
    std::string error;
    EXPECT_FALSE(second.Start(options, error));
    EXPECT_TRUE(Contains(error, "in use")) << error;
}

// One range is served as asked, a start past the end is refused, and a
// list of ranges gets the file once: no request can multiply an answer.
TEST_F(OrbiskServerTest, ServesOneByteRangeAtMost) {
    httplib::Client client("http://" + server->HostAndPort());
    const auto whole = client.Get("/static/map.css");
    ASSERT_TRUE(whole);
    const size_t size = whole->body.size();
    const std::tuple<std::string, int, std::string> cases[] = {
        {"bytes=0-9", 206, whole->body.substr(0, 10)},
        {"bytes=-5", 206, whole->body.substr(size - 5)},
        {"bytes=10-", 206, whole->body.substr(10)},
        {"bytes=" + std::to_string(size) + "-", 416, ""},
        {"bytes=99999999999999999999-", 200, whole->body},
        {"bytes=0-1,0-1,0-1", 200, whole->body},
        {"bytes=5-2", 200, whole->body},
        {"lines=1-2", 200, whole->body},
    };
    for (const auto& [range, status, body] : cases) {
        const auto answer = client.Get("/static/map.css", {{"Range", range}});
        ASSERT_TRUE(answer) << range;
        EXPECT_EQ(answer->status, status) << range;
        EXPECT_EQ(answer->body, body) << range;
    }
}

// Numbers that are no numbers are refused, not read as 0, and a first
// position far past the last result lists nothing.
TEST_F(OrbiskServerTest, LocalSearchRefusesBadNumbers) {
    httplib::Client client("http://" + server->HostAndPort());
    for (const char* query : {"lat=nan&lng=-77&start=1", "lat=38.9&lng=1e400&start=1",
                              "lat=38.9&lng=-77&start=1x", "lat=&lng=-77&start=1"}) {
        const auto answer = client.Get(std::string("/services/local/us?query=pizza&") + query);
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->status, 400) << query;
    }
    EXPECT_TRUE(Contains(Get("/services/local/us?lat=38.9&lng=-77&query=pizza&start=2147483647"),
                         "totalResultsReturned=\"0\" firstResultPosition=\"2147483647\""));
}

std::string Nested(const std::string& name, int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += "<" + name + ">";
    for (int i = 0; i < depth; ++i)
        text += "</" + name + ">";
    return text;
}

// Deep nesting and bodies that expand by the thousand are answered with a
// page, and the server goes on serving.
TEST_F(OrbiskServerTest, MapPageSurvivesHostileBodies) {
    const std::string q = Encoded("&NS=3&WI=600&HE=370");
    const std::string deep = "<DataSet><MarkerSet CenterLng=\"-77\" CenterLat=\"38\"><Marker "
                             "Lat=\"38\" Lng=\"-77\">" +
                             Nested("Info", 50000) + "</Marker></MarkerSet></DataSet>";
    EXPECT_TRUE(Contains(
        Post("/map/default.asp", "QLM=" + Encoded("Q=" + q + "&L=" + Encoded(Nested("R", 50000)) +
                                                  "&M=" + Encoded(deep))),
        "<!DOCTYPE html>"));
    const std::string huge = "<DataSet><MarkerSet CenterLng=\"-77\" CenterLat=\"38\" Title=\"" +
                             std::string(8000000, 'A') + "\"/></DataSet>";
    const std::string body = "QLM=" + Encoded("Q=" + q + "&L=&M=" + Encoded(huge));
    ASSERT_LT(body.size(), 20000u);
    const std::string page = Post("/map/default.asp", body);
    EXPECT_TRUE(Contains(page, "expands beyond what the map server accepts")) << page.size();
    EXPECT_LT(page.size(), 10000u);
    EXPECT_EQ(Get("/map/definition/version/"), "5");
}

// Input that only looks like a place gets the service's own "not found",
// never a place chosen at random, and the server keeps answering.
TEST_F(OrbiskServerTest, BadInputIsNotFoundInEachServicesShape) {
    const std::pair<std::string, const char*> cases[] = {
        {"/services/exchange?npa=21&nxx=555", "<Error>unknown area code</Error>"},
        {"/services/exchange?npa=2a2&nxx=555", "<Error>unknown area code</Error>"},
        {"/services/exchange?npa=800&nxx=555", "<Error>unknown area code</Error>"},
        {"/services/zip?code=2050", "<Error>not found</Error>"},
        {"/services/zip?code=ABCDE&country=CA", "<Error>not found</Error>"},
        {"/services/geocode/ca?postal=ABCDE", "no result"},
        {"/services/place?city=Springfield&state=ZZ", "<Error>not found</Error>"},
        {"/services/place?city=" + std::string(10000, 'x') + "&state=TX",
         "<Error>not found</Error>"},
        {"/services/place?city=%FF%FE%C3&state=QC", "<Error>not found</Error>"},
    };
    for (const auto& [path, answer] : cases)
        EXPECT_TRUE(Contains(Get(path), answer)) << path.substr(0, 80);
    EXPECT_EQ(Get("/map/definition/version/"), "5");
}

} // namespace
} // namespace orbisk::server
