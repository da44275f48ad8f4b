// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/core/main_layout.h"
#include "app/core/window_title.h"
#include "protocol/map_view_state.h"

#include <gtest/gtest.h>

namespace orbisk {
namespace {

TEST(MainLayout, PlacesEveryControlForTheClientSize) {
    const MainLayout layout = ComputeMainLayout(800, 600, true, true);
    EXPECT_EQ(layout.browser, (Rect{14, 101, 772, 451}));
    EXPECT_EQ(layout.locateGroup, (Rect{14, 5, 726, 90}));
    EXPECT_EQ(layout.go, (Rect{697, 61, 30, 24}));
    EXPECT_EQ(layout.progress, (Rect{748, 37, 32, 32}));
    EXPECT_EQ(layout.keyword, (Rect{114, 568, 232, 22}));
    EXPECT_EQ(layout.status, (Rect{406, 571, 95, 22}));
    EXPECT_EQ(layout.markersGroup, (Rect{506, 554, 280, 44}));
    EXPECT_EQ(layout.markerButtons[0], (Rect{596, 568, 34, 22}));
    EXPECT_EQ(layout.markerButtons[4], (Rect{748, 568, 34, 22}));
}

TEST(MainLayout, HiddenPanelsGiveTheBrowserTheirRoom) {
    EXPECT_EQ(ComputeMainLayout(800, 600, false, true).browser, (Rect{14, 5, 772, 541}));
    EXPECT_EQ(ComputeMainLayout(800, 600, true, false).browser, (Rect{14, 101, 772, 485}));
    EXPECT_EQ(ComputeMainLayout(800, 600, false, false).browser, (Rect{14, 5, 772, 575}))
        << "W - 28, H - 25";
    const MainLayout smallest =
        ComputeMainLayout(kMinimumWindowWidth, kMinimumWindowHeight, true, true);
    EXPECT_EQ(smallest.browserWidth, 608);
    EXPECT_EQ(smallest.browserHeight, 101);
}

// French texts, measured in the default font: one row at the window's
// minimum, two rows on a narrower screen, where nothing overlaps.
TEST(MainLayout, TextsTooWideForOneRowTakeTwo) {
    TextWidths french;
    french.status = 203;
    french.searchLabel = 105;
    french.markersLabel = 71;
    french.markerButtons = {65, 70, 59, 87, 70};
    const MainLayout one = ComputeMainLayout(983, 600, true, true, french);
    EXPECT_EQ(one.searchGroup.y, one.markersGroup.y);
    const MainLayout two = ComputeMainLayout(700, 600, true, true, french);
    EXPECT_EQ(two.browserHeight, one.browserHeight - 44);
    EXPECT_LE(two.browser.y + two.browser.height, two.searchGroup.y);
    EXPECT_LE(two.searchGroup.y + two.searchGroup.height, two.markersGroup.y);
    EXPECT_GE(two.keyword.width, kMinimumKeywordWidth);
    EXPECT_LE(two.next.x + two.next.width, two.previous.x);
    EXPECT_LE(two.status.x + two.status.width, two.searchGroup.x + two.searchGroup.width);
    EXPECT_GE(two.markerIcon.x, two.markersGroup.x);
    EXPECT_EQ(ComputeMainLayout(700, 600, true, false, french).browserHeight,
              one.browserHeight + 34)
        << "a hidden panel takes no row";
}

TEST(MapViewState, CentreFieldsAndPixels) {
    MapViewState view;
    for (const auto& [name, value] : {std::pair<const char*, const char*>{"BVXMin", "-80"},
                                      {"BVXMax", "-70"},
                                      {"BVYMin", "35"},
                                      {"BVYMax", "45"},
                                      {"BVZoom", "7"},
                                      {"bvxmin", "1"},
                                      {"BVXMax", ""},
                                      {"Other", "9"}})
        view.ApplyField(name, value);
    EXPECT_EQ(view.CenterLatitude(), "40.00000000");
    EXPECT_EQ(view.CenterLongitude(), "-75.00000000");
    EXPECT_EQ(view.zoom, 7);
    EXPECT_EQ(view.PixelToLatLng(315, 215, 630, 430).second, "-75.00000000") << "300 of 600 pixels";
    EXPECT_EQ(view.PixelToLatLng(315, 215, 630, 430).first, "40.00000000");
    EXPECT_EQ(view.PixelToLatLng(10, 10, 630, 430),
              (std::pair<std::string, std::string>{"45", "-80"}));
    EXPECT_EQ(view.PixelToLatLng(625, 425, 630, 430),
              (std::pair<std::string, std::string>{"35", "-70"}));
    EXPECT_EQ(view.PixelToLatLng(75, 55, 630, 430),
              (std::pair<std::string, std::string>{"44.00000000", "-79.00000000"}));
}

TEST(WindowTitle, AddsTheCaptionAndTheModifiedMark) {
    EXPECT_EQ(TitleBase("Orbisk (North America Edition)", ""), "Orbisk (North America Edition)");
    EXPECT_EQ(TitleBase("Orbisk", "Zip code(postal code): 20502"),
              "Orbisk - Zip code(postal code): 20502");
    EXPECT_EQ(WindowTitle("Orbisk - Trip", true), "Orbisk - Trip *");
    EXPECT_EQ(WindowTitle("Orbisk - Trip", false), "Orbisk - Trip");
}

} // namespace
} // namespace orbisk
