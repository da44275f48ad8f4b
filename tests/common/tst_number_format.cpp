// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/number_format.h"

#include <cmath>
#include <gtest/gtest.h>

namespace orbisk {
namespace {

TEST(FormatFixed, WritesLikePrintfInTheCLocale) {
    EXPECT_EQ(FormatFixed(1.1, 2), "1.10");
    EXPECT_EQ(FormatFixed(38.898748, 8), "38.89874800");
    EXPECT_EQ(FormatFixed(-77.037684, 6), "-77.037684");
    EXPECT_EQ(FormatFixed(0.125, 2), "0.12");
    EXPECT_EQ(FormatFixed(2.0, 0), "2");
}

TEST(FormatFixed, NeverWritesInfinityOrNan) {
    EXPECT_EQ(FormatFixed(INFINITY, 2), "0.00");
    EXPECT_EQ(FormatFixed(NAN, 1), "0.0");
}

} // namespace
} // namespace orbisk
