// SPDX-License-Identifier: GPL-3.0-or-later
#include "html_text.h"
#include "map_page.h"

#include <gtest/gtest.h>

namespace orbisk::server {
namespace {

class MapPageTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string error;
        ASSERT_TRUE(geo.Load(ORBISK_SERVER_DATA_DIR, error)) << error;
    }
    static MapPageContent Content(const std::string& query, const std::string& markers = "",
                                  const std::string& results = "") {
        MapRequest request;
        request.hasQuery = true;
        request.keys = ParseQueryKeys(query);
        request.markersXml = markers;
        request.resultsXml = results;
        return BuildMapPageContent(request, geo);
    }
    static GeoData geo;
};
GeoData MapPageTest::geo;

TEST_F(MapPageTest, CentresOnTheViewThenThePlaceThenNorthAmerica) {
    MapPageContent content =
        Content("SH=3&NS=3&LAT=45&LNG=-75&FZ=-1&CLAT=40.5&CLNG=-80.25&CZOOM=9&WI=770&HE=570");
    EXPECT_DOUBLE_EQ(content.center.lat, 40.5);
    EXPECT_DOUBLE_EQ(content.center.lng, -80.25);
    EXPECT_EQ(content.zoom, 9);
    EXPECT_EQ(content.width, 770);
    ASSERT_TRUE(content.place.has_value()) << "the located place is still drawn";

    content = Content("SH=3&NS=3&LAT=45&LNG=-75&FZ=-1&INFO0=&INFO1=x&ZOOM=11");
    EXPECT_DOUBLE_EQ(content.center.lat, 45);
    EXPECT_EQ(content.zoom, 11) << "FZ -1 means the ZOOM setting";
    EXPECT_EQ(content.placeLines, (std::vector<std::string>{"", "x"}));
    EXPECT_EQ(Content("SH=0&NS=3&LAT=45&LNG=-75&FZ=4&ZOOM=11").zoom, 4);
    EXPECT_EQ(Content("SH=0&NS=3&LAT=45&LNG=-75&FZ=40").zoom, 16);

    content = Content("&NS=3&WI=600&HE=370");
    EXPECT_DOUBLE_EQ(content.center.lat, 48);
    EXPECT_EQ(content.zoom, 0);
    EXPECT_FALSE(content.place.has_value());
}

TEST_F(MapPageTest, LooksUpRawKeysItself) {
    MapPageContent content = Content("SH=1&NS=1&ZIP=20502&LAT=&LNG=&FZ=-1&ZOOM=6");
    ASSERT_TRUE(content.place.has_value());
    EXPECT_NEAR(content.place->lat, 38.9, 0.1);
    EXPECT_EQ(content.placeLines.back(), "Washington, DC");
    content = Content("SH=2&NS=2&STR=x&STN=1&CITY=Ottawa&STATE=ON&CTY=Canada&LAT=&LNG=&FZ=-1");
    ASSERT_TRUE(content.place.has_value());
    EXPECT_NEAR(content.place->lng, -75.7, 0.1);
    EXPECT_EQ(content.fellBack, "");
    content = Content("SH=2&NS=3&LAT=42.36&LNG=-71.06&INFO0=&INFO1=x&INFO2=9 Nowhere Rd, Boston, "
                      "MA (Street not found)");
    EXPECT_EQ(content.fellBack, "Street not found: the map shows the city.")
        << "said over the map, not only in the popup";
    content = Content("SH=1&NS=1&ZIP=99999&LAT=&LNG=&FZ=-1");
    EXPECT_FALSE(content.place.has_value());
    EXPECT_NE(content.notFound.find("Not found"), std::string::npos);
}

