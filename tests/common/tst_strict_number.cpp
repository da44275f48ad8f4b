// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/strict_number.h"

#include <climits>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace orbisk {
namespace {

TEST(StrictNumber, ReadsWholeFiniteCoordinatesInRangeOnly) {
    std::ifstream table(ORBISK_TEST_DATA_DIR "/numbers/coordinates.tsv");
    ASSERT_TRUE(table);
    int cases = 0;
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string text, kind, expected;
        std::getline(fields, text, '\t');
        std::getline(fields, kind, '\t');
        std::getline(fields, expected, '\t');
        const auto read = kind == "lat" ? StrictLatitude(text) : StrictLongitude(text);
        ++cases;
        if (expected == "refused") {
            EXPECT_FALSE(read) << '"' << text << "\" read as " << read.value_or(0);
            continue;
        }
        EXPECT_TRUE(read) << '"' << text << '"';
        EXPECT_DOUBLE_EQ(read.value_or(-999), std::stod(expected)) << '"' << text << '"';
    }
    EXPECT_GT(cases, 20);
}

TEST(StrictInteger, TakesWholeNumbersInRange) {
    EXPECT_EQ(StrictInteger("2147483647", INT_MIN, INT_MAX), INT_MAX);
    EXPECT_EQ(StrictInteger(" +12 ", 0, 100), 12);
    for (const char* text : {"2147483648", "12abc", "1.5", "", "-", "+-1", "101"})
        EXPECT_FALSE(StrictInteger(text, INT_MIN, 100)) << text;
}

} // namespace
} // namespace orbisk
