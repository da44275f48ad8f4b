// SPDX-License-Identifier: GPL-3.0-or-later
#include "markers/marker_set.h"
#include "protocol/map_view_state.h"

#include <gtest/gtest.h>

namespace orbisk {
namespace {

Marker At(const std::string& lat, const std::string& lng, const std::string& title = "m") {
    Marker marker;
    marker.lat = lat;
    marker.lng = lng;
    marker.title = title;
    marker.infoLines = {"one", "", "", ""};
    return marker;
}

class MarkerSetTest : public ::testing::Test {
protected:
    int notifications = 0;
    MarkerSet::ChangeNotifier notify = [this] { ++notifications; };
};

TEST_F(MarkerSetTest, ANewSetIsEmptyUnmodifiedAndNotifiesOnce) {
    const MarkerSet set(notify);
    EXPECT_EQ(notifications, 1);
    EXPECT_EQ(set.centerLat + set.centerLng, "00");
    EXPECT_EQ(set.title, "");
    EXPECT_EQ(set.country, "United States");
    EXPECT_TRUE(set.IsEmpty());
    EXPECT_FALSE(set.IsModified());
}

TEST_F(MarkerSetTest, ChangesOfTheModifiedStateAreNotified) {
    MarkerSet set(notify);
    set.AddMarker(At("1", "2"));
    EXPECT_TRUE(set.IsModified());
    EXPECT_EQ(notifications, 2);
    set.SetModified(true);
    EXPECT_EQ(notifications, 3) << "also when nothing changes";
    set.Clear();
    EXPECT_TRUE(set.IsModified()) << "Clear keeps the flag";
    EXPECT_TRUE(set.IsEmpty());
    EXPECT_EQ(notifications, 3);
}

TEST_F(MarkerSetTest, CountOutsideTreatsEdgesAsInsideAndTextsAsNumbers) {
    MarkerSet set;
    EXPECT_EQ(set.CountOutside(10, 20, -80, -70), 0);
    set.AddMarker(At("10", "-80"));
    set.AddMarker(At("20.0", "-70"));
    set.AddMarker(At("15", "-69.99"));
    set.AddMarker(At("9.5", "-75"));
    set.AddMarker(At("north", "-75")); // latitude 0
    EXPECT_EQ(set.CountOutside(10, 20, -80, -70), 3);
}

TEST_F(MarkerSetTest, CenterFragmentCarriesCentreAndZoom) {
    MarkerSet set;
    set.centerLat = "38.89874800";
    set.centerLng = "-77.03768400";
    set.zoom = 6;
    EXPECT_EQ(set.CenterFragment(), "&CLAT=38.89874800&CLNG=-77.03768400&CZOOM=6");
}

TEST_F(MarkerSetTest, TakeOverMovesEverythingAndLeavesTheSourceEmpty) {
    MarkerSet target(notify);
    target.AddMarker(At("1", "1", "old"));
    MarkerSet source;
    source.title = "Trip";
    source.country = "Canada";
    source.zoom = 9;
    source.centerLat = "45";
    source.AddMarker(At("2", "2", "a"));
    source.AddMarker(At("3", "3", "b"));
    const int before = notifications;
    target.TakeOver(source);
    EXPECT_EQ(notifications, before);
    ASSERT_EQ(target.Markers().size(), 2u);
    EXPECT_EQ(target.Markers()[1].title, "b");
    EXPECT_EQ(target.title + target.country + target.centerLat, "TripCanada45");
    EXPECT_EQ(target.zoom, 9);
    EXPECT_TRUE(source.IsEmpty());
}

TEST_F(MarkerSetTest, CloneForEditingIsDeepAndUnmodified) {
    MarkerSet set(notify);
    set.title = "Trip";
    set.AddMarker(At("1", "2"));
    MarkerSet copy = set.CloneForEditing();
    EXPECT_EQ(notifications, 3) << "the copy notifies on construction";
    EXPECT_FALSE(copy.IsModified());
    EXPECT_EQ(copy.title, "Trip");
    copy.Markers()[0].title = "changed";
    EXPECT_EQ(set.Markers()[0].title, "m");
    copy.SetModified(true);
    EXPECT_EQ(notifications, 4) << "the copy tells the same owner";
}

TEST_F(MarkerSetTest, SyncWithViewCentresAndNamesOnlyAnUntitledSet) {
    MarkerSet set;
    const MapViewState view{"-80", "-70.5", "35", "40.25", 7};
    set.SyncWithView(view);
    EXPECT_EQ(set.centerLat, "37.62500000");
    EXPECT_EQ(set.centerLng, "-75.25000000");
    EXPECT_EQ(set.zoom, 7);
    EXPECT_EQ(set.title, "Current Marker Set");
    set.title = "Trip";
    set.SyncWithView(view);
    EXPECT_EQ(set.title, "Trip");
    EXPECT_FALSE(set.IsModified());
}

TEST(Marker, ClearKeepsTheUrl) {
    Marker marker = At("1", "2");
    marker.url = "http://example.org";
    marker.Clear();
    EXPECT_EQ(marker.lat + marker.lng + marker.title, "00");
    EXPECT_TRUE(marker.infoLines.empty());
    EXPECT_EQ(marker.url, "http://example.org");
}

} // namespace
} // namespace orbisk