// Codes and points that only look like places are failed locates, said on
// the page, never a province's centre or the whole continent.
TEST_F(MapPageTest, ShapesThatAreNoPlaceAreNotFound) {
    for (const char* query :
         {"SH=1&NS=1&ZIP=ABCDE&LAT=&LNG=", "SH=1&NS=1&ZIP=K1A0B1X&LAT=&LNG=",
          "SH=1&NS=1&ZIP=KKK&LAT=&LNG=", "SH=3&NS=3&LAT=95&LNG=-75", "SH=3&NS=3&LAT=45&LNG=-190",
          "SH=3&NS=3&LAT=nan&LNG=-75", "SH=0&NS=0&NPA=800&NXX=555&LAT=&LNG="}) {
        const MapPageContent content = Content(query);
        EXPECT_FALSE(content.place.has_value()) << query;
        EXPECT_NE(content.notFound.find("Not found"), std::string::npos) << query;
    }
    EXPECT_TRUE(Content("SH=1&NS=1&ZIP=K1A 0B1&LAT=&LNG=").place.has_value());
    // A toll-free number is not missing from the data: it has no place at all.
    EXPECT_NE(Content("SH=0&NS=0&NPA=888&NXX=555&LAT=&LNG=").notFound.find("toll-free"),
              std::string::npos);
    EXPECT_EQ(Content("SH=0&NS=0&NPA=999&NXX=555&LAT=&LNG=").notFound.find("toll-free"),
              std::string::npos);
}

TEST_F(MapPageTest, DrawsEveryMarkerAndNumbersEveryResult) {
    const MapPageContent content = Content(
        "&NS=3&MAPC=1&MAPT=7",
        "<DataSet><MarkerSet CenterLng=\"1\" CenterLat=\"2\"><Marker Lat=\"38.9\" Lng=\"-77\" "
        "Title=\"A\" "
        "URL=\"https://example.org/a\"><Info>one</Info></Marker><Marker Lat=\"north\" Lng=\"x\"/>"
        "<Marker Lat=\"95\" Lng=\"0\"/></MarkerSet></DataSet>",
        "<ResultSet firstResultPosition=\"11\"><Result><Title>R</Title><Latitude>38</Latitude>"
        "<Longitude>-77</Longitude><BusinessUrl>ftp://example.org</BusinessUrl></Result></"
        "ResultSet>");
    ASSERT_EQ(content.markers.size(), 1u)
        << "neither a marker outside the globe nor one without numbers is drawn";
    EXPECT_EQ(content.markers[0].link, "https://example.org/a");
    ASSERT_EQ(content.results.size(), 1u);
    EXPECT_EQ(content.results[0].number, 11);
    EXPECT_EQ(content.results[0].link, "");
    EXPECT_EQ(content.mapControl, 1);
    EXPECT_EQ(content.mapType, 1);
}

TEST_F(MapPageTest, HiddenInputsGiveTheMapsEdges) {
    MapPageContent content;
    content.width = 512;
    content.height = 256;
    content.center = {0, 0};
    content.zoom = 0; // Leaflet zoom 2: 256 * 4 pixels per 180 degrees
    const std::string page = RenderMapPage(content);
    EXPECT_NE(page.find("name=\"BVXMin\" id=\"BVXMin\" value=\"-45.00000000\""), std::string::npos);
    EXPECT_NE(page.find("name=\"BVYMax\" id=\"BVYMax\" value=\"22.50000000\""), std::string::npos);
    EXPECT_NE(page.find("name=\"BVZoom\" id=\"BVZoom\" value=\"0\""), std::string::npos);
    EXPECT_NE(page.find("#map{width:512px;height:256px}"), std::string::npos);
}

