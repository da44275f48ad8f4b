// SPDX-License-Identifier: GPL-3.0-or-later
#include "update/update_notice.h"

#include <gtest/gtest.h>

namespace orbisk {
namespace {

constexpr int kNotify = 1;

// Ticks until the notice says something or gives up; how many ticks it took.
int TicksUntilDecided(UpdateNotice& notice, int preference, bool newer, bool& shown) {
    int ticks = 0;
    shown = false;
    while (notice.Ticks() != -1 && ticks < 10'000) {
        shown = notice.Tick(false, preference, newer) || shown;
        ++ticks;
    }
    return ticks;
}

TEST(UpdateNotice, ShowsOnceAfterSixHundredIdleTicksWhenNotifying) {
    UpdateNotice notice;
    bool shown = false;
    EXPECT_EQ(TicksUntilDecided(notice, kNotify, true, shown), 601);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(notice.Tick(false, kNotify, true)) << "once per run";
}

TEST(UpdateNotice, BusyTicksDoNotCount) {
    UpdateNotice notice;
    for (int i = 0; i < 599; ++i)
        notice.Tick(false, kNotify, true);
    for (int i = 0; i < 1000; ++i)
        EXPECT_FALSE(notice.Tick(true, kNotify, true));
    EXPECT_FALSE(notice.Tick(false, kNotify, true));
    EXPECT_EQ(notice.Ticks(), 600);
    EXPECT_TRUE(notice.Tick(false, kNotify, true));
}

TEST(UpdateNotice, OtherPreferencesNeverShowIt) {
    UpdateNotice applying;
    bool shown = true;
    EXPECT_EQ(TicksUntilDecided(applying, 0, true, shown), 601) << "counted, but never shown";
    EXPECT_FALSE(shown);
    UpdateNotice noNewer;
    TicksUntilDecided(noNewer, kNotify, false, shown);
    EXPECT_FALSE(shown);
    UpdateNotice disabled;
    for (int i = 0; i < 2000; ++i)
        EXPECT_FALSE(disabled.Tick(false, 2, true));
    EXPECT_EQ(disabled.Ticks(), 0) << "not even counted";
}

} // namespace
} // namespace orbisk
