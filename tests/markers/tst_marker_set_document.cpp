// SPDX-License-Identifier: GPL-3.0-or-later
#include "markers/marker_set.h"

#include <gtest/gtest.h>

namespace orbisk {
namespace {

MarkerSet Trip() {
    MarkerSet set;
    set.centerLng = "-77.03768400";
    set.centerLat = "38.89874800";
    set.zoom = 6;
    set.title = "Trip";
    Marker marker;
    marker.lng = "-77.03768400";
    marker.lat = "38.89874800";
    marker.title = "My marker name 1";
    marker.infoLines = {"Line 1", "", "", ""};
    set.AddMarker(marker);
    return set;
}

TEST(MarkerSetDocument, WritesEveryAttributeInItsOrder) {
    EXPECT_EQ(Trip().ToXml(),
              "<DataSet><MarkerSet CenterLng=\"-77.03768400\" CenterLat=\"38.89874800\" Zoom=\"6\" "
              "Title=\"Trip\" "
              "Country=\"United States\"><Marker Lng=\"-77.03768400\" Lat=\"38.89874800\" "
              "Title=\"My marker name 1\" "
              "URL=\"\"><Info>Line 1</Info><Info/><Info/><Info/></Marker></MarkerSet></DataSet>");
    EXPECT_EQ(MarkerSet().ToXml(),
              "<DataSet><MarkerSet CenterLng=\"0\" CenterLat=\"0\" Zoom=\"2\" Title=\"\" "
              "Country=\"United States\"/></DataSet>");
}

TEST(MarkerSetDocument, RoundTripsEveryTextByteForByte) {
    MarkerSet set = Trip();
    set.title = "Tom & Jerry's <trip> \"2026\" caf\xC3\xA9";
    set.country = "Canada";
    Marker marker;
    marker.lat = "45.5";
    marker.lng = "-73.6 typed";
    marker.title = "A&B <c>";
    marker.url = "http://example.org/?a=1&b=2";
    marker.infoLines = {"1", "2 & 3", "", "<4>", "5", "6"};
    set.AddMarker(marker);
    MarkerSet read;
    ASSERT_TRUE(read.FromXml(set.ToXml()));
    EXPECT_EQ(read.title, set.title);
    EXPECT_EQ(read.country, "Canada");
    EXPECT_EQ(read.zoom, 6);
    EXPECT_EQ(read.Markers(), set.Markers());
    EXPECT_EQ(read.ToXml(), set.ToXml());
}

TEST(MarkerSetDocument, ReadsMissingZoomAndCountryAsTheirDefaults) {
    const std::pair<const char*, int> zooms[] = {
        {"", 2}, {" Zoom=\"\"", 2}, {" Zoom=\"7.5\"", 7}, {" Zoom=\"x\"", 0}, {" Zoom=\"12\"", 12}};
    for (const auto& [attribute, zoom] : zooms) {
        MarkerSet set;
        ASSERT_TRUE(set.FromXml(std::string("<DataSet><MarkerSet CenterLng=\"1\" CenterLat=\"2\"") +
                                attribute + "/></DataSet>"));
        EXPECT_EQ(set.zoom, zoom) << attribute;
        EXPECT_EQ(set.country, "United States");
    }
    MarkerSet set;
    ASSERT_TRUE(set.FromXml(
        "<DataSet><MarkerSet CenterLng=\"1\" CenterLat=\"2\" Country=\"\"/></DataSet>\n"));
    EXPECT_EQ(set.country, "United States");
}

TEST(MarkerSetDocument, RefusesDocumentsWithoutAUsableSet) {
    const char* refused[] = {
        "",
        "not xml",
        "<dataset><MarkerSet CenterLng=\"1\" CenterLat=\"2\"/></dataset>",
        "<DataSet/>",
        "<DataSet><MarkerSet CenterLat=\"2\"><Marker Lat=\"1\" Lng=\"2\"/></MarkerSet></DataSet>",
        "<DataSet><MarkerSet CenterLng=\"\" CenterLat=\"2\"/></DataSet>",
    };
    for (const char* text : refused) {
        int notified = 0;
        MarkerSet set([&] { ++notified; });
        set.AddMarker(Marker());
        set.title = "before";
        EXPECT_FALSE(set.FromXml(text)) << text;
        EXPECT_TRUE(set.IsEmpty());
        EXPECT_EQ(set.title, "");
        EXPECT_TRUE(set.IsModified()) << "a failed read keeps the flag";
        EXPECT_EQ(notified, 2) << "and notifies nothing";
    }
}

TEST(MarkerSetDocument, SkipsMarkersWithoutCoordinatesAndReadsOnlyTheFirstSet) {
    MarkerSet set;
    set.SetModified(true);
    ASSERT_TRUE(set.FromXml(
        "<DataSet><MarkerSet CenterLng=\"1\" CenterLat=\"2\">"
        "<Marker Lat=\"1\"/><Marker Lng=\"1\" Lat=\"\"/><Other Lat=\"1\" Lng=\"2\"/>"
        "<Marker Lat=\"5\" Lng=\"6\"><Info>a</Info><Note>x</Note><Info/></Marker>"
        "</MarkerSet><MarkerSet CenterLng=\"9\" CenterLat=\"9\"><Marker Lat=\"9\" Lng=\"9\"/>"
        "</MarkerSet></DataSet>"));
    ASSERT_EQ(set.Markers().size(), 1u);
    EXPECT_EQ(set.Markers()[0].lat, "5");
    EXPECT_EQ(set.Markers()[0].url, "");
    EXPECT_EQ(set.Markers()[0].infoLines, (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(set.centerLng, "1");
    EXPECT_FALSE(set.IsModified());
}

} // namespace
} // namespace orbisk