// Texts an attacker could put into a request: none may become markup or script.
const char* const kProbes[] = {
    "<script>alert(1)</script>",
    "</script><script>alert(1)</script>",
    "<img src=x onerror=alert(1)>",
    "\" onmouseover=\"alert(1)",
    "' onfocus='alert(1)' autofocus='",
    "<svg onload=alert(1)>",
    "<iframe src=\"javascript:alert(1)\"></iframe>",
    "javascript:alert(1)",
    "<!--",
    "]]><script>alert(1)</script>",
    "\\u003cscript\\u003e",
    "\xE2\x80\xA8"
    "alert(1)\xE2\x80\xA9",
    "</form><form action=\"http://evil.example\">",
    "<a href=\"javascript:alert(1)\">x</a>",
    "<style>body{display:none}</style>",
    "{{constructor.constructor('alert(1)')()}}",
    "${alert(1)}",
    "<base href=\"http://evil.example/\">",
    "<meta http-equiv=\"refresh\" content=\"0;url=http://evil.example\">",
    "\"}]});alert(1);({\"a\":[{\"b\":\"",
    "<object data=\"data:text/html,<script>alert(1)</script>\">",
    "\x01\x02\x7F control bytes",
};

// Everything after the JSON block opens and before it closes is data.
std::string OutsideTheDataBlock(const std::string& page) {
    const size_t open = page.find("id=\"orbisk-data\">");
    const size_t close = page.find("</script>", open);
    return page.substr(0, open) + page.substr(close);
}

TEST_F(MapPageTest, NothingInARequestRunsAsScriptOrMarkup) {
    for (const char* probe : kProbes) {
        const std::string text = probe;
        const std::string escaped = EscapeHtml(text);
        const std::string markers = "<DataSet><MarkerSet CenterLng=\"1\" CenterLat=\"2\" Title=\"" +
                                    escaped + "\"><Marker Lat=\"38\" Lng=\"-77\" Title=\"" +
                                    escaped + "\" URL=\"" + escaped + "\"><Info>" + escaped +
                                    "</Info></Marker></MarkerSet></DataSet>";
        const std::string results = "<ResultSet><Result><Title>" + escaped + "</Title><Address>" +
                                    escaped + "</Address><Phone>" + escaped +
                                    "</Phone><Latitude>38</Latitude><Longitude>-77"
                                    "</Longitude><BusinessUrl>" +
                                    escaped + "</BusinessUrl></Result></ResultSet>";
        const std::string query = "SH=3&NS=3&LAT=38&LNG=-77&INFO0=" + text + "&INFO1=" + text +
                                  "&MAPC=" + text + "&CLAT=" + text + "&CTY=" + text;
        const MapPageContent content = Content(query, markers, results);
        ASSERT_EQ(content.markers.size(), 1u) << probe;
        EXPECT_EQ(content.markers[0].link, "") << probe;
        const std::string page = RenderMapPage(content);
        const std::string data = page.substr(page.find("id=\"orbisk-data\">"));
        EXPECT_EQ(page.find("<script", 0), page.find("<script type=\"application/json\"")) << probe;
        EXPECT_EQ(OutsideTheDataBlock(page),
                  OutsideTheDataBlock(RenderMapPage(Content("SH=3&NS=3&LAT=38&LNG=-77"))))
            << "only the data block differs: " << probe;
        const std::string block = data.substr(0, data.find("</script>"));
        EXPECT_EQ(block.find('<'), std::string::npos) << probe;
        EXPECT_EQ(block.find('>', block.find('>') + 1), std::string::npos) << probe;
        EXPECT_NE(block.find(JsonString(text)), std::string::npos)
            << "the text arrives as text: " << probe;
    }
}

TEST(SafeLink, KeepsOnlyWebAddresses) {
    EXPECT_EQ(SafeLink(" http://example.org/a?b=1 "), "http://example.org/a?b=1");
    EXPECT_EQ(SafeLink("HTTPS://example.org"), "HTTPS://example.org");
    for (const char* url : {"javascript:alert(1)", "data:text/html,x", "//evil.example", "ftp://x",
                            "http://a\nb", "vbscript:x", "", "http:/x"})
        EXPECT_EQ(SafeLink(url), "") << url;
}

} // namespace
} // namespace orbisk::server
