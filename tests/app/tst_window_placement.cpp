// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/core/window_placement.h"
#include "settings/registry_key.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace orbisk {
namespace {

TEST(WindowPlacement, OnlyFourWholeNumbersWithASizeAreAPlacement) {
    const struct {
        const char* text;
        std::optional<Rect> placement;
    } cases[] = {
        {"10,20,800,600", Rect{10, 20, 800, 600}},
        {"-1920,0,1024,640", Rect{-1920, 0, 1024, 640}},
        {" 10, 20 ,800,600", Rect{10, 20, 800, 600}},
        {"", std::nullopt},
        {"10,20,800", std::nullopt},
        {"10,20,800,600,5", std::nullopt},
        {"10,20,0,600", std::nullopt},
        {"10,20,800,-600", std::nullopt},
        {"ten,20,800,600", std::nullopt},
        {"10.5,20,800,600", std::nullopt},
        {"1e9,20,800,600", std::nullopt},
        {"99999999999,20,800,600", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseWindowPlacement(c.text), c.placement) << c.text;
        if (c.placement) {
            EXPECT_EQ(ParseWindowPlacement(FormatWindowPlacement(*c.placement)), c.placement);
        }
    }
}

TEST(WindowPlacement, TheWindowOpensWholeOnTheScreen) {
    const Rect laptop{0, 0, 1280, 800};
    const Rect large{0, 0, 3840, 2160};
    EXPECT_EQ(FirstWindowPlacement(laptop, 700, 300), (Rect{128, 80, 1024, 640}));
    EXPECT_EQ(FirstWindowPlacement(large, 700, 300), (Rect{1280, 630, 1280, 900}));
    // 1280 × 800 at a scale of 2, below the window's minimum: the screen bounds it.
    EXPECT_EQ(FirstWindowPlacement({0, 0, 640, 480}, 700, 300), (Rect{0, 48, 640, 384}));
    EXPECT_EQ(FirstWindowPlacement({0, 0, 640, 400}, 812, 500), (Rect{0, 0, 640, 400}));
    EXPECT_EQ(FitWindowPlacement({-172, 0, 1624, 900}, {0, 0, 640, 400}, 812, 500),
              (Rect{0, 0, 640, 400}));
    // Left on a second screen that is gone, or larger than this one.
    EXPECT_EQ(FitWindowPlacement({2000, 100, 900, 700}, laptop, 700, 300),
              (Rect{380, 100, 900, 700}));
    EXPECT_EQ(FitWindowPlacement({-50, -20, 2000, 1500}, laptop, 700, 300),
              (Rect{0, 0, 1280, 800}));
    EXPECT_EQ(FitWindowPlacement({100, 50, 400, 200}, laptop, 700, 300), (Rect{100, 50, 700, 300}));
}

TEST(WindowPlacement, IsKeptInTheStoreAndADamagedValueIsIgnored) {
    test::TempDir dir;
    const auto store = dir.Path() / "registry.sqlite3";
    EXPECT_FALSE(LoadWindowPlacement(store));
    ASSERT_TRUE(SaveWindowPlacement(store, {40, 30, 1024, 700}));
    EXPECT_EQ(LoadWindowPlacement(store), (Rect{40, 30, 1024, 700}));
    RegistryKey key(store);
    ASSERT_TRUE(
        key.Create(RegistryRoot::CurrentUser, "Software\\Brevant Solutions\\Orbisk\\Window"));
    ASSERT_TRUE(key.WriteString("Placement", "40,30,nan,700"));
    EXPECT_FALSE(LoadWindowPlacement(store));
}

} // namespace
} // namespace orbisk
